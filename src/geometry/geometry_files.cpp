// Reading bodies from files (body files, STEP, BREP) and writing one body to a body file.
#include <varnex/base/file_io.h>
#include <varnex/geometry/body_io.h>
#include <varnex/geometry/geometry_files.h>
#include <varnex/geometry/model_bodies.h>

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_CheckIterator.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <STEPControl_Reader.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS_Shape.hxx>
#include <XSControl_WorkSession.hxx>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "geometry/body_registry.h"
#include "geometry/isolated_reader.h"
#include "geometry/kernel_scope.h"
#include "geometry/step_text_check.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool HasPath(const char* path) {
  return path != nullptr && *path != '\0';
}

// The file name's extension in lower case, without the dot; empty without one.
std::string Extension(const std::string& path) {
  std::size_t dot = path.find_last_of('.');
  std::size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return {};
  }
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

// Open CASCADE's STEP reader prints statistics to stdout; a library must not.
void SilenceKernelPrinting() {
  static bool silenced = false;
  if (!silenced) {
    silenced = true;
    Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
  }
}

TopoDS_Shape ReadStep(const char* path) {
  SilenceKernelPrinting();
  std::string text;
  std::string error;
  RequireKernel(PVFReadRegularFile(path, text, &error), KERNEL_READ_FAILED, error.c_str());
  error = varnex::geometry::CheckStepText(text);
  RequireKernel(error.empty(), KERNEL_READ_FAILED, ("damaged STEP file: " + error).c_str());
  STEPControl_Reader reader;
  RequireKernel(reader.ReadFile(path) == IFSelect_RetDone, KERNEL_READ_FAILED, "STEP file");
  // Open CASCADE's translation follows references without checking them: an entity that refers
  // to a missing entity or one of the wrong type crashes it. The loader's checks find such
  // entities, so a file they fail is refused before any translation.
  RequireKernel(reader.WS()->ModelCheckList().IsEmpty(Standard_True), KERNEL_READ_FAILED,
                "damaged STEP file");
  RequireKernel(reader.TransferRoots() > 0, KERNEL_READ_FAILED, "STEP file holds no shape");
  return reader.OneShape();
}

// Open CASCADE's BREP reader prints to stdout when a file is not BREP text: look at the start
// of the file first.
bool LooksLikeBrep(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::string start(512, '\0');
  in.read(start.data(), static_cast<std::streamsize>(start.size()));
  start.resize(static_cast<std::size_t>(in.gcount()));
  return start.find("CASCADE Topology") != std::string::npos;
}

TopoDS_Shape ReadBrep(const char* path) {
  RequireKernel(LooksLikeBrep(path), KERNEL_READ_FAILED, "not a BREP file");
  std::ifstream in(path, std::ios::binary);
  RequireKernel(in.is_open(), KERNEL_READ_FAILED, "cannot open BREP file");
  // Open CASCADE does not check the stream while it reads: a damaged count would make it read
  // on from a failed stream almost without end. A failed read throws instead, which the kernel
  // operation reports as a damaged file.
  in.exceptions(std::ios::failbit | std::ios::badbit);
  TopoDS_Shape shape;
  BRepTools::Read(shape, in, BRep_Builder());
  RequireKernel(!shape.IsNull(), KERNEL_READ_FAILED, "damaged BREP file");
  return shape;
}

// Bodies restored from a body file, added to the model; the first, or null.
ENTITY* ReadBodyFile(const char* path) {
  std::string error;
  if (!PVFIsRegularFile(path, &error)) {
    RecordOutcome(outcome(KERNEL_READ_FAILED, error));
    return nullptr;
  }
  File file(std::fopen(path, "rb"));
  if (!file) {
    RecordOutcome(outcome(KERNEL_READ_FAILED, "cannot open body file"));
    return nullptr;
  }
  ENTITY_LIST bodies;
  if (!api_restore_entity_list(file.get(), TRUE, bodies).ok() || bodies.count() == 0) {
    return nullptr;
  }
  for (int i = 0; i < bodies.count(); ++i) {
    ToModel(bodies[i]);
  }
  return bodies[0];
}

}  // namespace

int fmstore_acisgeo(const char* path, ENTITY* entity) {
  if (!HasPath(path) || entity == nullptr) {
    RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
    return 0;
  }
  // Written beside the old file and renamed over it only when complete and closed.
  PVFAtomicFile file(path);
  if (!file.Ok()) {
    RecordOutcome(outcome(KERNEL_WRITE_FAILED, file.Error()));
    return 0;
  }
  ENTITY_LIST one;
  one.add(entity);
  if (!api_save_entity_list(file.Stream(), TRUE, one).ok()) {
    file.Fail("cannot save the body");
  }
  if (!file.Commit()) {
    RecordOutcome(outcome(KERNEL_WRITE_FAILED, file.Error()));
    return 0;
  }
  return 1;
}

ENTITY* fmread_acisgeo(const char* path) {
  if (!HasPath(path)) {
    RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
    return nullptr;
  }
  return ReadBodyFile(path);
}

ENTITY* fmread_geometry(const char* path) {
  if (!HasPath(path)) {
    RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
    return nullptr;
  }
  std::string extension = Extension(path);
  bool step = extension == "step" || extension == "stp";
  if (!step && extension != "brep" && extension != "brp") {
    return ReadBodyFile(path);
  }
  // Regular files only: the kernel's readers would read a device such as /dev/zero forever.
  std::string error;
  if (!PVFIsRegularFile(path, &error)) {
    RecordOutcome(outcome(KERNEL_READ_FAILED, error));
    return nullptr;
  }
  BODY* body = nullptr;
  outcome result = RunKernelOperation([&] {
    TopoDS_Shape shape =
        varnex::geometry::ReadShapeIsolated([&] { return step ? ReadStep(path) : ReadBrep(path); });
    RequireKernel(!shape.IsNull() && TopExp_Explorer(shape, TopAbs_EDGE).More(), KERNEL_READ_FAILED,
                  "file holds no geometry");
    body = CreateBody(shape);
  });
  if (!result.ok()) {
    return nullptr;
  }
  ToModel(body);
  return body;
}
