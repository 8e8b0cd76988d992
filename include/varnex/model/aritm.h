// aritm: the value of an expression. Every step of an evaluation yields a new operand of one of
// twelve kinds (op_number, op_zahl, op_text, ...); operands carry the formula text they came
// from, restriction formulas and a validity code into the named object that receives them.
//
// Ownership: operands are ordinary heap objects owned by whoever holds them. Every operation
// returns a new operand the caller owns (or null) and changes neither operand. A global
// registry tracks every live operand; ClearAritmList() deletes the ones that escaped.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/value_list.h>
#include <varnex/base/void_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <cstddef>
#include <cstdint>
#include <memory>

class ENTITY;
class list;
class SPAtransf;
class rumpf;
class PVFconnect2dBa;

/// The operand protocol. Every operation of this base class reports "call to virtual function"
/// through ClassError (class "aritm") and yields null, 0, 0.0 or FALSE; each kind overrides
/// the operations that make sense for it.
///
/// Binary operations dispatch twice: a.add(b) runs a's add_aritm, which calls on b the typed
/// operation named after a's kind with a's payload (b->add_long(...) for an op_number a). The
/// typed operation computes `argument OP self`, except subtract_*, which computes
/// `self - argument`; subtract_aritm negates that intermediate and deletes it.
///
/// Integer payloads are 32-bit whatever the width of `long`: `long` arguments are reduced
/// modulo 2^32 to the signed 32-bit range.
class VARNEX_API aritm {
 public:
  aritm(const aritm&) = delete;
  aritm& operator=(const aritm&) = delete;
  virtual ~aritm();

  virtual int CheckRestrictions() const;
  /// Copies `other`'s value (converted to this kind), its value source when it has one, and its
  /// validity; returns this operand, or null for a null `other`.
  virtual aritm* assign(aritm* other);

  // Operator families. Each returns a new operand the caller owns, or null.
  virtual aritm* add_aritm(aritm* b);
  virtual aritm* add_double(double x);
  virtual aritm* add_vector(double* x);
  virtual aritm* add_long(long x);
  virtual aritm* add_char(const char* x);
  virtual aritm* add_ENT(ENTITY* x);
  virtual aritm* add_list(list* x);
  virtual aritm* add_LOG(XBOOL x);
  virtual aritm* add_connect2d(PVFconnect2dBa* x);

  virtual aritm* subtract_aritm(aritm* b);
  virtual aritm* subtract_double(double x);
  virtual aritm* subtract_vector(double* x);
  virtual aritm* subtract_long(long x);
  virtual aritm* subtract_ENT(ENTITY* x);
  virtual aritm* subtract_list(list* x);

  virtual aritm* multiply_aritm(aritm* b);
  virtual aritm* multiply_double(double x);
  virtual aritm* multiply_vector(double* x);
  virtual aritm* multiply_axis(double* origin, double* direction);
  virtual aritm* multiply_long(long x);
  virtual aritm* multiply_ENT(ENTITY* x);
  virtual aritm* multiply_LOG(XBOOL x);
  virtual aritm* multiply_list(list* x);
  virtual aritm* multiply_trans(SPAtransf* x);

  virtual aritm* percent_aritm(aritm* b);
  virtual aritm* percent_vector(double* x);
  virtual aritm* percent_long(long x);

  virtual aritm* divide_aritm(aritm* b);
  virtual aritm* divide_ENT(ENTITY* x);
  virtual aritm* divide_list(list* x);
  virtual aritm* divide_double(double x);
  virtual aritm* divide_long(long x);
  virtual aritm* divide_vector(double* x);

  virtual aritm* equal_aritm(aritm* b);
  virtual aritm* equal_double(double x);
  virtual aritm* equal_long(long x);
  virtual aritm* equal_LOG(XBOOL x);
  virtual aritm* equal_vector(double* x);
  virtual aritm* equal_axis(double* origin, double* direction);
  virtual aritm* equal_char(const char* x);
  virtual aritm* equal_enum(int index, const char* value);
  virtual aritm* equal_connect2d(PVFconnect2dBa* x);
  virtual aritm* equal_reference(rumpf* x);

