// The geometric operand kinds: op_geom (a list of kernel entities) and op_trans (an affine
// transformation).
#pragma once

#include <varnex/model/aritm.h>

#include <memory>

/// Kernel entities in an owned list; the entities belong to the kernel layer. Geometry with
/// geometry is a Boolean operation of the kernel layer (add: unite, subtract, multiply:
/// intersect, divide: combine) between the body owning the right operand's last face or edge
/// and the left operand's geometry.
class VARNEX_API op_geom : public aritm {
 public:
  op_geom();
  /// A list holding `entity`; a null entity reports "ENTITY not specified" (empty list).
  explicit op_geom(ENTITY* entity);
  op_geom(ENTITY* entity, const char* valueSource);
  /// Copies the entity pointers of `entities` (null gives an empty list).
  explicit op_geom(const list* entities);
  op_geom(const list* entities, const char* valueSource);
  ~op_geom() override;
  op_geom& operator=(ENTITY* entity);
  op_geom& operator=(const list* entities);

  aritm* assign(aritm* other) override;

  aritm* add_aritm(aritm* b) override;
  aritm* add_list(list* x) override;
  aritm* add_ENT(ENTITY* x) override;
  /// Unlike the other kinds, the typed subtraction already computes `argument - self` (the
  /// blank minus the tool), so subtract_aritm returns it without negation.
  aritm* subtract_aritm(aritm* b) override;
  aritm* subtract_list(list* x) override;
  aritm* subtract_ENT(ENTITY* x) override;
  aritm* multiply_aritm(aritm* b) override;
  aritm* multiply_list(list* x) override;
  aritm* multiply_ENT(ENTITY* x) override;
  aritm* divide_aritm(aritm* b) override;
  aritm* divide_list(list* x) override;
  aritm* divide_ENT(ENTITY* x) override;

  using aritm::get_ENTITY;
  int get_ENTITY(GENERIC_LIST<ENTITY>* out) override;
  ENTITY* get_ENTITY(int index) override;
  /// The held list (owned by this operand; never null).
  list* get_list() override;
  void print() override;
  rumpf* new_object(const char* name) override;
  rumpf* assign_object(const char* name) override;
  /// The value source without its final ';' (empty without one): geometry has no literal form.
  const char* GetValue(PVMStrg& out) const override;
  char* getsval() override;
  /// Formulas only; a literal reports "values for type geometric must be specified as formula".
  void setsval(const char* text) override;
  XBOOL IsOpGeom() override;

 protected:
  const char* ClassName() const override;

 private:
  enum class Boolean { kUnite, kSubtract, kIntersect, kCombine };
  aritm* Combine(Boolean operation, ENTITY* blank);
  aritm* CombineWithList(Boolean operation, list* blank);

  std::unique_ptr<list> entities_;
};

/// An affine transformation; "NULL" without one. The operand keeps its own copy, so results of
/// products live exactly as long as the operand.
class VARNEX_API op_trans : public aritm {
 public:
  op_trans();
  /// Copies `transf` (null: no transformation).
  explicit op_trans(const SPAtransf* transf);
  op_trans(const SPAtransf* transf, const char* valueSource);
  ~op_trans() override;
  op_trans& operator=(const SPAtransf* transf);

  aritm* assign(aritm* other) override;

  aritm* multiply_aritm(aritm* b) override;
  /// The axis transformed by this transformation.
  aritm* multiply_axis(double* origin, double* direction) override;
  /// The product of this (right) and the left operand's transformation, in that order.
  aritm* multiply_trans(SPAtransf* x) override;
  /// The geometry transformed by this transformation.
  aritm* multiply_list(list* x) override;

  /// The held transformation (owned by this operand), or null.
  SPAtransf* get_transf() override;
  void print() override;
  rumpf* new_object(const char* name) override;
  rumpf* assign_object(const char* name) override;
  /// "get_TM (" matrix text ")", a formula that rebuilds the transformation; "NULL" without
  /// one.
  const char* GetValue(PVMStrg& out) const override;
  char* getsval() override;
  /// "NULL" or the matrix text (with or without the get_TM wrapper); anything else leaves the
  /// value unchanged.
  void setsval(const char* text) override;
  XBOOL IsOpTrans() override;

 protected:
  const char* ClassName() const override;

 private:
  std::unique_ptr<SPAtransf> transf_;
};
