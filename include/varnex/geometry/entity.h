// ENTITY, the base of the kernel layer's topological objects, and the entity containers: `list`
// (held by geometric values and objects), ENTITY_LIST (the kernel calls' lists) and geo_list (the
// model's body lists).
//
// Containers never own entities. An entity knows which containers hold it, so that a deleted
// entity disappears from every list instead of leaving a dangling pointer behind.
#pragma once

#include <varnex/base/transaction.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <memory>
#include <vector>

class ATTRIB;
class BODY;
class EntitySet;
struct EntityCore;

/// The kinds of kernel entities.
enum class EntityKind { Other, Body, Lump, Shell, Face, Loop, Coedge, Edge, Vertex, Wire };

/// A kernel object with identity (body, face, edge, ...). Entities belong to the kernel layer:
/// bodies live until they are deleted (the layer's delete calls or a failed Boolean), the other
/// kinds as long as their body holds their piece of shape. The rest of the engine only points at
/// them. An entity owns its attributes.
class VARNEX_API ENTITY {
 public:
  virtual ~ENTITY();
  /// The kind's name ("body", "face", ...).
  virtual const char* type_name() const = 0;
  virtual EntityKind kind() const { return EntityKind::Other; }

  /// The body this entity belongs to (itself for a body); null for an entity outside any body.
  BODY* owning_body() const;

  // Attributes, in the order they were attached.
  int attrib_count() const { return static_cast<int>(attribs_.size()); }
  /// The attribute at `index`, or null outside the chain.
  ATTRIB* attrib_at(int index) const;
  /// A copy of the chain, safe to walk while attributes are added or lost.
  std::vector<ATTRIB*> attribs() const;
  /// Calls `lose()` on the attribute and destroys it. Attributes of other entities are ignored.
  void lose_attrib(ATTRIB* attrib);
  /// Takes the attribute out of the chain without `lose()`; the caller owns it. Null when the
  /// attribute is not in this entity's chain.
  std::unique_ptr<ATTRIB> unhook_attrib(ATTRIB* attrib);
  /// Loses every attribute (last attached first).
  void lose_all_attribs();

  /// The kernel layer's shape data; null for entities not backed by a shape.
  EntityCore* core() const { return core_.get(); }

 protected:
  ENTITY();
  explicit ENTITY(std::unique_ptr<EntityCore> core);
  ENTITY(const ENTITY&) = delete;
  ENTITY& operator=(const ENTITY&) = delete;

 private:
  friend class ATTRIB;
  friend class EntitySet;
  void attach_attrib(ATTRIB* attrib);
  void add_holder(EntitySet* holder);
  void remove_holder(EntitySet* holder);

  std::unique_ptr<EntityCore> core_;
  std::vector<std::unique_ptr<ATTRIB>> attribs_;
  std::vector<EntitySet*> holders_;
};

/// The body `entity` belongs to (itself for a body), or null.
VARNEX_API ENTITY* get_owner(ENTITY* entity);

/// An insertion-ordered set of entity pointers that forgets an entity when it is deleted. The
/// base of the entity containers.
class VARNEX_API EntitySet {
 public:
  EntitySet() = default;
  EntitySet(const EntitySet& other);
  EntitySet& operator=(const EntitySet& other);
  virtual ~EntitySet();

  /// Appends `entity` unless present (null is ignored, answering -1); returns its index.
  int add(ENTITY* entity);
  /// Appends every entity of `other` not yet present.
  void add(const EntitySet& other);
  /// Inserts `entity` before `index` (appends outside the list); an entity already present is
  /// moved. Returns its index, -1 for null.
  int insert(ENTITY* entity, int index);
  /// Index of `entity`, or -1.
  int lookup(const ENTITY* entity) const;
  /// Removes `entity`; returns its former index, or -1.
  int remove(const ENTITY* entity);
  int count() const { return static_cast<int>(entities_.size()); }
  int iteration_count() const { return count(); }
  /// The entity at `index`, or null outside the list.
  ENTITY* operator[](int index) const;
  void clear();

  /// Iteration in order: init(), then next() until it returns null.
  void init() const { cursor_ = 0; }
  ENTITY* next() const { return (*this)[cursor_++]; }

 private:
  friend class ENTITY;
  void forget(ENTITY* entity);

  std::vector<ENTITY*> entities_;
  mutable int cursor_ = 0;
};

/// The list type of the kernel calls (faces of a body, entities to save, ...).
class VARNEX_API ENTITY_LIST : public EntitySet {};

/// The set of entities held by geometric objects and geometric values. Lives in the transaction
/// space beside the model objects that own it.
class VARNEX_API list : public PVTransaction, public EntitySet {
 public:
  /// Appends `entity` unless present; a null entity is ignored.
  void append(ENTITY* entity) { add(entity); }
  ENTITY* getFirst() const { return (*this)[0]; }
  ENTITY* get(int index) const { return (*this)[index]; }
  /// The position of `entity`, or -1.
  int get(const ENTITY* entity) const { return lookup(entity); }
  /// The first face / edge of the list, or null.
  ENTITY* get_FACE() const;
  ENTITY* get_EDGE() const;
  /// Copies the entities into `out` in list order.
  void GetAllUnsortedEnts(ENTITY_LIST& out) const;
};

/// A growable list of bodies: the model's body lists.
class VARNEX_API geo_list : public EntitySet {
 public:
  /// A new list with the same bodies; the caller owns it.
  geo_list* copy() const { return new geo_list(*this); }
  void Clear() { clear(); }
};

/// Adds `entity` to `target`: a body as all faces of all shells of all its lumps (a wire body as
/// its edges), any other entity as itself. Null arguments are ignored.
VARNEX_API void fill_list(ENTITY* entity, list* target);
/// Removes from `target` the entities that fill_list(entity, target) adds.
VARNEX_API void unfill_list(ENTITY* entity, list* target);
