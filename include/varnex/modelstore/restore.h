// Restoring a stored model into the running engine, and the restore context that renames
// generated identifiers when a model is merged into one that already holds nodes.
//
// A host creates a PVFRestoreFM, makes it active with PVFRestore::SetInstance, restores, calls
// Finish and destroys it (which deactivates it). While a context is active, every name,
// formula and reference-list entry read back passes through PVFRestore::ConvertRestoreString.
// A context made while the tree holds no nodes (fresh mode) changes no text; one made while it
// holds nodes (merge mode) gives every "_@" identifier a fresh number from the instance
// counter, the same fresh number for every occurrence.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class PVFStream;
class PVFRestoreFM;
class PDTnode;
class ATTRIB;
class ENTITY;
class object_geom;

/// A restored node and its position in the writer's node list.
struct NodeNumberInList {
  PDTnode* node = nullptr;
  int number = -1;
};

/// The static door to the active restore context; without one every conversion keeps its text.
class VARNEX_API PVFRestore {
 public:
  /// Makes `context` active (null: none) and installs the restore-name conversion for the
  /// readers of the object layer.
  static void SetInstance(PVFRestoreFM* context);
  static PVFRestoreFM* GetInstance();

  /// Reads a sequence of object records into the current world: TRUE at the word "}", FALSE at
  /// the end of input (the last object read gets validity 26) or on a damaged record.
  static XBOOL ReadElement(PVFStream& stream, int flag);
  /// Reads node records up to the end of one node ("}"): "NumberInList_:" gives the number of
  /// the next node, "Type_:" creates a node of that kind, which reads its record and joins the
  /// tree and the context's lists. TRUE at "}", FALSE at the end of input, on a damaged record
  /// (PVFRecordError is then set) and without an active context.
  static XBOOL ReadNode(PVFStream& stream, int flag);
  /// Writes the node records of the subtree of `node` (operands first), or of every node when
  /// `node` is null, each with its position in the node list. FALSE when written.
  static XBOOL StructStgFeatureTree(PVFStream& stream, PDTnode* node);
  /// A "PDTtrans" node named "Pos_Rel...": its object NAME.ThisNodeRef is made to name the node
  /// again (only when `flag` is 0); 1 when it did not, else 0. Other nodes: 0, nothing changes.
  static int RepairRelPosError(PDTnode* node, int flag);

  /// The conversions of the active context (the text converted in place and returned); texts
  /// naming a 2D contour ("2D_Connect") go to ConvertRestoreIdent. Empty texts and "NULL" stay.
  static const char* ConvertRestoreString(PVMStrg& text);
  static const char* ConvertString(PVMStrg& text);
  static const char* ConvertRestoreIdent(PVMStrg& text);
  static const char* ConvertStringParse(PVMStrg& text);

  /// The attribute clean-up lists of the active context (nothing without one).
  static void CreateListNoRefAcisAtts();
  static void AddAttToListNoRefAcisAtts(ATTRIB* attribute);
  static void AddAttToListDoubleRefGeoms(object_geom* object, ENTITY* entity);
  static void DelListNoRefAcisAtts(XBOOL remove);
};

/// The restore context. The conversion lists grow as identifiers are met.
class VARNEX_API PVFRestoreFM {
 public:
  /// Fresh mode when the dependency tree holds no nodes, merge mode otherwise; takes a copy of
  /// total_count as its instance counter.
  PVFRestoreFM();
  /// As above with the number of nodes given (0: fresh mode).
  explicit PVFRestoreFM(int nodes_at_creation);
  /// Deactivates itself when active.
  virtual ~PVFRestoreFM();
  PVFRestoreFM(const PVFRestoreFM&) = delete;
  PVFRestoreFM& operator=(const PVFRestoreFM&) = delete;

  XBOOL IsMergeMode() const { return ToXBool(nodes_at_creation_ != 0); }
  int GetInstanceCounter() const { return instance_counter_; }

