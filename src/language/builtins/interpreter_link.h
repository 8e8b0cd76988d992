// What the built-ins need from the interpreter's entry points, which sit beside them in the
// language subsystem: the name of the instance being created.
#pragma once

namespace varnex::language {

/// The name of the instance being created ("box_@3"); empty when none is. The interpreter's
/// entry points provide it; until they do, interpreter_link.cpp answers the empty text.
const char* CurrentInstanceName();

}  // namespace varnex::language
