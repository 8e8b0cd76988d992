// Nodes of the dependency tree. Every feature instance of the outermost world is a feature node
// (PDTfeat), every transformation instance a transformation node (PDTtrans), and every join of
// two nodes a combination node (PDTcomb, comb.h). A node knows its parent (the combination that
// uses it as an operand), its kind ("sign") and the body built for it. Nodes live in the
// transaction space; the global containers (nodes.h) never own them.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/transaction.h>
#include <varnex/base/value_list.h>
#include <varnex/base/void_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <memory>
#include <vector>

class aritm;
class rumpf;
class ENTITY;
class SPAtransf;
class PVFStream;

/// Node signs: what a node contributes to its parent's combination.
enum PDTSign : int {
  PDT_SIGN_UNKNOWN = 0,
  PDT_SIGN_POSITIVE = 1,
  PDT_SIGN_NEGATIVE = 2,
  PDT_SIGN_TRANSFORMATION = 3,
  PDT_SIGN_MANIPULATION = 4,
  PDT_SIGN_NEGATION = 5,
  PDT_SIGN_ATTRIBUTE = 6,
};

/// The base of every node. Kind tests compare the type name ("PDTfeat", "PDTcomb",
/// "PDTtrans"), never the class.
class VARNEX_API PDTnode : public PVTransaction {
 public:
  /// A pair of node pointers (neither owned).
  class VARNEX_API CoTABLE {
   public:
    CoTABLE(PDTnode* first = nullptr, PDTnode* second = nullptr) : first_(first), second_(second) {}
    virtual ~CoTABLE();
    PDTnode* first() const { return first_; }
    PDTnode* second() const { return second_; }

   private:
    PDTnode* first_;
    PDTnode* second_;
  };

  /// Copies `type`, `name` and `id` (a null id generates "PDTnode_@N" from the pre-incremented
  /// id counter). With type and name both given the node becomes a root in free_nodes unless
  /// `keep_out` is non-zero, and the parametric-feature context is told NodeCreate. The node is
  /// not put into all_nodes here: each subclass constructor does that.
  PDTnode(const char* type, const char* name, int keep_out, const char* id);
  PDTnode& operator=(const PDTnode&) = delete;

  // Names, type and id.
  virtual const char* get_name() const { return name_; }
  virtual const PVFRString& get_name_str() const { return name_; }
  /// Renames the node; in all_nodes it keeps its position and the name index follows. FALSE
  /// (name unchanged) when another node of all_nodes has that name.
  XBOOL set_name(const char* name);
  XBOOL HasName() const { return name_.IsNotVoid(); }
  const char* type_name() const { return type_; }
  XBOOL IsTypeOf(const char* type) const { return ToXBool(type != nullptr && type_ == type); }
  const char* get_id() const { return id_; }
  void SetId(const char* id) { id_ = id; }
  static int get_id_count();
  static void set_id_count(int count);

  // Parent links.
  PDTnode* get_parent() const { return parent_; }
  /// The outermost ancestor (this node when it has no parent).
  PDTnode* top();
  /// 0 when `parent` is set; 0 for a null parent (nothing changes), 1 when the node already has
  /// a parent, 2 when the node is not in free_nodes (nothing changes either way).
  int occupy(PDTnode* parent);
  /// Sets or clears the parent: a parent takes the node out of free_nodes, null puts it back
  /// (when it is in all_nodes). 0 without change, else 1.
  int change_occupy(PDTnode* parent);

  // Signs.
  int get_BaseSign() const { return base_sign_; }
  void set_BaseSign(int sign) { base_sign_ = sign; }

  // The caller's geometry node (not owned).
  void SetGeoNode(void* node) { geo_node_ = node; }
  void* pGeoNode() const { return geo_node_; }

