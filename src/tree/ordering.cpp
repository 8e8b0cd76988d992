// Ordering all_nodes so that every node follows the nodes it depends on, the order checker,
// the repair functions and the rebuilds.
#include <varnex/base/messages.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/value_changes.h>
#include <varnex/model/welt.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/ordering.h>
#include <varnex/tree/tree_functions.h>
#include <varnex/tree/update.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "tree/tree_internal.h"
#include "tree/update_internal.h"

namespace {

PDTcomb* AsComb(PDTnode* node) {
  return node != nullptr && node->IsTypeOf("PDTcomb") ? static_cast<PDTcomb*>(node) : nullptr;
}

std::vector<PDTnode*> ToVector(const void_list* list) {
  std::vector<PDTnode*> nodes;
  for (int i = 0; list != nullptr && i < list->count(); ++i) {
    nodes.push_back(static_cast<PDTnode*>((*list)[i]));
  }
  return nodes;
}

void ToList(const std::vector<PDTnode*>& nodes, GENERIC_LIST<PDTnode>* list) {
  if (list == nullptr) {
    return;
  }
  list->Clear();
  for (PDTnode* node : nodes) {
    list->add(node);
  }
}

std::vector<PDTnode*> AllNodes() {
  return all_nodes != nullptr ? std::vector<PDTnode*>(all_nodes->begin(), all_nodes->end())
                              : std::vector<PDTnode*>();
}

// The depth-first ordering of sort_references. The references of a node at a level and a failed
// attempt to order a node at a level are remembered for the life of the sorter, so each pair is
// worked out once: without that, a failure deep in a long chain is retried level by level at
// every node above it, exponentially in the depth.
class Sorter {
 public:
  Sorter(bool fast, const std::vector<PDTnode*>& candidates)
      : fast_(fast), candidates_(candidates.begin(), candidates.end()) {}

  /// sort_references: 0 ordered, 1 cycle.
  int Order(PDTnode* node, int level, int* lowest) {
    visiting_.insert(node);
    std::size_t mark = sorted_.size();
    for (PDTnode* reference : References(node, level)) {
      if (visiting_.count(reference) > 0) {
        return Fail(node, mark);
      }
      if (candidates_.count(reference) == 0 || placed_.count(reference) > 0) {
        continue;
      }
      if (!OrderAtLevels(reference, level, lowest)) {
        return Fail(node, mark);
      }
    }
    visiting_.erase(node);
    Place(node);
    return 0;
  }

  /// Tries `level`, level-1, ..., 0; true at the first success.
  bool OrderAtLevels(PDTnode* node, int level, int* lowest) {
    for (int l = level; l >= 0; --l) {
      if (lowest != nullptr) {
        *lowest = std::min(*lowest, l);
      }
      if (failed_.count({node, l}) > 0) {
        continue;
      }
      if (Order(node, l, lowest) == 0) {
        return true;
      }
      failed_.insert({node, l});
    }
    return false;
  }

  bool IsPlaced(PDTnode* node) const { return placed_.count(node) > 0; }
  const std::vector<PDTnode*>& sorted() const { return sorted_; }
  void Seed(const std::vector<PDTnode*>& sorted, const std::vector<PDTnode*>& visiting) {
    for (PDTnode* node : sorted) {
      sorted_.push_back(node);
      placed_.insert(node);
    }
    visiting_.insert(visiting.begin(), visiting.end());
  }

 private:
  void Place(PDTnode* node) {
    if (candidates_.count(node) > 0 && placed_.insert(node).second) {
      sorted_.push_back(node);
    }
  }
  int Fail(PDTnode* node, std::size_t mark) {
    for (std::size_t i = mark; i < sorted_.size(); ++i) {
      placed_.erase(sorted_[i]);
    }
    sorted_.resize(mark);
    visiting_.erase(node);
    return 1;
  }
  const std::vector<PDTnode*>& References(PDTnode* node, int level) {
    auto key = std::make_pair(node, level);
    auto known = references_.find(key);
    if (known != references_.end()) {
      return known->second;
    }
    GENERIC_LIST<PDTnode> found(TRUE);
    if (fast_) {
      get_references(node, &found, level);
    } else {
      SearchReferencesByValSrc(node, &found, level);
    }
    std::vector<PDTnode*> references;
    bool self = SelfReferenced(node);
    for (int i = 0; i < found.count(); ++i) {
      if (found[i] != node || self) {
        references.push_back(found[i]);
      }
    }
    if (PDTcomb* comb = AsComb(node)) {
      for (PDTnode* operand : {comb->get_op1(), comb->get_op2()}) {
        if (operand != nullptr &&
            std::find(references.begin(), references.end(), operand) == references.end()) {
          references.push_back(operand);
        }
      }
    }
    return references_.emplace(key, std::move(references)).first->second;
  }
  bool SelfReferenced(PDTnode* node) {
    auto known = self_.find(node);
    if (known == self_.end()) {
      known = self_.emplace(node, IsReallySelfReferenced(node) != FALSE).first;
    }
    return known->second;
  }

