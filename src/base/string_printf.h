// printf into a std::string of exactly the needed size: no fixed buffers anywhere.
#pragma once

#include <string>

namespace varnex::base {

std::string StringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace varnex::base
