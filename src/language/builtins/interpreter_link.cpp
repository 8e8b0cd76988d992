// Stand-in for the interpreter state of interpreter_link.h until the entry points provide it:
// no instance is ever being created. Whoever defines CurrentInstanceName beside the interpreter's
// globals removes this file.
#include "language/builtins/interpreter_link.h"

namespace varnex::language {

const char* CurrentInstanceName() {
  return "";
}

}  // namespace varnex::language
