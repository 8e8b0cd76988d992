// TREE_ELEMENT: the directory tree that the feature library's search-path expansion builds.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/export.h>

#include <memory>
#include <vector>

/// A named, typed node owning its children. Children are unique by identity.
class VARNEX_API TREE_ELEMENT {
 public:
  TREE_ELEMENT() = default;
  TREE_ELEMENT(const PVMStrg& name, const PVMStrg& type) : name_(name), type_(type) {}
  TREE_ELEMENT(const TREE_ELEMENT&) = delete;
  TREE_ELEMENT& operator=(const TREE_ELEMENT&) = delete;
  virtual ~TREE_ELEMENT();

  /// Appends a child; the tree owns it. Returns the child.
  TREE_ELEMENT* Add(const PVMStrg& name, const PVMStrg& type);
  /// Removes and destroys `child`; returns whether it was a child of this element.
  XBOOL Remove(TREE_ELEMENT* child);
  /// The child at `index`, or null.
  TREE_ELEMENT* operator[](int index) const;
  int Count() const { return static_cast<int>(children_.size()); }
  /// Elements of the subtree, this one included.
  int TotalCount() const;
  /// 1 for a leaf, else 1 + the largest child depth.
  int Depth() const;
  /// Number of leaves (1 for a leaf).
  int Width() const;
  /// Swap with the previous / next sibling; nothing happens at the ends or without a parent.
  void MoveUp();
  void MoveDown();
  const char* GetName(PVMStrg& out) const;
  const char* GetType(PVMStrg& out) const;
  const PVMStrg& Name() const { return name_; }
  const PVMStrg& Type() const { return type_; }
  void SetType(const PVMStrg& type) { type_ = type; }
  TREE_ELEMENT* Parent() const { return parent_; }
  /// Destroys every child.
  void Clear() { children_.clear(); }

  /// Name, type and children (recursively, in order) agree.
  XBOOL operator==(const TREE_ELEMENT& other) const;
  XBOOL operator!=(const TREE_ELEMENT& other) const { return ToXBool(!(*this == other)); }

 private:
  int IndexInParent() const;

  TREE_ELEMENT* parent_ = nullptr;
  std::vector<std::unique_ptr<TREE_ELEMENT>> children_;
  PVMStrg name_;
  PVMStrg type_;
};
