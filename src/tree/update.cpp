// Update propagation: collecting the nodes a change reaches and refreshing exactly those, in
// all_nodes order.
#include <varnex/base/messages.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/transforms.h>
#include <varnex/library/para_feature.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/ordering.h>
#include <varnex/tree/tree_functions.h>
#include <varnex/tree/update.h>

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "tree/tree_internal.h"
#include "tree/update_internal.h"

using varnex::tree::NodeSet;

namespace {

// Module-wide update state: whether an update runs, whether geometry moved during the current
// refresh, whether a memory-body restart is under way, and what the last update refreshed.
struct UpdateState {
  bool in_progress = false;
  bool geometry_moved = false;
  bool restarting = false;
  std::vector<std::string> last_updated;
  std::vector<std::string> last_restored;
  std::vector<std::string> last_failed;
};

UpdateState& State() {
  static UpdateState state;
  return state;
}

void NoteGeometryMoved() {
  if (State().in_progress) {
    State().geometry_moved = true;
  }
}

// Sets "update in progress" and clears "geometry moved" for its lifetime; both are cleared on
// every way out (nested updates keep the outer one's flag).
class UpdateScope {
 public:
  UpdateScope() : outer_(State().in_progress) {
    pPVFObjectGeometryMoved = &NoteGeometryMoved;
    State().in_progress = true;
    State().geometry_moved = false;
  }
  ~UpdateScope() {
    State().in_progress = outer_;
    State().geometry_moved = false;
  }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

 private:
  bool outer_;
};

PDTcomb* AsComb(PDTnode* node) {
  return node != nullptr && node->IsTypeOf("PDTcomb") ? static_cast<PDTcomb*>(node) : nullptr;
}

bool InAllNodes(const PDTnode* node) {
  return node != nullptr && all_nodes != nullptr && all_nodes->contains(node);
}

// The collection of get_all_nodes_to_update: the growing work list and the sets it fills.
class Collector {
 public:
  Collector(NodeSet& tops, NodeSet& update, NodeSet& mem_bodies, PDTReferenceCache* cache)
      : tops_(tops), update_(update), mem_bodies_(mem_bodies), cache_(cache) {}

  void Collect(PDTnode* start) {
    AddWithAttributed(start, start);
    for (std::size_t i = 0; i < work_.size(); ++i) {
      PDTnode* entry = work_[i];
      if (update_.Contains(entry)) {
        continue;
      }
      for (PDTnode* ancestor = entry->get_parent(); ancestor != nullptr;
           ancestor = ancestor->get_parent()) {
        if (!work_.Contains(ancestor)) {
          AddWithAttributed(ancestor, entry);
        }
      }
      tops_.Add(entry->top());
      PDTnode* silent = nullptr;
      if (!entry->IsSilent(silent)) {
        void_list found(TRUE);
        get_referencing_nodes(entry, &found, cache_);
        varnex::tree::Context().GetCon2dRefByNodes(entry, &found);
        AddAll(found);
        OperandRule(entry);
      }
      update_.Add(entry);
    }
  }

