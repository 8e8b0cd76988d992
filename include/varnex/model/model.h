// The model layer's public headers: operands, named objects of every kind, worlds.
#pragma once

#include <varnex/model/aritm.h>
#include <varnex/model/contour.h>
#include <varnex/model/enhanced.h>
#include <varnex/model/hand_over.h>
#include <varnex/model/instance_bodies.h>
#include <varnex/model/model_hooks.h>
#include <varnex/model/object_contour.h>
#include <varnex/model/object_references.h>
#include <varnex/model/object_values.h>
#include <varnex/model/object_vectors.h>
#include <varnex/model/op_geometry.h>
#include <varnex/model/op_object.h>
#include <varnex/model/op_scalar.h>
#include <varnex/model/op_text.h>
#include <varnex/model/op_vector.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/value_changes.h>
#include <varnex/model/welt.h>
