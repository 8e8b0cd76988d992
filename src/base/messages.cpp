// The host message handler's defaults and the class-level error report.
#include <varnex/base/messages.h>

#include <utility>

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
