// The library's version, as built.
#pragma once

#include <varnex/export.h>

/// The version text of the loaded library, e.g. "0.1.0".
VARNEX_API const char* VarnexVersion();
