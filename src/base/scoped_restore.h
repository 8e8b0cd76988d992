// ScopedRestore: saves a global for the lifetime of a scope and puts it back, so that nested
// parses and instantiations leave the interpreter's globals as they found them.
#pragma once

namespace varnex::base {

template <class T>
class ScopedRestore {
 public:
  explicit ScopedRestore(T& global) : global_(global), saved_(global) {}
  ~ScopedRestore() { global_ = saved_; }
  ScopedRestore(const ScopedRestore&) = delete;
  ScopedRestore& operator=(const ScopedRestore&) = delete;

 private:
  T& global_;
  T saved_;
};

}  // namespace varnex::base
