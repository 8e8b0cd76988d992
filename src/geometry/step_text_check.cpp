#include "geometry/step_text_check.h"

#include <cctype>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace varnex::geometry {
namespace {

using InstanceId = std::uint64_t;

struct Instance {
  std::vector<InstanceId> references;
};

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

/// Reads "#digits" at `at`; false when there are no digits or too many.
bool ReadId(std::string_view text, std::size_t& at, InstanceId& id) {
  ++at;  // '#'
  std::size_t start = at;
  id = 0;
  while (at < text.size() && IsDigit(text[at])) {
    if (at - start >= 18) {
      return false;
    }
    id = id * 10 + static_cast<InstanceId>(text[at] - '0');
    ++at;
  }
  return at > start;
}

void SkipSpace(std::string_view text, std::size_t& at) {
  while (at < text.size()) {
    if (std::isspace(static_cast<unsigned char>(text[at])) != 0) {
      ++at;
    } else if (text.substr(at, 2) == "/*") {
      std::size_t end = text.find("*/", at + 2);
      at = end == std::string_view::npos ? text.size() : end + 2;
    } else {
      return;
    }
  }
}

/// Reads one instance's right-hand side up to its ';', collecting the references.
std::string ReadBody(std::string_view text, std::size_t& at, Instance& instance) {
  int depth = 0;
  bool opened = false;
  while (at < text.size()) {
    char c = text[at];
    if (c == '\'') {
      // A string; '' stands for one quote.
      for (++at;; ++at) {
        if (at >= text.size()) {
          return "a string is not closed";
        }
        if (text[at] == '\'') {
          if (at + 1 < text.size() && text[at + 1] == '\'') {
            ++at;
          } else {
            break;
          }
        }
      }
      ++at;
    } else if (c == '#') {
      InstanceId id = 0;
      if (!ReadId(text, at, id)) {
        return "a reference has no number";
      }
      instance.references.push_back(id);
    } else if (c == '(') {
      ++depth;
      opened = true;
      ++at;
    } else if (c == ')') {
      if (--depth < 0) {
        return "a parenthesis closes that was not opened";
      }
      ++at;
    } else if (c == ';') {
      ++at;
      if (depth != 0 || !opened) {
        return "an instance ends inside its parameters";
      }
      return {};
    } else if (c == '=') {
      return "an instance holds a second '='";
    } else if (text.substr(at, 2) == "/*") {
      SkipSpace(text, at);
    } else {
      ++at;
    }
  }
  return "the last instance has no ';'";
}

/// Depth-first search with an explicit stack, since reference chains can be long.
bool HasCycle(const std::unordered_map<InstanceId, Instance>& instances) {
  enum class State : char { kOpen, kDone };
  std::unordered_map<InstanceId, State> state;
  struct Frame {
    InstanceId id;
    std::size_t next;
  };
  for (const auto& [start, unused] : instances) {
    if (state.count(start) != 0) {
      continue;
    }
    std::vector<Frame> path{{start, 0}};
    state[start] = State::kOpen;
    while (!path.empty()) {
      Frame& top = path.back();
      const std::vector<InstanceId>& refs = instances.at(top.id).references;
      if (top.next == refs.size()) {
        state[top.id] = State::kDone;
        path.pop_back();
        continue;
      }
      InstanceId next = refs[top.next++];
      auto found = state.find(next);
      if (found == state.end()) {
        state[next] = State::kOpen;
        path.push_back({next, 0});
      } else if (found->second == State::kOpen) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

std::string CheckStepText(std::string_view text) {
  std::unordered_map<InstanceId, Instance> instances;
  std::size_t at = 0;
  bool in_data = false;
  while (at < text.size()) {
    SkipSpace(text, at);
    if (at >= text.size()) {
      break;
    }
    if (!in_data) {
      // Header entries hold no instances; look for the next DATA section.
      std::size_t data = text.find("DATA", at);
      if (data == std::string_view::npos) {
        break;
      }
      at = data + 4;
      if (data > 0 && std::isspace(static_cast<unsigned char>(text[data - 1])) == 0 &&
          text[data - 1] != ';') {
        continue;  // inside a word or a header string
      }
      SkipSpace(text, at);
      if (at < text.size() && text[at] == '(') {  // DATA('name', ...) in later editions
        Instance unused;
        if (std::string error = ReadBody(text, at, unused); !error.empty()) {
          return "DATA section: " + error;
        }
      } else if (at < text.size() && text[at] == ';') {
        ++at;
      } else {
        continue;  // "DATA" was part of another word
      }
      in_data = true;
      continue;
    }
    if (text.substr(at, 7) == "ENDSEC;") {
      at += 7;
      in_data = false;
      continue;
    }
    if (text[at] != '#') {
      return "an instance does not start with '#' at byte " + std::to_string(at);
    }
    InstanceId id = 0;
    if (!ReadId(text, at, id)) {
      return "an instance has no number at byte " + std::to_string(at);
    }
    SkipSpace(text, at);
    if (at >= text.size() || text[at] != '=') {
      return "instance #" + std::to_string(id) + " has no '='";
    }
    ++at;
    Instance instance;
    if (std::string error = ReadBody(text, at, instance); !error.empty()) {
      return "instance #" + std::to_string(id) + ": " + error;
    }
    if (!instances.emplace(id, std::move(instance)).second) {
      return "instance #" + std::to_string(id) + " is defined twice";
    }
  }
  if (in_data) {
    return "a DATA section has no ENDSEC";
  }
  for (const auto& [id, instance] : instances) {
    for (InstanceId reference : instance.references) {
      if (instances.count(reference) == 0) {
        return "instance #" + std::to_string(id) + " refers to #" + std::to_string(reference) +
               ", which is not defined";
      }
    }
  }
  if (HasCycle(instances)) {
    return "a chain of references leads back to where it started";
  }
  return {};
}

}  // namespace varnex::geometry
