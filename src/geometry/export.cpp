// Export of bodies for other programs: STEP, binary STL and plain BREP.
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
    RequireKernel(writer.Write(path) == IFSelect_RetDone, KERNEL_WRITE_FAILED, path);
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
    RequireKernel(writer.Write(shapes, path), KERNEL_WRITE_FAILED, path);
  });
}

outcome PVFExportBREP(const EntitySet& entities, const char* path) {
  if (outcome missing = RequirePath(path); !missing.ok()) {
    return RecordOutcome(missing);
  }
  return RunKernelOperation([&] {
    TopoDS_Compound shapes = ShapesOfBodies(entities);
    RequireKernel(BRepTools::Write(shapes, path, false, false, TopTools_FormatVersion_CURRENT),
                  KERNEL_WRITE_FAILED, path);
  });
}
