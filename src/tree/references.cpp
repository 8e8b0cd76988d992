// Node-level references: the nodes a node's formulas name, the nodes whose formulas name it,
// the transformation subtrees a placed reference depends on, and the bookkeeping that removes
// references to a node that goes.
#include <varnex/library/para_feature.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/value_changes.h>
#include <varnex/model/welt.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/tree_functions.h>
#include <varnex/tree/update.h>

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "tree/tree_internal.h"
#include "tree/update_internal.h"

namespace varnex::tree {

std::vector<rumpf*> InstanceObjects(PDTnode* node) {
  std::vector<rumpf*> objects;
  rumpf* root = node != nullptr ? node->GetRootDataElement() : nullptr;
  if (root == nullptr) {
    return objects;
  }
  GENERIC_LIST<rumpf> members;
  root->list_all_world(&members);
  objects.reserve(static_cast<std::size_t>(members.count()) + 1);
  objects.push_back(root);
  for (int i = 0; i < members.count(); ++i) {
    objects.push_back(members[i]);
  }
  return objects;
}

PDTnode* NodeOfFormulaName(rumpf* object, const char* name) {
  nullwelt* world = object != nullptr ? object->get_first_world() : nullptr;
  nullwelt* saved = anfang;
  if (world != nullptr) {
    anfang = world;
  }
  rumpf* found = search(name);
  anfang = saved;
  return found != nullptr ? NodeOfRumpf(found) : nullptr;
}

std::vector<PDTnode*> FormulaNodes(rumpf* object) {
  std::vector<PDTnode*> nodes;
  const char* formula = object != nullptr ? object->get_value_source() : nullptr;
  if (formula == nullptr) {
    return nodes;
  }
  VALUE_LIST<PVMStrg> names(TRUE);
  FormulaReferenceNames(formula, &names);
  for (int i = 0; i < names.count(); ++i) {
    PDTnode* node = NodeOfFormulaName(object, names[i]);
    if (node != nullptr && std::find(nodes.begin(), nodes.end(), node) == nodes.end()) {
      nodes.push_back(node);
    }
  }
  return nodes;
}

std::string BaseName(PDTnode* node) {
  std::string name = node != nullptr && node->get_name() != nullptr ? node->get_name() : "";
  std::size_t generated = name.rfind("_@");
  if (generated != std::string::npos) {
    name.erase(generated);
  }
  std::size_t underscore = name.rfind('_');
  return underscore == std::string::npos ? name : name.substr(underscore + 1);
}

bool IsPlacedReferenceKind(rumpf* object) {
  return object != nullptr && (object->isTypeOf("Geometric") || object->isTypeOf("REFERENCE") ||
                               object->isTypeOf("Connect2d"));
}

}  // namespace varnex::tree

using varnex::tree::InstanceObjects;
using varnex::tree::NodeSet;

namespace {

PDTcomb* AsComb(PDTnode* node) {
  return node != nullptr && node->IsTypeOf("PDTcomb") ? static_cast<PDTcomb*>(node) : nullptr;
}

void AddNode(void_list* out, PDTnode* node) {
  if (out != nullptr && node != nullptr && out->lookup(node) < 0) {
    out->add(node);
  }
}

// The transformation references of the placed-reference objects of `node` that refer to `ref`.
void AddPlacementReferences(PDTnode* node, const std::vector<rumpf*>& objects,
                            GENERIC_LIST<PDTnode>* out, int level) {
  if (level <= 0) {
    return;
  }
  for (rumpf* object : objects) {
    if (!varnex::tree::IsPlacedReferenceKind(object)) {
      continue;
    }
    GENERIC_LIST<PDTnode> referenced(TRUE);
    object->GetReferencesTo(&referenced);
    for (int i = 0; i < referenced.count(); ++i) {
      PDTnode* ref = referenced[i];
      if (ref != node) {
        get_transformation_references(ref, out, level, common_parent(ref, node));
      }
    }
  }
}

// A carving feature looks at plain references only.
int EffectiveLevel(PDTnode* node, int level) {
  rumpf* root = node->GetRootDataElement();
  if (root != nullptr && std::string(root->get_alias_type()).rfind("feature_Carving", 0) == 0) {
    return 0;
  }
  return level;
}

// Every view gathers the same thing from each object of the node's instance: `gather(object,
// out)` adds that object's part to `out`. Null asks for nothing (-1).
template <class List, class Gather>
int GatherFromObjects(PDTnode* node, List* out, Gather gather) {
  if (out == nullptr) {
    return -1;
  }
  for (rumpf* object : InstanceObjects(node)) {
    gather(object, out);
  }
  return out->count();
}

// Names appear once in a name list, however many objects name them.
template <class Gather>
void AddNewNames(rumpf* object, VALUE_LIST<PVMStrg>* out, Gather gather) {
  VALUE_LIST<PVMStrg> names;
  gather(object, &names);
  for (int i = 0; i < names.count(); ++i) {
    if (out->lookup(names[i]) < 0) {
      out->add(names[i]);
    }
  }
}

}  // namespace

