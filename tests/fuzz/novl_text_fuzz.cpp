// The NOVL scanner and grammar over whole feature texts, through the checking pass (which parses
// every block whichever way its condition would go, and runs nothing).
#include <varnex/builtins/builtins.h>
#include <varnex/language/syntax_check.h>

#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  varnex::fuzz::StartEngine();
  std::string text(varnex::fuzz::AsText(data, size));
  NovlCheckText(text.c_str(), [](const NovlFinding&) {});
  return 0;
}