  bool fast_;
  std::unordered_set<PDTnode*> candidates_;
  std::unordered_set<PDTnode*> visiting_;
  std::unordered_set<PDTnode*> placed_;
  std::vector<PDTnode*> sorted_;
  std::set<std::pair<PDTnode*, int>> failed_;
  std::map<std::pair<PDTnode*, int>, std::vector<PDTnode*>> references_;
  std::unordered_map<PDTnode*, bool> self_;
};

int SortReferencesWith(bool fast, PDTnode* node, GENERIC_LIST<PDTnode>* visiting,
                       GENERIC_LIST<PDTnode>* candidates, GENERIC_LIST<PDTnode>* sorted, int level,
                       int* lowest) {
  if (node == nullptr || visiting == nullptr || candidates == nullptr || sorted == nullptr) {
    return 1;
  }
  Sorter sorter(fast, ToVector(candidates));
  sorter.Seed(ToVector(sorted), ToVector(visiting));
  if (lowest != nullptr) {
    *lowest = std::min(*lowest, level);
  }
  int result = sorter.Order(node, level, lowest);
  ToList(sorter.sorted(), sorted);
  return result;
}

// One walk at highest level `level`: 0 and the order in `out`, or 1.
int WalkOnLevel(Sorter& sorter, const std::vector<PDTnode*>& in, int level, int* lowest) {
  for (PDTnode* node : in) {
    if (node != nullptr && !sorter.IsPlaced(node) && !sorter.OrderAtLevels(node, level, lowest)) {
      return 1;
    }
  }
  return 0;
}

int SortOnLevel(bool fast, GENERIC_LIST<PDTnode>* in, GENERIC_LIST<PDTnode>* out, int level,
                int* lowest) {
  if (in == nullptr || out == nullptr) {
    return 1;
  }
  std::vector<PDTnode*> nodes = ToVector(in);
  Sorter sorter(fast, nodes);
  if (WalkOnLevel(sorter, nodes, level, lowest) != 0) {
    return 1;
  }
  ToList(sorter.sorted(), out);
  return 0;
}

int SortLowering(bool fast, const std::vector<PDTnode*>& nodes, std::vector<PDTnode*>& out) {
  Sorter sorter(fast, nodes);
  for (int level = 2; level >= 0; --level) {
    int lowest = level;
    if (WalkOnLevel(sorter, nodes, level, &lowest) == 0) {
      out = sorter.sorted();
      return 0;
    }
  }
  return 1;
}

int SortList(bool fast, GENERIC_LIST<PDTnode>* in, GENERIC_LIST<PDTnode>* out) {
  if (in == nullptr || out == nullptr) {
    return 1;
  }
  std::vector<PDTnode*> sorted;
  if (SortLowering(fast, ToVector(in), sorted) != 0) {
    return 1;
  }
  ToList(sorted, out);
  return 0;
}

// A combination always follows its operands: parents standing earlier move behind the node.
std::vector<PDTnode*> ParentsAfterChildren(std::vector<PDTnode*> nodes) {
  std::unordered_map<PDTnode*, std::size_t> position;
  auto renumber = [&]() {
    position.clear();
    for (std::size_t k = 0; k < nodes.size(); ++k) {
      position[nodes[k]] = k;
    }
  };
  renumber();
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    // Every move puts one more ancestor behind position i; a parent chain is finite, but a
    // damaged tree is bounded by the list's length.
    for (std::size_t moves = 0; moves <= nodes.size(); ++moves) {
      PDTnode* parent = nodes[i]->get_parent();
      auto at = parent != nullptr ? position.find(parent) : position.end();
      if (at == position.end() || at->second >= i) {
        break;
      }
      nodes.erase(nodes.begin() + static_cast<std::ptrdiff_t>(at->second));
      nodes.insert(nodes.begin() + static_cast<std::ptrdiff_t>(i), parent);
      renumber();
    }
  }
  return nodes;
}

