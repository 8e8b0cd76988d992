// The guard every value change passes: no reference cycle through formulas that name generated
// objects.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/value_list.h>
#include <varnex/export.h>

class rumpf;

/// Whether installing `formula` on `object` closes a cycle through the value sources of the
/// objects it names: 1 a cycle, 0 none, -1 no object. Formulas without generated names ("_@")
/// are not checked. When the names alone show no cycle, the dependency tree (through
/// pPVFOrderCheck) decides whether the formula would need an impossible node order.
VARNEX_API int cycle_check(rumpf* object, PVMStrg& formula);

/// Installed by the dependency tree: returns non-zero when `formula` on `object` cannot be
/// ordered after the nodes it names. Null: no such check.
using PVFOrderCheck = int (*)(rumpf* object, const char* formula);
extern VARNEX_API PVFOrderCheck pPVFOrderCheck;

/// The identifiers of `formula` that do not follow a "." ("a.b" gives a), in order and without
/// duplicates, appended to `out`: the names a formula depends on. Returns how many there are.
VARNEX_API int FormulaReferenceNames(const char* formula, VALUE_LIST<PVMStrg>* out);
