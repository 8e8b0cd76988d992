// varnex demo [DIR]: every feature of the library, with its defaults and with one parameter
// changed, as a table, with a STEP file and a picture of each instance in DIR.
#include <unistd.h>
#include <varnex/varnex.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "commands.h"
#include "feature_instance.h"
#include "picture_export.h"

namespace varnex::cli {
namespace {

namespace fs = std::filesystem;

struct DemoRun {
  std::string feature;
  std::string assignment;  // NAME=VALUE, empty for the defaults
  std::string needs;       // parameters without default: the feature is not built alone
};

struct DemoResult {
  double volume = 0;
  int faces = 0;
  double seconds = 0;
  std::string error;
};

// The changed parameter: the first distance or NUMBER parameter, half as large again.
std::string ChangedParameter(Featurelist_Element& feature) {
  void_list* parameters = feature.get_paralist();
  for (int i = 0; parameters != nullptr && i < parameters->count(); ++i) {
    auto* parameter = static_cast<HANDOVER_PARAMETER*>((*parameters)[i]);
    PVMStrg name, type, value;
    parameter->GetName(name);
    parameter->GetType(type);
    parameter->GetValue(value);
    const std::string kind = type.GetpStr();
    if (kind == "distance" && value.IsNotVoid()) {
      std::ostringstream changed;
      changed << std::stod(value.GetpStr()) * 1.5;  // %g form: 15, 22.5
      return std::string(name.GetpStr()) + "=" + changed.str();
    }
    if (kind == "NUMBER" && value.IsNotVoid()) {
      return std::string(name.GetpStr()) + "=" + std::to_string(std::stol(value.GetpStr()) + 2);
    }
  }
  return std::string();
}

// The parameters without default, separated by blanks: a feature that needs them (the input
// list of a reproduction) is built in a model, never alone.
std::string ParametersWithoutDefault(Featurelist_Element& feature) {
  std::string names;
  void_list* parameters = feature.get_paralist();
  for (int i = 0; parameters != nullptr && i < parameters->count(); ++i) {
    auto* parameter = static_cast<HANDOVER_PARAMETER*>((*parameters)[i]);
    PVMStrg name, value;
    parameter->GetName(name);
    parameter->GetValue(value);
    if (value.IsVoid()) {
      names += (names.empty() ? "" : " ") + std::string(name.GetpStr());
    }
  }
  return names;
}

// Two runs per feature of the library, in name order; one row without a run for a feature that
// needs inputs.
std::vector<DemoRun> PlanRuns() {
  FeatureSession session;
  std::vector<DemoRun> runs;
  for (int i = 0; pFeatureList != nullptr && i < pFeatureList->Count(); ++i) {
    Featurelist_Element& feature = *(*pFeatureList)[i];
    std::string name = feature.FeatureName().GetpStr();
    if (std::string needs = ParametersWithoutDefault(feature); !needs.empty()) {
      runs.push_back({name, "", needs});
      continue;
    }
    runs.push_back({name, "", ""});
    std::string changed = ChangedParameter(feature);
    if (!changed.empty()) {
      runs.push_back({name, changed, ""});
    }
  }
  std::stable_sort(runs.begin(), runs.end(),
                   [](const DemoRun& a, const DemoRun& b) { return a.feature < b.feature; });
  return runs;
}

int CountFaces(const EntitySet& bodies) {
  int faces = 0;
  for (int i = 0; i < bodies.count(); ++i) {
    ENTITY_LIST found;
    if (api_get_faces(bodies[i], found).ok()) {
      faces += found.count();
    }
  }
  return faces;
}

std::string FileStem(const DemoRun& run) {
  std::string stem = run.feature;
  if (!run.assignment.empty()) {
    stem += '_';
    stem += run.assignment.substr(0, run.assignment.find('='));
  }
  return stem;
}

// One instance in an engine of its own: built, measured and written as STEP and PNG.
DemoResult BuildOne(const DemoRun& run, const fs::path& dir) {
  DemoResult result;
  auto start = std::chrono::steady_clock::now();
  FeatureInstances instances;
  std::vector<char*> assignments;
  std::string assignment = run.assignment;
  if (!assignment.empty()) {
    assignments.push_back(assignment.data());
  }
  rumpf* instance = instances.Create(run.feature, assignments);
  ENTITY_LIST bodies;
  if (instance == nullptr || PVFCollectInstanceBodies(instance, bodies) == 0) {
    result.error = "built no bodies";
    return result;
  }
  for (int i = 0; i < bodies.count(); ++i) {
    result.volume += fmvolume_of_body(bodies[i]);
  }
  result.faces = CountFaces(bodies);
  const std::string stem = (dir / FileStem(run)).string();
  outcome step = PVFExportSTEP(bodies, (stem + ".step").c_str());
  if (!step.ok()) {
    result.error = "cannot write " + stem + ".step";
  } else if (!WritePicture(bodies, (stem + ".png").c_str(), result.error)) {
    result.error = "cannot write " + stem + ".png: " + result.error;
  }
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return result;
}

void ShowProgress(bool shown, std::size_t index, std::size_t total, const DemoRun& run) {
  if (shown) {
    std::fprintf(stderr, "\r\033[K[%zu/%zu] building %s %s", index + 1, total, run.feature.c_str(),
                 run.assignment.c_str());
    std::fflush(stderr);
  }
}

void ClearProgress(bool shown) {
  if (shown) {
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
  }
}

}  // namespace

int RunDemo(Arguments args) {
  if (args.size() > 1) {
    return Fail("demo takes at most one DIR (see 'varnex demo --help')");
  }
  const fs::path dir = args.empty() ? fs::path("varnex-demo") : fs::path(args[0]);
  std::error_code error;
  fs::create_directories(dir, error);
  if (error || !fs::is_directory(dir)) {
    return Fail("cannot create the directory '" + dir.string() + "'");
  }
  const std::vector<DemoRun> runs = PlanRuns();
  if (runs.empty()) {
    return Fail("the feature library is empty (set NOVLPath to a folder of .NVL files)");
  }
  const bool progress = isatty(STDERR_FILENO) != 0;
  std::printf("%-14s %-18s %-24s %14s %6s %8s\n", "feature", "instance", "parameters", "volume",
              "faces", "time");
  int failures = 0;
  std::size_t skipped = 0;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    if (!runs[i].needs.empty()) {
      ++skipped;
      std::printf("%-14s %-18s %-24s %s\n", runs[i].feature.c_str(), "-", "-",
                  ("not built alone: needs " + runs[i].needs + " from a model").c_str());
      continue;
    }
    ShowProgress(progress, i, runs.size(), runs[i]);
    DemoResult result = BuildOne(runs[i], dir);
    ClearProgress(progress);
    const std::string instance = runs[i].feature + "_@" + std::to_string(i + 1 - skipped);
    const std::string parameters = runs[i].assignment.empty() ? "defaults" : runs[i].assignment;
    if (!result.error.empty()) {
      ++failures;
      std::printf("%-14s %-18s %-24s %s\n", runs[i].feature.c_str(), instance.c_str(),
                  parameters.c_str(), result.error.c_str());
      continue;
    }
    std::printf("%-14s %-18s %-24s %14.3f %6d %7.2fs\n", runs[i].feature.c_str(), instance.c_str(),
                parameters.c_str(), result.volume, result.faces, result.seconds);
    std::fflush(stdout);
  }
  std::printf("\n%zu instances, STEP files and pictures in %s/\n", runs.size() - skipped - failures,
              dir.string().c_str());
  return failures == 0 ? 0 : 1;
}

const Command kDemoCommand = {
    "demo", "build every library feature and write a STEP file and a picture of each",
    "usage: varnex demo [DIR]\n\n"
    "Instantiates every feature of the library (NOVLPath, else the shipped features) with its\n"
    "defaults and again with its first size or count parameter changed, prints one table row\n"
    "per instance (feature, instance, parameters, volume, faces, time) and writes FEATURE.step\n"
    "and FEATURE.png (FEATURE_PARAMETER.* for the changed one) into DIR, ./varnex-demo by\n"
    "default. A feature with a parameter without default (the input list of a reproduction)\n"
    "gets a row saying so and is not built. A progress line shows on a terminal. Exits 1 when\n"
    "any instance failed.\n",
    RunDemo};

}  // namespace varnex::cli
