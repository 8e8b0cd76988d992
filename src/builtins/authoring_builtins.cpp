// The built-ins appended after the engine's own table for feature authors: rounding to whole
// numbers, the two-argument arc tangent, powers, exponentials and logarithms, the sign, and a
// feature's refusal to be built. The numeric ones answer an op_zahl; a result that is not a
// finite number leaves it at 0, as the other arithmetic built-ins do outside their domain.
#include <varnex/language/run_messages.h>
#include <varnex/model/model.h>

#include <cmath>
#include <string>

#include "builtins/handler_support.h"
#include "builtins/handlers.h"

namespace varnex::builtins {
namespace {

// Stores f(...) into a fresh op_zahl, or 0 when it is not finite.
template <class Function>
void Finite(aritm** result, Function f) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  double computed = f();
  if (std::isfinite(computed)) {
    *value = computed;
  }
}

}  // namespace

void Floor(aritm** args, aritm** result) {
  Finite(result, [args] { return std::floor(NumberArgument(args, 0)); });
}

void Ceil(aritm** args, aritm** result) {
  Finite(result, [args] { return std::ceil(NumberArgument(args, 0)); });
}

// atan2(y, x): the angle of the point (x, y) in radians, -pi < angle <= pi; 0 at the origin.
void Atan2(aritm** args, aritm** result) {
  Finite(result, [args] { return std::atan2(NumberArgument(args, 0), NumberArgument(args, 1)); });
}

// pow(x, y): x to the power y; a negative x with a fractional y has no real power (0).
void Pow(aritm** args, aritm** result) {
  Finite(result, [args] { return std::pow(NumberArgument(args, 0), NumberArgument(args, 1)); });
}

void Exp(aritm** args, aritm** result) {
  Finite(result, [args] { return std::exp(NumberArgument(args, 0)); });
}

// log(x): the natural logarithm; 0 for x <= 0.
void Log(aritm** args, aritm** result) {
  Finite(result, [args] {
    double x = NumberArgument(args, 0);
    return x > 0.0 ? std::log(x) : 0.0;
  });
}

// sign(x): -1, 0 or 1; values within the tolerance of 0 count as 0.
void Sign(aritm** args, aritm** result) {
  Finite(result, [args] {
    double x = NumberArgument(args, 0);
    return std::fabs(x) < SPAresabs ? 0.0 : (x < 0.0 ? -1.0 : 1.0);
  });
}

// refuse(text): the feature refuses to be built; the run ends and the text tells the host why.
void Refuse(aritm** args, aritm** result) {
  NewResult<op_logic>(result, FALSE);
  std::string why = TextArgument(args, 0);
  if (why.empty()) {
    why = ValueText(Argument(args, 0));
  }
  NovlRefuseRun(why.empty() ? "refused without saying why" : why.c_str());
}

}  // namespace varnex::builtins