// Replaces all_nodes from the first position where it differs from `order`.
void WriteBack(const std::vector<PDTnode*>& order, int from = 0) {
  int first = from;
  while (first - from < static_cast<int>(order.size()) && first < all_nodes->size() &&
         (*all_nodes)[first] == order[static_cast<std::size_t>(first - from)]) {
    ++first;
  }
  if (first - from == static_cast<int>(order.size())) {
    return;
  }
  std::vector<PDTnode*> tail(all_nodes->begin() + from + static_cast<int>(order.size()),
                             all_nodes->end());
  all_nodes->erase(first);
  for (std::size_t k = static_cast<std::size_t>(first - from); k < order.size(); ++k) {
    all_nodes->add(order[k]);
  }
  for (PDTnode* node : tail) {
    all_nodes->add(node);
  }
}

int SortAll(bool fast) {
  if (all_nodes == nullptr) {
    return 1;
  }
  std::vector<PDTnode*> prefixed = ParentsAfterChildren(AllNodes());
  std::vector<PDTnode*> sorted;
  int result = SortLowering(fast, prefixed, sorted);
  WriteBack(result == 0 ? sorted : prefixed);
  return result;
}

}  // namespace

namespace varnex::tree {

int OrderCheck(rumpf* object, const char* formula) {
  PDTnode* own = NodeOfRumpf(object);
  if (own == nullptr || formula == nullptr || all_nodes == nullptr) {
    return 0;
  }
  VALUE_LIST<PVMStrg> names(TRUE);
  FormulaReferenceNames(formula, &names);
  bool any = false, after_all = true;
  int own_position = all_nodes->lookup(own);
  for (int i = 0; i < names.count(); ++i) {
    PDTnode* node = varnex::tree::NodeOfFormulaName(object, names[i]);
    if (node == nullptr || node == own) {
      continue;
    }
    any = true;
    after_all = after_all && all_nodes->lookup(node) < own_position;
  }
  if (!any || after_all) {
    return 0;
  }
  std::string saved = object->get_value_source() != nullptr ? object->get_value_source() : "";
  object->set_value_source(formula);
  GENERIC_LIST<PDTnode> in, out;
  ToList(AllNodes(), &in);
  int result = SortFastFeatureNodes(&in, &out);
  object->set_value_source(saved.empty() ? nullptr : saved.c_str());
  return result;
}

int RebuildInOrder(const std::function<int(PDTnode*)>& refresh) {
  std::vector<PDTnode*> order = AllNodes();
  bool asked = false, stop_asking = false;
  int failures = 0, collected = 0;
  std::string names;
  for (PDTnode* node : order) {
    if (!all_nodes->contains(node)) {
      continue;  // deleted by an earlier refresh
    }
    int result = refresh(node);
    if (result < 0) {
      continue;  // not rebuilt
    }
    PDTLastUpdated().push_back(node->get_name());
    if (all_nodes->contains(node)) {
      NoteIfFailed(node);
    }
    bool last = all_nodes->lookup(node) == all_nodes->size() - 1;
    if (result == 2) {
      ++failures;
      if (!asked && !stop_asking && !last && pPVFHandleMessage != nullptr) {
        asked = true;
        Answer answer = pPVFHandleMessage->Ask("AskPDTglobalRebuild", node->get_name(), FALSE);
        if (answer == AnswerCancel || answer == AnswerAbort) {
          return -1;
        }
        stop_asking = answer == AnswerYesToAll;
      }
    } else if (result > 2) {
      ++failures;
      if (!last) {
        if (collected < 5) {
          names += (collected > 0 ? ", " : "") + std::string(node->get_name());
        } else if (collected == 5) {
          names += ", ...";
        }
        ++collected;
      }
    }
  }
  if (!names.empty()) {
    if (pPVFHandleMessage != nullptr) {
      Answer answer = pPVFHandleMessage->Ask("AskPDTglobalRebuild", names.c_str(), FALSE);
      if (answer == AnswerCancel || answer == AnswerAbort) {
        return -1;
      }
    }
    return 0;
  }
  return failures > 0 && stop_asking ? -2 : failures;
}

}  // namespace varnex::tree

