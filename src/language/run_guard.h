// The guards of a run's nesting and loops (internal): they count nested parses, feature calls
// and blocks, and stop the whole run with one message when a limit or the end of the stack is
// reached.
#pragma once

#include <varnex/language/parse_attachment.h>
#include <varnex/language/run_limits.h>

#include <functional>
#include <string>

namespace varnex::language {

/// Counts one parse, nested or outermost. The outermost one starts the run afresh and, when it
/// ends, records whether the run was stopped (NovlRunStopped).
class ParseScope {
 public:
  ParseScope();
  ~ParseScope();
  ParseScope(const ParseScope&) = delete;
  ParseScope& operator=(const ParseScope&) = delete;
};

/// Whether the running parse is being stopped: its scanner reports the end of the text, so
/// every parse of the run ends after the statement it is in.
bool RunStopping();

/// Stops the run: tells the host `what` happened where `source` is reading (the feature's file
/// and `line`, or the line the source reads when 0), once per run.
void StopRun(const std::string& what, const PARSE_ATTACHMENT* source, int line = 0);

/// Whether less stack is left than a further nested parse may need.
bool StackNearlyExhausted();

/// Runs `work` right here, or, when the stack is nearly exhausted, on a thread of its own with a
/// fresh stack while this one waits (the run stays single-threaded). False when no such thread
/// could be started; `work` did not run then.
bool RunWithStack(const std::function<void()>& work);

/// Counts a nesting level of `kind` for its lifetime; `entered()` is false (and nothing is
/// counted) when the level would pass the limit.
class NestingScope {
 public:
  enum Kind { Feature, Block };
  NestingScope(Kind kind, int limit);
  ~NestingScope();
  NestingScope(const NestingScope&) = delete;
  NestingScope& operator=(const NestingScope&) = delete;

  bool entered() const { return entered_; }
  /// Why the level was refused ("" when entered).
  std::string refusal() const;

 private:
  Kind kind_;
  int limit_;
  bool entered_ = false;
};

/// Sets whether the statements of the parses started during its lifetime report what they skip
/// (NovlReportSkipped), and restores the previous setting afterwards.
class ReportingScope {
 public:
  explicit ReportingScope(bool reporting);
  ~ReportingScope();
  ReportingScope(const ReportingScope&) = delete;
  ReportingScope& operator=(const ReportingScope&) = delete;

 private:
  bool saved_;
};

/// What a nested parse says when it cannot get a stack to run on.
inline constexpr const char* kNoStackLeft = "texts nested too deep for the stack";

}  // namespace varnex::language