  virtual aritm* not_equal_aritm(aritm* b);
  virtual aritm* not_equal_double(double x);
  virtual aritm* not_equal_long(long x);
  virtual aritm* not_equal_LOG(XBOOL x);
  virtual aritm* not_equal_vector(double* x);
  virtual aritm* not_equal_axis(double* origin, double* direction);
  virtual aritm* not_equal_char(const char* x);
  virtual aritm* not_equal_enum(int index, const char* value);
  virtual aritm* not_equal_connect2d(PVFconnect2dBa* x);
  virtual aritm* not_equal_reference(rumpf* x);

  virtual aritm* less_aritm(aritm* b);
  virtual aritm* less_double(double x);
  virtual aritm* less_long(long x);
  virtual aritm* greater_aritm(aritm* b);
  virtual aritm* greater_double(double x);
  virtual aritm* greater_long(long x);
  virtual aritm* less_equal_aritm(aritm* b);
  virtual aritm* less_equal_double(double x);
  virtual aritm* less_equal_long(long x);
  virtual aritm* greater_equal_aritm(aritm* b);
  virtual aritm* greater_equal_double(double x);
  virtual aritm* greater_equal_long(long x);

  virtual aritm* and_aritm(aritm* b);
  virtual aritm* and_LOG(XBOOL x);
  virtual aritm* or_aritm(aritm* b);
  virtual aritm* or_LOG(XBOOL x);
  virtual aritm* xor_aritm(aritm* b);
  virtual aritm* xor_LOG(XBOOL x);
  virtual aritm* not_LOG();

  /// Negation (an axis: the reversed axis).
  virtual aritm* minus_of();
  /// Reciprocal (a logical value: negation).
  virtual aritm* inverse();

  // Accessors. Pointers returned point into this operand and live as long as it does.
  virtual SPAtransf* get_transf();
  /// Appends the held entities to `out`; returns how many were appended.
  virtual int get_ENTITY(GENERIC_LIST<ENTITY>* out);
  virtual ENTITY* get_ENTITY(int index);
  virtual list* get_list();
  virtual double get_double();
  /// Three values x, y, z.
  virtual double* get_vector();
  /// Six values: origin x, y, z, then direction x, y, z.
  virtual double* get_axis();
  virtual long get_long();
  /// Copies the text payload into `out` and returns it; null (out unchanged) when the kind
  /// holds no text.
  virtual const char* get_text(PVMStrg& out);
  virtual rumpf* get_object();
  /// A new operand of the referenced object's value, owned by the caller.
  virtual aritm* get_reference();
  virtual int get_enum_nr();
  virtual const char* get_enum_val();
  virtual XBOOL get_LOGICAL();
  virtual const PVFconnect2dBa* get_connect2d();

  /// Writes the text form to standard output (diagnostics).
  virtual void print();

  /// Creates the named object matching this kind in the current world, with this value, value
  /// source, validity and restrictions. The object belongs to its world; null on failure.
  virtual rumpf* new_object(const char* name);
  /// Sets the existing object `name` from this value, value source and validity.
  virtual rumpf* assign_object(const char* name);

  /// Writes the text form into `out` and returns it.
  virtual const char* GetValue(PVMStrg& out) const;
  /// The text form in a new C string the caller frees with MemoryDeallocation; null when the
  /// operand holds no valid value.
  virtual char* getsval();
  /// Sets the value from a literal of the kind, or, when the text contains ';', from the
  /// formula's value (which then becomes the value source).
  virtual void setsval(const char* text);

  virtual XBOOL IsValidValue();

  virtual XBOOL IsOpText();
  virtual XBOOL IsOpReference();
  virtual XBOOL IsOpLogic();
  virtual XBOOL IsOpNumber();
  virtual XBOOL IsOpZahl();
  virtual XBOOL IsOpVector();
  virtual XBOOL IsOpAxis();
  virtual XBOOL IsOpEnum();
  virtual XBOOL IsOpGeom();
  virtual XBOOL IsOpTrans();
  virtual XBOOL IsOpObject();
  virtual XBOOL IsOpConnect2d();

  // Public entry points: each forwards to the virtual operation for its argument type. The
  // `int` forms spare callers the ambiguity of a plain integer literal and mean `long`.
  aritm* add(aritm* b) { return add_aritm(b); }
  aritm* add(double x) { return add_double(x); }
  aritm* add(double* x) { return add_vector(x); }
  aritm* add(long x) { return add_long(x); }
  aritm* add(int x) { return add_long(x); }
  aritm* add(const char* x) { return add_char(x); }
  aritm* add(ENTITY* x) { return add_ENT(x); }
  aritm* add(list* x) { return add_list(x); }
  aritm* add(XBOOL x) { return add_LOG(x); }
  aritm* add(PVFconnect2dBa* x) { return add_connect2d(x); }

