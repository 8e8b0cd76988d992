// Transformations of bodies and the transformation constructors of the feature language.
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/outcome.h>
#include <varnex/geometry/spa.h>

/// Translation by (x, y, z).
VARNEX_API SPAtransf fmtranslate(double x, double y, double z);
/// Rotation by `angle` radians (right hand) about the axis (ax, ay, az) through the origin; a
/// zero axis gives the identity.
VARNEX_API SPAtransf fmrotate(double ax, double ay, double az, double angle);

/// Transforms the body of `entity` in place; its pieces and attributes stay. Rotations,
/// reflections, uniform scales and translations keep the geometry exact; a shear or a non-uniform
/// scale is applied as a general affine map (surfaces become splines). The body's transformation
/// record is composed with `transf`. On failure the body is unchanged.
VARNEX_API outcome api_apply_transf(ENTITY* entity, const SPAtransf& transf);
/// api_apply_transf on the body of `entity`; returns `entity`, or null on failure or without a
/// transformation.
VARNEX_API ENTITY* fmtransform_Body(ENTITY* entity, const SPAtransf& transf);
/// The wire form: transforms the body owning `entity`; returns `entity`, or null.
VARNEX_API ENTITY* fmtransform_wire(ENTITY* entity, SPAtransf* transf);
/// Transforms every body that owns an entity of `geometry` (each body once); the list keeps its
/// entities, which now lie where the transformation put them. Returns `geometry`, or null
/// without a list, a transformation or any body, or when a body cannot be transformed.
VARNEX_API list* transform_object_geom(list* geometry, SPAtransf* transf);
/// Called after transform_object_geom moved geometry (the dependency tree installs it to notice
/// geometry that moved while an update runs). Null: nobody listens.
extern VARNEX_API void (*pPVFObjectGeometryMoved)();