  // References between nodes, derived from the formulas of the objects of the node's
  // instance (references.cpp). Each appends to a unique list and returns the list's count.
  /// The nodes (objects, full names) the formulas of the instance's objects name.
  int GetReferencesTo(GENERIC_LIST<PDTnode>* out);
  int GetReferencesTo(GENERIC_LIST<rumpf>* out);
  int GetReferencesTo(VALUE_LIST<PVMStrg>* out);
  /// The nodes (objects, full names) whose formulas name the instance or one of its objects.
  int GetReferencesBy(GENERIC_LIST<PDTnode>* out);
  int GetReferencesBy(GENERIC_LIST<rumpf>* out);
  int GetReferencesBy(VALUE_LIST<PVMStrg>* out);

  // Virtual operations.
  /// Appends the subtree to `list` in post-order (operands before their combination), each
  /// node once. Returns the number of nodes visited.
  virtual int GetAllNodes(GENERIC_LIST<PDTnode>* list);
  /// A new list the caller owns: the nodes of all_nodes whose parent is this node (the warning
  /// goes to the host's message handler). Features and transformations answer null,
  /// combinations their operands.
  virtual void_list* get_childs();
  /// A copy made while copying a subtree: appended to `copies`, the old and new names of the
  /// root objects to `old_names`/`new_names`, `*count` incremented. The copy or null.
  virtual PDTnode* copy(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                        VALUE_LIST<PVMStrg>* new_names);
  /// A node over a new instance of feature `feature` made from this node's values; null here.
  virtual PDTnode* copy(const char* feature);
  /// A node over a new instance of the same feature with the same values; null here.
  virtual PDTnode* copy();
  /// The node's value: a new operand the caller owns, or null. Features and combinations
  /// answer their geometry, transformations their transformation.
  virtual aritm* get_rep_aritm();
  /// Rebuilds the node: 0 or 1 on success, 2 (or more) on failure. `first` is 1 only for the
  /// first node of a partial rebuild.
  virtual int refresh(int first);
  /// refresh keeping the objects that refer to the node registered as referrers.
  virtual int single_node_refresh();
  virtual PDTnode* copy_alln(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                             VALUE_LIST<PVMStrg>* new_names);
  /// Appends the root objects (`planets`) and the nodes (`nodes`, may be null) of the subtree.
  /// Returns the number of objects appended.
  virtual int get_planet_lis(void_list* planets, void_list* nodes);
  virtual int get_sign();
  /// The object the node stands for: the feature, the replacement, a combination's geometry.
  virtual rumpf* GetRootDataElement();
  virtual rumpf* get_rumpf();
  /// The geometric object holding the node's body, or null.
  virtual rumpf* get_geometry();
  /// Deletes the body (get_body) when the model's body list holds it: TRUE then.
  virtual XBOOL delete_body();
  /// The body built for the node (owned by the kernel layer), or null.
  virtual ENTITY* get_body();
  /// Composes the transformation applied to the node's body into `t`; null (t unchanged) when
  /// there is no body or it was not transformed, else &t.
  virtual SPAtransf* get_transformation(SPAtransf& t);
  virtual SPAtransf* get_original_transformation(SPAtransf& t);
  /// Composes the transformations that combinations between this node and `upto` (exclusive;
  /// null: the top) apply to it. Null when there are none, else &t.
  virtual SPAtransf* get_actual_transformation(SPAtransf& t, PDTnode* upto);
  /// get_actual_transformation of `from` (this node when null) up to `to`.
  virtual SPAtransf* GetActTransfoToTop(SPAtransf& t, PDTnode* from, PDTnode* to);
  virtual SPAtransf* get_inertial_transformation(SPAtransf& t);
  virtual SPAtransf* get_full_transformation(SPAtransf& t);
  // Memory bodies (mem_body.h): only features and combinations keep one.
  virtual ENTITY* CopyToMemBody(ENTITY* body);
  virtual ENTITY* CopyFromMemBody();
  virtual XBOOL eHasMemBody();
  void DeleteMemBody();
  // The node record of the dependency-tree file (node_records.cpp).
  /// Writes the record; FALSE when written.
  virtual XBOOL Store(PVFStream& stream);
  /// Reads the record after its "Type_:" word; FALSE when read.
  virtual XBOOL Restore(PVFStream& stream, int flag);
  virtual XBOOL IsCorrupt();
  virtual XBOOL ProvideData();
  /// The node whose data this node passes on: itself when it provides data, else null.
  virtual PDTnode* DataProvider();
  /// Clears the parent and puts the node back into free_nodes (when it is in all_nodes).
  virtual void Unhook();
  virtual XBOOL IsSignificant(int mode);
  // Silence: a silent subtree is re-placed, not rebuilt, during updates.
  virtual void SetSilent(XBOOL silent);
  /// TRUE with the silent node in `out` when this node or an ancestor is silent.
  virtual XBOOL IsSilent(PDTnode*& out);
  /// Replaces the silent transformation by a copy of `t` (null removes it).
  virtual void SetSilentTrans(SPAtransf* t);
  /// The silent transformation (identity without one).
  SPAtransf GetSilentTrans() const;
  void DeleteSilentTrans();
  /// The actual transformation becomes the silent one.
  void SetActToSilentTrans();
  XBOOL eHasSilentTrans() const { return ToXBool(silent_trans_ != nullptr); }
  XBOOL GetSilentSwitch() const { return silent_; }
  virtual int RefreshSilent(int first);
  /// Applies the inverse of the silent transformation to the body `body`; FALSE without one.
  XBOOL ApplyInvSilentTrafo(void* body);
  /// The non-zero validities of the root object and the objects of its world (with the objects
  /// when `objects` is given); returns their number.
  int GetValidities(std::vector<int>& validities, std::vector<rumpf*>* objects);
  /// Tells the context NodeLost, removes the node from all_nodes and free_nodes and drops its
  /// memory body. NodeLost comes from this base destructor, so the context sees a plain PDTnode
  /// (a combination has sent CombNodeLost before, while it still was one).
  virtual ~PDTnode();

