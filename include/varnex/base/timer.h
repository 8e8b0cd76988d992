// PVCTimer: a named stopwatch that keeps every measured interval and reports statistics.
#pragma once

#include <varnex/export.h>

#include <cstdint>
#include <string>
#include <vector>

/// Measures intervals on the monotonic clock. Start and Stop allocate only when the duration
/// array doubles. Copies are independent (each owns its durations).
class VARNEX_API PVCTimer {
 public:
  /// A null name becomes "Unbekannt". `value` is kept and copied with the timer.
  explicit PVCTimer(const char* name = nullptr, double value = 0.0);

  /// Starts an interval; a running timer keeps its first start. Returns 1 (0 without counter).
  int Start();
  /// Ends the running interval and records its duration.
  void Stop();
  int Count() const { return available_ ? static_cast<int>(durations_.size()) : 0; }
  void Clear();

  /// Seconds of entry `i`, clamped to 0..Count()-1; 0.0 without entries.
  double Time(int i) const;
  double LastTime() const;
  double AllTime() const;
  double AvgTime() const;
  double MinTime() const;
  double MaxTime() const;

  /// Formats the statistics (index < 0) or one entry and returns the text. Mode 1 also writes
  /// it to stderr, mode 2 hands it to the host's message handler (stderr without one).
  char* Print(int mode, const char* header, int index);

  const char* Name() const { return name_.c_str(); }
  /// Entries the duration array holds before it doubles.
  int Capacity() const { return static_cast<int>(capacity_); }
  double Value() const { return value_; }

 private:
  double Seconds(std::int64_t ticks) const;
  std::string Statistics(const std::string& header) const;

  std::string name_;
  int available_ = 1;
  int running_ = 0;
  std::size_t capacity_ = 512;
  std::string text_;
  double value_;
  std::int64_t frequency_;
  std::int64_t start_ = 0;
  std::int64_t stop_ = 0;
  std::vector<std::int64_t> durations_;
};
