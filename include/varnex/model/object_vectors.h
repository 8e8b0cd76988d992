// Vectors and axes, whose components may carry formulas of their own inside one combined value
// source of the bracketed form "[a, b, c]" (an axis: "[[ox, oy, oz], [dx, dy, dz]]").
#pragma once

#include <varnex/model/rumpf.h>

namespace varnex::model {
struct StreamValues;  // the stream record values (persistence)
}

/// Builds "[" c[0] ", " c[1] ", " c[2] "]" into `out` and returns it.
VARNEX_API const char* CombineVectorComponents(PVMStrg& out, PVMStrg* components);
/// Builds "[[" o1 ", " o2 ", " o3 "], [" d1 ", " d2 ", " d3 "]]" from six component texts.
VARNEX_API const char* CombineAxisComponents(PVMStrg& out, PVMStrg* components);

/// A vector of three components (type "vector").
class VARNEX_API object_vector : public rumpf {
 public:
  friend struct varnex::model::StreamValues;
  object_vector();
  explicit object_vector(const char* name);
  object_vector(double x, double y, double z, const char* name);
  ~object_vector() override;

  /// The recomputed components x, y, z; the pointer stays valid while the object lives.
  double* get();
  /// Sets all three components and clears the formula; -1 ("value pointer = NULL") for null.
  int SetVector(const double* xyz);
  /// Copies the recomputed components into `xyz`; -1 for null.
  int GetVector(double* xyz);
  double Length();
  /// Scales the vector to length 1; 0 on success, -1 for a zero vector (unchanged).
  int Normalise();
  /// The text of component `index` (0..2) after recomputation; null outside.
  const char* GetComponentValue(PVMStrg& out, int index);
  /// Evaluates `text` as the new component `index` without changing anything: its value text,
  /// or null when it is not a number or the index is outside 0..2.
  const char* TestComponentValue(PVMStrg& text, PVMStrg& result, int index);
  /// Sets component `index` from the formula `text`. Per-component formulas live in the
  /// combined value source, which is kept only while it names a generated object ("_@").
  /// Returns the new component's value text, or null (unchanged).
  const char* SetComponentValue(PVMStrg& text, PVMStrg& result, int index);

  void print_object() override;
  aritm* get_aritm() override;
  XBOOL IsCompatible(aritm* operand) override;
  rumpf* copy(const char* name) override;
  int assign(const char* name) override;
  int store(FILE* file) override;
  int read_element(FILE* file) override;
  const char* GetValue(PVMStrg& formula, PVMStrg& value) override;
  const char* get_value(PVMStrg& out) override;
  void* getVal() override;

 private:
  char* set_vector(double x, double y, double z) override;

  int kind_revision_ = 100;
  double xyz_[3] = {0.0, 0.0, 0.0};
};

/// An axis: an origin and a direction (type "AXIS").
class VARNEX_API object_axis : public rumpf {
 public:
  friend struct varnex::model::StreamValues;
  object_axis();
  explicit object_axis(const char* name);
  object_axis(double ox, double oy, double oz, double dx, double dy, double dz, const char* name);
  object_axis(const double* origin, const double* direction, const char* name);
  ~object_axis() override;

  /// The recomputed six values, origin first; valid while the object lives.
  double* get();
  // Array forms: -1 ("value pointer = NULL") for a null array, else 0. The setters clear the
  // formula.
  int SetOrigin(const double* origin);
  int GetOrigin(double* origin);
  int SetDirection(const double* direction);
  int GetDirection(double* direction);
  int SetAxis(const double* six);
  int GetAxis(double* six);
  // Component forms (index 0..2): -1 outside.
  int SetOrigin(int index, double value);
  double GetOrigin(int index);
  int SetDirection(int index, double value);
  double GetDirection(int index);

  /// Sets the whole origin (part 0) or direction (part 1) from a vector formula.
  const char* SetComponentValue(PVMStrg& text, PVMStrg& result, int part);
  /// Sets one component of the origin or direction from a number formula.
  const char* SetComponentValue(PVMStrg& text, PVMStrg& result, int part, int index);
  /// The text of the whole origin (part 0) or direction (part 1), or of one component of it;
  /// null outside.
  const char* GetComponentValue(PVMStrg& out, int part);
  const char* GetComponentValue(PVMStrg& out, int part, int index);
  /// Whether the formula would be accepted by the matching SetComponentValue (the axis stays
  /// as it is); `result` receives the value text.
  const char* TestComponentValue(PVMStrg& text, PVMStrg& result, int part);
  const char* TestComponentValue(PVMStrg& text, PVMStrg& result, int part, int index);

  void print_object() override;
  aritm* get_aritm() override;
  XBOOL IsCompatible(aritm* operand) override;
  rumpf* copy(const char* name) override;
  int assign(const char* name) override;
  int store(FILE* file) override;
  int read_element(FILE* file) override;
  const char* GetValue(PVMStrg& formula, PVMStrg& value) override;
  const char* get_value(PVMStrg& out) override;
  void* getVal() override;

 private:
  char* set_axis(double* origin, double* direction) override;
  char* set_axis(double ox, double oy, double oz, double dx, double dy, double dz) override;

  int kind_revision_ = 100;
  double axis_[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
};
