// Operand kinds that point at things the model owns: op_reference and op_object (named
// objects) and op_connect2d (2D contours). All three borrow what they point at.
#pragma once

#include <varnex/model/aritm.h>

/// A reference to a named object (borrowed). Two references are equal when they refer to the
/// same object.
class VARNEX_API op_reference : public aritm {
 public:
  op_reference();
  explicit op_reference(rumpf* object);
  op_reference(rumpf* object, const char* valueSource);
  op_reference& operator=(rumpf* object);

  aritm* assign(aritm* other) override;

  aritm* equal_aritm(aritm* b) override;
  aritm* equal_reference(rumpf* x) override;
  aritm* not_equal_aritm(aritm* b) override;
  aritm* not_equal_reference(rumpf* x) override;

  rumpf* get_object() override;
  /// A new operand of the referenced object's value (caller owns it), or null.
  aritm* get_reference() override;
  void print() override;
  rumpf* new_object(const char* name) override;
  rumpf* assign_object(const char* name) override;
  /// The full name of the referenced object (empty without one).
  const char* GetValue(PVMStrg& out) const override;
  char* getsval() override;
  /// A formula, or the name of an existing object ("object <name> not found" otherwise).
  void setsval(const char* text) override;
  /// TRUE when it refers to an object.
  XBOOL IsValidValue() override;
  XBOOL IsOpReference() override;

 protected:
  const char* ClassName() const override;

 private:
  rumpf* object_ = nullptr;
};

/// A named object found by name (borrowed); takes part in no operator. new_object copies the
/// object (an instance with its whole sub-world).
class VARNEX_API op_object : public aritm {
 public:
  op_object();
  explicit op_object(rumpf* object);
  op_object(rumpf* object, const char* valueSource);
  /// Resolves `name`; an unknown name reports "variable <name> not existing" and leaves the
  /// operand without object.
  explicit op_object(const char* name);
  op_object& operator=(rumpf* object);

  /// Takes `other`'s object, re-resolved by its simple name when possible.
  aritm* assign(aritm* other) override;

  rumpf* get_object() override;
  void print() override;
  rumpf* new_object(const char* name) override;
  rumpf* assign_object(const char* name) override;
  /// The full name of the object (empty without one).
  const char* GetValue(PVMStrg& out) const override;
  /// The object's simple name; null without object.
  char* getsval() override;
  /// Formulas only; a literal reports "values for type planet must be specified as formula".
  void setsval(const char* text) override;
  /// TRUE for an instance whose sub-world holds at least one object.
  XBOOL IsValidValue() override;
  XBOOL IsOpObject() override;

 protected:
  const char* ClassName() const override;

 private:
  rumpf* object_ = nullptr;
};

/// A 2D contour (borrowed). Equality is the contour's own test; `add` yields the left
/// operand's contour.
class VARNEX_API op_connect2d : public aritm {
 public:
  op_connect2d();
  explicit op_connect2d(PVFconnect2dBa* contour);
  op_connect2d(PVFconnect2dBa* contour, const char* valueSource);
  op_connect2d& operator=(PVFconnect2dBa* contour);

  aritm* assign(aritm* other) override;

  aritm* add_aritm(aritm* b) override;
  aritm* add_connect2d(PVFconnect2dBa* x) override;
  aritm* equal_aritm(aritm* b) override;
  aritm* equal_connect2d(PVFconnect2dBa* x) override;
  aritm* not_equal_aritm(aritm* b) override;
  aritm* not_equal_connect2d(PVFconnect2dBa* x) override;

  const PVFconnect2dBa* get_connect2d() override;
  void print() override;
  rumpf* new_object(const char* name) override;
  rumpf* assign_object(const char* name) override;
  /// The contour's identifier; "NULL" without contour.
  const char* GetValue(PVMStrg& out) const override;
  char* getsval() override;
  /// The text up to the first ';' names a live contour by identifier (no formula evaluation);
  /// an unknown identifier leaves the operand without contour.
  void setsval(const char* text) override;
  /// TRUE when it holds a contour that reports itself valid.
  XBOOL IsValidValue() override;
  XBOOL IsOpConnect2d() override;

 protected:
  const char* ClassName() const override;

 private:
  PVFconnect2dBa* contour_ = nullptr;
};