int sort_nodes(PDTnode* node, GENERIC_LIST<PDTnode>* out) {
  if (node == nullptr || out == nullptr) {
    return -1;
  }
  // Iterative post-order: combination chains may be thousands deep.
  std::unordered_set<PDTnode*> present;
  for (int i = 0; i < out->count(); ++i) {
    present.insert((*out)[i]);
  }
  std::vector<std::pair<PDTnode*, bool>> stack{{node, false}};
  while (!stack.empty()) {
    auto [current, expanded] = stack.back();
    stack.pop_back();
    if (expanded) {
      if (present.insert(current).second) {
        out->add(current);
      }
      continue;
    }
    stack.push_back({current, true});
    if (PDTcomb* comb = AsComb(current)) {
      for (PDTnode* operand : {comb->get_op2(), comb->get_op1()}) {
        if (operand != nullptr) {
          stack.push_back({operand, false});
        }
      }
    }
  }
  return out->count();
}

int sort_references(PDTnode* node, GENERIC_LIST<PDTnode>* visiting,
                    GENERIC_LIST<PDTnode>* candidates, GENERIC_LIST<PDTnode>* sorted, int level,
                    int* lowest) {
  return SortReferencesWith(false, node, visiting, candidates, sorted, level, lowest);
}

int SortFastReferences(PDTnode* node, GENERIC_LIST<PDTnode>* visiting,
                       GENERIC_LIST<PDTnode>* candidates, GENERIC_LIST<PDTnode>* sorted, int level,
                       int* lowest) {
  return SortReferencesWith(true, node, visiting, candidates, sorted, level, lowest);
}

int sort_feature_nodes(GENERIC_LIST<PDTnode>* in, GENERIC_LIST<PDTnode>* out) {
  return SortList(false, in, out);
}

int SortFastFeatureNodes(GENERIC_LIST<PDTnode>* in, GENERIC_LIST<PDTnode>* out) {
  return SortList(true, in, out);
}

int sort_feature_nodes_on_level(GENERIC_LIST<PDTnode>* in, GENERIC_LIST<PDTnode>* out, int level,
                                int* lowest) {
  return SortOnLevel(false, in, out, level, lowest);
}

int SortFastFeatureNodesOnLevel(GENERIC_LIST<PDTnode>* in, GENERIC_LIST<PDTnode>* out, int level,
                                int* lowest) {
  return SortOnLevel(true, in, out, level, lowest);
}

int SortAllNodes() {
  return SortAll(false);
}

int SortFastAllNodes() {
  return SortAll(true);
}

int SortFastTreeNodeCollection(GENERIC_LIST<PDTnode>* tree_nodes,
                               GENERIC_LIST<PDTnode>* reference_nodes) {
  if (all_nodes == nullptr) {
    return 1;
  }
  if (all_nodes->size() < 500 || free_nodes == nullptr || free_nodes->count() < 5) {
    return SortFastAllNodes();
  }
  varnex::tree::NodeSet collection;
  for (const GENERIC_LIST<PDTnode>* list : {tree_nodes, reference_nodes}) {
    for (int i = 0; list != nullptr && i < list->count(); ++i) {
      if (PDTnode* node = (*list)[i]; node != nullptr && all_nodes->contains(node)) {
        GENERIC_LIST<PDTnode> subtree;
        node->top()->GetAllNodes(&subtree);
        for (int j = 0; j < subtree.count(); ++j) {
          collection.Add(subtree[j]);
        }
      }
    }
  }
  if (collection.empty()) {
    return 0;
  }
  // The stretch of all_nodes from the first to the last collected node, widened until every
  // node in it has its references inside it or before it.
  int low = all_nodes->size(), high = -1;
  for (PDTnode* node : collection.nodes()) {
    low = std::min(low, all_nodes->lookup(node));
    high = std::max(high, all_nodes->lookup(node));
  }
  for (int scanned = low; scanned <= high; ++scanned) {
    GENERIC_LIST<PDTnode> references(TRUE);
    get_references((*all_nodes)[scanned], &references, 2);
    for (int j = 0; j < references.count(); ++j) {
      int at = all_nodes->lookup(references[j]);
      high = std::max(high, at);
      if (at >= 0 && at < low) {
        low = at;
        scanned = low - 1;  // a new gap: scan the widened stretch again
        break;
      }
    }
  }
  std::vector<PDTnode*> stretch(all_nodes->begin() + low, all_nodes->begin() + high + 1);
  std::vector<PDTnode*> sorted;
  stretch = ParentsAfterChildren(stretch);
  if (SortLowering(true, stretch, sorted) != 0) {
    sorted = stretch;
  }
  WriteBack(sorted, low);
  return 0;
}

