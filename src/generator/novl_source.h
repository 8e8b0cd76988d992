// What the generator may paste into a NOVL text: plain names, quoted texts, and expressions and
// types that cannot end a statement, open a comment or unbalance the brace block they stand in.
#pragma once

#include <string>
#include <string_view>

namespace varnex::generator {

/// A letter or '_' first, then letters, digits and '_', at most 400 characters, and not a word
/// of the language (SCHEMA, if, distance, ...).
bool IsPlainName(std::string_view name);

/// Plain names joined by '.' ("plate_1.f3").
bool IsQualifiedName(std::string_view name);

/// A text literal holding `text` ("it's" becomes 'it\'s'), or empty when the language cannot
/// carry it: a backslash before a quote or at the end would change the literal's end, and a
/// brace that is not closed inside it would end the guarded block around it.
std::string QuoteText(std::string_view text);

/// Empty when `text` can stand as an expression of one statement; else why not: outside its
/// text literals it holds only names, numbers, operators, brackets, '.' and ',' (no ';', no
/// braces, no comment marker, no ":=", no line feed), its literals are closed and their braces
/// balanced.
std::string ExpressionFault(std::string_view text);

/// Empty when `text` can stand as a declared type: a plain name, or an enumeration
/// "ENUMERATION OF (a, b)" of plain names (also written ENUMERATION_OF); else why not.
std::string TypeFault(std::string_view text);

/// The value text of a text or enumeration object ("'abc'") as the quoted literal of its
/// contents; empty when it cannot be carried.
std::string RequoteValue(std::string_view quoted);

/// The shortest text that reads back as `value`.
std::string NumberText(double value);

}  // namespace varnex::generator