 private:
  void Add(PDTnode* node) {
    if (InAllNodes(node)) {
      work_.Add(node);
    }
  }
  void AddAll(const void_list& nodes) {
    for (int i = 0; i < nodes.count(); ++i) {
      Add(static_cast<PDTnode*>(nodes[i]));
    }
  }
  // `node` joins the work list together with the attributed nodes of `of`.
  void AddWithAttributed(PDTnode* node, PDTnode* of) {
    Add(node);
    void_list attributed(TRUE);
    include_attributed_nodes(of, &attributed);
    AddAll(attributed);
  }
  // A combination is rebuilt from its operands: each operand (except transformations, whose
  // value is read as it is) is restored from its memory body or rebuilt itself. A manipulation
  // at the root of its tree works on the trees it refers to: those are rebuilt too.
  void OperandRule(PDTnode* node) {
    if (PDTcomb* comb = AsComb(node)) {
      for (PDTnode* operand : {comb->get_op1(), comb->get_op2()}) {
        if (operand == nullptr || operand->IsTypeOf("PDTtrans") || work_.Contains(operand)) {
          continue;
        }
        if (operand->eHasMemBody()) {
          mem_bodies_.Add(operand);
          AddManipulationsOf(operand);
        } else {
          AddWithAttributed(operand, operand);
          OperandRule(operand);
        }
      }
      return;
    }
    if (node->get_parent() == nullptr && node->get_sign() == PDT_SIGN_MANIPULATION) {
      GENERIC_LIST<PDTnode> referenced(TRUE);
      node->GetReferencesTo(&referenced);
      for (int i = 0; i < referenced.count(); ++i) {
        if (referenced[i] != node && !referenced[i]->IsTypeOf("PDTtrans") &&
            referenced[i]->get_sign() != PDT_SIGN_TRANSFORMATION) {
          Add(referenced[i]->top());
        }
      }
    }
  }
  // Manipulations of other trees that refer into a subtree restored from its memory body.
  void AddManipulationsOf(PDTnode* operand) {
    GENERIC_LIST<PDTnode> subtree;
    operand->GetAllNodes(&subtree);
    PDTnode* own_top = operand->top();
    for (int i = 0; i < subtree.count(); ++i) {
      void_list referrers(TRUE);
      get_referencing_nodes(subtree[i], &referrers, cache_);
      for (int j = 0; j < referrers.count(); ++j) {
        auto* referrer = static_cast<PDTnode*>(referrers[j]);
        if (referrer->get_sign() == PDT_SIGN_MANIPULATION && referrer->top() != own_top) {
          Add(referrer);
        }
      }
    }
  }

