// varnex export FEATURE [NAME=VALUE ...] -o FILE: instantiates a library feature, writes the
// bodies it built (or every body of a saved model) to FILE in the format the file name's
// extension picks, and prints their volume.
#include <varnex/varnex.h>

#include <cstdio>
#include <string>
#include <vector>

#include "body_export.h"
#include "commands.h"
#include "feature_instance.h"

namespace varnex::cli {
namespace {

bool IsModelPackage(const std::string& name) {
  return name.size() > 4 && name.compare(name.size() - 4, 4, ".VNX") == 0;
}

struct ExportRequest {
  std::string feature;
  std::vector<char*> assignments;
  std::string output;
  bool strict = false;
};

// FEATURE first, then NAME=VALUE words and "-o FILE" in any order; false after saying why.
bool ParseExportArguments(Arguments args, ExportRequest& request) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view word(args[i]);
    if (word == "-o" || word == "--output") {
      if (i + 1 == args.size()) {
        Fail(std::string("'").append(word).append("' needs a FILE"));
        return false;
      }
      request.output = args[++i];
    } else if (word == "--strict") {
      request.strict = true;
    } else if (request.feature.empty()) {
      request.feature = word;
    } else {
      request.assignments.push_back(args[i]);
    }
  }
  if (request.feature.empty() || request.output.empty()) {
    Fail("export needs a FEATURE and -o FILE (see 'varnex export --help')");
    return false;
  }
  return true;
}

// A body cut away entirely keeps no face: such bodies alone make no export.
bool HasFaces(const ENTITY_LIST& bodies) {
  for (int i = 0; i < bodies.count(); ++i) {
    ENTITY_LIST faces;
    if (api_get_faces(bodies[i], faces).ok() && faces.count() > 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

int RunExport(Arguments args) {
  ExportRequest request;
  if (!ParseExportArguments(args, request)) {
    return 1;
  }
  const ExportFormat* format = FindExportFormat(request.output);
  if (format == nullptr) {
    return Fail("cannot tell the format of '" + request.output + "': name it " +
                ExportExtensions());
  }
  FeatureInstances instances;
  ENTITY_LIST bodies;
  if (IsModelPackage(request.feature)) {
    if (!request.assignments.empty()) {
      return Fail("a stored model takes no NAME=VALUE parameters");
    }
    if (PVMLoadModel(request.feature.c_str()) != 0) {
      return Fail("cannot load '" + request.feature + "': " + PVMLastStoreError());
    }
    for (int i = 0; i < gmod_anfang->count(); ++i) {
      bodies.add((*gmod_anfang)[i]);
    }
    if (bodies.count() == 0 || !HasFaces(bodies)) {
      return Fail("model '" + request.feature + "' holds no bodies");
    }
  } else {
    rumpf* instance = instances.Create(request.feature, request.assignments, request.strict);
    if (instance == nullptr) {
      return 1;
    }
    if (PVFCollectInstanceBodies(instance, bodies) == 0 || !HasFaces(bodies)) {
      return Fail("feature '" + request.feature + "' built no bodies");
    }
  }
  std::string error;
  if (!format->write(bodies, request.output.c_str(), error)) {
    return Fail("cannot write '" + request.output + "': " + error);
  }
  std::printf("volume = %.6g\n", TotalVolume(bodies));
  return 0;
}

const Command kExportCommand = {
    "export", "instantiate a library feature and write its bodies to a file",
    "usage: varnex export FEATURE [NAME=VALUE ...] -o FILE [--strict]\n"
    "       varnex export MODEL.VNX -o FILE\n"
    "\n"
    "Creates one instance of the library feature FEATURE (NAME=VALUE sets the parameter NAME\n"
    "to a NOVL value text, the others take their defaults) and writes every body its\n"
    "geometric objects hold to FILE; given a model saved as MODEL.VNX (varnex session), it\n"
    "writes every body of that model instead. The extension of FILE picks the format:\n"
    "  .step, .stp   STEP AP214, millimetres\n"
    "  .stl          binary STL (triangles within a thousandth of the bodies' size)\n"
    "  .brep         Open CASCADE BREP text\n"
    "  .png          a shaded isometric picture, 800 x 600\n"
    "Prints 'volume = V', the bodies' total volume to 6 significant digits.\n"
    "Statements the feature's text skipped are reported on stderr as warnings\n"
    "('varnex: warning: FILE:LINE: why'); --strict makes any of them a failure.\n"
    "The library is read from the search paths in the environment variable NOVLPath, else\n"
    "from the features shipped with varnex.\n"
    "Exits 1, saying why on stderr, for an unknown feature, parameter or format, a rejected\n"
    "value, a feature that refused or built no bodies, a skipped statement with --strict,\n"
    "a model that cannot be loaded, or a file that cannot be written.\n"
    "  varnex export plate_four_holes width=120 -o plate.step\n",
    RunExport};

}  // namespace varnex::cli