  aritm* subtract(aritm* b) { return subtract_aritm(b); }
  aritm* subtract(double x) { return subtract_double(x); }
  aritm* subtract(double* x) { return subtract_vector(x); }
  aritm* subtract(long x) { return subtract_long(x); }
  aritm* subtract(int x) { return subtract_long(x); }
  aritm* subtract(ENTITY* x) { return subtract_ENT(x); }
  aritm* subtract(list* x) { return subtract_list(x); }

  aritm* multiply(aritm* b) { return multiply_aritm(b); }
  aritm* multiply(double x) { return multiply_double(x); }
  aritm* multiply(double* x) { return multiply_vector(x); }
  aritm* multiply(double* origin, double* direction) { return multiply_axis(origin, direction); }
  aritm* multiply(long x) { return multiply_long(x); }
  aritm* multiply(int x) { return multiply_long(x); }
  aritm* multiply(ENTITY* x) { return multiply_ENT(x); }
  aritm* multiply(XBOOL x) { return multiply_LOG(x); }
  aritm* multiply(list* x) { return multiply_list(x); }
  aritm* multiply(SPAtransf* x) { return multiply_trans(x); }

  aritm* percent(aritm* b) { return percent_aritm(b); }
  aritm* percent(double* x) { return percent_vector(x); }
  aritm* percent(long x) { return percent_long(x); }
  aritm* percent(int x) { return percent_long(x); }

  aritm* divide(aritm* b) { return divide_aritm(b); }
  aritm* divide(ENTITY* x) { return divide_ENT(x); }
  aritm* divide(list* x) { return divide_list(x); }
  aritm* divide(double x) { return divide_double(x); }
  aritm* divide(long x) { return divide_long(x); }
  aritm* divide(int x) { return divide_long(x); }
  aritm* divide(double* x) { return divide_vector(x); }

  aritm* equal(aritm* b) { return equal_aritm(b); }
  aritm* equal(double x) { return equal_double(x); }
  aritm* equal(long x) { return equal_long(x); }
  aritm* equal(int x) { return equal_long(x); }
  aritm* equal(XBOOL x) { return equal_LOG(x); }
  aritm* equal(double* x) { return equal_vector(x); }
  aritm* equal(double* origin, double* direction) { return equal_axis(origin, direction); }
  aritm* equal(const char* x) { return equal_char(x); }
  aritm* equal(int index, const char* value) { return equal_enum(index, value); }
  aritm* equal(PVFconnect2dBa* x) { return equal_connect2d(x); }
  aritm* equal(rumpf* x) { return equal_reference(x); }

  aritm* not_equal(aritm* b) { return not_equal_aritm(b); }
  aritm* not_equal(double x) { return not_equal_double(x); }
  aritm* not_equal(long x) { return not_equal_long(x); }
  aritm* not_equal(int x) { return not_equal_long(x); }
  aritm* not_equal(XBOOL x) { return not_equal_LOG(x); }
  aritm* not_equal(double* x) { return not_equal_vector(x); }
  aritm* not_equal(double* origin, double* direction) { return not_equal_axis(origin, direction); }
  aritm* not_equal(const char* x) { return not_equal_char(x); }
  aritm* not_equal(int index, const char* value) { return not_equal_enum(index, value); }
  aritm* not_equal(PVFconnect2dBa* x) { return not_equal_connect2d(x); }
  aritm* not_equal(rumpf* x) { return not_equal_reference(x); }

  aritm* less(aritm* b) { return less_aritm(b); }
  aritm* less(double x) { return less_double(x); }
  aritm* less(long x) { return less_long(x); }
  aritm* less(int x) { return less_long(x); }
  aritm* greater(aritm* b) { return greater_aritm(b); }
  aritm* greater(double x) { return greater_double(x); }
  aritm* greater(long x) { return greater_long(x); }
  aritm* greater(int x) { return greater_long(x); }
  aritm* less_equal(aritm* b) { return less_equal_aritm(b); }
  aritm* less_equal(double x) { return less_equal_double(x); }
  aritm* less_equal(long x) { return less_equal_long(x); }
  aritm* less_equal(int x) { return less_equal_long(x); }
  aritm* greater_equal(aritm* b) { return greater_equal_aritm(b); }
  aritm* greater_equal(double x) { return greater_equal_double(x); }
  aritm* greater_equal(long x) { return greater_equal_long(x); }
  aritm* greater_equal(int x) { return greater_equal_long(x); }

