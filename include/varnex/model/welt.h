// Worlds of named objects: the element chain `welt`, the world `nullwelt`, the current-world
// pointer `anfang` and name resolution (`search`) through nested sub-feature instances.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/transaction.h>
#include <varnex/base/value_list.h>
#include <varnex/base/void_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <cstdio>
#include <memory>
#include <vector>

class rumpf;
class nullwelt;
class object_planet;
class PVFStream;

/// One element of a world's object list. The element points at its member but does not own it;
/// the world owns both. The first element's previous link is the world itself.
class VARNEX_API welt : public PVTransaction {
 public:
  welt() = default;
  explicit welt(rumpf* member) : member_(member) {}
  welt(const welt&) = delete;
  welt& operator=(const welt&) = delete;

  /// Asks the member to store its record, then the following elements. Returns 1, or -1 for a
  /// null file.
  virtual int store(FILE* file);
  /// Asks the member and the following elements for their stream records; TRUE when one of
  /// them was not written.
  virtual XBOOL Store(PVFStream& stream);
  /// Worlds are read record by record by the persistence layer; TRUE (nothing read here).
  virtual XBOOL Restore(PVFStream& stream, int flag);
  /// Unlinks the element: its neighbours are joined.
  virtual ~welt();

  rumpf* get_member() const { return member_; }
  welt* get_next() const { return next_; }
  welt* get_previous() const { return previous_; }
  /// Links `element` directly after this one; FALSE for null.
  XBOOL InsertAfterWorld(welt* element);
  /// Unlinks the last element of the chain that starts here and returns it (the caller owns
  /// it); null when this element has no next.
  welt* RemoveLastWorld();

 protected:
  void set_next(welt* next) { next_ = next; }
  void set_previous(welt* previous) { previous_ = previous; }
  void set_member(rumpf* member) { member_ = member; }

 private:
  friend class nullwelt;
  int revision_ = 100;
  rumpf* member_ = nullptr;
  welt* next_ = nullptr;
  welt* previous_ = nullptr;
};

/// An entry of a world's name index: a name and the element holding the object of that name.
/// Entries compare by name (byte-wise, case-sensitive); equal entries have equal names and, when
/// both pointers are set, the same pointer.
class VARNEX_API PVFMapWeltToName {
 public:
  PVFMapWeltToName(const char* name, welt* element) : name_(name), element_(element) {}
  /// The name is taken from the element's member (empty without member).
  explicit PVFMapWeltToName(welt* element);

  const char* GetRumpfName() const { return name_; }
  const PVMStrg& GetName() const { return name_; }
  welt* GetWeltPtr() const { return element_; }
  void SetFound(XBOOL found) { found_ = found; }
  XBOOL eFounded() const { return found_; }

  XBOOL operator==(const PVFMapWeltToName& other) const;
  XBOOL operator!=(const PVFMapWeltToName& other) const { return ToXBool(!(*this == other)); }
  XBOOL operator<(const PVFMapWeltToName& other) const { return name_ < other.name_; }
  XBOOL operator>(const PVFMapWeltToName& other) const { return name_ > other.name_; }
  XBOOL operator<=(const PVFMapWeltToName& other) const { return name_ <= other.name_; }
  XBOOL operator>=(const PVFMapWeltToName& other) const { return name_ >= other.name_; }

 private:
  PVMStrg name_;
  welt* element_ = nullptr;
  XBOOL found_ = FALSE;
};

namespace varnex::model {
class NameIndex;
}

/// A world: the head of its element chain. It owns its objects: deleting the world deletes them,
/// last element first. A sub-world belongs to the instance (`object_planet`) that owns it.
class VARNEX_API nullwelt : public welt {
 public:
  /// A root world: no owner, no superworld, with a name index.
  nullwelt();
  /// A sub-world of `owner`; its superworld is the current world `anfang`.
  explicit nullwelt(object_planet* owner);
  ~nullwelt() override;

  int store(FILE* file) override;

  /// Appends an element holding `object` and indexes its name. Refuses an object whose name is
  /// already present ("object <name> already existing"); returns 1 when included, else 0. The
  /// world takes ownership of an included object.
  int include_object(rumpf* object);
  /// Removes the element holding `object` (the object itself is not deleted); returns the
  /// element that followed it, or null when the object was not found.
  welt* remove_object(rumpf* object);
  /// The same for an element of this world.
  welt* remove_current(welt* element);

