// Saving the current model as a package and loading one in its place, for hosts that want the
// whole operation with the engine's own stores: the data-structure file, the dependency tree,
// the feature definitions in use and the bodies.
//
// A load restores into a new, empty model first and replaces the current model only when the
// package was read completely; a damaged package leaves the current model as it was.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/export.h>

/// Stores the current model as `path` (its name must end in ".VNX"). Returns the package name,
/// or the empty string with the reason in PVMLastStoreError() (an older package of that name is
/// then unchanged).
VARNEX_API PVMStrg PVMSaveModel(const char* path);
/// Replaces the current model (its worlds, instances and bodies) by the package `path`. 0 on
/// success; non-zero with the reason in PVMLastStoreError() and the current model unchanged.
VARNEX_API int PVMLoadModel(const char* path);
