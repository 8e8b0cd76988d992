// NOVL texts run as the engine runs them (formulas, statements, built-in calls), within small
// run limits, in one root world.
#include <varnex/varnex.h>

#include <memory>
#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  varnex::fuzz::StartEngine();
  std::string text(varnex::fuzz::AsText(data, size));
  std::unique_ptr<aritm> value(evaluate_string(text.c_str()));
  gmod_del_all();
  return 0;
}
