// Attributes: data that hangs on kernel entities and travels with them through Booleans, blends,
// transformations, copies and body files.
//
// A class takes part in the machinery by overriding the hooks below. The kernel layer calls them
// from the history of each operation: a face split into pieces calls `split_owner` for every new
// piece, faces merged into one call `merge_owner` on the attributes of both, a deleted face calls
// `lose`, a copied entity calls `copy`. Saved data begins with the class's identifier chain (its
// type name, then its bases' names, joined by '-'); restoring creates the registered class of that
// chain and calls `restore`.
#pragma once

#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class ENTITY;

/// Writes the fields of an attribute record. Texts may contain any bytes.
class VARNEX_API AttribWriter {
 public:
  virtual ~AttribWriter();
  virtual void write_int(long value) = 0;
  virtual void write_double(double value) = 0;
  virtual void write_string(const std::string& text) = 0;
};

/// Reads the fields of an attribute record in the order they were written. A read past the
/// record's end or of the wrong kind sets `failed()` and yields 0 / the empty text.
class VARNEX_API AttribReader {
 public:
  virtual ~AttribReader();
  virtual long read_int() = 0;
  virtual double read_double() = 0;
  virtual std::string read_string() = 0;
  /// The number of fields left in the record.
  virtual int remaining() const = 0;
  XBOOL more() const { return ToXBool(remaining() > 0); }
  XBOOL failed() const { return ToXBool(failed_); }

 protected:
  void set_failed() { failed_ = true; }

 private:
  bool failed_ = false;
};

/// The base of all attributes. An attribute constructed with an owner is attached to it and owned
/// by it; it is destroyed with its owner or through ENTITY::lose_attrib.
class VARNEX_API ATTRIB {
 public:
  /// Attaches the new attribute to `owner` (the owner takes ownership); null leaves it detached
  /// and owned by the caller.
  explicit ATTRIB(ENTITY* owner);
  virtual ~ATTRIB();
  ATTRIB(const ATTRIB&) = delete;
  ATTRIB& operator=(const ATTRIB&) = delete;

  ENTITY* entity() const { return owner_; }

  // Identity.
  /// The class's own type name ("attrib" for the base).
  virtual const char* type_name() const { return "attrib"; }
  /// Derivation level: 1 for ATTRIB, one more per derivation.
  int level() const { return static_cast<int>(identity_chain().size()); }
  /// The type name at derivation `level` (1 = "attrib"), or null beyond this class.
  const char* identity(int level) const;
  /// TRUE when this class is `type_name` or derives from it.
  XBOOL is_a(const char* type_name) const;
  /// The identifier chain written into saved data: own type name first, "attrib" last.
  std::string identifier() const;

  // Hooks driven by the operations' history. The defaults do nothing (and copy nothing).
  /// The owner was split; `new_piece` is the new entity beside it.
  virtual void split_owner(ENTITY* new_piece);
  /// The owner and `other` were merged into one entity. `delete_owner` is TRUE when this
  /// attribute's owner is the one that goes away and `other` survives.
  virtual void merge_owner(ENTITY* other, XBOOL delete_owner);
  /// The attribute is about to be destroyed (its owner was deleted, or it was removed).
  virtual void lose();
  /// The owner was copied to `copy`: attach a copy of this attribute there, or nothing.
  virtual void copy_owner(ENTITY* copy) const;

  // Saved data (after the identifier chain). The defaults write and read nothing.
  virtual void save(AttribWriter& out) const;
  virtual void restore(AttribReader& in);
  /// FALSE for attributes that body files leave out.
  virtual XBOOL saveable() const { return TRUE; }

 protected:
  /// Each class appends its bases' names first, then its own type name.
  virtual void append_identity(std::vector<const char*>& chain) const;

 private:
  friend class ENTITY;
  std::vector<const char*> identity_chain() const;
  ENTITY* owner_;
};

/// Creates an empty attribute of a registered class on `owner`, for restoring.
using AttribFactory = std::function<ATTRIB*(ENTITY* owner)>;
/// Registers the class saved under `identifier` (the full identifier chain). Registering a chain
/// again replaces its factory. The layer's own classes are registered before first use.
VARNEX_API void RegisterAttribClass(const std::string& identifier, AttribFactory factory);
/// Creates an attribute of the class saved under `identifier` on `owner`; null when the class is
/// unknown.
VARNEX_API ATTRIB* CreateRegisteredAttrib(const std::string& identifier, ENTITY* owner);

/// The first attribute of `owner` that is `type_name` or derives from it; null when none.
VARNEX_API ATTRIB* find_attrib(const ENTITY* owner, const char* type_name);
/// The next such attribute after `after` on the same owner; null when none.
VARNEX_API ATTRIB* find_next_attrib(const ATTRIB* after, const char* type_name);

/// Every attribute of `owner` of class T (or derived), in chain order.
template <class T>
std::vector<T*> FindAttribs(const ENTITY* owner);

/// The kernel's generic named attribute: a name, optionally with an integer or a text value.
/// It follows its owner through splits (copied to the new piece), merges (kept) and copies.
class VARNEX_API ATTRIB_GEN_NAME : public ATTRIB {
 public:
  explicit ATTRIB_GEN_NAME(ENTITY* owner, const char* name = "", long value = 0,
                           const char* text = "");
  const char* type_name() const override { return "gen_name"; }
  const std::string& name() const { return name_; }
  long value() const { return value_; }
  const std::string& text() const { return text_; }

  void split_owner(ENTITY* new_piece) override;
  void copy_owner(ENTITY* copy) const override;
  void save(AttribWriter& out) const override;
  void restore(AttribReader& in) override;

 protected:
  void append_identity(std::vector<const char*>& chain) const override;

 private:
  std::string name_;
  long value_;
  std::string text_;
};

/// The first generic named attribute of `owner` called `name`, or null.
VARNEX_API ATTRIB_GEN_NAME* find_named_attrib(const ENTITY* owner, const char* name);

#include <varnex/geometry/entity.h>

template <class T>
std::vector<T*> FindAttribs(const ENTITY* owner) {
  std::vector<T*> found;
  if (owner != nullptr) {
    for (ATTRIB* attrib : owner->attribs()) {
      if (T* typed = dynamic_cast<T*>(attrib)) {
        found.push_back(typed);
      }
    }
  }
  return found;
}
