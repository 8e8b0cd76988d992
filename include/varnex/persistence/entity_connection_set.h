// The engine's running set of entity connections (entity_connections.h), declared apart so that
// initialize_modeller can make and free it without the kernel layer's types.
#pragma once

#include <varnex/export.h>

class PVFSaveAllEntityConnections;

/// The running set: updates and rebuilds record the host's connections into it and restore
/// them from it. Null before initialize_modeller and after deinitialize_modeller.
extern VARNEX_API PVFSaveAllEntityConnections* pPVFSaveAllEntityConnections;

/// Makes a new, empty running set (an earlier one is deleted first).
VARNEX_API void PVFCreateEntityConnections();
/// Deletes the running set without telling the host; it becomes null.
VARNEX_API void PVFDeleteEntityConnections();
