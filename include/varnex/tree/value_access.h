// Values by name for the host: test, read and set the value of an object (or of one component
// of a vector or axis) given its qualified name, with the host's permission and the re-sort a
// forward reference needs. Each returns the result text (also in `result`) or null when refused;
// a refusal leaves the object as it was and puts the reason into `result`:
// "___CYCLES IN REFERENCES___", "___NOT EVALUABLE___" or "___RESTRICTION VIOLATED___" followed
// by the restriction.
//
// Components: a name that finds no object is split at its last "." into an object and a
// component. A vector takes x, y, z; an axis u, v, w (origin), x, y, z (direction), Origin and
// Direction (the whole origin or direction).
#pragma once

#include <varnex/base/strg.h>
#include <varnex/export.h>

class rumpf;

/// Checks `value` for the object `name` without changing anything.
VARNEX_API const char* TestValue(PVMStrg& name, PVMStrg& value, PVMStrg& result);
/// The object's value text (into `result`) and its formula (into `formula`, empty for a plain
/// value).
VARNEX_API const char* GetValue(PVMStrg& name, PVMStrg& formula, PVMStrg& result);
/// Sets the value without asking the host and without re-sorting the tree.
VARNEX_API const char* SetValueWithoutSort(PVMStrg& name, PVMStrg& value, PVMStrg& result);
/// Asks the host's parametric-feature context first (PVFParaFeature::ChkParaSignificance with the
/// name and the value: FALSE refuses, null is returned and `result` is left alone), sets the
/// value, then re-sorts the tree when the new formula names a node standing after the object's
/// node (SortIfForwardRef).
VARNEX_API const char* SetValue(PVMStrg& name, PVMStrg& value, PVMStrg& result);
/// When `formula` on `object` names a node standing after the object's node in all_nodes, the
/// objects referring to `object` are recomputed and all_nodes is sorted again: 1. 0 without a
/// forward reference, -1 for an empty formula, no object or an object without node.
VARNEX_API int SortIfForwardRef(const PVMStrg& formula, rumpf* object);
