// PVFconnect2dBa: the engine's view of a 2D contour (a sketch profile). The engine keeps every
// live contour in a class-wide list, shares contours between objects by use counting and knows
// them by an identifier text; the host derives its concrete contour classes from this base and
// overrides the operations it supports.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/transaction.h>
#include <varnex/base/value_list.h>
#include <varnex/base/void_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <cstdio>
#include <vector>

class BODY;
class PDTnode;
class PVFStream;
class SPAtransf;
class rumpf;
class FileInterface;
class PVFconnect2dAnn;

/// A 2D contour. Objects hold shares of it (GetConBa / RemConBa); operands borrow it. A contour
/// lives in the class-wide list from its construction until its last user deletes it or
/// ClearCon2dList runs.
class VARNEX_API PVFconnect2dBa : public PVTransaction {
 public:
  PVFconnect2dBa();
  explicit PVFconnect2dBa(const char* identifier);
  explicit PVFconnect2dBa(const PVMStrg& identifier);
  PVFconnect2dBa(const PVFconnect2dBa&) = delete;
  PVFconnect2dBa& operator=(const PVFconnect2dBa&) = delete;

  /// Non-zero when the identifiers are equal.
  virtual int IsEqual(PVFconnect2dBa* other);
  virtual XBOOL Calculate3DFrom2DPos(double* u, double* v, double* position, double* normal);
  /// A new base contour with the same identifier (in the list); the caller shares it.
  virtual PVFconnect2dBa* copy();
  /// Non-zero when `file` is not null; the host writes its own data.
  virtual int store(FileInterface* file);
  /// "element_: <identifier>, <type>;" (type "PVFconnect2dBa" when null): 0, or -1 for null.
  virtual int store(FILE* file, const char* type);
  /// Stream records go through the persistence layer's writer (model_hooks.h); TRUE when none
  /// handled it.
  virtual XBOOL Store(PVFStream& stream);
  virtual XBOOL Restore(PVFStream& stream, int flag);
  virtual void Print();

  // Operations of the host's contour classes; the base has nothing to offer.
  virtual void* GetAxList();
  virtual void* GetLstConCrv2To3D();
  virtual SPAtransf* GetStartPosTrans();
  virtual rumpf* GetRefObject();
  virtual PDTnode* GetRefTransNode();
  virtual void* GetXOpObj();
  virtual BODY* GetBodyForSweep();
  virtual PVFconnect2dAnn* pPVFconnect2dAnn();
  virtual XBOOL IsCorrectTransType();
  virtual XBOOL eHasGeometry();
  virtual XBOOL FindXOpByName();
  virtual XBOOL NoteModify2D();
  virtual XBOOL Reorganize2DAnn();
  virtual XBOOL RestoreRefNamesOfOpObj();
  virtual int FindXOpInList(void* list);
  virtual int SetXOpObj(void* object);
  virtual int StoreXOpObjInFile(PVMStrg& file_name);
  virtual int pBodySet(const BODY* body);
  virtual XBOOL GetXOpSkBDataByName(double* a, double* b, double* c, double* d);
  virtual XBOOL GetAcisFacePlaneData(double* a, double* b, double* c, double* d);
  virtual BODY* SetBodyByReferenz(const char* reference);
  virtual XBOOL SetExternalToCorrectTrans(PDTnode* node);
  virtual int SetInternalToCorrectTrans(PDTnode* node, XBOOL flag);
  virtual int ChgRefNamesOfOpObj(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to);
  virtual BODY* GetBodyForSweep(double* start, double* direction);
  virtual void* GetWireForSweep(void* wire, double* start);
  virtual XBOOL ConvertFaceNames(VALUE_LIST<PVMStrg>* names, int flag);
  virtual void Show2d();
  virtual void UnShow2d();

  /// Clears the use count, leaves the class-wide list.
  virtual ~PVFconnect2dBa();

  /// Takes a share: the use count goes up; returns this contour.
  PVFconnect2dBa* GetConBa();
  /// Gives a share back. 1 when the last share went and the contour is still in the list, so
  /// the caller deletes it; else 0.
  int RemConBa();
  int UseCount() const { return use_count_; }
  /// A number no other contour of this run has had: tells a live contour from a new one at the
  /// address of a deleted one.
  unsigned long Serial() const { return serial_; }

  const char* get_IdentC() const { return identifier_; }
  const PVFRString& get_IdentS() const { return identifier_; }
  /// A null text keeps the identifier.
  void set_Ident(const char* identifier);
  void set_Ident(PVMStrg& identifier);
  /// Null when there is none.
  const char* get_ReferenzC() const;
  const PVFRString& get_ReferenzS() const { return reference_; }
  /// A null text deletes the reference.
  void set_Referenz(const char* reference);
  void set_Referenz(PVMStrg& reference);
  int iErrNumber() const { return error_number_; }
  void SetErrNumber(int error) { error_number_ = error; }

  // The class-wide list of live contours.
  /// The first contour registered with exactly this identifier, or null.
  static PVFconnect2dBa* FindInConList(const char* identifier);
  static XBOOL Con2dInList(PVFconnect2dBa* contour);
  static void AddInConList(PVFconnect2dBa* contour);
  /// Adds each live contour once; returns how many there are.
  static int GetCon2dList(GENERIC_LIST<PVFconnect2dBa>* out);
  /// Deletes every contour, resets the copy switch and the identifier counter; returns how many
  /// were deleted.
  static int ClearCon2dList();
  static void UnShow2dAll();
  static void ReorganizeAll2DAnn();
  static int GetIdentCount();
  static void SetIdentCount(int count);
  /// Raises the identifier counter to the number after the first "_@" of `text` when larger;
  /// returns the counter.
  static int SetIdentCountByChar(const char* text);
  /// TRUE while copying of contours is not switched off.
  static XBOOL IsCopyNeeded();
  static void SetNotCopy(XBOOL not_copy);

 private:
  static std::vector<PVFconnect2dBa*>& Registry();

  int revision_ = 100;
  unsigned long serial_;
  int error_number_ = 0;
  int use_count_ = 0;
  PVFRString identifier_;
  PVFRString reference_;
};

/// The annotation interface of a contour: dimension values by name. The base does nothing.
class VARNEX_API PVFconnect2dAnn : public PVTransaction {
 public:
  virtual ~PVFconnect2dAnn();
  virtual int SetNamedAnn(PVMStrg& name, double value, PVMStrg& result);
  virtual int GetAnnList(void_list* out);
  virtual void* GetNamedAnn(PVMStrg& name);
  virtual int SetBackNodeConturModify(rumpf* object);
  virtual int SetNodeUnConturModify(rumpf* object);
  virtual const char* GetAnnName(void* annotation, PVMStrg& out);
  virtual double GetAnnVal(void* annotation, PVMStrg& out);
};

/// Readers of contours the host installs: from an old text file and from a stream. Null until
/// installed; without them contours are not read back.
extern VARNEX_API PVFconnect2dBa* (*PVFRestoreCon2)(FILE* file);
extern VARNEX_API PVFconnect2dBa* (*PVFRestoreCon2Stream)(PVFStream& stream, int flag);
