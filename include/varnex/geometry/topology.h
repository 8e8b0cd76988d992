// The kinds of kernel entities: a BODY holds lumps (solids) made of shells of faces, faces are
// bounded by loops of coedges, a coedge is one use of an edge, edges end in vertices; a wire body
// holds WIREs of edges.
//
// The kernel layer creates these wrappers on demand and keeps each one the same object while the
// piece of shape it stands for lives: an operation that changes a body carries the wrappers (and
// their attributes) over to the changed pieces. Hosts never create or delete them directly.
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/outcome.h>
#include <varnex/geometry/spa.h>

class EntityFactory;

/// A body: the unit the model holds, deletes and stores. Its geometry is in model coordinates.
class VARNEX_API BODY : public ENTITY {
 public:
  ~BODY() override;
  const char* type_name() const override { return "body"; }
  EntityKind kind() const override { return EntityKind::Body; }
  /// The transformations applied to the body since it was made, composed in order. The
  /// geometry already includes them; this is the record of its placement.
  const SPAtransf& transform() const { return transform_; }
  void set_transform_record(const SPAtransf& transform) { transform_ = transform; }

 private:
  friend class EntityFactory;
  explicit BODY(std::unique_ptr<EntityCore> core);
  SPAtransf transform_;
};

#define VARNEX_DECLARE_TOPOLOGY_KIND(Class, Name, Kind)           \
  class VARNEX_API Class : public ENTITY {                        \
   public:                                                        \
    const char* type_name() const override { return Name; }       \
    EntityKind kind() const override { return EntityKind::Kind; } \
                                                                  \
   private:                                                       \
    friend class EntityFactory;                                   \
    explicit Class(std::unique_ptr<EntityCore> core);             \
  };

VARNEX_DECLARE_TOPOLOGY_KIND(LUMP, "lump", Lump)
VARNEX_DECLARE_TOPOLOGY_KIND(SHELL, "shell", Shell)
VARNEX_DECLARE_TOPOLOGY_KIND(FACE, "face", Face)
VARNEX_DECLARE_TOPOLOGY_KIND(LOOP, "loop", Loop)
VARNEX_DECLARE_TOPOLOGY_KIND(COEDGE, "coedge", Coedge)
VARNEX_DECLARE_TOPOLOGY_KIND(EDGE, "edge", Edge)
VARNEX_DECLARE_TOPOLOGY_KIND(VERTEX, "vertex", Vertex)
VARNEX_DECLARE_TOPOLOGY_KIND(WIRE, "wire", Wire)

#undef VARNEX_DECLARE_TOPOLOGY_KIND

VARNEX_API XBOOL is_BODY(const ENTITY* entity);
VARNEX_API XBOOL is_LUMP(const ENTITY* entity);
VARNEX_API XBOOL is_SHELL(const ENTITY* entity);
VARNEX_API XBOOL is_FACE(const ENTITY* entity);
VARNEX_API XBOOL is_LOOP(const ENTITY* entity);
VARNEX_API XBOOL is_COEDGE(const ENTITY* entity);
VARNEX_API XBOOL is_EDGE(const ENTITY* entity);
VARNEX_API XBOOL is_VERTEX(const ENTITY* entity);
VARNEX_API XBOOL is_WIRE(const ENTITY* entity);

// Walks. Each appends to `out` the entities of the kind that belong to `entity` (for a body or a
// face: those below it; for an edge or a vertex: also the faces, loops and coedges around it),
// in the kernel's stable order, without duplicates. A null entity gives a failed outcome.
VARNEX_API outcome api_get_lumps(ENTITY* entity, ENTITY_LIST& out);
VARNEX_API outcome api_get_shells(ENTITY* entity, ENTITY_LIST& out);
VARNEX_API outcome api_get_faces(ENTITY* entity, ENTITY_LIST& out);
VARNEX_API outcome api_get_loops(ENTITY* entity, ENTITY_LIST& out);
VARNEX_API outcome api_get_coedges(ENTITY* entity, ENTITY_LIST& out);
VARNEX_API outcome api_get_edges(ENTITY* entity, ENTITY_LIST& out);
VARNEX_API outcome api_get_vertices(ENTITY* entity, ENTITY_LIST& out);
VARNEX_API outcome api_get_wires(ENTITY* entity, ENTITY_LIST& out);
/// Separates `body` into one body per lump or free wire (the members of its compound): `body`
/// keeps the first, each other gets a new body, in order; the pieces' entities, with their
/// attributes, move along, and the body's own attributes are copied where they allow it. All of
/// them go to `pieces` (just `body` when it has one part). Fails for a null or non-body entity,
/// changing nothing.
VARNEX_API outcome api_separate_body(ENTITY* body, ENTITY_LIST& pieces);

/// The position of a vertex; the origin for anything else.
VARNEX_API SPAposition vertex_position(const ENTITY* vertex);
/// The start and end vertex of an edge or coedge (in the coedge's sense); null for others.
VARNEX_API VERTEX* edge_start(const ENTITY* edge);
VARNEX_API VERTEX* edge_end(const ENTITY* edge);
/// The edge a coedge uses; null for anything else.
VARNEX_API EDGE* coedge_edge(const ENTITY* coedge);
/// TRUE when the coedge runs against its edge's direction.
VARNEX_API XBOOL coedge_reversed(const ENTITY* coedge);
/// The face a loop or coedge bounds; null otherwise.
VARNEX_API FACE* owning_face(const ENTITY* entity);
/// The vertex of `body` at `point` (within the kernel tolerance), or null.
VARNEX_API VERTEX* api_find_vertex(ENTITY* body, const SPAposition& point);
