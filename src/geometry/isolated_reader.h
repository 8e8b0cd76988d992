// Reading files from other programs in a child process. Open CASCADE's BREP and STEP readers
// trust what they read: some damaged files crash them or make them run without end. Run in a
// child, such a file costs the child, never the host, and the reader's result comes back as the
// kernel's own binary shape data.
#pragma once

#include <TopoDS_Shape.hxx>
#include <chrono>
#include <functional>
#include <string>

namespace varnex::geometry {

/// How long a reader may take before its child is stopped and the file refused.
inline constexpr std::chrono::seconds kIsolatedReadLimit{120};

/// Runs `work` in a child process and returns what it returned. Fails the running kernel
/// operation (KERNEL_READ_FAILED) with the work's own reason when it threw, or with "the reader
/// crashed" / "the reader took too long" when the child died or was stopped.
std::string RunIsolated(const std::function<std::string()>& work,
                        std::chrono::seconds limit = kIsolatedReadLimit);

/// A shape as the kernel's binary shape data, and back. For data the kernel wrote itself.
std::string BinaryShapeData(const TopoDS_Shape& shape);
TopoDS_Shape ShapeOfBinaryData(const std::string& data);

/// Runs `read` in a child process and returns the shape it read. Fails the running kernel
/// operation (KERNEL_READ_FAILED) with the reader's own reason, or with "the reader crashed" /
/// "the reader took too long" when the child died or was stopped.
TopoDS_Shape ReadShapeIsolated(const std::function<TopoDS_Shape()>& read,
                               std::chrono::seconds limit = kIsolatedReadLimit);

}  // namespace varnex::geometry
