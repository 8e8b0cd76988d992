// object_connect2d: a named object holding one share of a 2D contour.
#pragma once

#include <varnex/model/rumpf.h>

namespace varnex::model {
struct StreamValues;  // the stream record values (persistence)
}

/// A 2D contour (type "Connect2d"). The object holds one share of its contour; the last share
/// given back deletes the contour.
class VARNEX_API object_connect2d : public rumpf {
 public:
  friend struct varnex::model::StreamValues;
  object_connect2d();
  explicit object_connect2d(const char* name);
  /// Takes a share of `contour` (null: none).
  object_connect2d(PVFconnect2dBa* contour, const char* name);
  /// Reads the contour through the host's PVFRestoreCon2 when it is installed.
  object_connect2d(FILE* file, const char* name);
  ~object_connect2d() override;

  /// The contour, after recomputing the formula when there is one; null without.
  PVFconnect2dBa* get_Connect();

  const char* GenericPrefix(PVMStrg& out) override;
  void print_object() override;
  aritm* get_aritm() override;
  /// A contour operand, or a geometry operand (the contour takes its body by reference).
  XBOOL IsCompatible(aritm* operand) override;
  /// While contours are copied (PVFconnect2dBa::IsCopyNeeded), the copy holds a copy of the
  /// contour; otherwise it shares this one.
  rumpf* copy(const char* name) override;
  int assign(const char* name) override;
  int store(FILE* file) override;
  int read_element(FILE* file) override;
  /// The common procedure; an accepted value text is passed to the contour's
  /// SetBodyByReferenz.
  const char* SetValue(PVMStrg& value, PVMStrg& result) override;
  /// The contour's identifier, "NULL" without contour.
  const char* GetValue(PVMStrg& formula, PVMStrg& value) override;
  const char* get_value(PVMStrg& out) override;
  /// The formula of a built-in that rebuilds the contour from the model's geometry file:
  /// empty without contour.
  const char* GetStorageValue(PVMStrg& value, PVMStrg& name, PVFBinBlock& block) override;
  void* getVal() override;
  int vs_austausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) override;
  XBOOL ValSrcAustausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) override;
  /// Switches contour copying off (TRUE) or on; returns whether it was off before.
  XBOOL SetNotCopyNeeded(XBOOL not_needed) override;

 private:
  /// Gives the old share back (deleting the contour after its last share) and takes one of
  /// `contour`. Returns the previous contour while it still exists, else null.
  PVFconnect2dBa* set_Connect(PVFconnect2dBa* contour) override;
  void Share(PVFconnect2dBa* contour);
  /// The held contour while it lives; null after ClearCon2dList deleted it under the object.
  PVFconnect2dBa* Held();

  int kind_revision_ = 100;
  PVFconnect2dBa* contour_ = nullptr;
  unsigned long contour_serial_ = 0;
};
