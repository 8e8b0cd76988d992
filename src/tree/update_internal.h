// Helpers shared by the reference, update and ordering sources of the dependency tree.
#pragma once

#include <varnex/base/void_list.h>
#include <varnex/model/rumpf.h>
#include <varnex/tree/node.h>

#include <cstddef>
#include <unordered_set>
#include <vector>

namespace varnex::tree {

/// An ordered set of nodes: insertion order kept, membership in constant time.
class NodeSet {
 public:
  NodeSet() = default;
  /// The nodes of `list` (PDTnode*), nulls skipped.
  explicit NodeSet(const void_list* list) {
    for (int i = 0; list != nullptr && i < list->count(); ++i) {
      Add(static_cast<PDTnode*>((*list)[i]));
    }
  }
  /// True when `node` was added (not null, not yet present).
  bool Add(PDTnode* node) {
    if (node == nullptr || !members_.insert(node).second) {
      return false;
    }
    order_.push_back(node);
    return true;
  }
  bool Contains(const PDTnode* node) const {
    return members_.count(const_cast<PDTnode*>(node)) > 0;
  }
  bool Remove(PDTnode* node) {
    if (members_.erase(node) == 0) {
      return false;
    }
    for (std::size_t i = 0; i < order_.size(); ++i) {
      if (order_[i] == node) {
        order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(i));
        break;
      }
    }
    return true;
  }
  std::size_t size() const { return order_.size(); }
  bool empty() const { return order_.empty(); }
  PDTnode* operator[](std::size_t i) const { return order_[i]; }
  const std::vector<PDTnode*>& nodes() const { return order_; }
  /// Appends the members missing from `list`.
  void CopyTo(void_list* list) const {
    if (list == nullptr) {
      return;
    }
    NodeSet present(list);
    for (PDTnode* node : order_) {
      if (!present.Contains(node)) {
        list->add(node);
      }
    }
  }

 private:
  std::vector<PDTnode*> order_;
  std::unordered_set<PDTnode*> members_;
};

/// The node's root object followed by every object below it.
std::vector<rumpf*> InstanceObjects(PDTnode* node);
/// The node of an object name in the formula of `object`, resolved from the object's world (and
/// from there outwards), or null.
PDTnode* NodeOfFormulaName(rumpf* object, const char* name);
/// The nodes the formula of `object` names ("a.b" names the node of a), in order.
std::vector<PDTnode*> FormulaNodes(rumpf* object);
/// The text of the node's name cut at the last "_@", then after the last "_".
std::string BaseName(PDTnode* node);
/// Whether objects of this kind carry the placement of what they refer to.
bool IsPlacedReferenceKind(rumpf* object);

}  // namespace varnex::tree