 protected:
  /// Copies name, type and silent switch; a fresh id; the copy is a root in free_nodes and the
  /// context is told NodeCopy.
  PDTnode(const PDTnode& original);
  /// Writes and reads the base part of the record.
  XBOOL StoreBase(PVFStream& stream);
  XBOOL RestoreBase(PVFStream& stream);
  void SetParentLink(PDTnode* parent) { parent_ = parent; }
  /// Sets the silent switch; switching it off drops the silent transformation.
  void SetSilentSwitch(XBOOL on);
  /// The name of the parent read by Restore (the combination links itself when it is read).
  const PVMStrg& RestoredParentName() const { return restored_parent_; }
  /// The sign of a feature node from its object "combine_constraint" (feature.cpp).
  int SignOfFeatureWorld(rumpf* feature);

 private:
  friend class PDTnodes;
  int revision_ = 100;
  PVFRString name_;
  PVFRString type_;
  PDTnode* parent_ = nullptr;
  PVFRString id_;
  ENTITY* memory_body_ = nullptr;
  int base_sign_ = 0;
  void* geo_node_ = nullptr;
  XBOOL silent_ = FALSE;
  std::unique_ptr<SPAtransf> silent_trans_;
  PVMStrg restored_parent_;
};

/// A feature node: stands for one feature instance of the outermost world.
class VARNEX_API PDTfeat : public PDTnode {
 public:
  /// An empty node outside both containers (for restoring); the context is told NodeCreate.
  PDTfeat();
  /// Instantiates the library feature `statement` (interpret) and stands for the new instance,
  /// named like it; `name` labels the node until then. A null statement leaves the node empty
  /// and outside all_nodes; an instantiation that fails leaves it corrupt (no feature) but in
  /// all_nodes.
  PDTfeat(const char* statement, const char* name, const char* id);
  /// A node over a new instance made from `object`'s values (interpret(object, null)).
  PDTfeat(rumpf* object, const char* name);
  /// A node over a new instance of feature `text` made from `object`'s values.
  PDTfeat(rumpf* object, const char* text, const char* name);
  ~PDTfeat() override;

  rumpf* feature() const { return feature_; }
  void set_feature(rumpf* feature) { feature_ = feature; }

