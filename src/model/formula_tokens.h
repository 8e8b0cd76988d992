// A small scanner over formula texts for the object layer: which names a formula mentions and how
// a bracketed vector or axis text splits into components. It follows the language's token rules
// (identifiers may contain '@', keywords are not identifiers, string literals with the one escape,
// "--" and nested block comments), so the object layer needs no parser of its own.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/value_list.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varnex::model {

enum class TokenKind { kIdentifier, kKeyword, kString, kNumber, kOther };

struct FormulaToken {
  TokenKind kind = TokenKind::kOther;
  std::string text;       // a string literal's characters without quotes and escapes
  std::size_t begin = 0;  // position of the token's first character in the text
  std::size_t end = 0;    // one past its last character
};

class FormulaScanner {
 public:
  explicit FormulaScanner(std::string_view text) : text_(text) {}
  /// The next token, skipping blanks, tabs, line feeds and comments; false at the end.
  bool Next(FormulaToken& token);

 private:
  bool SkipSpaceAndComments();
  void ScanString(FormulaToken& token);
  void ScanNumber(FormulaToken& token);
  void ScanWord(FormulaToken& token);
  char At(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }

  std::string_view text_;
  std::size_t pos_ = 0;
};

/// The identifiers of `formula` that do not follow a "." token, in order, without duplicates.
std::vector<std::string> LeadingIdentifiers(std::string_view formula);

/// The dotted names of `formula` (identifiers joined by "." tokens), in order, without
/// duplicates.
std::vector<std::string> DottedNames(std::string_view formula);

/// `text` with every identifier found in `from` replaced by the entry of `to` at the same
/// position; everything between identifiers is kept as it was.
std::string ReplaceIdentifiers(std::string_view text, const VALUE_LIST<PVMStrg>& from,
                               const VALUE_LIST<PVMStrg>& to);

/// The text a token contributes when a formula is rebuilt from its tokens (literals re-quoted).
std::string TokenSource(const FormulaToken& token);

/// Splits "[" c1 "," ... "," cn "]", optionally followed by ";", into its n component texts (the
/// tokens of each component joined without blanks). Commas inside nested brackets or parentheses
/// belong to the component. False when the text has another shape.
bool SplitBracketedComponents(std::string_view text, int count, std::vector<std::string>& out);

}  // namespace varnex::model
