// The host message handler's defaults and the class-level error report.
#include <varnex/base/messages.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "base/string_printf.h"

// Borrowed from the host, which installs its handler and keeps it alive while it is installed.
PVFHandleMessage* pPVFHandleMessage = nullptr;

PVFHandleMessage::~PVFHandleMessage() = default;
void PVFHandleMessage::Error(const char*, const char*) {}
void PVFHandleMessage::Information(const char*, const char*) {}
void PVFHandleMessage::Warning(const char*, const char*) {}
Answer PVFHandleMessage::Ask(const char*, const char*, XBOOL) {
  return AnswerDefault;
}

namespace {
ClassErrorSink& Sink() {
  static ClassErrorSink sink;
  return sink;
}
}  // namespace

int ClassError(const PVMStrg& cls, const PVMStrg& operation, const PVMStrg& message, int severity,
               int /*terminate*/) {
  if (Sink()) {
    Sink()(ClassErrorReport{cls, operation, message, severity == 1 ? "FATAL" : "WARNING"});
  }
  return 1;
}

ClassErrorSink SetClassErrorSink(ClassErrorSink sink) {
  return std::exchange(Sink(), std::move(sink));
}

// ---- the message file ----

namespace {

struct MessageFile {
  std::FILE* file = nullptr;
  ~MessageFile() {
    if (file != nullptr) {
      std::fclose(file);
    }
  }
};

MessageFile& TheMessageFile() {
  static MessageFile message_file;
  return message_file;
}

}  // namespace

XBOOL WriteMessStrg(PVMStrg& text) {
  MessageFile& message_file = TheMessageFile();
  if (message_file.file == nullptr) {
    const char* path = std::getenv("MESPath");
    if (path == nullptr || *path == '\0') {
      return FALSE;
    }
    message_file.file = std::fopen(path, "w");
    if (message_file.file == nullptr) {
      return FALSE;
    }
  }
  bool written = std::fwrite(text.GetpStr(), 1, text.Length(), message_file.file) == text.Length();
  return ToXBool(std::fflush(message_file.file) == 0 && written);
}

// ---- diagnostic print functions ----

namespace {

DiagnosticSink& Diagnostics() {
  static DiagnosticSink sink;
  return sink;
}

void Emit(const std::string& line) {
  if (Diagnostics()) {
    Diagnostics()(line.c_str());
  }
}

std::string Text(const char* text) {
  return text != nullptr ? text : "";
}

}  // namespace

void fm_mesprint(const char* text) {
  Emit(Text(text));
}

void fm_valprint(const char* text, double value) {
  Emit(varnex::base::StringPrintf("%s %lf", Text(text).c_str(), value));
}

void fm_vecprint(const char* text, const double* xyz) {
  if (xyz == nullptr) {
    return Emit(Text(text));
  }
  Emit(varnex::base::StringPrintf("%s %lf %lf %lf", Text(text).c_str(), xyz[0], xyz[1], xyz[2]));
}

void fm_tmprint(const char* text, const double* matrix) {
  std::string line = Text(text);
  for (int row = 0; matrix != nullptr && row < 4; ++row) {
    line += varnex::base::StringPrintf("\n%lf %lf %lf", matrix[3 * row], matrix[3 * row + 1],
                                       matrix[3 * row + 2]);
  }
  Emit(line);
}

void PVDebug::PVTrace(char* text) {
  Emit(Text(text));
}

DiagnosticSink SetDiagnosticSink(DiagnosticSink sink) {
  return std::exchange(Diagnostics(), std::move(sink));
}
