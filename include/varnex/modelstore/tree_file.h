// The engine's own dependency-tree file (B.pdt): the node records of every node, each with its
// position in the node list, so that a reader restores the writer's order.
#pragma once

#include <varnex/export.h>

#include <cstdio>

/// Writes the records of every node of the tree: 0, or 1 when the file is null or the write
/// failed.
VARNEX_API int PVMStoreTreeFile(std::FILE* file);
/// Reads node records into the tree through the active restore context (a fresh one of its own,
/// finished here, when none is active): 0, or 1 when the file is damaged (PVFRecordError says
/// why; the nodes read so far stay for the caller to remove).
VARNEX_API int PVMRestoreTreeFile(std::FILE* file);
