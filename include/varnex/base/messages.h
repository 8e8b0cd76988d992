// Channels from the engine to its host: the host's message handler and the class-level error
// report of the object and operand classes.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <functional>

/// The host's answer to a question. Cancel and Abort stop the asking operation, YesToAll lets
/// it go on without asking again; any other value lets it go on.
enum Answer : int {
  AnswerDefault = -1,
  AnswerCancel = 0,
  AnswerYes = 1,
  AnswerNo = 2,
  AnswerAbort = 3,
  AnswerYesToAll = 4,
};

/// The host derives from this class and installs an instance in pPVFHandleMessage. The base
/// class ignores every notice and answers AnswerDefault.
class VARNEX_API PVFHandleMessage {
 public:
  virtual ~PVFHandleMessage();
  virtual void Error(const char* title, const char* text);
  virtual void Information(const char* title, const char* text);
  virtual void Warning(const char* title, const char* text);
  virtual Answer Ask(const char* key, const char* text, XBOOL flag);
};

/// The installed handler; null until the host sets it (the host keeps ownership). Every caller
/// tests it before use.
extern VARNEX_API PVFHandleMessage* pPVFHandleMessage;

/// Common error report of the object and operand classes. Produces no output and returns 1.
/// `terminate` never ends the host process: the report is only passed to the diagnostic sink.
VARNEX_API int ClassError(const PVMStrg& cls, const PVMStrg& operation, const PVMStrg& message,
                          int severity, int terminate);

/// One ClassError report as seen by a diagnostic sink. Severity 1 is classed "FATAL", any
/// other "WARNING".
struct ClassErrorReport {
  const char* cls;
  const char* operation;
  const char* message;
  const char* severity;
};

/// Observer of ClassError reports (tests and hosts); empty by default.
using ClassErrorSink = std::function<void(const ClassErrorReport&)>;
/// Installs `sink` (an empty function removes it) and returns the previous one.
VARNEX_API ClassErrorSink SetClassErrorSink(ClassErrorSink sink);

/// Appends `text` to the message file and flushes it. The file is named by the environment
/// variable "MESPath" and opened (truncated) on first use; it stays open until the process
/// ends. When the variable is unset or the file cannot be opened nothing is written, and the
/// next call tries again. Returns TRUE when the text was written.
VARNEX_API XBOOL WriteMessStrg(PVMStrg& text);

/// Diagnostic print functions: each formats its line and hands it to the diagnostic sink
/// (none by default, so nothing is printed).
VARNEX_API void fm_mesprint(const char* text);
/// "%s %lf": the text and the value.
VARNEX_API void fm_valprint(const char* text, double value);
/// "%s %lf %lf %lf": the text and the three components.
VARNEX_API void fm_vecprint(const char* text, const double* xyz);
/// The text, then the rows of a 4 x 3 transformation matrix (rotation rows, then the
/// translation), each row "%lf %lf %lf" on a line of its own.
VARNEX_API void fm_tmprint(const char* text, const double* matrix);

class VARNEX_API PVDebug {
 public:
  /// Hands `text` to the diagnostic sink.
  static void PVTrace(char* text);
};

/// Observer of the diagnostic print functions' lines; empty by default.
using DiagnosticSink = std::function<void(const char* line)>;
/// Installs `sink` (an empty function removes it) and returns the previous one.
VARNEX_API DiagnosticSink SetDiagnosticSink(DiagnosticSink sink);
