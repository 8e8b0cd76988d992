// VARIABLE_TABLE: symbols and their texts, substituted into formulas; PVFDefParaVar, the table
// of default parameter variables, whose symbol "RUNDRADIUS" always follows the host's radius.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/export.h>

#include <cstddef>
#include <vector>

/// A list of (symbol, text) entries, unique by symbol, in the order they were added.
class VARNEX_API VARIABLE_TABLE {
 public:
  VARIABLE_TABLE() = default;
  virtual ~VARIABLE_TABLE();

  /// Appends the entry and returns 0; when the symbol exists nothing changes and its position
  /// + 1 is returned; -1 for a null or empty symbol or a null text.
  int add(const char* symbol, const char* text);
  int add(const PVMStrg& symbol, const PVMStrg& text);
  /// Replaces the text of an existing symbol: its position + 1; 0 when absent; -1 for null.
  int change(const char* symbol, const char* text);
  int change(const PVMStrg& symbol, const PVMStrg& text);
  /// Removes the symbol: its former position + 1; 0 when absent or null.
  int remove(const char* symbol);
  int remove(const PVMStrg& symbol);
  /// The symbol's text (valid until the table changes), or null.
  const char* lookup(const char* symbol) const;
  const char* lookup(const PVMStrg& symbol) const;
  /// By position; null outside the table.
  const char* symbol(int index) const;
  const char* text(int index) const;
  int count() const { return static_cast<int>(entries_.size()); }
  /// The number of tokens of `text` that are symbols with a non-empty text.
  int contain(const char* text) const;
  int contain(const PVMStrg& text) const;

  /// Substitutes the symbols of `text` by their texts (a text of several tokens in brackets),
  /// again and again until the text no longer changes. The text is rebuilt from its tokens:
  /// string literals re-quoted, "-" as
  /// " - " (so that no "--" comment can form), other tokens as written, a blank only where two
  /// words would run together. Cyclic or ever-growing definitions stop after the text repeats,
  /// after kMaxPasses passes or beyond kMaxLength characters. Returns TRUE when the text reached
  /// its fixed point, FALSE when it was stopped.
  XBOOL replace(PVMStrg& text) const;
  /// The same into the caller's buffer of `size` bytes (the terminating zero included). Returns
  /// the length of the result; -1 when the buffer is null or too small for the result, in
  /// which case the buffer is left unchanged.
  int replace(char* buffer, std::size_t size) const;

  static constexpr int kMaxPasses = 64;
  static constexpr unsigned kMaxLength = 1u << 16;

 private:
  struct Entry {
    PVMStrg symbol;
    PVMStrg text;
  };
  int Find(const char* symbol) const;
  PVMStrg ReplaceOnce(const PVMStrg& text) const;

  std::vector<Entry> entries_;
};

/// The default parameter variables. lookup and replace first bring "RUNDRADIUS" up to date
/// with the context's radius ("%lf" form, 5.000000 by default).
class VARNEX_API PVFDefParaVar : public VARIABLE_TABLE {
 public:
  /// Enters "RUNDRADIUS" once.
  PVFDefParaVar();
  ~PVFDefParaVar() override;

  /// Sets "RUNDRADIUS" to PVFParaFeature::Current()->GetRadius().
  void UpdateDefVar();
  const char* lookup(const char* symbol);
  const char* lookup(const PVMStrg& symbol);
  XBOOL replace(PVMStrg& text);
  int replace(char* buffer, std::size_t size);
};

/// The table the interpreter consults for default parameter variables; created and destroyed
/// with the interpreter's global tables (null before).
extern VARNEX_API PVFDefParaVar* pDefParaVar;
