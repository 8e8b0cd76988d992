// op_text: a text operand. Concatenation keeps the left text first; a text joined with an
// integer takes the integer's decimal form on the integer's side.
#include <varnex/model/op_text.h>

#include <cstdio>
#include <string>

#include "base/number_format.h"
#include "model/operands/kind_support.h"

using varnex::model::NewLogic;

op_text::op_text() = default;
op_text::op_text(const char* text) : text_(text == nullptr ? "" : text) {}
op_text::op_text(const char* text, const char* valueSource)
    : aritm(valueSource), text_(text == nullptr ? "" : text) {}

op_text& op_text::operator=(const char* text) {
  text_ = text == nullptr ? "" : text;
  return *this;
}

const char* op_text::ClassName() const {
  return "op_text";
}

aritm* op_text::assign(aritm* other) {
  if (other == nullptr) {
    Report("assign (aritm *)", "operand to assign not specified");
    return nullptr;
  }
  PVMStrg text;
  if (other->get_text(text) != nullptr) {
    text_ = text.GetpStr();
  }
  CopyAttributesFrom(*other);
  return this;
}

aritm* op_text::add_aritm(aritm* b) {
  return b ? b->add_char(text_.c_str()) : MissingOperand("add (aritm *)", "add");
}
aritm* op_text::equal_aritm(aritm* b) {
  return b ? b->equal_char(text_.c_str()) : MissingOperand("equal (aritm *)", "compare");
}
aritm* op_text::not_equal_aritm(aritm* b) {
  return b ? b->not_equal_char(text_.c_str()) : MissingOperand("not_equal (aritm *)", "compare");
}

aritm* op_text::add_char(const char* x) {
  std::string joined = x == nullptr ? "" : x;
  return new op_text((joined + text_).c_str());
}
aritm* op_text::add_long(long x) {
  std::string number = varnex::base::FormatSigned(varnex::model::Wrap32(x));
  return new op_text((number + text_).c_str());
}

aritm* op_text::equal_char(const char* x) {
  return NewLogic(x != nullptr && text_ == x);
}
aritm* op_text::not_equal_char(const char* x) {
  return NewLogic(x == nullptr || text_ != x);
}
aritm* op_text::equal_enum(int, const char* value) {
  return equal_char(value);
}
aritm* op_text::not_equal_enum(int, const char* value) {
  return not_equal_char(value);
}

const char* op_text::get_text(PVMStrg& out) {
  out = text_.c_str();
  return out.GetpStr();
}

void op_text::print() {
  PVMStrg text;
  std::printf("%s\n", GetValue(text));
}

rumpf* op_text::new_object(const char* name) {
  return NewNamedObject(name, "no new object_text allocated");
}
rumpf* op_text::assign_object(const char* name) {
  return AssignNamedObject(name);
}

const char* op_text::GetValue(PVMStrg& out) const {
  out = ("'" + text_ + "'").c_str();
  return out.GetpStr();
}

char* op_text::getsval() {
  return text_.empty() ? nullptr : varnex::model::DuplicateText(text_.c_str());
}

void op_text::setsval(const char* text) {
  if (SetFromFormula(text) != FormulaOutcome::kLiteral) {
    return;
  }
  if (text == nullptr || *text == '\0') {
    std::string message = std::string("value ") + (text ? text : "") + " defines no correct string";
    Report("setsval", message.c_str());
    return;
  }
  text_ = varnex::model::StripQuotes(text);
  set_value_source(nullptr);
}

XBOOL op_text::IsOpText() {
  return TRUE;
}
