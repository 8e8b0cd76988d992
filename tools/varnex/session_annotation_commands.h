// varnex session: annotations, the host's own data on faces, which follow their faces through
// updates and rebuilds (annotate, annotations).
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace varnex::cli {

class AnnotationHost;

/// The session's annotations. Registers itself as the engine's entity-connection host with the
/// first annotation and unregisters when destroyed, which must happen while the engine runs.
class SessionAnnotations {
 public:
  SessionAnnotations();
  ~SessionAnnotations();
  SessionAnnotations(const SessionAnnotations&) = delete;
  SessionAnnotations& operator=(const SessionAnnotations&) = delete;

  /// Whether `word` is annotate or annotations.
  static bool IsCommand(const std::string& word);
  /// Runs one of them; false after a message in `error`.
  bool Run(const std::vector<std::string>& words, std::string& error);

 private:
  bool Annotate(const std::vector<std::string>& words, std::string& error);
  bool List(const std::vector<std::string>& words, std::string& error);

  std::unique_ptr<AnnotationHost> host_;
};

}  // namespace varnex::cli