// ---- the node's own views ----

int PDTnode::GetReferencesTo(GENERIC_LIST<PDTnode>* out) {
  return GatherFromObjects(this, out, [](rumpf* o, auto* list) { o->GetReferencesTo(list); });
}

int PDTnode::GetReferencesTo(GENERIC_LIST<rumpf>* out) {
  return GatherFromObjects(this, out, [](rumpf* o, auto* list) { o->GetReferencesTo(list); });
}

int PDTnode::GetReferencesTo(VALUE_LIST<PVMStrg>* out) {
  return GatherFromObjects(this, out, [](rumpf* o, VALUE_LIST<PVMStrg>* list) {
    AddNewNames(o, list, [](rumpf* from, auto* names) { from->GetReferencesTo(names); });
  });
}

int PDTnode::GetReferencesBy(GENERIC_LIST<PDTnode>* out) {
  return GatherFromObjects(this, out, [](rumpf* o, auto* list) { o->GetReferencesBy(list); });
}

int PDTnode::GetReferencesBy(GENERIC_LIST<rumpf>* out) {
  return GatherFromObjects(this, out, [](rumpf* o, auto* list) { o->GetReferencesBy(list); });
}

int PDTnode::GetReferencesBy(VALUE_LIST<PVMStrg>* out) {
  return GatherFromObjects(this, out, [](rumpf* o, VALUE_LIST<PVMStrg>* list) {
    AddNewNames(o, list, [](rumpf* from, auto* names) { from->GetReferencesBy(names); });
  });
}

// ---- free functions ----

int referenced_from(PDTnode* node, void_list* out) {
  if (node == nullptr || out == nullptr) {
    return -1;
  }
  rumpf* root = node->GetRootDataElement();
  if (root == nullptr) {
    return out->count();
  }
  GENERIC_LIST<rumpf> referrers(TRUE);
  root->GetReferencesBy(&referrers);
  for (int i = 0; i < referrers.count(); ++i) {
    AddNode(out, NodeOfRumpf(referrers[i]));
  }
  return out->count();
}

void_list* referenced_from(PDTnode* node) {
  if (node == nullptr) {
    return nullptr;
  }
  auto* list = new void_list(TRUE);
  referenced_from(node, list);
  return list;
}

int get_referencing_nodes(PDTnode* node, void_list* out, PDTReferenceCache* cache) {
  if (node == nullptr || out == nullptr) {
    return -1;
  }
  if (cache != nullptr) {
    auto known = cache->find(node);
    if (known != cache->end()) {
      for (PDTnode* referrer : known->second) {
        AddNode(out, referrer);
      }
      return static_cast<int>(known->second.size());
    }
  }
  GENERIC_LIST<PDTnode> referrers(TRUE);
  node->GetReferencesBy(&referrers);
  std::vector<PDTnode*> found;
  for (int i = 0; i < referrers.count(); ++i) {
    if (referrers[i] != node) {
      found.push_back(referrers[i]);
      AddNode(out, referrers[i]);
    }
  }
  if (cache != nullptr && !found.empty()) {
    (*cache)[node] = found;
  }
  return static_cast<int>(found.size());
}

