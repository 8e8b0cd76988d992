// The model commands of `varnex session` (see session_model_commands.h).
#include "session_model_commands.h"

#include <varnex/varnex.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace varnex::cli {
namespace {

using Words = std::vector<std::string>;

int NodeCount() {
  return all_nodes != nullptr ? all_nodes->size() : 0;
}

int BodyCount() {
  return gmod_anfang != nullptr ? gmod_anfang->count() : 0;
}

const char* Plural(int count) {
  return count == 1 ? "" : "s";
}

bool Save(const std::string& path, std::string& error) {
  PVMStrg saved = PVMSaveModel(path.c_str());
  if (saved.IsVoid()) {
    error = "cannot save '" + path + "': " + PVMLastStoreError();
    return false;
  }
  std::error_code failed;
  auto size = std::filesystem::file_size(saved.GetpStr(), failed);
  std::printf("saved %s (%ju bytes)\n", saved.GetpStr(),
              static_cast<std::uintmax_t>(failed ? 0 : size));
  return true;
}

bool Load(const std::string& path, std::string& error) {
  if (PVMLoadModel(path.c_str()) != 0) {
    error = "cannot load '" + path + "': " + PVMLastStoreError() + "; the model is as it was";
    return false;
  }
  int nodes = NodeCount(), bodies = BodyCount();
  std::printf("loaded %s: %d node%s, %d bod%s\n", path.c_str(), nodes, Plural(nodes), bodies,
              bodies == 1 ? "y" : "ies");
  return true;
}

bool Merge(const std::string& path, std::string& error) {
  int before = NodeCount();
  int renamed = 0;
  if (PVMMergeModel(path.c_str(), &renamed) != 0) {
    error = "cannot merge '" + path + "': " + PVMLastStoreError() + "; the model is as it was";
    return false;
  }
  int added = NodeCount() - before;
  std::printf("merged %s: %d identifier%s renamed, %d node%s added\n", path.c_str(), renamed,
              Plural(renamed), added, Plural(added));
  return true;
}

}  // namespace

bool RunModelCommand(const Words& words, std::string& error, bool& handled) {
  using Handler = bool (*)(const std::string&, std::string&);
  Handler handler = words[0] == "save"    ? &Save
                    : words[0] == "load"  ? &Load
                    : words[0] == "merge" ? &Merge
                                          : nullptr;
  handled = handler != nullptr;
  if (handler == nullptr) {
    return false;
  }
  if (words.size() != 2) {
    error = words[0] + " needs one FILE.VNX";
    return false;
  }
  return handler(words[1], error);
}

}  // namespace varnex::cli
