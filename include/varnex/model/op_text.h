// The text operand kinds: op_text and op_enum (one selected value of a list of allowed texts).
#pragma once

#include <varnex/model/aritm.h>

#include <string>

/// A text. `add` concatenates, left text first; a text and an integer join the integer's
/// decimal form on the integer's side. Comparisons are exact and byte-wise.
class VARNEX_API op_text : public aritm {
 public:
  using aritm::get_text;

  op_text();
  /// Copies `text` (null counts as empty).
  explicit op_text(const char* text);
  op_text(const char* text, const char* valueSource);
  op_text& operator=(const char* text);

  aritm* assign(aritm* other) override;

  aritm* add_aritm(aritm* b) override;
  aritm* add_char(const char* x) override;
  aritm* add_long(long x) override;
  aritm* equal_aritm(aritm* b) override;
  aritm* equal_char(const char* x) override;
  /// Compares the value text only; a null value is never equal.
  aritm* equal_enum(int index, const char* value) override;
  aritm* not_equal_aritm(aritm* b) override;
  aritm* not_equal_char(const char* x) override;
  aritm* not_equal_enum(int index, const char* value) override;

  const char* get_text(PVMStrg& out) override;
  void print() override;
  rumpf* new_object(const char* name) override;
  rumpf* assign_object(const char* name) override;
  /// The text between single quotes.
  const char* GetValue(PVMStrg& out) const override;
  /// The bare text; null when it is empty.
  char* getsval() override;
  /// Any non-empty text; one leading and one trailing single quote are removed.
  void setsval(const char* text) override;
  XBOOL IsOpText() override;

  const std::string& text() const { return text_; }

 protected:
  const char* ClassName() const override;

 private:
  std::string text_;
};

/// A value selected from a list of allowed texts, by index. Comparisons look at the selected
/// text; an index outside the list selects nothing and compares neither equal nor unequal.
class VARNEX_API op_enum : public aritm {
 public:
  using aritm::get_text;

  op_enum();
  /// Copies `values` (null counts as an empty list); the caller keeps its list.
  op_enum(int index, const VALUE_LIST<PVMStrg>* values);
  op_enum(int index, const VALUE_LIST<PVMStrg>* values, const char* valueSource);
  /// Selects another index of the same list.
  op_enum& operator=(int index);

  aritm* assign(aritm* other) override;

  aritm* equal_aritm(aritm* b) override;
  aritm* equal_char(const char* x) override;
  /// TRUE when both the index and the text agree.
  aritm* equal_enum(int index, const char* value) override;
  aritm* not_equal_aritm(aritm* b) override;
  aritm* not_equal_char(const char* x) override;
  /// TRUE when the index differs, the text is null or the texts differ.
  aritm* not_equal_enum(int index, const char* value) override;

  int get_enum_nr() override;
  /// The selected text, or null for an index outside the list.
  const char* get_enum_val() override;
  const char* get_text(PVMStrg& out) override;
  void print() override;
  rumpf* new_object(const char* name) override;
  rumpf* assign_object(const char* name) override;
  /// The selected value between single quotes; `out` is left unchanged for an index outside
  /// the list.
  const char* GetValue(PVMStrg& out) const override;
  char* getsval() override;
  /// An allowed value (quotes removed as for op_text), or else a decimal index within the
  /// list; anything else leaves the value unchanged.
  void setsval(const char* text) override;
  XBOOL IsOpEnum() override;

  const VALUE_LIST<PVMStrg>& values() const { return values_; }

 protected:
  const char* ClassName() const override;

 private:
  const PVMStrg* Selected() const;

  int index_ = 0;
  VALUE_LIST<PVMStrg> values_;
};