  NodeSet work_;
  NodeSet& tops_;
  NodeSet& update_;
  NodeSet& mem_bodies_;
  PDTReferenceCache* cache_;
};

// Replaces the contents of `list` by the members of `set`.
void Fill(void_list* list, const NodeSet& set) {
  if (list == nullptr) {
    return;
  }
  list->Clear();
  for (PDTnode* node : set.nodes()) {
    list->add(node);
  }
}

// Removes from `list` every entry that is no longer in all_nodes.
void DropDeleted(void_list* list) {
  for (int i = list != nullptr ? list->count() - 1 : -1; i >= 0; --i) {
    if (!InAllNodes(static_cast<PDTnode*>((*list)[i]))) {
      list->remove(i);
    }
  }
}

void DropDeleted(PDTReferenceCache* cache) {
  if (cache == nullptr) {
    return;
  }
  for (auto it = cache->begin(); it != cache->end();) {
    if (!InAllNodes(it->first)) {
      it = cache->erase(it);
      continue;
    }
    auto& referrers = it->second;
    referrers.erase(std::remove_if(referrers.begin(), referrers.end(),
                                   [](PDTnode* node) { return !InAllNodes(node); }),
                    referrers.end());
    ++it;
  }
}

void ClearLastUpdate() {
  State().last_updated.clear();
  State().last_restored.clear();
  State().last_failed.clear();
}

// Restores the memory-body nodes that are not rebuilt. Returns the nodes whose body could not
// be restored; they lose their memory body, so that collecting them again reaches their
// operands.
std::vector<PDTnode*> RestoreMemoryBodies(const NodeSet& mem_bodies, const NodeSet& update) {
  std::vector<PDTnode*> failed;
  for (PDTnode* node : mem_bodies.nodes()) {
    if (update.Contains(node)) {
      continue;
    }
    node->delete_body();
    if (node->CopyFromMemBody() == nullptr) {
      node->DeleteMemBody();
      failed.push_back(node);
    } else {
      State().last_restored.push_back(node->get_name());
    }
  }
  return failed;
}

// The nodes whose objects refer to the geometric objects of `node`, following references to
// their targets and 2D contours to the object their formula names.
std::vector<PDTnode*> ReferrersOfGeometry(PDTnode* node) {
  std::vector<PDTnode*> found;
  std::unordered_set<rumpf*> seen;
  std::vector<rumpf*> pending;
  for (rumpf* object : varnex::tree::InstanceObjects(node)) {
    if (object->isTypeOf("Geometric")) {
      GENERIC_LIST<rumpf> referrers(TRUE);
      object->GetReferencesBy(&referrers);
      for (int i = 0; i < referrers.count(); ++i) {
        pending.push_back(referrers[i]);
      }
    }
  }
  while (!pending.empty()) {
    rumpf* object = pending.back();
    pending.pop_back();
    if (object == nullptr || !seen.insert(object).second) {
      continue;
    }
    if (object->isTypeOf("REFERENCE")) {
      GENERIC_LIST<rumpf> referrers(TRUE);
      object->GetReferencesBy(&referrers);
      for (int i = 0; i < referrers.count(); ++i) {
        pending.push_back(referrers[i]);
      }
    } else if (object->isTypeOf("Connect2d") && object->get_value_source() != nullptr) {
      std::string formula = object->get_value_source();
      std::string target = formula.substr(0, formula.find(';'));
      PDTnode* target_node = varnex::tree::NodeOfFormulaName(object, target.c_str());
      if (target_node == nullptr) {
        target = formula.substr(0, formula.find('+'));
        target_node = varnex::tree::NodeOfFormulaName(object, target.c_str());
      }
      if (target_node != nullptr) {
        found.push_back(target_node);
      }
    }
    if (object->isTypeOf("Geometric") || object->isTypeOf("Planet") ||
        object->isTypeOf("REFERENCE")) {
      if (PDTnode* owner = NodeOfRumpf(object); owner != nullptr && owner != node) {
        found.push_back(owner);
      }
    }
  }
  return found;
}

// The refresh loop of do_update_of_nodes_in_list.
class Refresher {
 public:
  Refresher(void_list* tops, void_list* excluded, const NodeSet& silent)
      : tops_(tops), excluded_(excluded), silent_(silent) {}

  void Run(std::vector<PDTnode*> order) {
    order_ = std::move(order);
    for (PDTnode* node : order_) {
      scheduled_.insert(node);
    }
    std::size_t prepared = 0;
    for (std::size_t i = 0; i < order_.size(); ++i) {
      if (prepared < order_.size()) {
        DeleteBodies(prepared);
        prepared = order_.size();
      }
      PDTnode* node = order_[i];
      int size_before = all_nodes->size();
      int sign_before = node->get_sign();
      if (silent_.Contains(node)) {
        node->RefreshSilent(0);
      } else {
        node->refresh(0);
      }
      State().last_updated.push_back(node->get_name());
      if (all_nodes->size() < size_before) {
        DropDeletedAfter(i);
        if (!InAllNodes(node)) {
          continue;
        }
      }
      varnex::tree::NoteIfFailed(node);
      if (sign_before != node->get_sign() && node->get_sign() == PDT_SIGN_MANIPULATION) {
        ScheduleDependants(node, i);
      }
      if (State().geometry_moved) {
        State().geometry_moved = false;
        for (PDTnode* target : ReferrersOfGeometry(node)) {
          if (all_nodes->lookup(target) > all_nodes->lookup(node)) {
            ScheduleDependants(target, i);
          }
        }
      }
    }
  }

