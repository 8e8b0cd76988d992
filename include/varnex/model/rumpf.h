// rumpf: the base of every named parametric object. An object has a name, a type, a value and
// optionally a formula (its value source) from which the value is recomputed on every read. It
// records which objects its formula names and which objects name it, carries restriction
// formulas every new value must satisfy, and lives in exactly one world.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/string_list.h>
#include <varnex/base/transaction.h>
#include <varnex/base/value_list.h>
#include <varnex/base/void_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <cstdio>
#include <memory>

class aritm;
class welt;
class nullwelt;
class PDTnode;
class PVFStream;
class PVFBinBlock;
class PVFconnect2dBa;
class ENTITY;
class list;
class SPAtransf;

namespace varnex::model {
class NameSet;
}

/// A named object. Objects live in the transaction space; the world that holds an object owns
/// it. Refused operations leave the object unchanged and report through ClassError.
class VARNEX_API rumpf : public PVTransaction {
 public:
  /// Empty name, type and alias type. Included in the current world when there is one.
  rumpf();
  /// Alias type "unspecified"; included in the current world. A null `anfang` ("ZIDIRA not
  /// initialised") or a null name ("no _pcName specified") leaves the object unnamed and outside
  /// every world; so does a name already present in the world.
  explicit rumpf(const char* name);
  rumpf(const rumpf&) = delete;
  rumpf& operator=(const rumpf&) = delete;

  // Names and types.
  const char* get_name() const { return name_; }
  const PVFRString& get_name_str() const { return name_; }
  int get_name_length() const { return static_cast<int>(name_.Length()); }
  const char* get_type() const { return type_; }
  const char* get_alias_type() const { return alias_type_; }
  XBOOL hasName(const char* text) const { return ToXBool(text != nullptr && name_ == text); }
  XBOOL isTypeOf(const char* text) const { return ToXBool(text != nullptr && type_ == text); }
  XBOOL isAliasTypeOf(const char* text) const {
    return ToXBool(text != nullptr && alias_type_ == text);
  }
  /// Sets the type once; a second call keeps the first type. Returns 1 when set, else 0.
  int set_type(const char* type);
  /// Replaces an empty or "unspecified" alias type; any other is kept. Returns 1 when set.
  int set_alias_type(const char* alias_type);
  /// Renames the object; the world's name index and the dependency-tree node follow. A null
  /// text, the same name, or a name another object of the world already has changes nothing.
  /// Returns 1 when renamed.
  int set_name(const char* name);
  /// The qualified name: the owning instances' names and this name joined by ".". Null (and
  /// "first == NULL") for an object without world.
  const char* get_full_name(PVMStrg& out) const;

  // Value source.
  /// The formula text, or null when the object holds a plain value.
  const char* get_value_source() const;
  /// Copies the formula into `out` (emptied when none); returns it, or null when none.
  const char* get_value_source(PVMStrg& out) const;
  /// Replaces the formula and re-records the references it names. A null or empty text turns
  /// the object into a plain value. Returns the new formula or null.
  const char* set_value_source(const char* text);
  const char* set_value_source(PVMStrg& text);
  /// Evaluates the formula from the outermost world. The caller owns the result; null (and "no
  /// formula specified") without formula, null when the formula yields nothing.
  aritm* evaluate_value();

  // Restrictions.
  /// Replaces every restriction (null or empty removes them); returns the new count.
  int SetRestrictions(const VALUE_LIST<PVMStrg>* restrictions);
  int AddRestriction(PVMStrg& restriction);
  int AddRestrictions(const VALUE_LIST<PVMStrg>* restrictions);
  /// Appends the restrictions to `out` when given; returns their number.
  int GetRestrictions(VALUE_LIST<PVMStrg>* out) const;
  /// Checks `value` (a value text) against every restriction with "VALUE" replaced by it. Returns
  /// 0 when all hold (or the value cannot be evaluated), else the 1-based position of the first
  /// restriction violated, whose text `violated` receives. An unevaluable restriction counts as
  /// violated.
  int CheckRestrictions(PVMStrg& value, PVMStrg& violated);

