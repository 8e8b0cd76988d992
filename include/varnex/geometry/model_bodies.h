// The kernel layer's bodies: who owns them, the model's body list, deleting and copying.
//
// Every body belongs to the kernel layer from its creation until it is deleted (api_delent, a
// failed Boolean, or gmod_del_all for the model's bodies). Lists only point at bodies; a deleted
// body leaves every list it was in.
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/outcome.h>
#include <varnex/geometry/spa.h>

/// The model's bodies (never null). Bodies get here through ToModel.
extern VARNEX_API geo_list* gmod_anfang;

/// Adds the body of `entity` to the model's body list (once). Returns its index, -1 for null.
VARNEX_API int ToModel(ENTITY* entity);
/// Deletes every body of the model's body list.
VARNEX_API void gmod_del_all();

/// Deletes a body (any entity deletes its owning body): its attributes are lost, it leaves
/// every list. A null entity gives a failed outcome.
VARNEX_API outcome api_delent(ENTITY* entity);
/// The body that owns `entity` (itself for a body), or null.
VARNEX_API ENTITY* fmbody_from(ENTITY* entity);
/// Deletes the body that owns `entity`; returns 1, or 0 for null.
VARNEX_API int fmdelete_geometric(ENTITY* entity);

/// A deep copy of the body of `entity` with its attributes (each attribute decides whether it is
/// copied). The copy is a new body, not in the model. Null on failure.
VARNEX_API outcome api_copy_body(ENTITY* entity, ENTITY*& copy);
/// A copy of one entity: a body is copied whole, a face or edge becomes a new body holding a copy
/// of it (a sheet or wire body). Null on failure.
VARNEX_API outcome api_copy_entity(ENTITY* entity, ENTITY*& copy);
/// api_copy_body of the owning body, added to the model. Null on failure.
VARNEX_API ENTITY* PVcreate_copy_Body(ENTITY* entity);
/// api_copy_entity, added to the model. Null on failure.
VARNEX_API ENTITY* fmcreate_copy_entity(ENTITY* entity);

/// The record of transformations applied to the body of `entity` (identity for null).
VARNEX_API SPAtransf GetTrans(ENTITY* entity);

/// Number of live bodies of the kernel layer (tests use it to find leaked bodies).
VARNEX_API int PVFLiveBodyCount();
