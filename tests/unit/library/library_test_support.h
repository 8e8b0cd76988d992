// Shared helpers of the feature-library tests: a private temporary directory, file access, the
// test data folders, and a tiny stand-in for the interpreter's formula evaluation.
#pragma once

#include <unistd.h>
#include <varnex/library/library_hooks.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace varnex::test {

inline std::string LibraryData(const std::string& folder) {
  return std::string(VARNEX_TEST_DATA) + "/library/" + folder + "/";
}

class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("varnex_library_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  /// The directory, ending in "/".
  std::string Path() const { return path_.string() + "/"; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

/// A stand-in evaluator for formulas of the form "number;" and "(number) OP number;" with OP
/// one of > < >= <= =: enough to drive restraint tests until the interpreter installs its
/// own. Anything else is not evaluable.
inline XBOOL ComparisonEvaluator(const char* formula, PVMStrg& text, int* logical) {
  std::string f(formula);
  if (!f.empty() && f.back() == ';') {
    f.pop_back();
  }
  char* end = nullptr;
  std::strtod(f.c_str(), &end);
  if (end != f.c_str() && *end == '\0') {
    text = f.c_str();
    *logical = -1;
    return TRUE;
  }
  if (f.empty() || f[0] != '(') {
    return FALSE;
  }
  std::size_t close = f.find(')');
  if (close == std::string::npos) {
    return FALSE;
  }
  double left = std::strtod(f.c_str() + 1, &end);
  if (end != f.c_str() + close) {
    return FALSE;
  }
  std::string rest = f.substr(close + 1);
  rest.erase(0, rest.find_first_not_of(' '));
  std::size_t op_length = rest.find_first_not_of("<>=");
  std::string op = rest.substr(0, op_length);
  double right = std::strtod(rest.c_str() + op_length, &end);
  if (op.empty() || *end != '\0') {
    return FALSE;
  }
  bool result = op == ">"    ? left > right
                : op == "<"  ? left < right
                : op == ">=" ? left >= right
                : op == "<=" ? left <= right
                : op == "="  ? left == right
                             : false;
  *logical = result ? 1 : 0;
  text = result ? "TRUE" : "FALSE";
  return TRUE;
}

/// Installs an evaluator for the lifetime of the scope.
class EvaluatorScope {
 public:
  explicit EvaluatorScope(PVFFormulaEvaluator evaluator)
      : previous_(SetLibraryFormulaEvaluator(evaluator)) {}
  ~EvaluatorScope() { SetLibraryFormulaEvaluator(previous_); }
  EvaluatorScope(const EvaluatorScope&) = delete;
  EvaluatorScope& operator=(const EvaluatorScope&) = delete;

 private:
  PVFFormulaEvaluator previous_;
};

}  // namespace varnex::test
