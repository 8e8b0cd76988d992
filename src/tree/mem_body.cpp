// The memory-body store. This first store keeps nothing: every node is answered "no memory
// body", so that every update rebuilds what it needs from the features.
#include <varnex/tree/mem_body.h>

ENTITY* PVFSaveMemBody::MemBodyToFile(PDTnode*, ENTITY*) {
  return nullptr;
}

ENTITY* PVFSaveMemBody::MemBodyFromFile(PDTnode*) {
  return nullptr;
}

XBOOL PVFSaveMemBody::eHasMemBody(PDTnode*) {
  return FALSE;
}

XBOOL PVFSaveMemBody::DeleteMemBodyFile(PDTnode*) {
  return FALSE;
}

void PVFSaveMemBody::DeleteMemBodyFiles() {}
