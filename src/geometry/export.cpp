// Export of bodies for other programs: STEP, binary STL and plain BREP.
#include <varnex/base/file_io.h>
#include <varnex/geometry/body_io.h>

#include <BRepBndLib.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <Bnd_Box.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Static.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <STEPControl_Writer.hxx>
#include <StlAPI_Writer.hxx>
#include <TopoDS_Compound.hxx>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "geometry/body_pieces.h"
#include "geometry/kernel_scope.h"

namespace {

// Open CASCADE's data exchange prints statistics to stdout; a library must not.
void SilenceKernelPrinting() {
  static bool silenced = false;
  if (!silenced) {
    silenced = true;
    Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
  }
}

outcome RequirePath(const char* path) {
  return path == nullptr || *path == '\0' ? outcome(KERNEL_NULL_ARGUMENT, "no file name")
                                          : outcome();
}

void RequireWritable(const PVFAtomicFile& file) {
  RequireKernel(file.Ok(), KERNEL_WRITE_FAILED, file.Error().c_str());
}

// Puts the finished file in place of the target, or fails with the reason.
void CommitOrFail(PVFAtomicFile& file) {
  if (!file.Commit()) {
    FailKernel(KERNEL_WRITE_FAILED, file.Error());
  }
}

// The last bytes of a file, at most `count`.
std::string Tail(const char* path, std::size_t count) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
  std::streamoff start = std::max<std::streamoff>(0, size - static_cast<std::streamoff>(count));
  std::string tail(static_cast<std::size_t>(size - start), '\0');
  in.seekg(start);
  in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
  return in ? tail : std::string();
}

// Whether the text file ends with `trailer`, blanks after it aside.
bool EndsWith(const char* path, std::string_view trailer) {
  std::string tail = Tail(path, 256);
  std::size_t end = tail.find_last_not_of(" \t\r\n");
  return end != std::string::npos && end + 1 >= trailer.size() &&
         tail.compare(end + 1 - trailer.size(), trailer.size(), trailer) == 0;
}

// Whether a binary STL file is as long as its triangle count says: 84 + 50 bytes a triangle.
bool IsCompleteBinaryStl(const char* path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) {
    return false;
  }
  std::streamoff size = static_cast<std::streamoff>(in.tellg());
  unsigned char count[4] = {0, 0, 0, 0};
  in.seekg(80);
  in.read(reinterpret_cast<char*>(count), 4);
  if (!in) {
    return false;
  }
  std::uint64_t triangles =
      count[0] | (count[1] << 8) | (count[2] << 16) | (static_cast<std::uint64_t>(count[3]) << 24);
  return static_cast<std::uint64_t>(size) == 84 + 50 * triangles;
}

}  // namespace

outcome PVFExportSTEP(const EntitySet& entities, const char* path) {
  if (outcome missing = RequirePath(path); !missing.ok()) {
    return RecordOutcome(missing);
  }
  return RunKernelOperation([&] {
    TopoDS_Compound shapes = ShapesOfBodies(entities);
    SilenceKernelPrinting();
    STEPControl_Writer writer;
    Interface_Static::SetCVal("write.step.schema", "AP214IS");
    Interface_Static::SetCVal("write.step.unit", "MM");
    RequireKernel(writer.Transfer(shapes, STEPControl_AsIs) == IFSelect_RetDone,
                  KERNEL_WRITE_FAILED, "STEP transfer");
    PVFAtomicFile file(path);
    RequireWritable(file);
    if (writer.Write(file.TemporaryPath()) != IFSelect_RetDone) {
      file.Fail("STEP writer failed");
    }
    // The writer may not notice a short write: a complete STEP file ends with its trailer.
    if (file.Ok() && !EndsWith(file.TemporaryPath(), "END-ISO-10303-21;")) {
      file.Fail(std::string("cannot write '") + path + "' completely");
    }
    CommitOrFail(file);
  });
}

outcome PVFExportSTL(const EntitySet& entities, const char* path, double deflection) {
  if (outcome missing = RequirePath(path); !missing.ok()) {
    return RecordOutcome(missing);
  }
  return RunKernelOperation([&] {
    TopoDS_Compound shapes = ShapesOfBodies(entities);
    if (!(deflection > 0.0) || !std::isfinite(deflection)) {
      Bnd_Box box;
      BRepBndLib::Add(shapes, box);
      RequireKernel(!box.IsVoid(), KERNEL_BAD_VALUE, "empty bodies");
      deflection = std::max(1e-6, 1e-3 * std::sqrt(box.SquareExtent()));
    }
    BRepMesh_IncrementalMesh mesh(shapes, deflection, false, 0.5, false);
    RequireKernel(mesh.IsDone(), KERNEL_NOT_DONE, "meshing");
    StlAPI_Writer writer;
    writer.ASCIIMode() = false;
    PVFAtomicFile file(path);
    RequireWritable(file);
    if (!writer.Write(shapes, file.TemporaryPath())) {
      file.Fail("STL writer failed");
    }
    // A complete binary STL holds exactly the triangles its header counts.
    if (file.Ok() && !IsCompleteBinaryStl(file.TemporaryPath())) {
      file.Fail(std::string("cannot write '") + path + "' completely");
    }
    CommitOrFail(file);
  });
}

outcome PVFExportBREP(const EntitySet& entities, const char* path) {
  if (outcome missing = RequirePath(path); !missing.ok()) {
    return RecordOutcome(missing);
  }
  return RunKernelOperation([&] {
    TopoDS_Compound shapes = ShapesOfBodies(entities);
    std::ostringstream text;
    BRepTools::Write(shapes, text, false, false, TopTools_FormatVersion_CURRENT);
    RequireKernel(static_cast<bool>(text), KERNEL_WRITE_FAILED, "BREP text");
    PVFAtomicFile file(path);
    RequireWritable(file);
    file.Write(text.str());
    CommitOrFail(file);
  });
}