  void_list* get_childs() override { return nullptr; }
  PDTnode* copy(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                VALUE_LIST<PVMStrg>* new_names) override;
  PDTnode* copy(const char* feature) override;
  PDTnode* copy() override;
  aritm* get_rep_aritm() override;
  int refresh(int first) override;
  int single_node_refresh() override;
  PDTnode* copy_alln(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                     VALUE_LIST<PVMStrg>* new_names) override;
  int get_planet_lis(void_list* planets, void_list* nodes) override;
  /// The cached sign, else from "combine_constraint" of the feature's world (quotes stripped):
  /// positive 1, negative 2, manipulation 4, negation 5, attribute 6, other texts 0; without
  /// the object 4 when the node has a body, else 6. Without feature 0 (not cached).
  int get_sign() override;
  rumpf* GetRootDataElement() override { return feature_; }
  rumpf* get_rumpf() override { return feature_; }
  /// The first geometric object of the feature's world that holds an entity.
  rumpf* get_geometry() override;
  ENTITY* get_body() override;
  SPAtransf* get_inertial_transformation(SPAtransf& t) override;
  SPAtransf* get_full_transformation(SPAtransf& t) override;
  ENTITY* CopyToMemBody(ENTITY* body) override;
  ENTITY* CopyFromMemBody() override;
  XBOOL eHasMemBody() override;
  XBOOL Store(PVFStream& stream) override;
  XBOOL Restore(PVFStream& stream, int flag) override;
  /// Corrupt without feature object.
  XBOOL IsCorrupt() override { return ToXBool(feature_ == nullptr); }
  /// Whether the feature contributes anything: a body of its own or in its tree, an implicit
  /// "visibility", or (mode above 1, and always for attributes) a reference either way. Mode 0
  /// asks only for bodies, mode 1 also for visibility.
  XBOOL IsSignificant(int mode) override;
  void SetSilent(XBOOL silent) override;
  XBOOL IsSilent(PDTnode*& out) override;

 protected:
  PDTfeat(const PDTfeat& original);
  /// Takes the object named `instance` as feature and joins all_nodes (signs 1 and 2 copy the
  /// body to the memory body).
  void Register(const char* instance);

 private:
  int feat_revision_ = 100;
  rumpf* feature_ = nullptr;
};

/// A transformation node: stands for an instance whose value places other nodes. Its sign is
/// always 3.
class VARNEX_API PDTtrans : public PDTnode {
 public:
  PDTtrans();
  PDTtrans(const char* statement, const char* name, const char* id);
  PDTtrans(rumpf* object, const char* name);
  PDTtrans(rumpf* object, const char* text, const char* name);
  ~PDTtrans() override;

  rumpf* replacement() const { return replacement_; }
  void set_replacement(rumpf* replacement) { replacement_ = replacement; }

  void_list* get_childs() override { return nullptr; }
  PDTnode* copy(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                VALUE_LIST<PVMStrg>* new_names) override;
  PDTnode* copy(const char* feature) override;
  PDTnode* copy() override;
  /// The transformation of the replacement: its own value when it is a transformation object,
  /// else the first transformation object of its world.
  aritm* get_rep_aritm() override;
  int refresh(int first) override;
  int single_node_refresh() override;
  PDTnode* copy_alln(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                     VALUE_LIST<PVMStrg>* new_names) override;
  int get_planet_lis(void_list* planets, void_list* nodes) override;
  int get_sign() override { return PDT_SIGN_TRANSFORMATION; }
  rumpf* GetRootDataElement() override { return replacement_; }
  rumpf* get_rumpf() override { return replacement_; }
  XBOOL Store(PVFStream& stream) override;
  XBOOL Restore(PVFStream& stream, int flag) override;
  XBOOL IsCorrupt() override { return ToXBool(replacement_ == nullptr); }
  /// Not corrupt, and with mode above 0 also used: in a combination, or referring or referred
  /// to.
  XBOOL IsSignificant(int mode) override;

 protected:
  PDTtrans(const PDTtrans& original);
  void Register(const char* instance);

 private:
  int trans_revision_ = 100;
  rumpf* replacement_ = nullptr;
};
