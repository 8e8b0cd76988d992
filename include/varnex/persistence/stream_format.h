// PVFStreamFmt: the format state of one stream (integer base, float form, precision, delimiters,
// skipping). A stream holds one by value; FmtSave/FmtRestore copy it out and back.
#pragma once

#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <optional>
#include <string>

/// Format state of a PVFStream. Copyable; the skip characters are owned by the copy.
/// Justif, Width, MaxWidth, FillChar, ErrChar and WithSign are kept and reported only: no reader
/// or writer of the stream family consults them.
class VARNEX_API PVFStreamFmt {
 public:
  /// Integer bases (tested as IntBase & 0x700) and float forms (FloatForm & 0x3000).
  static constexpr int kDecimal = 0x100;
  static constexpr int kHexadecimal = 0x200;
  static constexpr int kOctal = 0x300;
  static constexpr int kBinary = 0x400;
  static constexpr int kFixedForm = 0x1000;
  static constexpr int kExponentForm = 0x2000;
  /// CharConv bits: lower-case, upper-case, C escapes.
  static constexpr int kToLower = 1;
  static constexpr int kToUpper = 2;
  static constexpr int kEscapes = 4;

  PVFStreamFmt() = default;
  PVFStreamFmt(const PVFStreamFmt&) = default;
  PVFStreamFmt& operator=(const PVFStreamFmt&) = default;
  virtual ~PVFStreamFmt();

  /// Puts every field back to its default.
  void Reset() { *this = PVFStreamFmt(); }
  /// The skip characters, or null when none are set. Valid until the next change.
  const char* SkipCharsText() const { return SkipChars ? SkipChars->c_str() : nullptr; }
  /// TRUE when `c` is one of the skip characters (never for the character 0).
  bool IsSkipChar(char c) const;
  bool ExponentForm() const { return (FloatForm & 0x3000) == kExponentForm; }

  int Justif = 32;
  int CharConv = 0;
  int IntBase = kDecimal;
  int FloatForm = kFixedForm;
  int Width = 0;
  int MaxWidth = 0;
  char FillChar = 0;
  char ErrChar = '*';
  char Delim = 0;
  XBOOL SkipWhite = TRUE;
  std::optional<std::string> SkipChars;
  XBOOL ShowBase = FALSE;
  XBOOL WithSign = FALSE;
  int Precision = -1;
  int IntRange = -1;
};
