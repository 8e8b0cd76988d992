// varnex eval: evaluates one formula in a fresh model and prints its value.
#include <varnex/varnex.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "feature_session.h"

namespace varnex::cli {

int RunEval(Arguments args) {
  if (args.size() != 1) {
    return Fail("eval takes one formula (try 'varnex eval --help')");
  }
  std::string formula(args[0]);
  if (formula.find(';') == std::string::npos) {
    formula += ';';
  }
  // The engine as a host starts it: built-in functions (sqrt, pi, ...) and the library.
  FeatureSession session;
  std::unique_ptr<aritm> value(evaluate_string(formula.c_str()));
  if (!value) {
    return Fail("nothing was evaluated from '" + formula + "'");
  }
  PVMStrg text;
  std::printf("%s\n", value->GetValue(text));
  // The overflow value (a division by zero) stands for no valid value: no success.
  if ((value->IsOpZahl() || value->IsOpNumber()) && !std::isfinite(value->get_double())) {
    return Fail("the value is the overflow value (a division by zero?)");
  }
  return 0;
}

const Command kEvalCommand = {
    "eval", "evaluate a NOVL formula and print its value",
    "usage: varnex eval FORMULA\n\n"
    "Evaluates FORMULA (a ';' is appended when it has none) in an empty model and prints the\n"
    "value's text form. Exits 1, saying so on stderr, when nothing was evaluated or the value is\n"
    "the overflow value (printed inf) that a division by zero gives.\n"
    "  varnex eval '7/2'      prints 3\n"
    "  varnex eval '7.0/2'    prints 3.5\n"
    "  varnex eval 'sqrt(9)'  prints 3\n",
    RunEval};

}  // namespace varnex::cli
