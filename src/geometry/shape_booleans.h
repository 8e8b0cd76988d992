// Booleans on shapes for the layer's own operations (sweeps that add to a solid, hulls), with
// the history that carries wrappers along (internal).
#pragma once

#include <BRepAlgoAPI_BooleanOperation.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS_Shape.hxx>
#include <memory>

enum class ShapeBooleanKind { Fuse, Cut, Common };

/// Builds `kind` of `blank` with `tools` and merges coplanar pieces; throws a kernel failure
/// (KERNEL_BOOLEAN_FAILED) when Open CASCADE reports an error. The operation holds the history.
std::unique_ptr<BRepAlgoAPI_BooleanOperation> BuildShapeBoolean(ShapeBooleanKind kind,
                                                                const TopoDS_Shape& blank,
                                                                const TopTools_ListOfShape& tools,
                                                                bool simplify = true);
