// The scalar object kinds: integer and floating-point numbers (and the annotation number that
// mirrors a contour dimension), logical values, texts and enumerations.
//
// Every kind recomputes its value from its formula on each read (get, getVal, get_aritm,
// GetValue): a formula that yields nothing keeps the previous value, a result that violates a
// restriction keeps it too and sets validity 1. get_value() reads the cached value only.
#pragma once

#include <varnex/base/string_list.h>
#include <varnex/model/rumpf.h>

namespace varnex::model {
struct StreamValues;  // the stream record values (persistence)
}

/// A 32-bit integer (type "Nummer").
class VARNEX_API object_number : public rumpf {
 public:
  friend struct varnex::model::StreamValues;
  object_number();
  explicit object_number(const char* name);
  object_number(long value, const char* name);
  ~object_number() override;

  long get();
  void print_object() override;
  aritm* get_aritm() override;
  XBOOL IsCompatible(aritm* operand) override;
  rumpf* copy(const char* name) override;
  int assign(const char* name) override;
  int store(FILE* file) override;
  int read_element(FILE* file) override;
  const char* GetValue(PVMStrg& formula, PVMStrg& value) override;
  const char* get_value(PVMStrg& out) override;

 private:
  char* set_double(double value) override;
  char* set_long(long value) override;

  int kind_revision_ = 100;
  long value_ = 0;
};

/// A floating-point number (type "Zahl").
class VARNEX_API object_zahl : public rumpf {
 public:
  friend struct varnex::model::StreamValues;
  object_zahl();
  explicit object_zahl(const char* name);
  object_zahl(double value, const char* name);
  ~object_zahl() override;

  double get();
  void print_object() override;
  aritm* get_aritm() override;
  XBOOL IsCompatible(aritm* operand) override;
  rumpf* copy(const char* name) override;
  int assign(const char* name) override;
  int store(FILE* file) override;
  int read_element(FILE* file) override;
  const char* GetValue(PVMStrg& formula, PVMStrg& value) override;
  const char* get_value(PVMStrg& out) override;
  /// Points at the recomputed value; valid while the object lives.
  void* getVal() override;

 protected:
  double cached() const { return value_; }

 private:
  char* set_double(double value) override;
  char* set_long(long value) override;

  int kind_revision_ = 100;
  double value_ = 0.0;
};

/// A number that mirrors a named dimension annotation of a 2D contour; the connect name names
/// the annotation.
class VARNEX_API PVFAnnotationZahl : public object_zahl {
 public:
  friend struct varnex::model::StreamValues;
  PVFAnnotationZahl();
  explicit PVFAnnotationZahl(const char* name);
  PVFAnnotationZahl(double value, const char* name, const char* connect_name);

  /// Null when there is none.
  const char* GetConnectName() const;
  void SetConnectName(const char* connect_name);

  rumpf* copy(const char* name) override;
  int store(FILE* file) override;
  int read_element(FILE* file) override;
  const char* SetValue(PVMStrg& value, PVMStrg& result) override;
  const char* get_value(PVMStrg& out) override;

 private:
  int annotation_revision_ = 100;
  PVFRString connect_name_;
};

/// A logical value (type "Logic").
class VARNEX_API object_logic : public rumpf {
 public:
  friend struct varnex::model::StreamValues;
  object_logic();
  explicit object_logic(const char* name);
  object_logic(XBOOL value, const char* name);
  ~object_logic() override;

  XBOOL get();
  void print_object() override;
  aritm* get_aritm() override;
  XBOOL IsCompatible(aritm* operand) override;
  rumpf* copy(const char* name) override;
  int assign(const char* name) override;
  int store(FILE* file) override;
  int read_element(FILE* file) override;
  const char* TestValue(PVMStrg& value, PVMStrg& result) override;
  const char* SetValue(PVMStrg& value, PVMStrg& result) override;
  const char* GetValue(PVMStrg& formula, PVMStrg& value) override;
  const char* get_value(PVMStrg& out) override;

 private:
  char* set_bool(XBOOL value) override;

  int kind_revision_ = 100;
  XBOOL value_ = FALSE;
};

/// A text (type "Text").
class VARNEX_API object_text : public rumpf {
 public:
  friend struct varnex::model::StreamValues;
  object_text();
  explicit object_text(const char* name);
  object_text(const char* text, const char* name);
  ~object_text() override;

  /// The recomputed text; valid until the next change of the object.
  const char* get();
  void print_object() override;
  aritm* get_aritm() override;
  XBOOL IsCompatible(aritm* operand) override;
  rumpf* copy(const char* name) override;
  int assign(const char* name) override;
  int store(FILE* file) override;
  int read_element(FILE* file) override;
  /// A bare word that evaluates to nothing is taken as the text itself.
  const char* TestValue(PVMStrg& value, PVMStrg& result) override;
  const char* SetValue(PVMStrg& value, PVMStrg& result) override;
  const char* GetValue(PVMStrg& formula, PVMStrg& value) override;
  const char* get_value(PVMStrg& out) override;
  void* getVal() override;

 private:
  char* set_char(const char* text) override;

  int kind_revision_ = 100;
  PVFRString text_;
};

/// One value of a list of allowed texts (type "ENUMERATION"), selected by index.
class VARNEX_API object_enum : public rumpf {
 public:
  friend struct varnex::model::StreamValues;
  object_enum();
  explicit object_enum(const char* name);
  /// Copies the allowed values (duplicates dropped); `index` selects one of them.
  object_enum(VALUE_LIST<PVMStrg>* values, int index, const char* name);
  ~object_enum() override;

  /// The recomputed index.
  int get();
  /// Sets the alias type "ENUMERATION OF (a, b, ...)"; 1 when there are values, else 0.
  int SetAliasType();
  /// Appends the allowed values to `out`; returns their number.
  int GetEnumerationValues(VALUE_LIST<PVMStrg>* out) const;
  int get_enum_nr();
  /// The selected text, or null when the index selects nothing.
  const char* get_enum_val();
  /// Selects by index: 1 when the index is inside the list, else 0 (unchanged).
  int set_enum_by_nr(int index);

  void print_object() override;
  aritm* get_aritm() override;
  /// An enumeration operand whose values all belong to this list, or a plain text (without
  /// formula) that is one of the allowed values.
  XBOOL IsCompatible(aritm* operand) override;
  rumpf* copy(const char* name) override;
  int assign(const char* name) override;
  int store(FILE* file) override;
  int read_element(FILE* file) override;
  /// An allowed value may be given as a bare word.
  const char* TestValue(PVMStrg& value, PVMStrg& result) override;
  const char* SetValue(PVMStrg& value, PVMStrg& result) override;
  const char* GetValue(PVMStrg& formula, PVMStrg& value) override;
  const char* get_value(PVMStrg& out) override;

 private:
  /// Selects the allowed value `text`; refused (null) when it is not allowed.
  char* set_char(const char* text) override;
  /// Selects by index; an index outside the list selects the first value.
  char* set_double(double value) override;
  int IndexOf(const char* text) const;
  void CopyValues(VALUE_LIST<PVMStrg>* values);

  int kind_revision_ = 100;
  int index_ = 0;
  PVFRStringList values_{TRUE};
};
