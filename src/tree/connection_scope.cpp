// The host's entity connections around updates and rebuilds: recorded before any body changes,
// handed back (or dropped) once every body is rebuilt.
#include <varnex/persistence/entity_connections.h>
#include <varnex/tree/node.h>

#include <vector>

#include "tree/tree_internal.h"

namespace {

// Scopes open now: only the outermost one restores.
int open_scopes = 0;

PVFSaveAllEntityConnections* Running() {
  return pIfcSaveConnections != nullptr ? pPVFSaveAllEntityConnections : nullptr;
}

ENTITY* BodyOfNode(PDTnode* node) {
  return node->get_body();
}

const char* NameOfNode(PDTnode* node) {
  return node->get_name();
}

}  // namespace

namespace varnex::tree {

void InstallConnectionNodeAccess() {
  SetConnectionNodeAccess(&BodyOfNode, &NameOfNode);
}

void RecordConnections(const std::vector<PDTnode*>& nodes) {
  PVFSaveAllEntityConnections* running = Running();
  if (running == nullptr || open_scopes == 0) {
    return;
  }
  void_list nodes_and_tops(TRUE);
  for (PDTnode* node : nodes) {
    nodes_and_tops.add(node);
    nodes_and_tops.add(node->top());
  }
  PVFSaveAllEntityConnections local;
  local.GetDataToSave(&nodes_and_tops);
  running->Merge(local);
}

ConnectionScope::ConnectionScope() : outermost_(open_scopes++ == 0) {
  if (PVFSaveAllEntityConnections* running = Running()) {
    running->GetDataToSave(TRUE);
  }
}

ConnectionScope::ConnectionScope(void_list* update, void_list* mem_bodies)
    : outermost_(open_scopes++ == 0) {
  PVFSaveAllEntityConnections* running = Running();
  if (running == nullptr) {
    return;
  }
  PVFSaveAllEntityConnections local;
  if (mem_bodies != nullptr && mem_bodies->count() > 0) {
    local.GetDataToSave(mem_bodies);
  }
  local.GetDataToSave(update);
  running->Merge(local);
}

ConnectionScope::~ConnectionScope() {
  --open_scopes;
  if (PVFSaveAllEntityConnections* running = Running(); running != nullptr && outermost_) {
    running->RestoreData();
  }
}

}  // namespace varnex::tree
