// EngineSession: the engine's global tables for the lifetime of one command, with the host's
// hooks installed first, as a CAD host starts and ends the engine.
#pragma once

#include <varnex/varnex.h>

#include <memory>

#include "host_hooks.h"

namespace varnex::cli {

class EngineSession {
 public:
  EngineSession() {
    InstallHostHooks();
    library_ = std::make_unique<FEATURE_LIST>();
    library_->Read();
    pFeatureList = library_.get();
  }
  ~EngineSession() { pFeatureList = nullptr; }
  EngineSession(const EngineSession&) = delete;
  EngineSession& operator=(const EngineSession&) = delete;

 private:
  std::unique_ptr<FEATURE_LIST> library_;
};

}  // namespace varnex::cli
