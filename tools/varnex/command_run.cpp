// varnex run FEATURE [NAME=VALUE ...]: instantiates one library feature and prints the world of
// the new instance.
#include <varnex/varnex.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "body_export.h"
#include "commands.h"
#include "feature_session.h"

namespace varnex::cli {
namespace {

// The formula without its closing ";".
std::string FormulaText(const char* source) {
  std::string formula(source);
  while (!formula.empty() && (formula.back() == ';' || formula.back() == ' ')) {
    formula.pop_back();
  }
  return formula;
}

std::string Number(double value) {
  char text[64];
  // Kernel round-off (1e-15) and -0 show as 0.
  std::snprintf(text, sizeof text, "%.6g", std::fabs(value) < 1e-9 ? 0.0 : value);
  return text;
}

std::string Point(const SPAposition& point) {
  return "[" + Number(point.x()) + ", " + Number(point.y()) + ", " + Number(point.z()) + "]";
}

// What a geometric object holds, in place of its empty value text: "volume V, N faces, box
// [low] .. [high]" over the bodies of its entities, or "empty".
std::string BodySummary(object_geom& geometry) {
  ENTITY_LIST bodies;
  list* entities = geometry.get_list();
  for (int i = 0; entities != nullptr && i < entities->count(); ++i) {
    bodies.add(fmbody_from((*entities)[i]));
  }
  int faces = 0;
  bool boxed = false;
  SPAposition low, high;
  for (int i = 0; i < bodies.count(); ++i) {
    ENTITY_LIST body_faces;
    if (api_get_faces(bodies[i], body_faces).ok()) {
      faces += body_faces.count();
    }
    SPAposition body_low, body_high;
    if (api_get_entity_box(bodies[i], body_low, body_high).ok()) {
      if (!boxed) {
        low = body_low;
        high = body_high;
        boxed = true;
      } else {
        low = SPAposition(std::min(low.x(), body_low.x()), std::min(low.y(), body_low.y()),
                          std::min(low.z(), body_low.z()));
        high = SPAposition(std::max(high.x(), body_high.x()), std::max(high.y(), body_high.y()),
                           std::max(high.z(), body_high.z()));
      }
    }
  }
  if (bodies.count() == 0 || faces == 0) {
    return "empty";
  }
  std::string summary = "volume " + Number(TotalVolume(bodies)) + ", " + std::to_string(faces) +
                        (faces == 1 ? " face" : " faces");
  if (boxed) {
    summary += ", box " + Point(low) + " .. " + Point(high);
  }
  return summary;
}

// One line per object, depth first: "full.name : alias_type = value [:= formula]"; a geometric
// object shows its body summary as its value.
void PrintWorld(nullwelt* world) {
  for (welt* element = world->get_next(); element != nullptr; element = element->get_next()) {
    rumpf* object = element->get_member();
    PVMStrg full_name;
    PVMStrg formula;
    PVMStrg value;
    object->get_full_name(full_name);
    object->GetValue(formula, value);
    auto* geometry = object->isTypeOf("Geometric") ? dynamic_cast<object_geom*>(object) : nullptr;
    std::string shown = geometry != nullptr ? BodySummary(*geometry) : value.GetpStr();
    std::string line =
        std::string(full_name.GetpStr()) + " : " + object->get_alias_type() + " = " + shown;
    if (const char* source = object->get_value_source()) {
      line += " := " + FormulaText(source);
    }
    std::printf("%s\n", line.c_str());
    if (nullwelt* subworld = object->get_subworld()) {
      PrintWorld(subworld);
    }
  }
}

}  // namespace

int RunRun(Arguments args) {
  std::vector<char*> words(args.begin(), args.end());
  const bool strict = TakeStrictOption(words);
  if (words.empty()) {
    return Fail("run needs a FEATURE (see 'varnex run --help')");
  }
  FeatureSession session;
  const char* name = InterpretFeature(words[0], Arguments(words).subspan(1), strict);
  if (name == nullptr) {
    return 1;
  }
  std::printf("%s\n", name);
  rumpf* instance = search(name);
  if (instance == nullptr || instance->get_subworld() == nullptr) {
    return Fail(std::string("feature '") + words[0] + "' handed no instance over");
  }
  PrintWorld(instance->get_subworld());
  return 0;
}

const Command kRunCommand = {
    "run", "instantiate a library feature and print its objects",
    "usage: varnex run FEATURE [NAME=VALUE ...] [--strict]\n"
    "\n"
    "Creates one instance of the library feature FEATURE. Each NAME=VALUE sets the\n"
    "parameter NAME (a NOVL value text: 12.5, 'text', TRUE, [1, 0, 0]); the other\n"
    "parameters take their defaults. Prints the instance name, then one line per object\n"
    "of its world, depth first:\n"
    "  full.name : alias_type = value\n"
    "with ' := formula' appended when the object's value comes from a formula. A geometric\n"
    "object shows its bodies instead: 'volume V, N faces, box [x, y, z] .. [x, y, z]'.\n"
    "A statement the feature's text skips (a name that names nothing, a Boolean with an\n"
    "empty operand, a blend or pattern that failed, a syntax error) is reported on stderr\n"
    "as 'varnex: warning: FILE:LINE: why'; with --strict any such warning fails the run.\n"
    "The library is read from the search paths in the environment variable NOVLPath\n"
    "(separated by ';' or ':', '#DIR' for DIR and all its subfolders), else from the\n"
    "features shipped with varnex.\n"
    "Exits 0 when the instance exists; 1, saying why on stderr, for an unknown feature\n"
    "or parameter, a rejected value (naming the restriction it violates or the forms the\n"
    "parameter takes), a feature that refused (refuse(text): 'feature NAME refused:\n"
    "text'), a feature that handed no instance over, or, with --strict, a skipped statement.\n",
    RunRun};

}  // namespace varnex::cli
