// PVMFMSTree: the host's ordered tree of named parts and groups (a project's part list), with an
// indented text listing and a compact binary file.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/void_list.h>
#include <varnex/export.h>

#include <cstdio>
#include <memory>
#include <vector>

/// A node of the part tree. A node with an empty info is a group, one with an info is a part.
/// A node made with a parent (or hung into a tree) is owned by that parent; deleting a node
/// destroys its subtree and takes it out of its parent's children.
class VARNEX_API PVMFMSTree {
 public:
  /// Binary files start with this version word; others are refused.
  static constexpr int kBinaryVersion = 100;
  /// Deepest nesting a binary file may describe; deeper files are refused as damaged.
  static constexpr int kMaxBinaryDepth = 4096;

  /// With a parent the node goes into its children at `position`, or last when the position is
  /// -1 (or out of range).
  explicit PVMFMSTree(PVMFMSTree* parent = nullptr, const char* name = "", const char* info = "",
                      const char* comment = "", const char* preceding_comment = "",
                      int position = -1);
  PVMFMSTree(PVMFMSTree* parent, const PVMStrg& name, const PVMStrg& info, const PVMStrg& comment,
             const PVMStrg& preceding_comment, int position = -1);
  /// Copies the whole subtree; the copy has no parent.
  PVMFMSTree(const PVMFMSTree& other);
  PVMFMSTree& operator=(const PVMFMSTree&) = delete;
  virtual ~PVMFMSTree();

  const char* GetName(PVMStrg& out) const;
  const char* GetInfo(PVMStrg& out) const;
  const char* GetComment(PVMStrg& out) const;
  const char* GetPrecedingComment(PVMStrg& out) const;
  void SetName(const PVMStrg& name) { name_ = name; }
  void SetInfo(const PVMStrg& info) { info_ = info; }
  void SetComment(const PVMStrg& comment) { comment_ = comment; }
  void SetPrecedingComment(const PVMStrg& comment) { preceding_comment_ = comment; }

  PVMFMSTree* GetParent() const { return parent_; }
  PVMFMSTree* GetRoot();
  /// Fills `children` (cleared first; may be null) with the children in order; returns their
  /// number.
  int GetChildren(GENERIC_LIST<PVMFMSTree>* children) const;

  /// Hangs the root of `node`'s tree into this node's children at `position` (-1: last) and
  /// returns that root, now owned here. Null, changing nothing, when both are in one tree.
  PVMFMSTree* Insert(PVMFMSTree* node, int position);
  /// First node of this subtree in pre-order whose name (`by_name`) or info equals `text`.
  PVMFMSTree* SearchPartByInfoOrName(const PVMStrg& text, XBOOL by_name);
  /// Detaches the first child called `name` (not empty) and hands it to the caller; null when
  /// there is none.
  PVMFMSTree* SeparatePart(const PVMStrg& name);
  /// Destroys the first node below this one (pre-order) called `name`, with its subtree.
  /// Returns whether one was found.
  XBOOL DeletePart(const PVMStrg& name);
  /// One place up or down among the siblings; nothing happens at the ends.
  void MoveUp();
  void MoveDown();
  /// Moves this node right after `target` when it is a part, or to the front of its children
  /// when it is a group. Returns this node, or null (changing nothing) when the target lies in
  /// this node's subtree or has no place to put a sibling (a root part).
  PVMFMSTree* MoveAfter(PVMFMSTree* target);
  /// Places a copy of this subtree as `MoveAfter` would; returns the copy or null.
  PVMFMSTree* CopyAfter(PVMFMSTree* target);
  /// Moves the children of `other` to the end of this node's children. Returns this node, or
  /// null (changing nothing) when `other` is this node or one of its ancestors.
  PVMFMSTree* Merge(PVMFMSTree* other);
  /// Same texts, same number of children, and every child has an equal child of `other` with
  /// its name.
  XBOOL IsEqual(const PVMFMSTree* other) const;

  /// The indented listing of this subtree (the root itself is not listed). Returns FALSE for a
  /// null file or a failed write.
  XBOOL Write(FILE* file) const;
  /// The binary file: version word, header, one record per node. Returns the number of nodes
  /// written, 0 for a null file or a failed write.
  int BinWrite(FILE* file, const PVMStrg& header) const;
  /// Writes this subtree's records; `written` holds the nodes already in the file (their
  /// positions are the parent numbers) and receives these.
  XBOOL BinWrite(FILE* file, GENERIC_LIST<PVMFMSTree>* written) const;
  /// Reads a binary file. Returns its root (the caller owns it) and the header, or null when
  /// the file is not one (wrong version word, a length past the end, a string without its
  /// closing NUL, a parent number that names no earlier record, a second root, nesting deeper
  /// than kMaxBinaryDepth). Nothing is kept from a damaged file.
  static PVMFMSTree* BinRead(FILE* file, PVMStrg& header);

 private:
  /// Takes `child` into the children at `position` (-1 or out of range: last).
  void Adopt(std::unique_ptr<PVMFMSTree> child, int position);
  /// Takes this node out of its parent's children and hands over its ownership.
  std::unique_ptr<PVMFMSTree> Detach();
  int IndexInParent() const;
  XBOOL IsInSubtreeOf(const PVMFMSTree* node) const;
  /// Puts `node` (detached) after `target` as MoveAfter describes.
  void PlaceAfter(std::unique_ptr<PVMFMSTree> node, PVMFMSTree* target);
  static XBOOL CanPlaceAfter(const PVMFMSTree* target);

  PVMFMSTree* parent_ = nullptr;
  std::vector<std::unique_ptr<PVMFMSTree>> children_;
  PVMStrg name_;
  PVMStrg info_;
  PVMStrg comment_;
  PVMStrg preceding_comment_;
};