int PreSortTransNodes(PDTcomb* comb, PDTnode* operand) {
  if (comb == nullptr || operand == nullptr || all_nodes == nullptr) {
    return 0;
  }
  PDTnode* trans = comb->OtherOperand(operand);
  if (trans == nullptr || !trans->IsTypeOf("PDTtrans")) {
    return 0;
  }
  int at_operand = all_nodes->lookup(operand);
  int at_comb = all_nodes->lookup(comb);
  int at_trans = all_nodes->lookup(trans);
  if (at_operand < 0 || at_comb < 0 || at_trans < 0 || at_comb - at_operand < 10 ||
      at_trans < at_operand) {
    return 0;
  }
  GENERIC_LIST<PDTnode> references(TRUE);
  get_references(trans, &references, 0);
  for (int i = 0; i < references.count(); ++i) {
    if (references[i] != trans && all_nodes->lookup(references[i]) > at_operand) {
      return 0;
    }
  }
  all_nodes->insert(trans, at_operand + 1);
  at_operand = all_nodes->lookup(operand);
  all_nodes->insert(comb, at_operand + 2);
  return all_nodes->lookup(comb);
}

PDTnode* make_consistent(PDTnode* node, int* changed) {
  if (PDTcomb* comb = AsComb(node)) {
    return make_consistent_combination(comb, changed);
  }
  return node;
}

PDTnode* make_consistent_combination(PDTcomb* comb, int* changed) {
  if (comb == nullptr) {
    return nullptr;
  }
  for (PDTnode* operand : {comb->get_op1(), comb->get_op2()}) {
    if (PDTcomb* inner = AsComb(operand)) {
      make_consistent_combination(inner, changed);
    }
  }
  PDTnode* op1 = comb->get_op1();
  PDTnode* op2 = comb->get_op2();
  if (op1 != nullptr && op2 != nullptr) {
    comb->correct_comb_type();
    return comb;
  }
  PDTnode* remaining = op1 != nullptr ? op1 : op2;
  PDTnode* parent = comb->get_parent();
  if (changed != nullptr) {
    ++*changed;
  }
  delete_node(comb);  // the remaining operand becomes a root
  if (parent != nullptr && remaining != nullptr) {
    void_list pair;
    pair.add(parent);
    pair.add(remaining);
    make_connection(&pair);
  }
  return remaining;
}

int Nodes_List_Consistence() {
  if (all_nodes == nullptr || free_nodes == nullptr) {
    return 0;
  }
  all_nodes->remove(static_cast<PDTnode*>(nullptr));
  for (int i = free_nodes->count() - 1; i >= 0; --i) {
    if (!all_nodes->contains(static_cast<PDTnode*>((*free_nodes)[i]))) {
      free_nodes->remove(static_cast<unsigned>(i));
    }
  }
  for (PDTnode* node : AllNodes()) {
    if (!free_nodes->contains(node->top())) {
      free_nodes->add(node->top());
    }
  }
  return 0;
}

int GetCorruptNodes(GENERIC_LIST<PDTnode>* out) {
  int found = 0;
  for (PDTnode* node : AllNodes()) {
    if (node->IsCorrupt()) {
      ++found;
      if (out != nullptr) {
        out->add(node);
      }
    }
  }
  return found;
}

int GetInsignificantNodes(GENERIC_LIST<PDTnode>* out, int mode) {
  int found = 0;
  for (PDTnode* node : AllNodes()) {
    if (!node->IsSignificant(mode)) {
      ++found;
      if (out != nullptr) {
        out->add(node);
      }
    }
  }
  return found;
}

int CalibrateSortWithAllNodes() {
  if (anfang != nullptr) {
    anfang->get_inertial_world()->CalibrateSortedWithNullWelt();
  }
  return 0;
}

int PDTrebuild(int from) {
  std::vector<PDTnode*> order = AllNodes();
  for (std::size_t i = static_cast<std::size_t>(std::max(from, 0)); i < order.size(); ++i) {
    if (all_nodes->contains(order[i])) {
      order[i]->refresh(static_cast<int>(i) == from ? 1 : 0);
    }
  }
  return 0;
}

int rebuild_all() {
  if (all_nodes == nullptr) {
    return 0;
  }
  varnex::tree::PDTLastUpdated().clear();
  varnex::tree::PDTLastRestored().clear();
  varnex::tree::PDTLastFailed().clear();
  varnex::tree::ConnectionScope connections;
  gmod_del_all();
  return varnex::tree::RebuildInOrder([](PDTnode* node) { return node->refresh(0); });
}

