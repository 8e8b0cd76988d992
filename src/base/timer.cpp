// PVCTimer on std::chrono::steady_clock (nanosecond ticks).
#include <varnex/base/messages.h>
#include <varnex/base/timer.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>

#include "base/string_printf.h"

namespace {

using varnex::base::StringPrintf;
using Clock = std::chrono::steady_clock;

std::int64_t Now() {
  return Clock::now().time_since_epoch().count();
}

constexpr std::int64_t kTicksPerSecond = Clock::period::den / Clock::period::num;

}  // namespace

PVCTimer::PVCTimer(const char* name, double value)
    : name_(name == nullptr ? "Unbekannt" : name), value_(value), frequency_(kTicksPerSecond) {
  durations_.reserve(capacity_);
}

int PVCTimer::Start() {
  if (!available_) {
    return 0;
  }
  if (!running_) {
    running_ = 1;
    start_ = Now();
  }
  return 1;
}

void PVCTimer::Stop() {
  if (!available_ || !running_) {
    return;
  }
  stop_ = Now();
  running_ = 0;
  if (durations_.size() == capacity_) {
    capacity_ *= 2;
    durations_.reserve(capacity_);
  }
  durations_.push_back(stop_ - start_);
}

void PVCTimer::Clear() {
  durations_.clear();
  running_ = 0;
}

double PVCTimer::Seconds(std::int64_t ticks) const {
  return static_cast<double>(ticks) / static_cast<double>(frequency_);
}

double PVCTimer::Time(int i) const {
  if (Count() == 0) {
    return 0.0;
  }
  return Seconds(durations_[std::clamp(i, 0, Count() - 1)]);
}

double PVCTimer::LastTime() const {
  return Time(Count() - 1);
}

double PVCTimer::AllTime() const {
  if (Count() == 0) {
    return 0.0;
  }
  return Seconds(std::accumulate(durations_.begin(), durations_.end(), std::int64_t{0}));
}

double PVCTimer::AvgTime() const {
  return Count() == 0 ? 0.0 : AllTime() / Count();
}

double PVCTimer::MinTime() const {
  return Count() == 0 ? 0.0 : Seconds(*std::min_element(durations_.begin(), durations_.end()));
}

double PVCTimer::MaxTime() const {
  return Count() == 0 ? 0.0 : Seconds(*std::max_element(durations_.begin(), durations_.end()));
}

std::string PVCTimer::Statistics(const std::string& header) const {
  return StringPrintf(
      "\nTimer:\t<%s>\n%s\nAnzahl der Aufrufe:\t%i\n\nZeiten in Sekunden:\nGesamt:    \t%f\n"
      "Minimal:    \t%f\nDurchschn.:\t%f\nMaximal:   \t%f\n\n",
      name_.c_str(), header.c_str(), Count(), AllTime(), MinTime(), AvgTime(), MaxTime());
}

char* PVCTimer::Print(int mode, const char* header, int index) {
  std::string head = header == nullptr ? "" : StringPrintf("'%s'\n", header);
  if (!available_) {
    text_ = StringPrintf("\nTimer:\t<%s>\n%s\nKein Timer im System verfügbar!\n", name_.c_str(),
                         head.c_str());
  } else if (Count() == 0) {
    text_ = StringPrintf("\nTimer:\t<%s>\n%s\nNoch kein Timereintrag vorhanden!\n", name_.c_str(),
                         head.c_str());
  } else if (index >= 0) {
    text_ = StringPrintf("Timer: <%s> Time: [%i] %f %s", name_.c_str(), index, Time(index),
                         head.c_str());
  } else {
    text_ = Statistics(head);
  }
  if (mode == 1 || (mode == 2 && pPVFHandleMessage == nullptr)) {
    std::fputs(text_.c_str(), stderr);
  } else if (mode == 2) {
    pPVFHandleMessage->Information("Timer Statistic", text_.c_str());
  }
  return text_.data();
}
