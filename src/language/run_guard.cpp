// The run's limits, its nesting counts and the stop that ends a runaway run.
#include "language/run_guard.h"

#include <pthread.h>
#include <varnex/base/messages.h>
#include <varnex/language/interpreter.h>
#include <varnex/language/run_messages.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

namespace varnex::language {
namespace {

NovlRunLimits limits;
int parse_depth = 0;
int feature_depth = 0;
int block_depth = 0;
bool stopping = false;
bool last_run_stopped = false;
bool reporting = false;
// The refusal of the running outermost parse, and of the last one that ended.
std::string refusal;
std::string last_refusal;

// The stack of a thread that carries a deep nest on (reserved, filled only as it is used).
constexpr std::size_t kFreshStackSize = std::size_t{256} << 20;

// The lowest usable address of this thread's stack (stacks grow down), 0 when unknown.
std::uintptr_t StackLimit() {
  thread_local std::uintptr_t limit = [] {
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) != 0) {
      return std::uintptr_t{0};
    }
    void* low = nullptr;
    std::size_t size = 0;
    int status = pthread_attr_getstack(&attributes, &low, &size);
    pthread_attr_destroy(&attributes);
    if (status != 0 || low == nullptr) {
      return std::uintptr_t{0};
    }
    // Keep an eighth of the stack, at least 256 KiB, for the kernel calls a statement makes.
    std::size_t reserve = std::max<std::size_t>(size / 8, 256 * 1024);
    return reinterpret_cast<std::uintptr_t>(low) + reserve;
  }();
  return limit;
}

}  // namespace

ParseScope::ParseScope() {
  if (parse_depth++ == 0) {
    stopping = false;
    refusal.clear();
  }
}

ParseScope::~ParseScope() {
  if (--parse_depth == 0) {
    last_run_stopped = stopping;
    last_refusal = refusal;
    stopping = false;
  }
}

bool RunStopping() {
  return stopping;
}

void StopRun(const std::string& what, const PARSE_ATTACHMENT* source, int line) {
  if (stopping) {
    return;
  }
  stopping = true;
  if (pPVFHandleMessage == nullptr) {
    return;
  }
  std::string text = what;
  if (source != nullptr) {
    PVMStrg file;
    source->GetFileName(file);
    text += " (";
    if (Current_File_Name.IsNotVoid()) {
      text += "feature ";
      text += Current_File_Name.GetpStr();
      text += ", ";
    }
    if (file.IsNotVoid()) {
      text += file.GetpStr();
      text += ", ";
    }
    text += "line " + std::to_string(line > 0 ? line : source->GetLine()) + "); the run stops";
  }
  pPVFHandleMessage->Error("NovlRunLimit", text.c_str());
}

bool StackNearlyExhausted() {
  char here = 0;
  std::uintptr_t limit = StackLimit();
  return limit != 0 && reinterpret_cast<std::uintptr_t>(&here) < limit;
}

bool RunWithStack(const std::function<void()>& work) {
  if (!StackNearlyExhausted()) {
    work();
    return true;
  }
  struct Job {
    const std::function<void()>* work;
    std::exception_ptr failure;
  } job{&work, nullptr};
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) {
    return false;
  }
  pthread_t thread;
  bool started = pthread_attr_setstacksize(&attributes, kFreshStackSize) == 0 &&
                 pthread_create(
                     &thread, &attributes,
                     [](void* argument) -> void* {
                       auto* job = static_cast<Job*>(argument);
                       try {
                         (*job->work)();
                       } catch (...) {
                         job->failure = std::current_exception();
                       }
                       return nullptr;
                     },
                     &job) == 0;
  pthread_attr_destroy(&attributes);
  if (!started) {
    return false;
  }
  pthread_join(thread, nullptr);
  if (job.failure) {
    std::rethrow_exception(job.failure);
  }
  return true;
}

NestingScope::NestingScope(Kind kind, int limit) : kind_(kind), limit_(limit) {
  int& depth = kind == Feature ? feature_depth : block_depth;
  entered_ = depth < limit;
  if (entered_) {
    ++depth;
  }
}

NestingScope::~NestingScope() {
  if (entered_) {
    --(kind_ == Feature ? feature_depth : block_depth);
  }
}

ReportingScope::ReportingScope(bool on) : saved_(reporting) {
  reporting = on;
}

ReportingScope::~ReportingScope() {
  reporting = saved_;
}

std::string NestingScope::refusal() const {
  if (entered_) {
    return std::string();
  }
  return kind_ == Feature ? "feature calls nested deeper than " + std::to_string(limit_)
                          : "blocks nested deeper than " + std::to_string(limit_);
}

}  // namespace varnex::language

NovlRunLimits SetNovlRunLimits(const NovlRunLimits& replacement) {
  NovlRunLimits previous = varnex::language::limits;
  NovlRunLimits& installed = varnex::language::limits;
  installed = replacement;
  installed.feature_depth = std::max(installed.feature_depth, 1);
  installed.block_depth = std::max(installed.block_depth, 1);
  installed.loop_iterations = std::max(installed.loop_iterations, 1L);
  return previous;
}

NovlRunLimits GetNovlRunLimits() {
  return varnex::language::limits;
}

bool NovlRunStopped() {
  return varnex::language::last_run_stopped;
}

void NovlReportSkipped(const std::string& what, int line) {
  // A stopped run ends its parses early; what that cuts short is no skipped statement.
  if (!varnex::language::reporting || varnex::language::stopping || pPVFHandleMessage == nullptr) {
    return;
  }
  std::string text;
  if (PARSEOBJECT != nullptr) {
    PVMStrg file;
    PARSEOBJECT->GetFullFileName(file);
    if (file.IsVoid() && Current_File_Name.IsNotVoid()) {
      file = Current_File_Name;
    }
    text = std::string(file.GetpStr()) + ":" +
           std::to_string(line > 0 ? line : PARSEOBJECT->GetLine()) + ": ";
  }
  text += what;
  pPVFHandleMessage->Warning("NovlSkipped", text.c_str());
}

bool NovlReportsSkipped() {
  return varnex::language::reporting;
}

void NovlRefuseRun(const char* why) {
  using namespace varnex::language;
  if (stopping) {
    return;
  }
  stopping = true;
  refusal = why != nullptr && *why != '\0' ? why : "refused";
  if (pPVFHandleMessage != nullptr) {
    pPVFHandleMessage->Error("NovlRefused", refusal.c_str());
  }
}

const char* NovlRunRefusal() {
  return varnex::language::last_refusal.c_str();
}