  // References: which objects this formula names, which objects name this one.
  /// Records the objects the identifiers of `formula` resolve to (each in both directions).
  int SetReferences(const PVMStrg& formula);
  int SetReferencesTo(const char* name);
  int SetReferencesTo(VALUE_LIST<PVMStrg>* names);
  /// `referrer` is the full name of an object whose formula names this one: records it here and
  /// this object's full name in the referrer's references-to list. Returns the count of
  /// referenced-by entries.
  int SetReferencesBy(const char* referrer);
  int SetReferencesBy(VALUE_LIST<PVMStrg>* referrers);
  /// The stored names (null list: their number), the objects they resolve to (no duplicates,
  /// unresolvable names skipped), or the dependency-tree nodes of those names.
  int GetReferencesTo(VALUE_LIST<PVMStrg>* out) const;
  int GetReferencesTo(GENERIC_LIST<rumpf>* out) const;
  int GetReferencesTo(GENERIC_LIST<PDTnode>* out) const;
  int GetReferencesBy(VALUE_LIST<PVMStrg>* out) const;
  int GetReferencesBy(GENERIC_LIST<rumpf>* out) const;
  int GetReferencesBy(GENERIC_LIST<PDTnode>* out) const;
  /// Removes `name` from the lists; TRUE when an entry went.
  XBOOL RemoveReferenceTo(const char* name);
  XBOOL RemoveReferenceBy(const char* name);
  /// Replaces the path component `old_full` (a full name) by `new_full` at the start of every
  /// entry of both reference lists; returns TRUE when an entry changed.
  XBOOL RenameReferences(const char* old_full, const char* new_full);
  /// RenameReferences here and in every partner named by either list.
  XBOOL RenameReferencesAndPartners(const char* old_full, const char* new_full);

  // Validity: 0 is valid, anything else an error code.
  /// Returns 1 when the code changed.
  int SetValidity(int validity);
  int GetValidity() const { return validity_; }

  // Typed value setters: each forwards to the kind's setter. A kind that does not accept the
  // payload answers null; one that does answers an empty text (set_bool: null).
  char* set(const char* text) { return set_char(text); }
  char* set(rumpf* object) { return set_object(object); }
  char* set(double value) { return set_double(value); }
  char* set(double x, double y, double z) { return set_vector(x, y, z); }
  char* set(double ox, double oy, double oz, double dx, double dy, double dz) {
    return set_axis(ox, oy, oz, dx, dy, dz);
  }
  char* set(long value) { return set_long(value); }
  char* set(XBOOL value) { return set_bool(value); }
  char* set(ENTITY* entity) { return set_ENT(entity); }
  char* set(list* entities) { return set_list(entities); }
  char* set(SPAtransf* transformation) { return set_trans(transformation); }
  PVFconnect2dBa* set(PVFconnect2dBa* contour) { return set_Connect(contour); }

  /// Copies value source, restrictions and validity into `target`: 0, or -1 for null.
  int base_assign(rumpf* target) const;
  /// base_assign plus the alias type: what a copy of this object takes over.
  void CopyAttributesTo(rumpf* copy) const;

  /// The element of the world that holds this object; null outside every world.
  welt* get_welt() const;
  nullwelt* get_first_world() const { return world_; }
  /// Sets the world pointer without any list change.
  void SetFirstWorld(nullwelt* world) { world_ = world; }

  /// Every object of the sub-world tree below this object (not the object itself).
  int list_all_world(GENERIC_LIST<rumpf>* out);
  /// Objects of the tree and the object itself with this name, children first.
  int list_all_with_name(const char* name, GENERIC_LIST<rumpf>* out);
  /// The same by type (`by_type` TRUE) or alias type (FALSE).
  int list_all_with_type(const char* type, XBOOL by_type, GENERIC_LIST<rumpf>* out);

