// Reading bodies from files and writing one body to a file.
//
// A body file (fmstore_acisgeo / fmread_acisgeo) holds one entity list in the layer's body text
// (body_io.h) with its attributes. read_geometry brings in bodies made by other programs: STEP
// (.step, .stp) and Open CASCADE BREP (.brep, .brp); any other name is read as a body file. Every
// body read is added to the model's body list.
#pragma once

#include <varnex/geometry/entity.h>

/// Writes the body of `entity` (with its attributes) to the file at `path` (created or
/// truncated). 1 on success, 0 without a path or entity or when the file cannot be written.
VARNEX_API int fmstore_acisgeo(const char* path, ENTITY* entity);
/// Reads a file written by fmstore_acisgeo; its bodies go to the model. Returns the first body,
/// or null (nothing added) when the file cannot be read or holds no body.
VARNEX_API ENTITY* fmread_acisgeo(const char* path);
/// Reads a STEP, BREP or body file; the file's shapes become one body in the model, which is
/// returned. Null (nothing added) when the file is missing, unreadable or empty.
VARNEX_API ENTITY* fmread_geometry(const char* path);
