// ENTITY, the base of the kernel layer's topological objects, and `list`, the ordered set of
// entity pointers that geometric values and objects hold.
#pragma once

#include <varnex/base/transaction.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <vector>

/// A kernel object with identity (body, face, edge, ...). Entities belong to the kernel layer;
/// the rest of the engine only points at them.
class VARNEX_API ENTITY {
 public:
  virtual ~ENTITY();
  /// The kind's name ("body", "face", ...).
  virtual const char* type_name() const = 0;

 protected:
  ENTITY() = default;
  ENTITY(const ENTITY&) = delete;
  ENTITY& operator=(const ENTITY&) = delete;
};

/// An insertion-ordered set of entity pointers; it never owns the entities. Lives in the
/// transaction space beside the model objects that own it.
class VARNEX_API list : public PVTransaction {
 public:
  list() = default;
  list(const list&) = default;
  list& operator=(const list&) = default;
  ~list() = default;

  /// Appends `entity` unless present (null is ignored, answering -1); returns its index.
  int add(ENTITY* entity);
  /// Appends every entity of `other` not yet present.
  void add(const list& other);
  /// Index of `entity`, or -1.
  int lookup(const ENTITY* entity) const;
  /// Removes `entity`; returns its former index, or -1.
  int remove(const ENTITY* entity);
  int count() const { return static_cast<int>(entities_.size()); }
  int iteration_count() const { return count(); }
  /// The entity at `index`, or null outside the list.
  ENTITY* operator[](int index) const;
  void clear() { entities_.clear(); }

  /// Iteration in order: init(), then next() until it returns null.
  void init() const { cursor_ = 0; }
  ENTITY* next() const { return (*this)[cursor_++]; }

 private:
  std::vector<ENTITY*> entities_;
  mutable int cursor_ = 0;
};
