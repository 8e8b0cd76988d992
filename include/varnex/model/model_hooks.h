// Calls from named objects into the dependency tree, which sits above the object layer: the
// tree installs them when it starts; until then the objects behave as if no node existed.
#pragma once

#include <varnex/export.h>

class PDTnode;

/// Returns the dependency-tree node named `name`, or null.
using PVFNodeFinder = PDTnode* (*)(const char* name);
/// Called after an object was renamed, so the node carrying the old name follows.
using PVFNodeRenamer = void (*)(const char* old_name, const char* new_name);

/// Null until the dependency tree installs them; the host never needs to.
extern VARNEX_API PVFNodeFinder pPVFFindNode;
extern VARNEX_API PVFNodeRenamer pPVFRenameNode;
