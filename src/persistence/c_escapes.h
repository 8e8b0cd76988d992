// The C escapes of quoted strings and of the escaping output conversion: one table for writing
// and reading.
#pragma once

#include <string>

namespace varnex::persistence {

/// The letter written after a backslash for `c`, or 0 when `c` is written as itself.
char EscapeLetter(char c);
/// The character a backslash and `letter` stand for, or 0 when `letter` names no escape.
char UnescapeLetter(char letter);
/// `text` with every character of the table replaced by its escape.
std::string EscapeText(const std::string& text);

}  // namespace varnex::persistence
