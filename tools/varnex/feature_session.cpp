// The engine session of the run and list commands.
#include "feature_session.h"

#include <varnex/varnex.h>

#include "host_hooks.h"

namespace varnex::cli {

FeatureSession::FeatureSession() {
  InstallHostHooks();  // the shipped library stands in for an unset "NOVLPath"
  path_ = PVFParaFeature::Current()->GetNOVLPath();
  initialize_modeller("varnex");
}

FeatureSession::~FeatureSession() {
  deinitialize_modeller();
  gmod_del_all();
}

}  // namespace varnex::cli
