// The feature library's reader of feature definitions: name, function, entity and the typed
// parameters with their defaults and restrictions, from a NOVL text.
#include <varnex/varnex.h>

#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  varnex::fuzz::StartEngine();
  std::string text(varnex::fuzz::AsText(data, size));
  Featurelist_Element feature(PVMStrg("fuzz.NVL"), PVMStrg(text.c_str()));
  if (void_list* parameters = feature.get_paralist()) {
    for (int i = 0; i < parameters->count(); ++i) {
      auto* parameter = static_cast<HANDOVER_PARAMETER*>((*parameters)[i]);
      VALUE_LIST<PVMStrg> names;
      parameter->GetEnumerationValues(&names);
    }
  }
  PVMStrg entity;
  feature.GetEntityName(entity);
  return 0;
}
