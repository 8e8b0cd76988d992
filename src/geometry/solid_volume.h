// The volume faces enclose, in closed form where the geometry allows (internal).
#pragma once

#include <TopoDS_Shape.hxx>

/// The volume the faces of `shape` enclose, each face counted by its orientation, as Open
/// CASCADE's volume integration defines it. A face on a plane or a cylinder whose boundary is
/// made of straight and circular curves in its parameter plane (plates, holes, pins, cut
/// boxes) contributes in closed form, exactly and in constant time; any other face is
/// integrated, adaptively to `relative_accuracy` when that lies in (0, 1), else by the fixed
/// Gauss rules.
double SolidVolume(const TopoDS_Shape& shape, double relative_accuracy = 0.0);
