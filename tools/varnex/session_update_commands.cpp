// varnex session: the commands that change values and bring the tree up to date (set, test,
// get, update, rebuild, order).
#include "session_update_commands.h"

#include <varnex/varnex.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "host_hooks.h"

namespace varnex::cli {
namespace {

using Words = std::vector<std::string>;

// The nodes changed by `set` since the last update, by name (a name outlives a deleted node).
std::vector<std::string>& ChangedNodes() {
  static std::vector<std::string> names;
  return names;
}

std::string RestOfLine(const Words& words, std::size_t from) {
  std::string text;
  for (std::size_t i = from; i < words.size(); ++i) {
    text += (i > from ? " " : "") + words[i];
  }
  return text;
}

bool Set(const Words& words, std::string& error) {
  if (words.size() < 3) {
    error = "set needs a NAME and a VALUE";
    return false;
  }
  PVMStrg name(words[1].c_str()), value(RestOfLine(words, 2).c_str()), result;
  if (SetValue(name, value, result) == nullptr) {
    if (result.IsVoid()) {
      error = "no value '" + words[1] + "', or the host does not let it change";
      return false;
    }
    std::printf("%s\n", result.GetpStr());
    error = words[1] + " keeps its value: " + result.GetpStr();
    return false;
  }
  std::printf("%s\n", result.GetpStr());
  if (PDTnode* node = NodeOfName(name)) {
    std::string changed = node->get_name();
    std::vector<std::string>& names = ChangedNodes();
    if (std::find(names.begin(), names.end(), changed) == names.end()) {
      names.push_back(changed);
    }
  }
  return true;
}

bool Test(const Words& words, std::string& error) {
  if (words.size() < 3) {
    error = "test needs a NAME and a VALUE";
    return false;
  }
  PVMStrg name(words[1].c_str()), value(RestOfLine(words, 2).c_str()), result;
  if (TestValue(name, value, result) == nullptr && result.IsVoid()) {
    error = "no value '" + words[1] + "'";
    return false;
  }
  std::printf("%s\n", result.GetpStr());
  return true;
}

bool Get(const Words& words, std::string& error) {
  if (words.size() != 2) {
    error = "get needs one NAME";
    return false;
  }
  PVMStrg name(words[1].c_str()), formula, result;
  if (GetValue(name, formula, result) == nullptr) {
    error = "no value '" + words[1] + "'";
    return false;
  }
  std::printf("%s = %s", words[1].c_str(), result.GetpStr());
  if (!formula.IsVoid()) {
    std::string text = formula.GetpStr();
    if (!text.empty() && text.back() == ';') {
      text.pop_back();
    }
    std::printf("  (formula: %s)", text.c_str());
  }
  std::printf("\n");
  return true;
}

// The nodes the last update or rebuild left without their solid make the command fail.
bool NoFailedNodes(std::string& error) {
  const std::vector<std::string>& failed = PDTLastFailedNodes();
  if (failed.empty()) {
    return true;
  }
  error = "no solid after the refresh of";
  for (const std::string& name : failed) {
    error += " ";
    error += name;
  }
  return false;
}

bool Update(const Words& words, std::string& error) {
  bool verbose = false;
  std::vector<std::string> names;
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (words[i] == "-v") {
      verbose = true;
    } else {
      names.push_back(words[i]);
    }
  }
  bool named = !names.empty();
  if (!named) {
    names = ChangedNodes();
  }
  void_list nodes;
  for (const std::string& name : names) {
    PDTnode* node = all_nodes != nullptr ? all_nodes->findByName(name.c_str()) : nullptr;
    if (node != nullptr) {
      nodes.add(node);
    } else if (named) {
      error = "no node '" + name + "'";
      return false;
    }
  }
  if (nodes.count() == 0) {
    std::printf("nothing changed since the last update\n");
    return true;
  }
  auto start = std::chrono::steady_clock::now();
  int result = nodes.count() == 1
                   ? update_referencing_nodes(static_cast<PDTnode*>(nodes[0]), nullptr)
                   : update_referencing_nodes(&nodes, nullptr, nullptr, nullptr);
  double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (!named) {
    ChangedNodes().clear();
  }
  if (result < 0) {
    error = "the update stopped";
    return false;
  }
  const std::vector<std::string>& updated = PDTLastUpdatedNodes();
  std::printf("updated %zu of %d nodes in %.1f ms\n", updated.size(), all_nodes->size(), ms);
  if (verbose) {
    for (const std::string& name : updated) {
      std::printf("  %s\n", name.c_str());
    }
    for (const std::string& name : PDTLastRestoredNodes()) {
      std::printf("  %s restored from its memory body\n", name.c_str());
    }
  }
  return NoFailedNodes(error);
}

bool Rebuild(const Words& words, std::string& error) {
  if (words.size() != 1) {
    error = "rebuild takes no arguments";
    return false;
  }
  int result = rebuild_all();
  ChangedNodes().clear();
  if (result == -1) {
    error = "the rebuild stopped at a failing node; later nodes have no bodies";
    return false;
  }
  GENERIC_LIST<PDTnode> corrupt;
  GetCorruptNodes(&corrupt);
  int failures = result == -2 ? -1 : result;
  std::printf("rebuilt %zu of %d nodes", PDTLastUpdatedNodes().size(), all_nodes->size());
  if (failures > 0) {
    std::printf(", %d failed", failures);
  } else if (failures < 0) {
    std::printf(", some failed");
  }
  std::printf("\n");
  for (int i = 0; i < corrupt.count(); ++i) {
    std::printf("  corrupt: %s\n", corrupt[i]->get_name());
  }
  return NoFailedNodes(error);
}

bool Order(const Words& words, std::string& error) {
  if (words.size() != 1) {
    error = "order takes no arguments";
    return false;
  }
  PVFPdtOrder order(nullptr);
  if (!order.IsSortable()) {
    std::printf("all_nodes: no order exists (a reference cycle)\n");
    return true;
  }
  int general = order.GetGeneralTransformationCheckLevel();
  int special = order.GetSpecialTransformationCheckLevel();
  bool changed = order.HasChanged() != 0;
  std::printf("all_nodes: %s, reference level %d (lowest needed %d)\n",
              changed ? "not consistent (SortAllNodes would reorder it)" : "consistent", general,
              special);
  return true;
}

}  // namespace

bool IsUpdateCommand(const std::string& word) {
  static const std::set<std::string> kWords = {"set", "test", "get", "update", "rebuild", "order"};
  return kWords.count(word) > 0;
}

bool RunUpdateCommand(const std::vector<std::string>& words, std::string& error) {
  const std::string& word = words[0];
  if (word == "set") {
    return Set(words, error);
  }
  if (word == "test") {
    return Test(words, error);
  }
  if (word == "get") {
    return Get(words, error);
  }
  if (word == "update") {
    return Update(words, error);
  }
  if (word == "rebuild") {
    return Rebuild(words, error);
  }
  if (word == "order") {
    return Order(words, error);
  }
  error = "unknown command '" + word + "'";
  return false;
}

}  // namespace varnex::cli
