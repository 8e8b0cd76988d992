// The geometry layer's public headers.
#pragma once

#include <varnex/geometry/attribute_base.h>
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/basic_solids.h>
#include <varnex/geometry/blends.h>
#include <varnex/geometry/body_io.h>
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/face_names.h>
#include <varnex/geometry/geometric_object_links.h>
#include <varnex/geometry/geometry_files.h>
#include <varnex/geometry/line.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/mesh.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/outcome.h>
#include <varnex/geometry/patterns.h>
#include <varnex/geometry/positions.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/profile_solids.h>
#include <varnex/geometry/spa.h>
#include <varnex/geometry/sweeps.h>
#include <varnex/geometry/topology.h>
#include <varnex/geometry/transforms.h>
