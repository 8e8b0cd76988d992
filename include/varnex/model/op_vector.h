// The vector operand kinds: op_vector (x, y, z) and op_axis (origin and direction).
#pragma once

#include <varnex/model/aritm.h>

/// A vector. Vectors add and subtract component-wise; vector times vector is the cross
/// product, `percent` the dot product; equality holds when every component differs by less
/// than 1e-6.
class VARNEX_API op_vector : public aritm {
 public:
  op_vector();
  op_vector(double x, double y, double z);
  /// Copies three values (null gives the zero vector).
  explicit op_vector(const double* xyz);
  op_vector(const double* xyz, const char* valueSource);
  op_vector& operator=(const double* xyz);

  /// Copies three values; -1 and "value pointer = NULL" for a null array, else 0.
  int SetVector(const double* xyz);

  aritm* assign(aritm* other) override;

  aritm* add_aritm(aritm* b) override;
  aritm* add_vector(double* x) override;
  aritm* subtract_aritm(aritm* b) override;
  aritm* subtract_vector(double* x) override;
  aritm* multiply_aritm(aritm* b) override;
  aritm* multiply_vector(double* x) override;
  aritm* multiply_double(double x) override;
  aritm* multiply_long(long x) override;
  aritm* divide_aritm(aritm* b) override;
  aritm* percent_aritm(aritm* b) override;
  aritm* percent_vector(double* x) override;
  aritm* equal_aritm(aritm* b) override;
  aritm* equal_vector(double* x) override;
  aritm* not_equal_aritm(aritm* b) override;
  aritm* not_equal_vector(double* x) override;
  aritm* minus_of() override;

  double* get_vector() override;
  void print() override;
  rumpf* new_object(const char* name) override;
  rumpf* assign_object(const char* name) override;
  /// "[x,y,z]".
  const char* GetValue(PVMStrg& out) const override;
  char* getsval() override;
  /// Three numbers, each after one separator character ("[1,2,3]").
  void setsval(const char* text) override;
  XBOOL IsOpVector() override;

 protected:
  const char* ClassName() const override;

 private:
  double xyz_[3] = {0.0, 0.0, 0.0};
};

/// An axis: origin x, y, z, then direction x, y, z. minus_of reverses it (origin + direction,
/// negated direction); an axis times a transformation, in either order, is the transformed
/// axis.
class VARNEX_API op_axis : public aritm {
 public:
  op_axis();
  /// Copies three values each (null gives zeros).
  op_axis(const double* origin, const double* direction);
  op_axis(const double* origin, const double* direction, const char* valueSource);
  /// Copies six values, origin first.
  op_axis& operator=(const double* axis);

  /// Each copies three (SetAxis: six) values; -1 and "value pointer = NULL" for a null array.
  int SetOrigin(const double* origin);
  int SetDirection(const double* direction);
  int SetAxis(const double* axis);

  aritm* assign(aritm* other) override;

  aritm* multiply_aritm(aritm* b) override;
  aritm* multiply_trans(SPAtransf* x) override;
  aritm* equal_aritm(aritm* b) override;
  aritm* equal_axis(double* origin, double* direction) override;
  aritm* not_equal_aritm(aritm* b) override;
  aritm* not_equal_axis(double* origin, double* direction) override;
  aritm* minus_of() override;

  double* get_axis() override;
  void print() override;
  rumpf* new_object(const char* name) override;
  rumpf* assign_object(const char* name) override;
  /// "[[ox,oy,oz], [dx,dy,dz]]".
  const char* GetValue(PVMStrg& out) const override;
  char* getsval() override;
  /// Six numbers as in "[[0,0,0],[0,0,1]]".
  void setsval(const char* text) override;
  XBOOL IsOpAxis() override;

 protected:
  const char* ClassName() const override;

 private:
  double axis_[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
};