int get_references(PDTnode* node, GENERIC_LIST<PDTnode>* out, int level) {
  if (node == nullptr || out == nullptr) {
    return -1;
  }
  if (node->IsTypeOf("PDTcomb")) {
    return 0;
  }
  int before = out->count();
  std::vector<rumpf*> objects = InstanceObjects(node);
  for (rumpf* object : objects) {
    object->GetReferencesTo(out);
  }
  AddPlacementReferences(node, objects, out, EffectiveLevel(node, level));
  return out->count() - before;
}

int SearchReferencesByValSrc(PDTnode* node, GENERIC_LIST<PDTnode>* out, int level) {
  if (node == nullptr || out == nullptr) {
    return -1;
  }
  if (node->IsTypeOf("PDTcomb")) {
    return 0;
  }
  int before = out->count();
  std::vector<rumpf*> objects = InstanceObjects(node);
  for (rumpf* object : objects) {
    for (PDTnode* referenced : varnex::tree::FormulaNodes(object)) {
      AddNode(out, referenced);
      if (varnex::tree::IsPlacedReferenceKind(object) && referenced != node &&
          EffectiveLevel(node, level) > 0) {
        get_transformation_references(referenced, out, EffectiveLevel(node, level),
                                      common_parent(referenced, node));
      }
    }
  }
  return out->count() - before;
}

int get_transformation_references(PDTnode* ref, GENERIC_LIST<PDTnode>* out, int level,
                                  PDTnode* stop_at) {
  if (ref == nullptr || out == nullptr) {
    return -1;
  }
  int sign = ref->get_sign();
  if (level <= 0 ||
      (sign != PDT_SIGN_POSITIVE && sign != PDT_SIGN_NEGATIVE && sign != PDT_SIGN_MANIPULATION)) {
    return 0;
  }
  int before = out->count();
  PDTnode* from = ref;
  for (PDTcomb* ancestor = AsComb(ref->get_parent()); ancestor != nullptr && ancestor != stop_at;
       from = ancestor, ancestor = AsComb(ancestor->get_parent())) {
    PDTnode* other = ancestor->OtherOperand(from);
    bool transformed = other != nullptr && other->get_sign() == PDT_SIGN_TRANSFORMATION;
    if (transformed) {
      GENERIC_LIST<PDTnode> subtree;
      ancestor->GetAllNodes(&subtree);
      for (int i = 0; i < subtree.count(); ++i) {
        AddNode(out, subtree[i]);
      }
    } else if (level == 1) {
      break;
    }
  }
  return out->count() - before;
}

PDTnode* common_parent(PDTnode* a, PDTnode* b) {
  if (a == nullptr || b == nullptr) {
    return nullptr;
  }
  std::unordered_set<PDTnode*> above_a;
  for (PDTnode* node = a; node != nullptr; node = node->get_parent()) {
    above_a.insert(node);
  }
  for (PDTnode* node = b; node != nullptr; node = node->get_parent()) {
    if (above_a.count(node) > 0) {
      return node;
    }
  }
  return nullptr;
}

int include_attributed_nodes(PDTnode* node, void_list* out) {
  if (node == nullptr || out == nullptr) {
    return -1;
  }
  if (!PVMIsAttrFeat(node)) {
    return 0;
  }
  if (varnex::tree::BaseName(node) == "Context") {
    return -1;
  }
  int added = 0;
  GENERIC_LIST<PDTnode> referenced(TRUE);
  node->GetReferencesTo(&referenced);
  PDTnode* own_top = node->top();
  for (int i = 0; i < referenced.count(); ++i) {
    if (referenced[i]->top() != own_top && out->lookup(referenced[i]) < 0) {
      out->add(referenced[i]);
      ++added;
    }
  }
  return added;
}

int include_attributed_nodes(rumpf* object, void_list* out) {
  if (object == nullptr || out == nullptr) {
    return -1;
  }
  int added = 0;
  for (PDTnode* node : varnex::tree::FormulaNodes(object)) {
    if (out->lookup(node) < 0) {
      out->add(node);
      ++added;
    }
  }
  return added;
}

