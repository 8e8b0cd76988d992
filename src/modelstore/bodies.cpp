// Several bodies in one save: each body carries a mark while it is saved, so that on restore
// the bodies of the model's list are told from bodies that merely travelled along.
#include <varnex/geometry/attribute_base.h>
#include <varnex/geometry/booleans.h>
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

// A body saved with the older mark holds the pieces of several bodies: it is separated, and a
// piece whose lump or wire carries a generic name starts a new body, the pieces after it join it.
bool StartsGroup(ENTITY* piece) {
  ENTITY_LIST parts;
  api_get_lumps(piece, parts);
  api_get_wires(piece, parts);
  for (int i = 0; i < parts.count(); ++i) {
    for (ATTRIB* attribute : parts[i]->attribs()) {
      if (attribute->is_a("gen_name")) {
        return true;
      }
    }
  }
  return false;
}

void Regroup(ENTITY* body, geo_list* bodies) {
  ENTITY_LIST pieces;
  if (!api_separate_body(body, pieces).ok()) {
    bodies->add(body);
    varnex::modelstore::NoteRestoredBody(body);
    return;
  }
  ENTITY* group = nullptr;
  auto keep = [&] {
    if (group != nullptr) {
      bodies->add(group);
      varnex::modelstore::NoteRestoredBody(group);
    }
  };
  for (int i = 0; i < pieces.count(); ++i) {
    ENTITY* piece = pieces[i];
    if (group == nullptr || StartsGroup(piece)) {
      keep();
      group = piece;
    } else {
      group = combine(piece, group);
    }
  }
  keep();
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

void PVFRestoreBodies(geo_list* restored, geo_list* bodies) {
  for (int i = 0; restored != nullptr && i < restored->count(); ++i) {
    ENTITY* body = (*restored)[i];
    int mark = PVFMerkBody(static_cast<BODY*>(body));
    if (mark == 0 || bodies == nullptr) {
      varnex::modelstore::NoteRestoredBody(body);
      ToModel(body);
    } else if (mark == 2) {
      varnex::modelstore::NoteRestoredBody(body);
      bodies->add(body);
    } else {
      Regroup(body, bodies);
    }
  }
}
