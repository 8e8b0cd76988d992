// Object kinds that point elsewhere: transformations, references to other objects, and
// geometry (lists of kernel entities the object never owns).
#pragma once

#include <varnex/model/rumpf.h>

#include <memory>

namespace varnex::model {
struct StreamValues;  // the stream record values (persistence)
}

/// A transformation (type "Transform"). It always holds one: a missing transformation is
/// replaced by the identity and marks the object invalid (3011 constructor, 3012 set_trans,
/// 3013 restore).
class VARNEX_API object_trans : public rumpf {
 public:
  friend struct varnex::model::StreamValues;
  object_trans();
  explicit object_trans(const char* name);
  /// Copies `transformation`; null gives the identity and validity 3011.
  object_trans(SPAtransf* transformation, const char* name);
  ~object_trans() override;

  /// The recomputed transformation; valid while the object lives.
  SPAtransf* get();
  void print_object() override;
  aritm* get_aritm() override;
  XBOOL IsCompatible(aritm* operand) override;
  rumpf* copy(const char* name) override;
  int assign(const char* name) override;
  int store(FILE* file) override;
  int read_element(FILE* file) override;
  /// Transformations are not set from texts: both report nothing and return null.
  const char* TestValue(PVMStrg& value, PVMStrg& result) override;
  const char* SetValue(PVMStrg& value, PVMStrg& result) override;
  const char* GetValue(PVMStrg& formula, PVMStrg& value) override;
  const char* get_value(PVMStrg& out) override;

 private:
  char* set_trans(SPAtransf* transformation) override;
  void Take(const SPAtransf* transformation, int missing_code);

  int kind_revision_ = 100;
  std::unique_ptr<SPAtransf> transformation_;
};

/// A reference to another object by its full name (type "REFERENCE").
class VARNEX_API object_reference : public rumpf {
 public:
  friend struct varnex::model::StreamValues;
  object_reference();
  explicit object_reference(const char* name);
  /// Refers to `target`: its full name plus ";" becomes the formula.
  object_reference(rumpf* target, const char* name);
  object_reference(const char* target, const char* name);
  ~object_reference() override;

  /// The referenced object, resolved by name; null when it does not resolve.
  rumpf* get();
  /// The stored full name (refreshed from the formula); empty when none.
  const char* GetTargetName();

  const char* GenericPrefix(PVMStrg& out) override;
  void print_object() override;
  aritm* get_aritm() override;
  XBOOL IsCompatible(aritm* operand) override;
  rumpf* copy(const char* name) override;
  int assign(const char* name) override;
  int store(FILE* file) override;
  int read_element(FILE* file) override;
  /// The referenced object's value text for the name `value` ("NULL" for an empty name), or
  /// null with "___CYCLES IN REFERENCES___".
  const char* TestValue(PVMStrg& value, PVMStrg& result) override;
  /// Refers to the object named by `value`.
  const char* SetValue(PVMStrg& value, PVMStrg& result) override;
  /// The referenced object's value text; "NULL" when the name does not resolve.
  const char* GetValue(PVMStrg& formula, PVMStrg& value) override;
  const char* get_value(PVMStrg& out) override;
  void* getVal() override;
  int GetGeometry(GENERIC_LIST<ENTITY>* out) override;
  /// A referenced geometry object's face named by the formula ("...f3"), or its first entity;
  /// references are followed through.
  ENTITY* GetGeometry() override;
  int vs_austausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) override;
  XBOOL ValSrcAustausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) override;

 private:
  char* set_object(rumpf* target) override;
  void Refer(const char* full_name);
  ENTITY* GeometryAtDepth(int depth);

  int kind_revision_ = 100;
  PVFRString target_;
};

/// Geometry: an ordered set of kernel entities (type "Geometric"). The list is owned; the
/// entities belong to the kernel.
class VARNEX_API object_geom : public rumpf {
 public:
  object_geom();
  explicit object_geom(const char* name);
  /// Holds `entity` ("element == NULL" for null: the list stays empty) and gives it a feature
  /// attribute naming this object.
  object_geom(ENTITY* entity, const char* name);
  /// Holds a copy of `entities`.
  object_geom(list* entities, const char* name);
  ~object_geom() override;

  /// The entity at `index`, or null.
  ENTITY* get(int index);
  /// The position of `entity`, or -1.
  int get(ENTITY* entity);
  /// Appends the entities to `out`; returns the count appended.
  int get(GENERIC_LIST<ENTITY>* out);
  ENTITY* get_FACE(int index);
  ENTITY* get_EDGE(int index);
  int GetAllUnsortedGeometry(GENERIC_LIST<ENTITY>* out);
  /// Appends `entity` unless present ("new_ent == NULL" for null); returns the count.
  int add_entity(ENTITY* entity);
  int add_list_entity(list* entities);
  /// 0 when removed, -1 when absent. The entity's feature attribute naming this object goes
  /// too; so do those of every entity when the object is deleted.
  int remove_entity(ENTITY* entity);
  /// Replaces the whole list by the body `entity`.
  int set_BODY(ENTITY* body);
  list* get_list() { return entities_.get(); }

  const char* GenericPrefix(PVMStrg& out) override;
  void print_object() override;
  aritm* get_aritm() override;
  XBOOL IsCompatible(aritm* operand) override;
  rumpf* copy(const char* name) override;
  int assign(const char* name) override;
  int store(FILE* file) override;
  int read_element(FILE* file) override;
  /// `value` must name a "Geometric" object: it becomes the formula; `result` receives the
  /// type text. Null otherwise.
  const char* TestValue(PVMStrg& value, PVMStrg& result) override;
  const char* SetValue(PVMStrg& value, PVMStrg& result) override;
  /// The formula without its final ';'.
  const char* GetValue(PVMStrg& formula, PVMStrg& value) override;
  int GetGeometry(GENERIC_LIST<ENTITY>* out) override;
  ENTITY* GetGeometry() override;

  /// While set, SetValue skips the cycle check (used while many values are replaced at once).
  static XBOOL SuppressCycleCheck(XBOOL suppress);

 private:
  char* set_ENT(ENTITY* entity) override;
  char* set_list(list* entities) override;
  const char* CheckGeometryName(PVMStrg& value, PVMStrg& result, PVMStrg& name);
  /// Removes the feature attributes naming this object from the entities not in `kept`.
  void ForgetEntities(const list& entities, const list* kept);

  int kind_revision_ = 100;
  std::unique_ptr<list> entities_;
};

/// The face number of a face designator at the end of a name ("box.f3" gives 3), or -1.
VARNEX_API int FaceDesignatorNumber(const char* name);