  // `and`, `or`, `xor` and `not` are C++ keywords; these are the same entry points.
  aritm* and_(aritm* b) { return and_aritm(b); }
  aritm* and_(XBOOL x) { return and_LOG(x); }
  aritm* or_(aritm* b) { return or_aritm(b); }
  aritm* or_(XBOOL x) { return or_LOG(x); }
  aritm* xor_(aritm* b) { return xor_aritm(b); }
  aritm* xor_(XBOOL x) { return xor_LOG(x); }
  aritm* not_() { return not_LOG(); }

  /// Copies the text into a caller buffer of `capacity` bytes, truncating so that the copy and
  /// its terminating zero fit. Returns `buffer`, or null (buffer untouched) when the kind holds
  /// no text or the buffer is null or empty.
  char* get_text(char* buffer, std::size_t capacity);

  // Value source: the formula text that produced the value; null for a plain literal.
  const char* get_value_source() const;
  /// Copies the source into `out` (emptied when there is none); returns the text, or null.
  const char* get_value_source(PVMStrg& out) const;
  /// A non-empty text replaces or creates the source; null or empty deletes it. Returns `text`.
  const char* set_value_source(const char* text);
  PVMStrg& set_value_source(PVMStrg& text);

  // Restriction formulas handed to the object created from this operand.
  /// Replaces the restrictions by a copy of a non-empty list and returns their number; a null
  /// or empty list deletes them and returns 0.
  int SetRestrictions(const VALUE_LIST<PVMStrg>* restrictions);
  /// Appends the texts not yet held; returns the new count.
  int AddRestrictions(const VALUE_LIST<PVMStrg>* restrictions);
  /// Copies the restrictions into `out` when it is not null; returns their number.
  int GetRestrictions(VALUE_LIST<PVMStrg>* out) const;

  /// 0 = valid, any other value is the error code of the object the value came from. Returns
  /// 1 when the code changed, else 0.
  int SetValidity(int validity);
  int GetValidity() const { return validity_; }

  /// Deletes every operand still alive, newest address last first, until none is left. For
  /// the host; nothing inside the library calls it.
  static void ClearAritmList();
  /// Number of live operands.
  static std::size_t AritmCount();
  /// A number no other operand of this run had: tells an operand from a later one that happens
  /// to be allocated at the same address.
  std::uint64_t Serial() const { return serial_; }

 protected:
  explicit aritm(const char* valueSource = nullptr);

  /// Class name used in reports ("op_zahl", ...).
  virtual const char* ClassName() const;
  /// Reports through ClassError with this operand's class name; severity 1.
  void Report(const char* operation, const char* message) const;
  /// Reports a missing right-hand operand ("operand to <what> not specified"); returns null.
  aritm* MissingOperand(const char* operation, const char* what) const;
  /// Negates a reversed subtraction result and deletes it; null stays null.
  static aritm* NegateAndDelete(aritm* reversed);
  /// Copies `other`'s value source (when it has one) and validity.
  void CopyAttributesFrom(aritm& other);

  enum class FormulaOutcome { kLiteral, kEvaluated, kFailed };
  /// The formula rule of setsval: a text with ';' is evaluated and assigned, and becomes the
  /// value source; failure is reported ("formula ... could not be evaluated"). A literal
  /// clears the value source; the kind then reads it.
  FormulaOutcome SetFromFormula(const char* text);

  /// Shared bodies of new_object and assign_object; `failure` is the kind's message for an
  /// object that could not be created.
  rumpf* NewNamedObject(const char* name, const char* failure);
  rumpf* AssignNamedObject(const char* name);

 private:
  std::unique_ptr<PVMStrg> valueSource_;
  std::unique_ptr<VALUE_LIST<PVMStrg>> restrictions_;
  int validity_ = 0;
  std::uint64_t serial_;
};