int add_attributed_nodes(rumpf* object, void_list* out) {
  return include_attributed_nodes(object, out);
}

int node_to_lists(PDTnode* node, void_list* feats, void_list* all) {
  if (node == nullptr) {
    return -1;
  }
  GENERIC_LIST<PDTnode> subtree;
  node->GetAllNodes(&subtree);
  for (int i = subtree.count() - 1; i >= 0; --i) {
    PDTnode* member = subtree[i];
    AddNode(all, member);
    if (feats != nullptr && (member->IsTypeOf("PDTfeat") || member->IsTypeOf("PDTtrans"))) {
      AddNode(feats, member);
      include_attributed_nodes(member, feats);
    }
  }
  return subtree.count();
}

int get_dependant_nodes(PDTnode* node, void_list* feats, void_list* all, void_list* tops) {
  if (node == nullptr) {
    return -1;
  }
  AddNode(tops, node->top());
  return node_to_lists(node->top(), feats, all);
}

int get_update_referencing_nodes(PDTnode* node, void_list* tops, void_list* all) {
  if (node == nullptr || all == nullptr) {
    return -1;
  }
  NodeSet reached;
  reached.Add(node);
  for (std::size_t i = 0; i < reached.size(); ++i) {
    PDTnode* entry = reached[i];
    PDTnode* top = entry->top();
    AddNode(tops, top);
    void_list next(TRUE);
    node_to_lists(top, nullptr, &next);
    get_referencing_nodes(entry, &next, nullptr);
    for (int j = 0; j < next.count(); ++j) {
      reached.Add(static_cast<PDTnode*>(next[j]));
    }
  }
  reached.CopyTo(all);
  return all->count();
}

int clear_references(void_list* referrers, PDTnode* node) {
  if (node == nullptr || referrers == nullptr) {
    return 0;
  }
  std::vector<rumpf*> own = InstanceObjects(node);
  std::unordered_set<rumpf*> own_set(own.begin(), own.end());
  for (int i = 0; i < referrers->count(); ++i) {
    auto* referrer = static_cast<PDTnode*>((*referrers)[i]);
    if (referrer == nullptr || referrer == node || referrer->IsTypeOf("PDTcomb")) {
      continue;
    }
    for (rumpf* object : InstanceObjects(referrer)) {
      GENERIC_LIST<rumpf> named(TRUE);
      object->GetReferencesTo(&named);
      bool names_node = false;
      for (int j = 0; j < named.count() && !names_node; ++j) {
        names_node = own_set.count(named[j]) > 0;
      }
      if (names_node) {
        object->set_value_source(static_cast<const char*>(nullptr));
      }
    }
  }
  return 0;
}

int clear_references(PDTnode* node) {
  if (node == nullptr || node->IsTypeOf("PDTcomb")) {
    return 0;
  }
  // Referrers of any object of the instance, not only of the instance itself: a formula naming
  // "a.b" is recorded with a, but one recorded with a member must not dangle either.
  GENERIC_LIST<PDTnode> referrers(TRUE);
  node->GetReferencesBy(&referrers);
  return clear_references(&referrers, node);
}

XBOOL IsReallySelfReferenced(rumpf* object) {
  if (object == nullptr || object->get_value_source() == nullptr) {
    return FALSE;
  }
  VALUE_LIST<PVMStrg> names(TRUE);
  FormulaReferenceNames(object->get_value_source(), &names);
  nullwelt* world = object->get_first_world();
  nullwelt* saved = anfang;
  if (world != nullptr) {
    anfang = world;
  }
  bool self = false;
  for (int i = 0; i < names.count() && !self; ++i) {
    self = search(names[i]) == object;
  }
  anfang = saved;
  return ToXBool(self);
}

XBOOL IsReallySelfReferenced(PDTnode* node) {
  for (rumpf* object : InstanceObjects(node)) {
    if (IsReallySelfReferenced(object)) {
      return TRUE;
    }
  }
  return FALSE;
}