  // Virtual operations.
  /// Without `invalid`: 0. Otherwise appends this object when invalid; returns the list count.
  virtual int GetValidity(void_list* invalid);
  virtual int CheckRestrictions();
  virtual int add_constrain(const char* restriction);
  /// Writes the object's name and value text to standard output.
  virtual void print_object();
  /// A new operand of the current value (recomputed from the formula first); caller owns it.
  virtual aritm* get_aritm();
  /// Whether an operand of that kind can become this object's value.
  virtual XBOOL IsCompatible(aritm* operand);
  virtual const char* GenericPrefix(PVMStrg& out);
  /// Enters the object's sub-world; null for objects without one.
  virtual nullwelt* qualify();
  /// A copy in the current world under `name`; null when the kind cannot copy.
  virtual rumpf* copy(const char* name);
  virtual nullwelt* get_subworld();
  /// Writes this object's value into the existing object `name`: 1 on success, else 0.
  virtual int assign(const char* name);
  /// The data-structure record: the common fields. Returns 1, or -1 for a null file.
  virtual int store(FILE* file);
  /// Reads the kind's value part after "element_:"; -1 in the base.
  virtual int read_element(FILE* file);
  /// The stream record, written and read by the persistence layer's writer and reader
  /// (model_hooks.h): FALSE when handled, TRUE when not or at the end of input.
  virtual XBOOL Store(PVFStream& stream);
  virtual XBOOL Restore(PVFStream& stream, int flag);
  virtual void replace(ENTITY* entity);
  /// Checks a new value text without changing the object: the value text, or null with the
  /// reason in `result`.
  virtual const char* TestValue(PVMStrg& value, PVMStrg& result);
  /// Checks and takes a new value text: the value text, or null with the reason in `result`.
  virtual const char* SetValue(PVMStrg& value, PVMStrg& result);
  /// The value text into `value`; with a formula also the formula into `formula`, returned.
  virtual const char* GetValue(PVMStrg& formula, PVMStrg& value);
  virtual const char* GetStorageValue(PVMStrg& value, PVMStrg& name, PVFBinBlock& block);
  /// Makes `text` the formula when it evaluates to a compatible value; returns it, else null.
  virtual const char* set_value(PVMStrg& text);
  /// The text of the cached value, without recomputation; null when the kind has none.
  virtual const char* get_value(PVMStrg& out);
  virtual void* getVal();
  virtual int GetGeometry(GENERIC_LIST<ENTITY>* out);
  virtual ENTITY* GetGeometry();
  /// Renames identifiers of the formula: entries of `from` become the entries of `to` at the
  /// same position. Returns the number of formulas changed.
  virtual int vs_austausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to);
  virtual XBOOL ValSrcAustausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to);
  virtual XBOOL SetNotCopyNeeded(XBOOL not_needed);
  /// Rewrites reference-list entries that still name the instance `old_name` (a sibling of this
  /// object's owning instance) to name the owning instance.
  virtual XBOOL ChgRefByLists(const char* old_name);
  virtual XBOOL ChgSuperworld(nullwelt* from, nullwelt* to);

 private:
  virtual char* set_char(const char* text);
  virtual char* set_double(double value);
  virtual char* set_vector(double x, double y, double z);
  virtual char* set_axis(double* origin, double* direction);
  virtual char* set_axis(double ox, double oy, double oz, double dx, double dy, double dz);
  virtual char* set_long(long value);
  virtual char* set_ENT(ENTITY* entity);
  virtual char* set_trans(SPAtransf* transformation);
  virtual char* set_list(list* entities);
  virtual char* set_bool(XBOOL value);
  virtual char* set_object(rumpf* object);
  virtual PVFconnect2dBa* set_Connect(PVFconnect2dBa* contour);

 public:
  /// Unrecords the object from its partners' reference lists and removes it from its world.
  virtual ~rumpf();

 protected:
  /// The empty text a kind's setter answers on success.
  static char* AcceptedText();
  /// Replaces the alias type whatever it was (ownership transfers between instances).
  void ReplaceAliasType(const char* alias_type);
  /// Recomputes the value from the formula: validity 0, evaluate, `read` the payload from the
  /// operand and check the restrictions with its value text; `commit` then stores the payload.
  /// A formula that yields nothing (or a value of another kind) keeps the cached value and is
  /// reported as "no <kind_word> value evaluated from <formula>" with class `cls`; a violated
  /// restriction keeps it and sets validity 1. TRUE when a new value was committed.
  template <class Read, class Commit>
  XBOOL Recompute(const char* cls, const char* kind_word, Read read, Commit commit);
  /// Reports through ClassError with this object's class name.
  void Report(const char* cls, const char* operation, const char* message) const;
  /// The world-independent part of the file record, shared by all kinds.
  int StoreCommonFields(FILE* file) const;

 private:
  void IncludeInCurrentWorld();
  void ForgetReferences();
  void RecordReferencePair(rumpf* referrer, const PVMStrg& referrer_full_name);
  template <class Visit>
  void WalkTree(Visit visit);

  int revision_ = 100;
  PVFRString name_;
  PVFRString type_;
  PVFRString alias_type_;
  PVFRString value_source_;  // empty for a plain value
  nullwelt* world_ = nullptr;
  int validity_ = 0;
  std::unique_ptr<PVFRStringList> restrictions_;
  std::unique_ptr<varnex::model::NameSet> referenced_by_;  // full names; null when empty
  std::unique_ptr<varnex::model::NameSet> references_to_;
};
