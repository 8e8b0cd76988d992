// The command-line host's hooks: a message handler, the print sink and its feature context.
#include "host_hooks.h"

#include <varnex/varnex.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace varnex::cli {
namespace {

namespace fs = std::filesystem;

// Messages for the user go to stderr, one line each. The host runs unattended, so questions
// are answered "yes" (a rebuild the engine asks for goes ahead).
class StderrMessages : public PVFHandleMessage {
 public:
  void Error(const char* title, const char* text) override {
    ++errors;
    if (IsTitle(title, "NovlRefused")) {
      return;  // the command names the refusing feature with the text (NovlRunRefusal)
    }
    Print("error", title, text);
  }
  void Warning(const char* title, const char* text) override {
    if (IsTitle(title, "NovlSkipped")) {
      ++skipped;
      Print("warning", nullptr, text);  // the text starts with the feature's file and line
      return;
    }
    Print("warning", title, text);
  }
  void Information(const char* title, const char* text) override { Print("note", title, text); }
  // A full rebuild names the nodes that failed; the host goes on unless told to stop.
  Answer Ask(const char* key, const char* text, XBOOL) override {
    if (key != nullptr && std::string(key) == "AskPDTglobalRebuild") {
      Print(stop_on_failure ? "error" : "warning", "rebuild",
            (std::string("failed: ") + (text != nullptr ? text : "") +
             (stop_on_failure ? "; stopping" : "; going on"))
                .c_str());
      return stop_on_failure ? AnswerCancel : AnswerYes;
    }
    return AnswerYes;
  }

  int errors = 0;
  int skipped = 0;
  bool stop_on_failure = false;

 private:
  static bool IsTitle(const char* title, const char* wanted) {
    return title != nullptr && std::strcmp(title, wanted) == 0;
  }
  static void Print(const char* level, const char* title, const char* text) {
    std::fprintf(stderr, "varnex: %s: %s%s%s\n", level, title != nullptr ? title : "",
                 title != nullptr && *title != '\0' ? ": " : "", text != nullptr ? text : "");
  }
};

// The feature context: the shipped library stands in for an unset or empty "NOVLPath".
class HostContext : public PVFParaFeature {
 public:
  HostContext() {
    if (!HasLanguagePath()) {
      std::string shipped = ShippedFeatureDirectory();
      if (!shipped.empty()) {
        SetNOVLPath(shipped.c_str());
      }
    }
  }
  const char* GetNOVLPath() override {
    return HasLanguagePath() ? PVFParaFeature::GetNOVLPath() : fallback();
  }
  void SetNOVLPath(const char* path) override {
    fallback_ = path != nullptr ? path : "";
    PVFParaFeature::SetNOVLPath(path);
  }

 private:
  static bool HasLanguagePath() {
    const char* path = std::getenv("NOVLPath");
    return path != nullptr && *path != '\0';
  }
  const char* fallback() const { return fallback_.empty() ? "./" : fallback_.c_str(); }

  std::string fallback_;
};

bool IsDirectory(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

StderrMessages& Messages() {
  static StderrMessages messages;
  return messages;
}

}  // namespace

std::string ShippedFeatureDirectory() {
  std::error_code error;
  std::vector<fs::path> candidates;
  fs::path binary = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    candidates.push_back(binary.parent_path() / "../share/varnex/features");
    candidates.push_back(binary.parent_path() / "features");
  }
  candidates.emplace_back(VARNEX_SOURCE_FEATURES);
  for (const fs::path& candidate : candidates) {
    if (IsDirectory(candidate)) {
      return fs::weakly_canonical(candidate, error).string() + "/";
    }
  }
  return std::string();
}

void SetStopOnFailure(bool stop) {
  Messages().stop_on_failure = stop;
}

int ReportedErrors() {
  return Messages().errors;
}

int ReportedSkips() {
  return Messages().skipped;
}

void InstallHostHooks() {
  StderrMessages& messages = Messages();
  if (pPVFHandleMessage == &messages) {
    return;
  }
  pPVFHandleMessage = &messages;
  SetNovlPrintSink([](const char* line) { std::printf("%s\n", line); });
  PVFParaFeature::Install(new HostContext());
}

}  // namespace varnex::cli
