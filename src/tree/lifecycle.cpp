// The start and end of the dependency tree, and the hooks through which the object layer and the
// feature library, built below the tree, reach it.
#include <varnex/geometry/spa.h>
#include <varnex/library/library_hooks.h>
#include <varnex/model/model_hooks.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/value_changes.h>
#include <varnex/model/welt.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/mem_body.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/tree_functions.h>

#include <vector>

#include "tree/tree_internal.h"

namespace {

PDTnode* FindNode(const char* name) {
  return all_nodes != nullptr ? all_nodes->findByName(name) : nullptr;
}

// Only objects of the outermost world have nodes; a nested object that happens to carry a
// node's name must not rename it.
void RenameNode(const char* old_name, const char* new_name) {
  PDTnode* node = FindNode(old_name);
  if (node != nullptr && varnex::tree::FindOutermost(new_name) != nullptr) {
    node->set_name(new_name);
  }
}

// An object of the outermost world is being destroyed: the node standing for it forgets it.
void ForgetLostObject(rumpf* object) {
  nullwelt* world = object->get_first_world();
  if (world == nullptr || world->get_root() != nullptr) {
    return;
  }
  PDTnode* node = FindNode(object->get_name());
  if (node == nullptr) {
    return;
  }
  if (node->IsTypeOf("PDTfeat") && static_cast<PDTfeat*>(node)->feature() == object) {
    static_cast<PDTfeat*>(node)->set_feature(nullptr);
    node->set_BaseSign(PDT_SIGN_UNKNOWN);
  } else if (node->IsTypeOf("PDTtrans") && static_cast<PDTtrans*>(node)->replacement() == object) {
    static_cast<PDTtrans*>(node)->set_replacement(nullptr);
  } else if (node->IsTypeOf("PDTcomb") && node->get_geometry() == object) {
    static_cast<PDTcomb*>(node)->ForgetGeometry();
  }
}

int UsedInstances(VALUE_LIST<PVMStrg>* names) {
  int found = 0;
  if (all_nodes == nullptr || names == nullptr) {
    return 0;
  }
  for (PDTnode* node : *all_nodes) {
    if (rumpf* root = node->get_rumpf(); root != nullptr) {
      names->add(PVMStrg(root->get_name()));
      ++found;
    }
  }
  return found;
}

// deinitialize_modeller ends the tree before the models go.
int EndTree() {
  int deleted = PDTdelete();
  PVFSaveMemBody::Shutdown();  // the writer stops and the run's files go with the nodes
  if (deleted != 0) {
    return 1;
  }
  delete all_nodes;
  delete free_nodes;
  delete selected_nodes;
  all_nodes = nullptr;
  free_nodes = nullptr;
  selected_nodes = nullptr;
  return 0;
}

}  // namespace

namespace varnex::tree {

void InstallTreeHooks() {
  pPVFFindNode = &FindNode;
  pPVFRenameNode = &RenameNode;
  pPVFNodeObjectLost = &ForgetLostObject;
  pPVFOrderCheck = &OrderCheck;
  SetLibraryUsedInstancesProvider(&UsedInstances);
  SetModellerTreeHooks(&PDTinit, &EndTree);
  SetMemBodyFilesDeleter(&PVFSaveMemBody::DeleteMemBodyFiles);
  InstallConnectionNodeAccess();
}

}  // namespace varnex::tree

int PDTinit() {
  varnex::tree::InstallTreeHooks();
  delete all_nodes;
  delete free_nodes;
  delete selected_nodes;
  all_nodes = new PDTnodes();
  free_nodes = new rvoid_list();
  selected_nodes = new rvoid_list();
  return 0;
}

int PDTdelete() {
  if (all_nodes == nullptr || free_nodes == nullptr) {
    return 1;
  }
  std::vector<PDTnode*> queue(all_nodes->begin(), all_nodes->end());
  for (int i = 0; i < free_nodes->count(); ++i) {
    auto* root = static_cast<PDTnode*>((*free_nodes)[i]);
    if (!all_nodes->contains(root)) {
      queue.push_back(root);
    }
  }
  // Every link goes before any node does, so no destructor (nor the context's NodeLost) ever
  // meets a destroyed neighbour.
  for (PDTnode* node : queue) {
    if (node->IsTypeOf("PDTcomb")) {
      static_cast<PDTcomb*>(node)->ReleaseOperands();
    }
  }
  for (auto it = queue.rbegin(); it != queue.rend(); ++it) {
    delete *it;
  }
  if (selected_nodes != nullptr) {
    selected_nodes->clear();
  }
  return 0;
}
