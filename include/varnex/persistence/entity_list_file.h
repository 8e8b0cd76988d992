// Entity lists through a BinaryFile (a PVFSatStream in memory, for memory bodies): the layer's
// binary body list form, written and read at the file's position.
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/outcome.h>
#include <varnex/persistence/binary_file.h>

/// Writes the bodies of `entities` (each once, with attributes) at the file's position.
VARNEX_API outcome api_save_entity_list_file(BinaryFile* file, const EntitySet& entities);
/// Reads one list written by api_save_entity_list_file from the file's position into `bodies`
/// (new bodies, not in the model) and leaves the position just after it, so that lists can
/// follow each other. A damaged or truncated list restores nothing and leaves the position
/// where it was.
VARNEX_API outcome api_restore_entity_list_file(BinaryFile* file, ENTITY_LIST& bodies);
