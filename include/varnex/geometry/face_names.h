// Finding the named objects of entities and entities by name or by points.
//
// A face's name comes from its feature attribute: the geometric object (an object_geom "f_0",
// "f_1", ... of a feature) that the first feature attribute naming a geometric object designates.
// Full names are that object's full name, followed by the face's solid face name when it has
// one, or by ".f" and the face's index when the object holds several entities. Lookups that find
// nothing return null and report nothing.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/geometry/entity.h>

#include <vector>

class rumpf;
class PDTnode;

/// The geometric object the entity's feature attributes designate (the first that is
/// geometric), or null.
VARNEX_API rumpf* find_face_name_att(ENTITY* entity);
/// The full name of a face into `name`; returns its text, or null (name emptied) when the face
/// has no geometric object.
VARNEX_API const char* FindFaceFullName(const ENTITY* face, PVMStrg& name);
/// The face a full name designates: the geometric object of that name in the current world and
/// its entity number from the ".f" suffix (0 without one). Null for an empty or unknown name.
VARNEX_API ENTITY* FindFaceByFullName(PVMStrg& name);
/// The index of the entity of a geometric object whose solid face name is `name`, or -1.
VARNEX_API int PVFFindFaceIndexByAtts(rumpf* object, PVMStrg& name);
/// The geometric objects whose entity lists hold the entity (the first / all, each once).
VARNEX_API rumpf* FindGeoRumpfOfEnt(ENTITY* entity);
VARNEX_API void FindAllGeoRumpfOfEnt(ENTITY* entity, std::vector<rumpf*>& objects);
/// The dependency-tree nodes of the features whose geometric objects hold the entity (none until
/// the object links report nodes).
VARNEX_API PDTnode* FindNodeOfEntity(ENTITY* entity);
VARNEX_API void FindAllNodesOfEntity(ENTITY* entity, std::vector<PDTnode*>& nodes);

// Topology by points (three doubles each); `body` must be a body. Null when a point matches no
// vertex or nothing connects them.
VARNEX_API ENTITY* UXA_find_vertex(ENTITY* body, const double* p);
/// The edge between the vertices at p1 and p2.
VARNEX_API ENTITY* UXA_find_edge(ENTITY* body, const double* p1, const double* p2);
/// The coedge of that edge that runs from p1 to p2.
VARNEX_API ENTITY* UXA_find_coedge(ENTITY* body, const double* p1, const double* p2);
/// The first face that touches both vertices.
VARNEX_API ENTITY* UXA_find_face(ENTITY* body, const double* p1, const double* p2);
