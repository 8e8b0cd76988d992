// The session command `generate`: the chosen nodes become the text of a new feature definition,
// which is written beside the library's features and taken into the running library, so that
// `new NAME` instantiates it at once.
#include "session_generate_command.h"

#include <varnex/generator/generator.h>
#include <varnex/varnex.h>

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace varnex::cli {
namespace {

struct GenerateRequest {
  std::string name;
  std::vector<std::string> nodes;
  std::vector<std::string> inputs;  // PARAM or PARAM=NEW
  std::string file;
};

bool ParseRequest(const std::vector<std::string>& words, GenerateRequest& request,
                  std::string& error) {
  enum { kNodes, kInputs } part = kNodes;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--input") {
      part = kInputs;
    } else if (word == "-o") {
      if (i + 1 >= words.size() || !request.file.empty()) {
        error = "-o needs one FILE.NVL";
        return false;
      }
      request.file = words[++i];
    } else if (request.name.empty()) {
      request.name = word;
    } else {
      (part == kNodes ? request.nodes : request.inputs).push_back(word);
    }
  }
  if (request.name.empty() || request.nodes.empty()) {
    error = "usage: generate NAME NODE ... [--input PARAM[=NEW] ...] [-o FILE.NVL]";
    return false;
  }
  return true;
}

// The first directory of the library's search path ("#DIR" searches DIR and below).
std::string FirstLibraryDirectory() {
  VALUE_LIST<PVMStrg> paths;
  if (pFeatureList == nullptr || pFeatureList->GetNvlPath(&paths) == 0) {
    return {};
  }
  std::string first = paths[0].GetpStr();
  return !first.empty() && first[0] == '#' ? first.substr(1) : first;
}

bool Choose(PVFMtfPartTree& generator, const GenerateRequest& request, std::string& error) {
  GENERIC_LIST<PDTnode> nodes(TRUE);
  for (const std::string& name : request.nodes) {
    PDTnode* node = all_nodes != nullptr ? all_nodes->findByName(name.c_str()) : nullptr;
    if (node == nullptr) {
      error = "no node '" + name + "'";
      return false;
    }
    nodes.add(node);
  }
  generator.AddNodes(&nodes);
  if (!generator.SetFeatureName(PVMStrg(request.name.c_str()))) {
    error = generator.GetError().GetpStr();
    return false;
  }
  generator.SetExplicitFeatureType(generator.GetFeatureType());  // a negative part stays one
  for (const std::string& input : request.inputs) {
    std::size_t equals = input.find('=');
    PVMStrg parameter(input.substr(0, equals).c_str());
    bool named = generator.SetInputParameter(parameter) &&
                 (equals == std::string::npos ||
                  generator.RenameParameter(parameter, PVMStrg(input.substr(equals + 1).c_str())));
    if (!named) {
      error = generator.GetError().GetpStr();
      return false;
    }
  }
  if (generator.CreateFeatureDescription()) {
    error = "cannot generate " + request.name + ": " + generator.GetError().GetpStr();
    return false;
  }
  return true;
}

}  // namespace

bool GenerateFeature(const std::vector<std::string>& words, std::string& error) {
  GenerateRequest request;
  if (!ParseRequest(words, request, error)) {
    return false;
  }
  if (pFeatureList == nullptr) {
    error = "no feature library is loaded";
    return false;
  }
  if (pFeatureList->GetFeatureByName(PVMStrg(request.name.c_str())) != nullptr) {
    error = "the library has a feature '" + request.name + "' already";
    return false;
  }
  PVFMtfPartTree generator;
  if (!Choose(generator, request, error)) {
    return false;
  }
  std::filesystem::path file = request.file;
  if (file.empty()) {
    std::string directory = FirstLibraryDirectory();
    if (directory.empty()) {
      error = "the library has no search path to write " + request.name + ".NVL into: use -o";
      return false;
    }
    file = std::filesystem::path(directory) / (request.name + ".NVL");
  }
  PVMStrg text, nov;
  PVFBinBlock binary;
  generator.GetNvlDescription(text);
  // The companion first: a text without its NOV description would run without its values.
  std::string reason, written;
  std::filesystem::path companion = std::filesystem::path(file).replace_extension(".NOV");
  const bool with_companion = generator.GetNovDescription(nov, binary) != nullptr;
  const PVFBinBlockList contour = generator.GetNovBinaryParts();
  if (with_companion) {
    // Framed as the library frames its geometry files, so that the library reads it back.
    std::string bytes = Featurelist_Element::NovFileBytes(nov, contour);
    if (!PVFWriteFileAtomically(companion.c_str(), bytes, &reason)) {
      error = "cannot write '" + companion.string() + "': " + reason;
      return false;
    }
    written = ", " + companion.string();
  }
  if (!PVFWriteFileAtomically(file.c_str(), std::string_view(text.GetpStr(), text.Length()),
                              &reason)) {
    if (!written.empty()) {
      std::error_code ignored;
      std::filesystem::remove(companion, ignored);
    }
    error = "cannot write '" + file.string() + "': " + reason;
    return false;
  }
  written = file.string() + written;
  Featurelist_Element* element =
      pFeatureList->ReplaceFeature(PVMStrg(file.filename().c_str()), text);
  if (with_companion) {
    element->SetFeatureGeometry(nov);
    element->SetFeatureContour(contour);
  }
  PVMStrg function;
  std::printf("%s (written to %s)\n", element->GetFunctionName(function), written.c_str());
  return true;
}

bool MakeInputList(const std::vector<std::string>& words, std::string& error) {
  if (words.size() < 3) {
    error = "usage: inputs LIST NODE ... [/ NODE ...]";
    return false;
  }
  std::vector<std::vector<PDTnode*>> elements(1);
  for (std::size_t i = 2; i < words.size(); ++i) {
    if (words[i] == "/") {
      elements.emplace_back();
      continue;
    }
    PDTnode* node = all_nodes != nullptr ? all_nodes->findByName(words[i].c_str()) : nullptr;
    if (node == nullptr) {
      error = "no node '" + words[i] + "'";
      return false;
    }
    elements.back().push_back(node);
  }
  PVMStrg reason;
  if (PVFMtfReproFeatNode::CreateInputList(PVMStrg(words[1].c_str()), elements, reason) ==
      nullptr) {
    error = reason.GetpStr();
    return false;
  }
  std::printf("%s\n", words[1].c_str());
  return true;
}

}  // namespace varnex::cli