 private:
  // Bodies of the entries from `from` on go before any of them is rebuilt; a manipulation
  // without a body of its own takes its tree's body.
  void DeleteBodies(std::size_t from) {
    // Entries added after the recording (scheduled during the refresh, the subtree of a failed
    // memory body) have their connections recorded first; recorded ones are skipped.
    varnex::tree::RecordConnections(
        {order_.begin() + static_cast<std::ptrdiff_t>(from), order_.end()});
    for (std::size_t k = from; k < order_.size(); ++k) {
      PDTnode* node = order_[k];
      bool silent = silent_.Contains(node);
      bool deleted = !silent && node->delete_body();
      int sign = node->get_sign();
      if ((silent || !deleted) && (sign == PDT_SIGN_MANIPULATION || sign == PDT_SIGN_NEGATION)) {
        PDTnode* top = node->top();
        if (top != node && !silent_.Contains(top)) {
          top->delete_body();
        }
      }
    }
  }
  void DropDeletedAfter(std::size_t i) {
    std::vector<PDTnode*> kept(order_.begin(), order_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    for (std::size_t k = i + 1; k < order_.size(); ++k) {
      if (InAllNodes(order_[k])) {
        kept.push_back(order_[k]);
      } else {
        scheduled_.erase(order_[k]);
      }
    }
    order_ = std::move(kept);
    DropDeleted(tops_);
    DropDeleted(excluded_);
    DropDeleted(&cache_);
  }
  // Collects what `node` reaches now and inserts the entries not yet scheduled after position
  // `i`, in all_nodes order.
  void ScheduleDependants(PDTnode* node, std::size_t i) {
    NodeSet tops(tops_), update, mem_bodies;
    Collector collector(tops, update, mem_bodies, &cache_);
    collector.Collect(node);
    tops.CopyTo(tops_);
    NodeSet excluded(excluded_);
    std::vector<PDTnode*> added;
    for (PDTnode* candidate : update.nodes()) {
      if (!scheduled_.count(candidate) && !excluded.Contains(candidate) &&
          all_nodes->lookup(candidate) > all_nodes->lookup(order_[i])) {
        added.push_back(candidate);
      }
    }
    if (added.empty()) {
      return;
    }
    for (PDTnode* candidate : added) {
      scheduled_.insert(candidate);
    }
    std::vector<PDTnode*> rest(order_.begin() + static_cast<std::ptrdiff_t>(i) + 1, order_.end());
    rest.insert(rest.end(), added.begin(), added.end());
    std::sort(rest.begin(), rest.end(),
              [](PDTnode* a, PDTnode* b) { return all_nodes->lookup(a) < all_nodes->lookup(b); });
    order_.resize(i + 1);
    order_.insert(order_.end(), rest.begin(), rest.end());
  }

  void_list* tops_;
  void_list* excluded_;
  const NodeSet& silent_;
  std::vector<PDTnode*> order_;
  std::unordered_set<PDTnode*> scheduled_;
  PDTReferenceCache cache_;
};

// The lists one update collects into: the caller's top list or one of its own, the nodes to
// refresh, those to restore from memory bodies, and the reference cache. A new update (not the
// restart of one) forgets what the last one reported.
struct UpdateCollection {
  explicit UpdateCollection(void_list* given_tops)
      : own_tops(TRUE), tops(given_tops != nullptr ? given_tops : &own_tops), top_set(tops) {
    if (!State().restarting) {
      ClearLastUpdate();
    }
  }
  void_list own_tops;
  void_list* tops;
  NodeSet top_set;
  NodeSet update;
  NodeSet mem_bodies;
  PDTReferenceCache cache;
};

// The update after the collection: silent nodes, memory bodies, the refresh.
int RefreshCollected(PDTnode* restart_node, void_list* start_nodes, NodeSet& update,
                     NodeSet& mem_bodies, void_list* tops, void_list* excluded,
                     PDTReferenceCache& cache) {
  void_list update_list(TRUE), mem_list(TRUE);
  Fill(&update_list, update);
  Fill(&mem_list, mem_bodies);
  GENERIC_LIST<PDTnode> silent(TRUE);
  if (PVFCheckSilentNodes(&update_list, &mem_list, silent, &cache, nullptr) < 1 &&
      silent.count() == 0) {
    return 0;
  }
  NodeSet updates(&update_list), kept_bodies(&mem_list);
  varnex::tree::ConnectionScope connections(&update_list, &mem_list);
  std::vector<PDTnode*> failed = RestoreMemoryBodies(kept_bodies, updates);
  if (!failed.empty()) {
    // One restart with the first failed node among the start nodes (the failed nodes have no
    // memory body now, so the restart collects their operands); a failure during the restart
    // rebuilds the whole subtree of each failed node.
    if (!State().restarting) {
      State().restarting = true;
      void_list restart(TRUE);
      if (restart_node != nullptr) {
        restart.add(restart_node);
      }
      for (int i = 0; start_nodes != nullptr && i < start_nodes->count(); ++i) {
        restart.add((*start_nodes)[i]);
      }
      restart.add(failed.front());
      int result = update_referencing_nodes(&restart, tops, nullptr, nullptr);
      State().restarting = false;
      return result;
    }
    for (PDTnode* node : failed) {
      GENERIC_LIST<PDTnode> subtree;
      node->GetAllNodes(&subtree);
      for (int i = 0; i < subtree.count(); ++i) {
        update_list.lookup(subtree[i], TRUE);
      }
    }
  }
  void_list silent_list(TRUE);
  for (int i = 0; i < silent.count(); ++i) {
    silent_list.add(silent[i]);
  }
  return do_update_of_nodes_in_list(&update_list, tops, excluded, &silent_list);
}

}  // namespace

namespace varnex::tree {

std::vector<std::string>& PDTLastUpdated() {
  return State().last_updated;
}

std::vector<std::string>& PDTLastRestored() {
  return State().last_restored;
}

std::vector<std::string>& PDTLastFailed() {
  return State().last_failed;
}

void NoteIfFailed(PDTnode* node) {
  int sign = node->get_sign();
  if ((sign == PDT_SIGN_POSITIVE || sign == PDT_SIGN_NEGATIVE) && node->get_body() == nullptr) {
    State().last_failed.push_back(node->get_name());
  }
}

}  // namespace varnex::tree

XBOOL PDTUpdateInProgress() {
  return ToXBool(State().in_progress);
}

const std::vector<std::string>& PDTLastUpdatedNodes() {
  return State().last_updated;
}

const std::vector<std::string>& PDTLastFailedNodes() {
  return State().last_failed;
}

const std::vector<std::string>& PDTLastRestoredNodes() {
  return State().last_restored;
}

int get_all_nodes_to_update(PDTnode* node, void_list* tops, void_list* update,
                            void_list* mem_bodies, PDTReferenceCache* cache) {
  if (node == nullptr || tops == nullptr || update == nullptr || mem_bodies == nullptr ||
      !InAllNodes(node)) {
    return -1;
  }
  NodeSet top_set(tops), update_set(update), mem_set(mem_bodies);
  Collector collector(top_set, update_set, mem_set, cache);
  collector.Collect(node);
  top_set.CopyTo(tops);
  update_set.CopyTo(update);
  mem_set.CopyTo(mem_bodies);
  return update->count();
}

int update_referencing_nodes(PDTnode* node, void_list* tops) {
  if (!InAllNodes(node)) {
    return -1;
  }
  UpdateScope scope;
  UpdateCollection lists(tops);
  Collector collector(lists.top_set, lists.update, lists.mem_bodies, &lists.cache);
  collector.Collect(node);
  lists.top_set.CopyTo(lists.tops);
  return RefreshCollected(node, nullptr, lists.update, lists.mem_bodies, lists.tops, nullptr,
                          lists.cache);
}

int update_referencing_nodes(void_list* nodes, void_list* tops, void_list* excluded,
                             void_list* extra) {
  if (nodes == nullptr || all_nodes == nullptr) {
    return -1;
  }
  UpdateCollection lists(tops);
  void_list* top_list = lists.tops;
  NodeSet& top_set = lists.top_set;
  NodeSet& update = lists.update;
  NodeSet& mem_bodies = lists.mem_bodies;
  PDTReferenceCache& cache = lists.cache;
  bool restricted = excluded != nullptr || extra != nullptr;
  if (nodes->count() < all_nodes->size() || restricted) {
    Collector collector(top_set, update, mem_bodies, &cache);
    for (int i = nodes->count() - 1; i >= 0; --i) {
      auto* node = static_cast<PDTnode*>((*nodes)[i]);
      if (InAllNodes(node) && !update.Contains(node)) {
        collector.Collect(node);
      }
    }
  } else {
    for (int i = 0; i < nodes->count(); ++i) {
      auto* node = static_cast<PDTnode*>((*nodes)[i]);
      if (InAllNodes(node)) {
        update.Add(node);
      }
    }
  }
  if (static_cast<int>(update.size()) >= all_nodes->size() && !restricted) {
    for (int i = 0; free_nodes != nullptr && i < free_nodes->count(); ++i) {
      top_list->lookup((*free_nodes)[static_cast<unsigned>(i)], TRUE);
    }
    return rebuild_all();
  }
  UpdateScope scope;
  for (int i = 0; extra != nullptr && i < extra->count(); ++i) {
    auto* node = static_cast<PDTnode*>((*extra)[i]);
    if (InAllNodes(node)) {
      update.Add(node);
    }
  }
  NodeSet excluded_set(excluded);
  for (PDTnode* node : excluded_set.nodes()) {
    update.Remove(node);
    mem_bodies.Remove(node);
    top_set.Remove(node);
  }
  if (!excluded_set.empty()) {
    // Attribute-like features and contexts that only excluded nodes refer to stay as they are.
    std::vector<PDTnode*> dropped;
    for (PDTnode* node : update.nodes()) {
      int sign = node->get_sign();
      bool attribute_like = node->IsTypeOf("PDTfeat") &&
                            (sign == PDT_SIGN_MANIPULATION || sign == PDT_SIGN_NEGATION ||
                             varnex::tree::BaseName(node) == "Context");
      if (!attribute_like) {
        continue;
      }
      void_list referrers(TRUE);
      get_referencing_nodes(node, &referrers, &cache);
      bool only_excluded = referrers.count() > 0;
      for (int i = 0; i < referrers.count() && only_excluded; ++i) {
        only_excluded = excluded_set.Contains(static_cast<PDTnode*>(referrers[i]));
      }
      if (only_excluded) {
        dropped.push_back(node);
      }
    }
    for (PDTnode* node : excluded_set.nodes()) {
      for (rumpf* object : varnex::tree::InstanceObjects(node)) {
        if (object->hasName("start_context")) {
          for (PDTnode* context : varnex::tree::FormulaNodes(object)) {
            if (varnex::tree::BaseName(context) == "Context") {
              dropped.push_back(context);
            }
          }
        }
      }
    }
    for (PDTnode* node : dropped) {
      update.Remove(node);
      mem_bodies.Remove(node);
    }
  }
  Fill(top_list, top_set);
  int result = RefreshCollected(nullptr, nodes, update, mem_bodies, top_list, excluded, cache);
  for (int i = 0; extra != nullptr && i < extra->count(); ++i) {
    top_list->lookup((*extra)[i], TRUE);
  }
  return result;
}

int do_update_of_nodes_in_list(void_list* update, void_list* tops, void_list* excluded,
                               void_list* silent) {
  if (update == nullptr || all_nodes == nullptr ||
      (update->count() == 0 && (silent == nullptr || silent->count() == 0))) {
    return -1;
  }
  UpdateScope scope;
  // Silent nodes are refreshed in the same order as the others, only differently.
  NodeSet members(update), silent_set(silent);
  for (PDTnode* node : silent_set.nodes()) {
    members.Add(node);
  }
  std::vector<PDTnode*> order;
  for (PDTnode* node : members.nodes()) {
    if (InAllNodes(node)) {
      order.push_back(node);
    }
  }
  std::sort(order.begin(), order.end(),
            [](PDTnode* a, PDTnode* b) { return all_nodes->lookup(a) < all_nodes->lookup(b); });
  Refresher refresher(tops, excluded, silent_set);
  refresher.Run(std::move(order));
  DropDeleted(silent);
  DropDeleted(update);
  return 0;
}

int PVFCheckSilentNodes(void_list* update, void_list* mem_bodies, GENERIC_LIST<PDTnode>& silent,
                        PDTReferenceCache* cache, std::vector<PDTnode*>* tops) {
  if (update == nullptr) {
    return -1;
  }
  PVFParaFeature& context = varnex::tree::Context();
  if (!context.eUpdateSilent()) {
    return update->count();
  }
  NodeSet gathered;
  for (int i = update->count() - 1; i >= 0; --i) {
    gathered.Add(static_cast<PDTnode*>((*update)[i])->top());
  }
  // A tree counts as silent when the context names a silent feature in it.
  std::unordered_set<PDTnode*> silent_trees;
  for (PDTnode* top : gathered.nodes()) {
    if (context.pSilentFeatInTree(top) != nullptr) {
      silent_trees.insert(top);
    }
  }
  for (int i = update->count() - 1; i >= 0; --i) {
    auto* node = static_cast<PDTnode*>((*update)[i]);
    PDTnode* silent_node = nullptr;
    if (silent_trees.count(node->top()) > 0 && node->IsSilent(silent_node)) {
      silent.lookup(node, TRUE);
      update->remove(i);
    }
  }
  for (int i = mem_bodies != nullptr ? mem_bodies->count() - 1 : -1; i >= 0; --i) {
    if (silent_trees.count(static_cast<PDTnode*>((*mem_bodies)[i])->top()) > 0) {
      mem_bodies->remove(i);
    }
  }
  if (tops != nullptr) {
    tops->assign(gathered.nodes().begin(), gathered.nodes().end());
  }
  (void)cache;
  return update->count();
}

int PVFManipulatedUpdate(GENERIC_LIST<PDTnode>* kept, GENERIC_LIST<PDTnode>*,
                         GENERIC_LIST<void>* kept_entities) {
  if (all_nodes == nullptr) {
    return -1;
  }
  UpdateScope scope;
  ClearLastUpdate();
  varnex::tree::ConnectionScope connections;
  std::unordered_set<ENTITY*> keep;
  for (int i = 0; kept_entities != nullptr && i < kept_entities->count(); ++i) {
    keep.insert(static_cast<ENTITY*>((*kept_entities)[i]));
  }
  std::vector<ENTITY*> doomed;
  for (int i = 0; gmod_anfang != nullptr && i < gmod_anfang->count(); ++i) {
    ENTITY* body = (*gmod_anfang)[i];
    if (body != nullptr && keep.count(body) == 0) {
      doomed.push_back(body);
    }
  }
  for (ENTITY* body : doomed) {
    if (gmod_anfang->lookup(body) >= 0) {
      api_delent(body);
    }
  }
  NodeSet gathered;
  for (int i = 0; kept != nullptr && i < kept->count(); ++i) {
    GENERIC_LIST<PDTnode> subtree;
    if ((*kept)[i] != nullptr) {
      (*kept)[i]->GetAllNodes(&subtree);
    }
    for (int j = 0; j < subtree.count(); ++j) {
      gathered.Add(subtree[j]);
    }
  }
  return varnex::tree::RebuildInOrder([&gathered](PDTnode* node) {
    if (gathered.Contains(node)) {
      return -1;  // kept as it is
    }
    return gathered.Contains(node->top()) ? node->RefreshSilent(0) : node->refresh(0);
  });
}
