// Everything a host includes to embed the engine. Each subsystem lists its own public headers
// in its umbrella header below.
#pragma once

#include <varnex/base/base.h>
#include <varnex/builtins/builtins.h>
#include <varnex/generator/generator.h>
#include <varnex/geometry/geometry.h>
#include <varnex/language/language.h>
#include <varnex/library/library.h>
#include <varnex/model/model.h>
#include <varnex/modelstore/modelstore.h>
#include <varnex/persistence/persistence.h>
#include <varnex/tree/tree.h>
