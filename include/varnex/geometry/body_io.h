// Saving and restoring lists of bodies with their attributes, and exporting bodies for other
// programs.
//
// The body text: a header line ("VARNEX-BODIES", format version, body count), then per body in
// list order its shape in Open CASCADE's BREP text and its attribute records keyed by the index
// of the piece they hang on, each part preceded by its byte count; "end" closes the list. The
// binary form carries the same content with Open CASCADE's binary shape format. Restoring builds
// new bodies (not added to the model) with every attribute whose class is registered
// (attribute_base.h); records of unknown classes are skipped. A damaged or truncated list restores
// nothing.
#pragma once

#include <varnex/base/xbool.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/outcome.h>

#include <cstdio>
#include <string>
#include <vector>

// Entities that are not bodies stand for their bodies; each body is saved once.

/// Appends the body text of `entities` to `text`.
VARNEX_API outcome SaveEntityListText(const EntitySet& entities, std::string& text);
/// Restores one body text from the start of `text` into `bodies` (appended in saved order).
/// `consumed`, when not null, receives the number of bytes the list occupied.
VARNEX_API outcome RestoreEntityListText(const std::string& text, ENTITY_LIST& bodies,
                                         std::size_t* consumed = nullptr);
/// Appends the binary form of `entities` to `data`.
VARNEX_API outcome SaveEntityListBinary(const EntitySet& entities,
                                        std::vector<unsigned char>& data);
/// Restores one binary list from `data` (`size` bytes) into `bodies`; `consumed` as above.
VARNEX_API outcome RestoreEntityListBinary(const unsigned char* data, std::size_t size,
                                           ENTITY_LIST& bodies, std::size_t* consumed = nullptr);

/// Writes the list to an open C file at its position, as text or binary.
VARNEX_API outcome api_save_entity_list(std::FILE* file, XBOOL text_mode,
                                        const EntitySet& entities);
/// Reads one list written by api_save_entity_list from the file's position, leaving the file
/// just after it (so that several lists can follow each other).
VARNEX_API outcome api_restore_entity_list(std::FILE* file, XBOOL text_mode, ENTITY_LIST& bodies);

// Export for other programs (model units are millimetres). Attributes are not exported.

/// STEP AP214; Open CASCADE's statistics printing to stdout is switched off for good.
VARNEX_API outcome PVFExportSTEP(const EntitySet& entities, const char* path);
/// Binary STL; `deflection` is the largest distance of the triangles from the surfaces (<= 0:
/// a thousandth of the bodies' size).
VARNEX_API outcome PVFExportSTL(const EntitySet& entities, const char* path, double deflection);
/// Open CASCADE's BREP text of the shapes alone.
VARNEX_API outcome PVFExportBREP(const EntitySet& entities, const char* path);
