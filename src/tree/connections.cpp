// Joining and separating nodes, copying and deleting them, and finding nodes by object or name.
#include <varnex/geometry/spa.h>
#include <varnex/library/feature_element.h>
#include <varnex/library/feature_list.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/tree_functions.h>
#include <varnex/tree/update.h>

#include <algorithm>
#include <vector>

#include "tree/tree_internal.h"

namespace {

PDTcomb* AsComb(PDTnode* node) {
  return node != nullptr && node->IsTypeOf("PDTcomb") ? static_cast<PDTcomb*>(node) : nullptr;
}

// Rebuilds a subtree from its leaves up, giving its instances fresh bodies.
void RebuildSubtree(PDTnode* node) {
  GENERIC_LIST<PDTnode> order;
  node->GetAllNodes(&order);
  for (int i = 0; i < order.count(); ++i) {
    order[i]->refresh(0);
  }
}

bool IsBooleanType(int type) {
  return type == PDT_COMB_UNION || type == PDT_COMB_SUBTRACTION || type == PDT_COMB_FIXED_TRANSFORM;
}

}  // namespace

PDTnode* connect(PDTnode* a, PDTnode* b, int type) {
  if (a == nullptr || b == nullptr) {
    return nullptr;
  }
  PDTnode* top_a = a->top();
  PDTnode* top_b = b->top();
  // A failing Boolean uses the operands' bodies up: note them so they can be rebuilt.
  bool body_a = top_a->get_body() != nullptr;
  bool body_b = top_b->get_body() != nullptr;
  auto* comb = new PDTcomb(top_a, top_b, type, "", nullptr);
  if (comb->get_geometry() != nullptr || !IsBooleanType(comb->get_comb_type())) {
    return comb;
  }
  comb->ReleaseOperands();
  delete comb;
  if (body_a && top_a->get_body() == nullptr) {
    RebuildSubtree(top_a);
  }
  if (body_b && top_b != top_a && top_b->get_body() == nullptr) {
    RebuildSubtree(top_b);
  }
  return nullptr;
}

PDTnode* connect_list(PDTnode* start, void_list* list) {
  if (start == nullptr || list == nullptr) {
    return nullptr;
  }
  std::vector<PDTnode*> built;
  std::vector<PDTnode*> joined{start->top()};
  PDTnode* result = start;
  while (list->count() > 0) {
    auto* next = static_cast<PDTnode*>((*list)[0]);
    list->remove(0);
    if (next != nullptr) {
      joined.push_back(next->top());
    }
    PDTnode* comb = connect(result->top(), next, 0);
    if (comb == nullptr) {
      // Undo the chain; the Booleans already made changed the joined bodies: rebuild them.
      for (auto it = built.rbegin(); it != built.rend(); ++it) {
        delete_node(*it);
      }
      for (PDTnode* node : joined) {
        if (!built.empty() && node != nullptr) {
          RebuildSubtree(node);
        }
      }
      return nullptr;
    }
    built.push_back(comb);
    result = comb;
  }
  return result;
}

PDTnode* make_connection(void_list* list) {
  if (list == nullptr || list->count() == 0) {
    return nullptr;
  }
  int chosen = 0;
  for (int i = 0; i < list->count(); ++i) {
    PDTcomb* comb = AsComb(static_cast<PDTnode*>((*list)[i]));
    if (comb != nullptr && (comb->get_op1() == nullptr) != (comb->get_op2() == nullptr)) {
      chosen = i;
      break;
    }
  }
  auto* node = static_cast<PDTnode*>((*list)[chosen]);
  list->remove(chosen);
  PDTcomb* comb = AsComb(node);
  for (int i = 0; comb != nullptr && i < list->count(); ++i) {
    auto* candidate = static_cast<PDTnode*>((*list)[i]);
    if (candidate == nullptr || free_nodes == nullptr || !free_nodes->contains(candidate) ||
        candidate == comb) {
      continue;
    }
    if (comb->get_op1() == nullptr) {
      comb->set_op1(candidate);
    } else if (comb->get_op2() == nullptr) {
      comb->set_op2(candidate);
    } else {
      break;
    }
  }
  return node;
}

int unconnect(PDTnode* node) {
  if (node == nullptr) {
    return -1;
  }
  if (PDTcomb* parent = AsComb(node->get_parent()); parent != nullptr && parent->IsOperand(node)) {
    parent->ChangeOperand(node, nullptr);
  }
  return 0;
}

int unconnect(void_list* nodes) {
  if (nodes == nullptr) {
    return -1;
  }
  for (int i = 0; i < nodes->count(); ++i) {
    unconnect(static_cast<PDTnode*>((*nodes)[i]));
  }
  return 0;
}

int delete_node(PDTnode* node) {
  if (node == nullptr) {
    return -1;
  }
  clear_references(node);
  unconnect(node);
  if (PDTcomb* comb = AsComb(node)) {
    comb->ReleaseOperands();
  }
  delete node;
  return 0;
}

int delete_nodes(void_list* nodes) {
  if (nodes == nullptr) {
    return -1;
  }
  // Copied first: a node may be in the list twice, and deleting changes its neighbours.
  std::vector<PDTnode*> pending;
  for (int i = 0; i < nodes->count(); ++i) {
    auto* node = static_cast<PDTnode*>((*nodes)[i]);
    if (node != nullptr && std::find(pending.begin(), pending.end(), node) == pending.end()) {
      pending.push_back(node);
    }
  }
  for (PDTnode* node : pending) {
    delete_node(node);
  }
  return 0;
}

PDTnode* copy(PDTnode* node) {
  return node != nullptr ? node->copy() : nullptr;
}

