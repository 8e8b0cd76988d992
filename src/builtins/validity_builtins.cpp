// The validity built-ins of values: a value's validity code and whether it holds a usable value.
#include <varnex/model/model.h>

#include "builtins/handler_support.h"
#include "builtins/handlers.h"

namespace varnex::builtins {

// Without an argument there is no result at all.
void GetValidity(aritm** args, aritm** result) {
  aritm* operand = Argument(args, 0);
  if (operand != nullptr) {
    NewResult<op_zahl>(result, static_cast<double>(operand->GetValidity()));
  }
}

void IsValidValue(aritm** args, aritm** result) {
  op_logic* value = NewResult<op_logic>(result, FALSE);
  aritm* operand = Argument(args, 0);
  if (operand != nullptr) {
    *value = operand->IsValidValue();
  }
}

}  // namespace varnex::builtins
