// The scalar operand kinds: op_number (32-bit integer), op_zahl (floating point) and op_logic.
#pragma once

#include <varnex/model/aritm.h>

#include <cstdint>

/// A 32-bit signed integer. Sums, differences and products wrap like two's complement; a
/// quotient is an op_zahl holding the truncated integer quotient (HUGE_VAL for a zero divisor).
class VARNEX_API op_number : public aritm {
 public:
  op_number();
  explicit op_number(long value);
  op_number(long value, const char* valueSource);
  op_number& operator=(long value);

  aritm* assign(aritm* other) override;

  aritm* add_aritm(aritm* b) override;
  aritm* add_double(double x) override;
  aritm* add_long(long x) override;
  aritm* add_char(const char* x) override;
  aritm* subtract_aritm(aritm* b) override;
  aritm* subtract_double(double x) override;
  aritm* subtract_long(long x) override;
  aritm* multiply_aritm(aritm* b) override;
  aritm* multiply_double(double x) override;
  aritm* multiply_long(long x) override;
  aritm* percent_aritm(aritm* b) override;
  aritm* percent_long(long x) override;
  aritm* divide_aritm(aritm* b) override;
  aritm* divide_double(double x) override;
  aritm* divide_long(long x) override;
  aritm* divide_vector(double* x) override;

  aritm* equal_aritm(aritm* b) override;
  aritm* equal_double(double x) override;
  aritm* equal_long(long x) override;
  aritm* not_equal_aritm(aritm* b) override;
  aritm* not_equal_double(double x) override;
  aritm* not_equal_long(long x) override;
  aritm* less_aritm(aritm* b) override;
  aritm* less_double(double x) override;
  aritm* less_long(long x) override;
  aritm* greater_aritm(aritm* b) override;
  aritm* greater_double(double x) override;
  aritm* greater_long(long x) override;
  aritm* less_equal_aritm(aritm* b) override;
  aritm* less_equal_double(double x) override;
  aritm* less_equal_long(long x) override;
  aritm* greater_equal_aritm(aritm* b) override;
  aritm* greater_equal_double(double x) override;
  aritm* greater_equal_long(long x) override;

  aritm* minus_of() override;
  /// The integer quotient 1 / value; -2147483648 for 0.
  aritm* inverse() override;

  double get_double() override;
  long get_long() override;
  void print() override;
  rumpf* new_object(const char* name) override;
  rumpf* assign_object(const char* name) override;
  const char* GetValue(PVMStrg& out) const override;
  char* getsval() override;
  /// Reads a decimal integer prefix (no digits gives 0; values beyond 32 bits saturate). A
  /// formula that yields nothing leaves -2147483648.
  void setsval(const char* text) override;
  XBOOL IsOpNumber() override;

 protected:
  const char* ClassName() const override;

 private:
  std::int32_t value_ = 0;
};

/// A double. Mixed with op_number everything is computed in double precision; a zero divisor
/// gives HUGE_VAL. equal/not_equal with an op_zahl on the right use the tolerance 1e-6; the
/// ordering comparisons are exact.
class VARNEX_API op_zahl : public aritm {
 public:
  op_zahl();
  explicit op_zahl(double value);
  op_zahl(double value, const char* valueSource);
  op_zahl& operator=(double value);

  aritm* assign(aritm* other) override;

  aritm* add_aritm(aritm* b) override;
  aritm* add_double(double x) override;
  aritm* add_long(long x) override;
  aritm* subtract_aritm(aritm* b) override;
  aritm* subtract_double(double x) override;
  aritm* subtract_long(long x) override;
  aritm* multiply_aritm(aritm* b) override;
  aritm* multiply_double(double x) override;
  aritm* multiply_long(long x) override;
  /// A vector scaled by this number.
  aritm* multiply_vector(double* x) override;
  aritm* divide_aritm(aritm* b) override;
  aritm* divide_double(double x) override;
  aritm* divide_long(long x) override;
  aritm* divide_vector(double* x) override;

  aritm* equal_aritm(aritm* b) override;
  aritm* equal_double(double x) override;
  aritm* equal_long(long x) override;
  aritm* not_equal_aritm(aritm* b) override;
  aritm* not_equal_double(double x) override;
  aritm* not_equal_long(long x) override;
  aritm* less_aritm(aritm* b) override;
  aritm* less_double(double x) override;
  aritm* less_long(long x) override;
  aritm* greater_aritm(aritm* b) override;
  aritm* greater_double(double x) override;
  aritm* greater_long(long x) override;
  aritm* less_equal_aritm(aritm* b) override;
  aritm* less_equal_double(double x) override;
  aritm* less_equal_long(long x) override;
  aritm* greater_equal_aritm(aritm* b) override;
  aritm* greater_equal_double(double x) override;
  aritm* greater_equal_long(long x) override;

  aritm* minus_of() override;
  /// 1 / value; HUGE_VAL for 0.
  aritm* inverse() override;

  double get_double() override;
  /// Truncates toward zero; a value outside the 32-bit range (or not a number) gives
  /// -2147483648.
  long get_long() override;
  void print() override;
  rumpf* new_object(const char* name) override;
  rumpf* assign_object(const char* name) override;
  const char* GetValue(PVMStrg& out) const override;
  /// Null for a value that is not finite (HUGE_VAL).
  char* getsval() override;
  /// Reads a number as atof does; an overflowing or non-finite number is refused. A formula
  /// that yields nothing leaves HUGE_VAL.
  void setsval(const char* text) override;
  XBOOL IsOpZahl() override;

 protected:
  const char* ClassName() const override;

 private:
  double value_ = 0.0;
};

/// A logical value. `add` is TRUE only when both are TRUE and `multiply` when either is (the
/// reverse of the usual Boolean reading of sum and product); minus_of and inverse negate.
class VARNEX_API op_logic : public aritm {
 public:
  op_logic();
  explicit op_logic(XBOOL value);
  op_logic(XBOOL value, const char* valueSource);
  op_logic& operator=(XBOOL value);

  aritm* assign(aritm* other) override;

  aritm* add_aritm(aritm* b) override;
  aritm* add_LOG(XBOOL x) override;
  aritm* multiply_aritm(aritm* b) override;
  aritm* multiply_LOG(XBOOL x) override;
  aritm* equal_aritm(aritm* b) override;
  aritm* equal_LOG(XBOOL x) override;
  aritm* not_equal_aritm(aritm* b) override;
  aritm* not_equal_LOG(XBOOL x) override;
  aritm* and_aritm(aritm* b) override;
  aritm* and_LOG(XBOOL x) override;
  aritm* or_aritm(aritm* b) override;
  aritm* or_LOG(XBOOL x) override;
  aritm* xor_aritm(aritm* b) override;
  aritm* xor_LOG(XBOOL x) override;
  aritm* not_LOG() override;
  aritm* minus_of() override;
  aritm* inverse() override;

  XBOOL get_LOGICAL() override;
  void print() override;
  rumpf* new_object(const char* name) override;
  rumpf* assign_object(const char* name) override;
  const char* GetValue(PVMStrg& out) const override;
  char* getsval() override;
  /// Accepts exactly "TRUE" or "FALSE".
  void setsval(const char* text) override;
  XBOOL IsOpLogic() override;

 protected:
  const char* ClassName() const override;

 private:
  XBOOL value_ = FALSE;
};
