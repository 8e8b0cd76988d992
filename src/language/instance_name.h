// The name of the instance the interpreter's entry points are creating, for the built-ins that
// answer it.
#pragma once

namespace varnex::language {

/// The name of the instance being created ("box_@3"); empty when none is.
const char* CurrentInstanceName();

}  // namespace varnex::language
