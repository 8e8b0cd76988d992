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
/// Merges the package `path` into the current model: every generated name of the package
/// ("feature_@N") that the model could already hold gets a fresh number, the same one wherever
/// it appears (names, formulas, reference lists, face names). 0 on success, with the number of
/// renamed identifiers in `*renamed` (may be null); non-zero with the reason in
/// PVMLastStoreError() and the model as it was (the feature definitions the package brought
/// stay in the library).
VARNEX_API int PVMMergeModel(const char* path, int* renamed);
