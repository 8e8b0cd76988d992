// The geometry layer's public headers.
#pragma once

#include <varnex/geometry/booleans.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>
