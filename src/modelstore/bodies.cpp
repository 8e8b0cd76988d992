// Several bodies in one save: each body carries a mark while it is saved, so that on restore
// the bodies of the model's list are told from bodies that merely travelled along.
#include <varnex/geometry/attribute_base.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/topology.h>
#include <varnex/modelstore/packages.h>

#include "modelstore/body_links.h"

namespace {

constexpr const char* kMark = "PVFReStoreAttribGenNameV4_2";
constexpr const char* kOlderMark = "PVFReStoreAttribGenName";

bool Unmark(ENTITY* body, const char* mark) {
  ATTRIB_GEN_NAME* found = find_named_attrib(body, mark);
  if (found == nullptr) {
    return false;
  }
  body->lose_attrib(found);
  return true;
}

}  // namespace

void PVFStoreBodies(geo_list* bodies, geo_list* marked) {
  for (int i = 0; bodies != nullptr && i < bodies->count(); ++i) {
    ENTITY* body = (*bodies)[i];
    if (body != nullptr && find_named_attrib(body, kMark) == nullptr) {
      new ATTRIB_GEN_NAME(body, kMark);
    }
    if (marked != nullptr) {
      marked->add(body);
    }
  }
}

int PVFMerkBody(BODY* body) {
  if (body == nullptr) {
    return 0;
  }
  if (Unmark(body, kMark)) {
    return 2;
  }
  return Unmark(body, kOlderMark) ? 1 : 0;
}

void PVFListAfterStore(geo_list* bodies) {
  for (int i = 0; bodies != nullptr && i < bodies->count(); ++i) {
    PVFMerkBody(static_cast<BODY*>((*bodies)[i]));
  }
}

// Bodies saved with the older mark come back as they were saved (one body each); their
// regrouping into the pieces of combined bodies is not done here.
void PVFRestoreBodies(geo_list* restored, geo_list* bodies) {
  for (int i = 0; restored != nullptr && i < restored->count(); ++i) {
    ENTITY* body = (*restored)[i];
    varnex::modelstore::NoteRestoredBody(body);
    if (PVFMerkBody(static_cast<BODY*>(body)) == 0 || bodies == nullptr) {
      ToModel(body);
    } else {
      bodies->add(body);
    }
  }
}