// ---- PVFPdtOrder ----

PVFPdtOrder::PVFPdtOrder(GENERIC_LIST<PDTnode>* nodes) {
  Update(nodes);
}

PVFPdtOrder::~PVFPdtOrder() = default;

void PVFPdtOrder::Invalidate() {
  sorted_ = 0;
}

void PVFPdtOrder::Update(GENERIC_LIST<PDTnode>* nodes) {
  input_ = nodes != nullptr ? ToVector(nodes) : AllNodes();
  Invalidate();
}

void PVFPdtOrder::AddNode(PDTnode* node) {
  if (node != nullptr && std::find(input_.begin(), input_.end(), node) == input_.end()) {
    input_.push_back(node);
  }
  Invalidate();
}

void PVFPdtOrder::AddNodes(GENERIC_LIST<PDTnode>* nodes) {
  for (PDTnode* node : ToVector(nodes)) {
    AddNode(node);
  }
}

void PVFPdtOrder::RemoveNode(PDTnode* node) {
  input_.erase(std::remove(input_.begin(), input_.end(), node), input_.end());
  Invalidate();
}

void PVFPdtOrder::RemoveNodes(GENERIC_LIST<PDTnode>* nodes) {
  for (PDTnode* node : ToVector(nodes)) {
    RemoveNode(node);
  }
}

int PVFPdtOrder::FastSort() {
  if (fast_ != 1) {
    fast_ = 1;
    Invalidate();
  }
  return sorted_;
}

int PVFPdtOrder::DetailSort() {
  if (fast_ != 0) {
    fast_ = 0;
    Invalidate();
  }
  return sorted_;
}

void PVFPdtOrder::SetStartingTransformationCheckLevel(int level) {
  starting_level_ = std::clamp(level, 0, 2);
  Invalidate();
}

std::vector<PDTnode*> PVFPdtOrder::InputInAllNodes() const {
  std::vector<PDTnode*> nodes;
  for (PDTnode* node : input_) {
    if (all_nodes != nullptr && all_nodes->contains(node)) {
      nodes.push_back(node);
    }
  }
  return nodes;
}

int PVFPdtOrder::SortInto(const std::vector<PDTnode*>& in, std::vector<PDTnode*>& out) {
  general_level_ = 2;
  special_level_ = 2;
  sortable_ = 0;
  for (int level = starting_level_; level >= 0; --level) {
    Sorter sorter(fast_ == 1, in);
    int lowest = level;
    if (WalkOnLevel(sorter, in, level, &lowest) == 0) {
      out = sorter.sorted();
      sortable_ = 1;
      general_level_ = level;
      special_level_ = lowest;
      return 1;
    }
  }
  return 0;
}

int PVFPdtOrder::Sort() {
  std::vector<PDTnode*> in = InputInAllNodes();
  std::vector<PDTnode*> found;
  if (SortInto(in, found)) {
    order_ = found;
    changed_ = found != in ? 1 : 0;
  } else {
    changed_ = 0;
  }
  sorted_ = 1;
  return sortable_;
}

int PVFPdtOrder::IsSortable() {
  if (!sorted_) {
    Sort();
  }
  return sortable_;
}

int PVFPdtOrder::HasChanged() {
  if (!sorted_) {
    Sort();
  }
  return changed_;
}

int PVFPdtOrder::GetGeneralTransformationCheckLevel() {
  if (!sorted_) {
    Sort();
  }
  return general_level_;
}

int PVFPdtOrder::GetSpecialTransformationCheckLevel() {
  if (!sorted_) {
    Sort();
  }
  return special_level_;
}

int PVFPdtOrder::GetOrder(GENERIC_LIST<PDTnode>* out) {
  if (!sorted_) {
    Sort();
  }
  if (out != nullptr) {
    ToList(order_, out);
    return static_cast<int>(order_.size());
  }
  int position = 0;
  for (PDTnode* node : order_) {
    if (all_nodes != nullptr && all_nodes->contains(node)) {
      all_nodes->insert(node, position++);
    }
  }
  return static_cast<int>(order_.size());
}

XBOOL PVFPdtOrder::IsConsistentOrder() {
  if (sorted_ && !changed_) {
    return TRUE;
  }
  std::vector<PDTnode*> in = InputInAllNodes();
  std::vector<PDTnode*> first, second;
  bool consistent =
      SortInto(in, first) && SortInto(first, second) && first == second && first == in;
  Invalidate();
  order_.clear();
  return ToXBool(consistent);
}
