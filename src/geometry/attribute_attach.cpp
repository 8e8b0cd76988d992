// Attaching the face-name and feature attributes to entities, and taking them off.
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/topology.h>

namespace {

using Walk = outcome (*)(ENTITY*, ENTITY_LIST&);

ENTITY_LIST Collect(ENTITY* entity, Walk walk) {
  ENTITY_LIST found;
  if (entity != nullptr) {
    walk(entity, found);
  }
  return found;
}

void MarkNamed(ENTITY* entity) {
  if (entity != nullptr && FindAttribs<ATTRIB_FN>(entity).empty()) {
    new ATTRIB_FN(entity);
  }
}

int Rank(EntityKind kind) {
  switch (kind) {
    case EntityKind::Body:
      return 0;
    case EntityKind::Lump:
      return 1;
    case EntityKind::Shell:
      return 2;
    case EntityKind::Face:
      return 3;
    case EntityKind::Loop:
    case EntityKind::Wire:
      return 4;
    case EntityKind::Coedge:
      return 5;
    case EntityKind::Edge:
      return 6;
    case EntityKind::Vertex:
      return 7;
    default:
      return 8;
  }
}

// The entity and every entity below it, each once.
ENTITY_LIST EverythingBelow(ENTITY* entity) {
  ENTITY_LIST all;
  if (entity == nullptr) {
    return all;
  }
  all.add(entity);
  const struct {
    Walk walk;
    int rank;
  } walks[] = {{api_get_lumps, 1}, {api_get_shells, 2},  {api_get_faces, 3}, {api_get_loops, 4},
               {api_get_wires, 4}, {api_get_coedges, 5}, {api_get_edges, 6}, {api_get_vertices, 7}};
  int own = Rank(entity->kind());
  for (const auto& step : walks) {
    if (step.rank > own) {
      ENTITY_LIST found = Collect(entity, step.walk);
      all.add(found);
    }
  }
  return all;
}

}  // namespace

void set_fnatt_to_body(ENTITY* body) {
  ENTITY_LIST faces = Collect(get_owner(body), api_get_faces);
  for (int i = 0; i < faces.count(); ++i) {
    MarkNamed(faces[i]);
  }
}

void set_fnatt_to_face(ENTITY* face) {
  MarkNamed(face);
}

void set_fnatt_to_wire(ENTITY* wire) {
  if (!is_BODY(wire)) {
    MarkNamed(wire);
    return;
  }
  ENTITY_LIST wires = Collect(wire, api_get_wires);
  for (int i = 0; i < wires.count(); ++i) {
    MarkNamed(wires[i]);
  }
}

void set_attds_to_entity(ENTITY* entity, rumpf* feature) {
  if (entity == nullptr) {
    return;
  }
  for (ATTRIB_DS* attrib : FindAttribs<ATTRIB_DS>(entity)) {
    if (attrib->feature() == feature) {
      return;
    }
  }
  new ATTRIB_DS(entity, feature);
}

void set_attds_to_body(ENTITY* body, rumpf* feature) {
  ENTITY_LIST faces = Collect(get_owner(body), api_get_faces);
  for (int i = 0; i < faces.count(); ++i) {
    set_attds_to_entity(faces[i], feature);
  }
}

void set_attds_to_face(ENTITY* face, rumpf* feature) {
  set_attds_to_entity(face, feature);
}

void set_attds_to_wire(ENTITY* wire, rumpf* feature) {
  ENTITY_LIST edges = Collect(wire, api_get_edges);
  for (int i = 0; i < edges.count(); ++i) {
    set_attds_to_entity(edges[i], feature);
  }
}

void set_attds_direct_to_body(ENTITY* body, rumpf* feature) {
  set_attds_to_entity(get_owner(body), feature);
}

void remove_attds_from_entity(ENTITY* entity, rumpf* feature) {
  for (ATTRIB_DS* attrib : FindAttribs<ATTRIB_DS>(entity)) {
    if (feature == nullptr || attrib->feature() == feature) {
      entity->lose_attrib(attrib);
    }
  }
}

void remove_attds_from_all_of_entity(ENTITY* entity) {
  ENTITY_LIST all = EverythingBelow(entity);
  for (int i = 0; i < all.count(); ++i) {
    remove_attds_from_entity(all[i]);
  }
}

void remove_attds_from_all_of_body(ENTITY* body) {
  remove_attds_from_all_of_entity(get_owner(body));
}
void remove_attds_from_all_of_face(ENTITY* face) {
  remove_attds_from_all_of_entity(face);
}
void remove_attds_from_all_of_wire(ENTITY* wire) {
  remove_attds_from_all_of_entity(wire);
}
void remove_attds_from_all_of_coedge(ENTITY* coedge) {
  remove_attds_from_all_of_entity(coedge);
}
void remove_attds_from_all_of_vertex(ENTITY* vertex) {
  remove_attds_from_all_of_entity(vertex);
}
