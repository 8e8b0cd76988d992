// enhanced: the cursor with which a host walks the features (instances) of a model and the
// entities (objects) inside them.
#pragma once

#include <varnex/export.h>

#include <string>

class rumpf;
class list;
class nullwelt;

/// A position on one feature and one of its entities. The cursor borrows the objects: after the
/// model changes, position it again (findfirstFEATURE). Texts returned by the getters stay valid
/// until the same getter is called again on this cursor; they have no length limit.
class VARNEX_API enhanced {
 public:
  /// Positioned on the first feature of the outermost world (none when there is no world).
  enhanced();

  /// The first instance of the current feature's world: 1, or 0 when there is none.
  int findfirstFEATURE();
  /// The next instance whose name or alias type is `text` (any when null), wrapping once to
  /// the start of the world: 1 found, 2 found after the wrap, 0 not found (position kept).
  int findFEATURE(const char* text);
  /// The first object of the current feature's sub-world: 1, or 0.
  int findfirstENTITY();
  /// The next object of the feature's sub-world whose name or alias type is `text` (any when
  /// null), wrapping once: 1, 2 or 0 as findFEATURE.
  int findENTITY(const char* text);
  /// Moves to the first instance inside the current feature: 1, or 0 (position kept).
  int toSUBWORLD();
  /// Moves to the instance that owns the current feature's world: 1, or 0 at the top.
  int toSUPERWORLD();

  const char* getFEATname();
  const char* getENTname();
  /// The entity's alias type.
  const char* getENTtype();
  /// The entity's type.
  const char* getENTinternaltype();
  /// The entity's formula, empty without one.
  const char* getENTformula();
  /// The entity's value text: an instance gives the value of its evaluated formula, any other
  /// entity the text of its current value. Empty when there is none.
  const char* getENTsval();
  /// Positions on the object named by a dotted path of feature names and an entity name first.
  /// Null when the path resolves to nothing (position kept).
  const char* getENTsval(const char* path);
  /// The entity's kernel entities when it is geometry; null otherwise.
  list* getENTgeolist();
  /// Sets the entity's value from a text: the value text, or null when refused.
  const char* setENTsval(const char* value);

  rumpf* GetFeature() const { return feature_; }
  rumpf* GetEntity() const { return entity_; }

 private:
  nullwelt* FeatureWorld() const;
  nullwelt* EntityWorld() const;
  const char* Keep(std::string& buffer, const char* text);

  rumpf* feature_ = nullptr;
  rumpf* entity_ = nullptr;
  std::string feature_name_, entity_name_, entity_type_, entity_internal_type_, entity_formula_,
      entity_value_, set_result_;
};
