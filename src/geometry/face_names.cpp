// Names of faces and the objects and nodes of entities; topology lookup by points.
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/face_names.h>
#include <varnex/geometry/geometric_object_links.h>
#include <varnex/geometry/topology.h>

#include <string>
#include <string_view>

#include "base/face_designator.h"

namespace {

// Splits "object.f12" into the object's name and 12; a name without a face designator keeps
// index 0.
void SplitFaceSuffix(const std::string& full, std::string& object, int& index) {
  std::string_view owner;
  int face = varnex::base::SplitFaceDesignator(full, owner);
  object = face >= 0 ? std::string(owner) : full;
  index = face >= 0 ? face : 0;
}

bool Holds(rumpf* object, ENTITY* entity) {
  list* entities = ObjectLinks().EntityList(object);
  return entities != nullptr && entities->lookup(entity) >= 0;
}

ENTITY* VertexAt(ENTITY* body, const double* p) {
  if (!is_BODY(body) || p == nullptr) {
    return nullptr;
  }
  return api_find_vertex(body, SPAposition(p[0], p[1], p[2]));
}

std::vector<ENTITY*> Around(ENTITY* vertex, outcome (*walk)(ENTITY*, ENTITY_LIST&)) {
  ENTITY_LIST found;
  walk(vertex, found);
  std::vector<ENTITY*> entities;
  for (int i = 0; i < found.count(); ++i) {
    entities.push_back(found[i]);
  }
  return entities;
}

}  // namespace

rumpf* find_face_name_att(ENTITY* entity) {
  const GeometricObjectLinks& links = ObjectLinks();
  for (ATTRIB_DS* attrib : FindAttribs<ATTRIB_DS>(entity)) {
    if (attrib->feature() != nullptr && links.IsGeometric(attrib->feature())) {
      return attrib->feature();
    }
  }
  return nullptr;
}

const char* FindFaceFullName(const ENTITY* face, PVMStrg& name) {
  name = "";
  rumpf* object = find_face_name_att(const_cast<ENTITY*>(face));
  if (object == nullptr) {
    return nullptr;
  }
  const GeometricObjectLinks& links = ObjectLinks();
  name = links.FullName(object);
  if (PVFAttribSolidFaceName* solid = PVFFindSolidFaceNameAtt(face)) {
    if (solid->GetName() != nullptr) {
      name &= solid->GetName();
    }
  } else if (list* entities = links.EntityList(object); entities && entities->count() > 1) {
    name &= ".f";
    name.Append(entities->lookup(face));
  }
  return name.GetpStr();
}

ENTITY* FindFaceByFullName(PVMStrg& name) {
  if (name.IsVoid()) {
    return nullptr;
  }
  std::string objectName;
  int index = 0;
  SplitFaceSuffix(name.GetpStr(), objectName, index);
  const GeometricObjectLinks& links = ObjectLinks();
  rumpf* object = links.Search(objectName.c_str());
  if (object == nullptr || !links.IsGeometric(object)) {
    return nullptr;
  }
  list* entities = links.EntityList(object);
  return entities == nullptr ? nullptr : (*entities)[index];
}

int PVFFindFaceIndexByAtts(rumpf* object, PVMStrg& name) {
  list* entities = ObjectLinks().EntityList(object);
  for (int i = 0; entities != nullptr && i < entities->count(); ++i) {
    std::vector<PVFAttribSolidFaceName*> names;
    PVFFindAllSolidFaceNameAtts((*entities)[i], names);
    for (PVFAttribSolidFaceName* attrib : names) {
      if (attrib->GetName() != nullptr && name == attrib->GetName()) {
        return i;
      }
    }
  }
  return -1;
}

void FindAllGeoRumpfOfEnt(ENTITY* entity, std::vector<rumpf*>& objects) {
  for (ATTRIB_DS* attrib : FindAttribs<ATTRIB_DS>(entity)) {
    rumpf* object = attrib->feature();
    if (object != nullptr && Holds(object, entity) &&
        std::find(objects.begin(), objects.end(), object) == objects.end()) {
      objects.push_back(object);
    }
  }
}

rumpf* FindGeoRumpfOfEnt(ENTITY* entity) {
  std::vector<rumpf*> objects;
  FindAllGeoRumpfOfEnt(entity, objects);
  return objects.empty() ? nullptr : objects.front();
}

void FindAllNodesOfEntity(ENTITY* entity, std::vector<PDTnode*>& nodes) {
  std::vector<rumpf*> objects;
  FindAllGeoRumpfOfEnt(entity, objects);
  for (rumpf* object : objects) {
    std::vector<PDTnode*> found;
    ObjectLinks().NodesOfObject(object, found);
    for (PDTnode* node : found) {
      if (std::find(nodes.begin(), nodes.end(), node) == nodes.end()) {
        nodes.push_back(node);
      }
    }
  }
}

PDTnode* FindNodeOfEntity(ENTITY* entity) {
  std::vector<PDTnode*> nodes;
  FindAllNodesOfEntity(entity, nodes);
  return nodes.empty() ? nullptr : nodes.front();
}

ENTITY* UXA_find_vertex(ENTITY* body, const double* p) {
  return VertexAt(body, p);
}

ENTITY* UXA_find_edge(ENTITY* body, const double* p1, const double* p2) {
  ENTITY* from = VertexAt(body, p1);
  ENTITY* to = VertexAt(body, p2);
  if (from == nullptr || to == nullptr) {
    return nullptr;
  }
  for (ENTITY* edge : Around(from, api_get_edges)) {
    ENTITY* start = edge_start(edge);
    ENTITY* end = edge_end(edge);
    if ((start == from && end == to) || (start == to && end == from)) {
      return edge;
    }
  }
  return nullptr;
}

ENTITY* UXA_find_coedge(ENTITY* body, const double* p1, const double* p2) {
  ENTITY* edge = UXA_find_edge(body, p1, p2);
  ENTITY* from = VertexAt(body, p1);
  for (ENTITY* coedge : Around(edge, api_get_coedges)) {
    if (edge_start(coedge) == from) {
      return coedge;
    }
  }
  return nullptr;
}

ENTITY* UXA_find_face(ENTITY* body, const double* p1, const double* p2) {
  ENTITY* first = VertexAt(body, p1);
  ENTITY* second = VertexAt(body, p2);
  if (first == nullptr || second == nullptr) {
    return nullptr;
  }
  std::vector<ENTITY*> around = Around(second, api_get_faces);
  for (ENTITY* face : Around(first, api_get_faces)) {
    if (std::find(around.begin(), around.end(), face) != around.end()) {
      return face;
    }
  }
  return nullptr;
}
