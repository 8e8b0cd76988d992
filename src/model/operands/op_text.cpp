// The text operand kinds: op_text and op_enum.
#include <varnex/model/op_text.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/number_format.h"
#include "model/operands/kind_support.h"

// op_text: a text operand. Concatenation keeps the left text first; a text joined with an
// integer takes the integer's decimal form on the integer's side.
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

// op_enum: one value selected by index from a list of allowed texts.
using varnex::model::NewLogic;

namespace {
// The list is kept free of duplicates, so an index names one text.
int IndexOf(const VALUE_LIST<PVMStrg>& values, const char* text) {
  return text == nullptr ? -1 : values.lookup(PVMStrg(text));
}
}  // namespace

op_enum::op_enum() : values_(TRUE) {}

op_enum::op_enum(int index, const VALUE_LIST<PVMStrg>* values) : op_enum(index, values, nullptr) {}

op_enum::op_enum(int index, const VALUE_LIST<PVMStrg>* values, const char* valueSource)
    : aritm(valueSource), index_(index), values_(TRUE) {
  if (values != nullptr) {
    for (int i = 0; i < values->count(); ++i) {
      values_.add((*values)[i]);
    }
  }
}

op_enum& op_enum::operator=(int index) {
  index_ = index;
  return *this;
}

const char* op_enum::ClassName() const {
  return "op_enum";
}

const PVMStrg* op_enum::Selected() const {
  return index_ >= 0 && index_ < values_.count() ? &values_[index_] : nullptr;
}

// Another enumeration brings its list along; any other kind selects by its text.
aritm* op_enum::assign(aritm* other) {
  if (other == nullptr) {
    Report("assign (aritm *)", "operand to assign not specified");
    return nullptr;
  }
  if (auto* enumeration = dynamic_cast<op_enum*>(other)) {
    index_ = enumeration->index_;
    values_ = enumeration->values_;
  } else {
    PVMStrg text;
    int index = IndexOf(values_, other->get_text(text));
    if (index >= 0) {
      index_ = index;
    }
  }
  CopyAttributesFrom(*other);
  return this;
}

aritm* op_enum::equal_aritm(aritm* b) {
  return b ? b->equal_enum(index_, get_enum_val()) : MissingOperand("equal (aritm *)", "compare");
}
aritm* op_enum::not_equal_aritm(aritm* b) {
  return b ? b->not_equal_enum(index_, get_enum_val())
           : MissingOperand("not_equal (aritm *)", "compare");
}

aritm* op_enum::equal_char(const char* x) {
  const PVMStrg* selected = Selected();
  return NewLogic(selected != nullptr && x != nullptr && *selected == x);
}
aritm* op_enum::not_equal_char(const char* x) {
  const PVMStrg* selected = Selected();
  return NewLogic(selected != nullptr && (x == nullptr || *selected != x));
}
aritm* op_enum::equal_enum(int index, const char* value) {
  const PVMStrg* selected = Selected();
  return NewLogic(selected != nullptr && index == index_ && value != nullptr && *selected == value);
}
aritm* op_enum::not_equal_enum(int index, const char* value) {
  const PVMStrg* selected = Selected();
  return NewLogic(selected != nullptr &&
                  (index != index_ || value == nullptr || *selected != value));
}

int op_enum::get_enum_nr() {
  return index_;
}
const char* op_enum::get_enum_val() {
  const PVMStrg* selected = Selected();
  return selected ? selected->GetpStr() : nullptr;
}
const char* op_enum::get_text(PVMStrg& out) {
  const PVMStrg* selected = Selected();
  if (selected == nullptr) {
    return nullptr;
  }
  out = *selected;
  return out.GetpStr();
}

void op_enum::print() {
  PVMStrg text;
  std::printf("%s\n", GetValue(text));
}

rumpf* op_enum::new_object(const char* name) {
  return NewNamedObject(name, "no new object_enum allocated");
}
rumpf* op_enum::assign_object(const char* name) {
  return AssignNamedObject(name);
}

const char* op_enum::GetValue(PVMStrg& out) const {
  if (const PVMStrg* selected = Selected()) {
    out = "'";
    out &= *selected;
    out &= '\'';
  }
  return out.GetpStr();
}

char* op_enum::getsval() {
  if (Selected() == nullptr) {
    return nullptr;
  }
  PVMStrg text;
  return varnex::model::DuplicateText(GetValue(text));
}

void op_enum::setsval(const char* text) {
  if (SetFromFormula(text) != FormulaOutcome::kLiteral || text == nullptr || *text == '\0') {
    return;
  }
  std::string value = varnex::model::StripQuotes(text);
  int index = IndexOf(values_, value.c_str());
  int number = 0;
  // At most nine digits: longer digit strings would wrap before the range check.
  if (index < 0 && !value.empty() && value.size() <= 9 &&
      PVMStrg(value.c_str()).IsDecimalNumber(&number) && number < values_.count()) {
    index = number;
  }
  if (index >= 0) {
    index_ = index;
    set_value_source(nullptr);
  }
}

XBOOL op_enum::IsOpEnum() {
  return TRUE;
}