  /// Exact, case-sensitive lookup of a simple name in this world only: the last element first,
  /// then the name index, else a scan. Null when absent.
  rumpf* find(const char* name) const;
  welt* find_welt(const char* name) const;
  /// Appends "<full name>;" to `out` for each member matching `name` and `alias_type` (either
  /// may be null for "any"), descending into instances. Returns out's text.
  const char* find_all(const char* name, const char* alias_type, PVMStrg& out) const;
  /// The same into a shared result string, overwritten by the next call.
  const char* find_all(const char* name, const char* alias_type) const;

  /// Pushes `previous` on this world's stack; returns this world.
  nullwelt* push(nullwelt* previous);
  /// Removes and returns the top of the stack; null when empty.
  nullwelt* pop();
  /// The top of the stack without removing it; null when empty.
  nullwelt* get_previous() const;

  /// The owning instance; null for a root world.
  object_planet* get_root() const { return owner_; }
  /// The world that was current when this sub-world was created; null for a root world.
  nullwelt* get_root_world() const { return superworld_; }
  /// The outermost world reached through superworld links (this world when it has none).
  nullwelt* get_inertial_world();

  /// Moves every element of `other` into this world and makes this world the world of the
  /// moved objects. TRUE when `other` is null or empty, else FALSE.
  XBOOL ChgWelt(nullwelt* other);
  /// Replaces the superworld `from` by `to`: 0 on success, 1 when either is null or the
  /// superworld is not `from`.
  int ChgSuperworld(nullwelt* from, nullwelt* to);
  void SetOwner(object_planet* owner) { owner_ = owner; }

  /// Empties the name index; lookups fall back to scans until it is rebuilt.
  void ClearSortedList();
  /// Rebuilds the name index from the element list.
  void CalibrateSortedWithNullWelt();
  /// Keeps the name index in step with a renamed member (called by rumpf::set_name).
  void RenameMember(rumpf* object, const char* old_name);

  welt* get_first() const { return get_next(); }
  welt* get_last() const { return last_; }
  int get_count() const { return count_; }
  XBOOL HasNameIndex() const { return ToXBool(index_ != nullptr); }

 private:
  void Unlink(welt* element);
  welt* ScanFor(const char* name) const;
  void MaybeCreateIndex();
  void DeleteAllObjects();

  int world_revision_ = 100;
  object_planet* owner_ = nullptr;
  nullwelt* superworld_ = nullptr;
  std::vector<nullwelt*, TransactionAllocator<nullwelt*>> stack_;
  welt* last_ = nullptr;
  int count_ = 0;
  std::unique_ptr<varnex::model::NameIndex> index_;
};

/// The current world: new objects are created in it and names resolve from it. Null until
/// `ds_init` creates a root world.
extern VARNEX_API nullwelt* anfang;
/// The world that was current when a formula evaluation switched `anfang` to the outermost
/// world; "__THIS__" and "__UP__" start from it. Null outside evaluations.
extern VARNEX_API nullwelt* previous_world;
/// Instance counter: the digits after "_@" of generated instance names.
extern VARNEX_API int total_count;

/// Creates the root world when there is none and makes it current; resets `hand_over[0]` and
/// `total_count`. Always returns 1.
VARNEX_API int ds_init();

/// Resolves a simple or qualified name from `anfang`, then from its outermost world. Handles the
/// prefixes "__THIS__" and "__UP__" and the components of vectors, axes and geometry ("v.x",
/// "a.Origin", "g.f3" resolve to v, a and g). Null for a null or empty name or when nothing
/// matches.
VARNEX_API rumpf* search(const char* name);
/// Returns to the world from which the current one was entered; null and "previous world lost"
/// when there is none (anfang unchanged).
VARNEX_API nullwelt* requalify();
/// The outermost instance above `object`, or the object itself at the top; null for null.
VARNEX_API rumpf* get_topmost_planet(rumpf* object);
/// Adds every object of the instance's sub-world (of `anfang` when `instance` is null) to
/// `out`, each once, in list order; returns the number of objects visited.
VARNEX_API int list_world(GENERIC_LIST<rumpf>* out, rumpf* instance);
/// Adds the names of the objects of the named instance's sub-world (of `anfang` when the name is
/// empty) to `names` without duplicates; returns the number of objects, 0 when the instance
/// cannot be entered.
VARNEX_API int list_world(VALUE_LIST<PVMStrg>* names, PVMStrg& instance_name);