int copy_references(PDTnode* from, PDTnode* to) {
  if (from == nullptr || to == nullptr) {
    return -1;
  }
  GENERIC_LIST<PDTnode> originals, copies;
  from->GetAllNodes(&originals);
  to->GetAllNodes(&copies);
  VALUE_LIST<PVMStrg> old_names, new_names;
  for (int i = 0; i < originals.count() && i < copies.count(); ++i) {
    rumpf* original = originals[i]->GetRootDataElement();
    rumpf* duplicate = copies[i]->GetRootDataElement();
    if (original != nullptr && duplicate != nullptr) {
      old_names.add(PVMStrg(original->get_name()));
      new_names.add(PVMStrg(duplicate->get_name()));
    }
  }
  int changed = 0;
  for (int i = 0; i < copies.count(); ++i) {
    rumpf* root = copies[i]->GetRootDataElement();
    if (root == nullptr) {
      continue;
    }
    GENERIC_LIST<rumpf> members;
    members.add(root);
    root->list_all_world(&members);
    for (int j = 0; j < members.count(); ++j) {
      changed += members[j]->vs_austausch(&old_names, &new_names);
    }
  }
  return changed;
}

PDTnode* NodeOfRumpf(rumpf* object) {
  rumpf* top = get_topmost_planet(object);
  return top != nullptr && all_nodes != nullptr ? all_nodes->findByName(top->get_name()) : nullptr;
}

PDTnode* NodeOfName(const PVMStrg& name) {
  if (all_nodes == nullptr || !name.Find("_@")) {
    return nullptr;
  }
  PVMStrg node_name(name);
  node_name >>= '.';
  return all_nodes->findByName(node_name);
}

PVMStrg* get_function(PDTnode* node, const char* feature) {
  if (node == nullptr || node->IsTypeOf("PDTcomb") || feature == nullptr ||
      pFeatureList == nullptr) {
    return nullptr;
  }
  Featurelist_Element* element = pFeatureList->GetFeatureByName(PVMStrg(feature));
  return element != nullptr ? new PVMStrg(element->get_theFuncname()) : nullptr;
}

int PDTdepth(PDTnode* node) {
  PDTcomb* comb = AsComb(node);
  if (comb == nullptr) {
    return 1;
  }
  int deeper = 0;
  for (PDTnode* operand : {comb->get_op1(), comb->get_op2()}) {
    if (operand != nullptr) {
      deeper = std::max(deeper, PDTdepth(operand));
    }
  }
  return 1 + deeper;
}

int PDTnode_width(PDTnode* node) {
  return AsComb(node) != nullptr ? 2 : 1;
}

int PDTwidth(PDTnode* node) {
  PDTcomb* comb = AsComb(node);
  if (comb == nullptr) {
    return 1;
  }
  int width = 0;
  for (PDTnode* operand : {comb->get_op1(), comb->get_op2()}) {
    if (operand != nullptr) {
      width += PDTwidth(operand);
    }
  }
  return std::max(width, 1);
}

// ---- helpers on signs and atoms ----

XBOOL PVMIsAttrFeat(PDTnode* node) {
  if (node == nullptr || !node->IsTypeOf("PDTfeat")) {
    return FALSE;
  }
  int sign = node->get_sign();
  return ToXBool(sign == 0 || sign == 4 || sign == 5 || sign == 6);
}

XBOOL PVMIsOnlyAttrFeat(PDTnode* node) {
  if (node == nullptr || !node->IsTypeOf("PDTfeat")) {
    return FALSE;
  }
  int sign = node->get_sign();
  return ToXBool(sign == 0 || sign == 6);
}

XBOOL PVMIsAttrFeatInList(void_list* nodes) {
  for (int i = 0; nodes != nullptr && i < nodes->count(); ++i) {
    if (PVMIsOnlyAttrFeat(static_cast<PDTnode*>((*nodes)[i]))) {
      return TRUE;
    }
  }
  return FALSE;
}

XBOOL IsAtom(PDTnode* node) {
  static const char* const kAtomTypes[] = {"feature_distance",
                                           "feature_NUMBER",
                                           "feature_vector",
                                           "feature_axis",
                                           "feature_STRING",
                                           "feature_smlsid",
                                           "feature_LOGIC",
                                           "feature_generic",
                                           "feature_Reference",
                                           "feature_GeometricReference",
                                           "feature_ContextReference",
                                           "feature_NodeReference",
                                           "feature_geometric",
                                           "feature_ConFace",
                                           "feature_ConWir1",
                                           "feature_ConWirN",
                                           "feature_ConLKO",
                                           "feature_ConSolid",
                                           "feature_transformation_matrix"};
  rumpf* root = node != nullptr ? node->GetRootDataElement() : nullptr;
  if (root == nullptr) {
    return FALSE;
  }
  for (const char* type : kAtomTypes) {
    if (root->isAliasTypeOf(type)) {
      return TRUE;
    }
  }
  return FALSE;
}

namespace {
const char* AtomicMember(PDTnode* node, const char* member, PVMStrg& out) {
  if (node == nullptr) {
    return nullptr;
  }
  PVMStrg name = PVMStrg(node->get_name()) & "." & member;
  rumpf* object = search(name);
  if (object == nullptr) {
    return nullptr;
  }
  PVMStrg formula;
  object->GetValue(formula, out);
  return out;
}
}  // namespace

const char* AtomicValue(PDTnode* node, PVMStrg& out) {
  return AtomicMember(node, "value", out);
}

const char* AtomicName(PDTnode* node, PVMStrg& out) {
  return AtomicMember(node, "name", out);
}