  /// A text with "_@" identifiers: each gets its fresh identifier (made on first sight); then
  /// ConvertFaceNodeNr. Fresh mode: unchanged.
  virtual const char* ConvertRestoreString(PVMStrg& text);
  /// Identifiers are replaced only by translations already made.
  virtual const char* ConvertStringParse(PVMStrg& text);
  /// A text that is itself an old identifier takes its fresh identifier.
  virtual const char* ConvertString(PVMStrg& text);
  /// Face names whose part after "f_" carries node numbers behind 'N' get the new numbers.
  virtual const char* ConvertFaceNodeNr(PVMStrg& text);
  /// 2D-contour identifiers: the part after "_@" becomes the next contour identifier number.
  virtual const char* ConvertRestoreIdent(PVMStrg& text);

  /// The old identifiers that received fresh names, in the order met.
  const std::vector<std::string>& RenamedIdentifiers() const { return renamed_; }
  /// The fresh identifier of `old_identifier`, or null.
  const char* FreshIdentifier(const std::string& old_identifier) const;

  // Restored nodes.
  /// Adds the node to the restored nodes (once) and, for number >= 0, to the numbered nodes.
  /// FALSE.
  XBOOL InsertToLists(PDTnode* node, int number);
  /// Enters the node under its name and its id. FALSE.
  XBOOL InsertToMaps(PDTnode* node);
  PDTnode* GetNodeByName(const char* name) const;
  PDTnode* GetNodeById(const char* id) const;
  /// The node's id becomes the decimal text of `number`: FALSE; TRUE for a null node.
  XBOOL ResetNodeId(PDTnode* node, int number);
  /// Where an entry numbered `number` goes into `list` (ascending numbers).
  static int FindPosInSortedList(const std::vector<NodeNumberInList>& list, int number);
  /// Puts the numbered nodes in the order of their numbers, in the node list and among the
  /// restored nodes: FALSE (also when there are none).
  XBOOL SortLists();
  /// Ends a restore: sorts, then in merge mode gives the restored nodes the last ids of the id
  /// counter and rewrites their formulas where names were taken back, in fresh mode sets
  /// total_count beyond every restored number. FALSE; TRUE when the lists are missing.
  XBOOL Finish();
  /// The restored nodes, in order.
  const std::vector<PDTnode*>& RestoredNodes() const { return restored_nodes_; }
  /// Empties the node lists and maps and every conversion list.
  XBOOL ClearLists();

  // Attribute clean-up lists.
  void CreateListNoRefAcisAtts();
  void AddAttToListNoRefAcisAtts(ATTRIB* attribute);
  /// Keeps `object` when its first entity is not `entity` and lies in another body.
  void AddAttToListDoubleRefGeoms(object_geom* object, ENTITY* entity);
  /// With `remove`, loses every listed attribute and removes the feature attributes of the
  /// listed objects from their entities outside the model's bodies; then frees both lists.
  void DelListNoRefAcisAtts(XBOOL remove);
  int NoRefAttributeCount() const {
    return no_ref_atts_ ? static_cast<int>(no_ref_atts_->size()) : -1;
  }
  int DoubleRefObjectCount() const {
    return double_ref_geoms_ ? static_cast<int>(double_ref_geoms_->size()) : -1;
  }

 private:
  // One conversion list: old text -> new text, in insertion order.
  struct Conversions {
    std::unordered_map<std::string, std::string> map;
    std::vector<std::string> order;
    const std::string* Find(const std::string& old_text) const;
    void Add(const std::string& old_text, const std::string& new_text);
  };

  std::string ConvertIdentifiers(const std::string& text, bool make_fresh);
  std::string FreshName(const std::string& identifier);

  int nodes_at_creation_ = 0;
  int instance_counter_ = 1;
  Conversions identifiers_;
  Conversions identifiers_2d_;
  Conversions numbers_;
  Conversions face_names_;
  std::vector<std::string> renamed_;
  std::vector<PDTnode*> restored_nodes_;
  std::map<std::string, PDTnode*> nodes_by_id_;
  std::map<std::string, PDTnode*> nodes_by_name_;
  std::vector<NodeNumberInList> numbered_;
  std::unique_ptr<std::vector<ATTRIB*>> no_ref_atts_;
  std::unique_ptr<std::vector<object_geom*>> double_ref_geoms_;
};
