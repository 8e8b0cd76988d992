// The model layer's public headers: the operand base and its twelve kinds.
#pragma once

#include <varnex/model/aritm.h>
#include <varnex/model/op_geometry.h>
#include <varnex/model/op_object.h>
#include <varnex/model/op_scalar.h>
#include <varnex/model/op_text.h>
#include <varnex/model/op_vector.h>
