// op_enum: one value selected by index from a list of allowed texts.
#include <varnex/model/op_text.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "model/operands/kind_support.h"

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
