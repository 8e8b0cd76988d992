// What the object kinds share: recomputation from the formula, copies, assignment into another
// object, and reading the file record's value part.
#pragma once

#include <varnex/base/messages.h>
#include <varnex/model/aritm.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

template <class Read, class Commit>
XBOOL rumpf::Recompute(const char* cls, const char* kind_word, Read read, Commit commit) {
  SetValidity(0);
  if (get_value_source() == nullptr) {
    return FALSE;
  }
  std::unique_ptr<aritm> value(evaluate_value());
  if (value == nullptr || IsCompatible(value.get()) == FALSE) {
    Report(cls, "get",
           (std::string("no ") + kind_word + " value evaluated from <" + get_value_source() + ">")
               .c_str());
    return FALSE;
  }
  auto payload = read(*value);
  PVMStrg text;
  value->GetValue(text);
  value.reset();
  PVMStrg violated;
  if (CheckRestrictions(text, violated) != 0) {
    SetValidity(1);
    return FALSE;
  }
  commit(payload);
  return TRUE;
}

namespace varnex::model {

/// Reports through ClassError (severity 1) with a class name and an operation.
inline void ReportKind(const char* cls, const char* operation, const std::string& message) {
  ClassError(cls, operation, message.c_str(), 1, 0);
}

/// The shared part of every kind's copy(): refuses a null name with `null_message`, creates the
/// copy with `make(name)` and gives it the source's alias type, formula, restrictions and
/// validity. Null ("couldn't create object <name>") when the copy found no place in the world.
template <class Make>
rumpf* CopyAs(const rumpf& source, const char* cls, const char* name, const char* null_message,
              Make make) {
  if (name == nullptr) {
    ReportKind(cls, "copy", null_message);
    return nullptr;
  }
  rumpf* copy = make(name);
  if (copy == nullptr || copy->get_first_world() == nullptr) {
    ReportKind(cls, "copy", std::string("couldn't create object <") + name + ">");
    delete copy;
    return nullptr;
  }
  source.CopyAttributesTo(copy);
  return copy;
}

/// The object `name` that assign() may write into: it must exist ("variable <name> not
/// defined"), have the source's type ("variable <name> not of type <type_word>") and its alias
/// type (`mismatch`). Null when refused.
template <class Kind>
Kind* AssignTarget(const rumpf& source, const char* cls, const char* name, const char* type_word,
                   const char* mismatch) {
  rumpf* target = name == nullptr ? nullptr : search(name);
  std::string shown = name == nullptr ? "" : name;
  if (target == nullptr) {
    ReportKind(cls, "assign", "variable " + shown + " not defined");
    return nullptr;
  }
  Kind* typed = dynamic_cast<Kind*>(target);
  if (typed == nullptr || target->isTypeOf(source.get_type()) == FALSE) {
    ReportKind(cls, "assign", "variable " + shown + " not of type " + type_word);
    return nullptr;
  }
  if (std::strcmp(target->get_alias_type(), source.get_alias_type()) != 0) {
    ReportKind(cls, "assign", mismatch);
    return nullptr;
  }
  return typed;
}

/// The whole of most kinds' assign(): the target as AssignTarget finds it receives this object's
/// value through `write(target)`, then its formula, restrictions and validity (base_assign).
/// 1 when assigned, 0 when refused.
template <class Kind, class Write>
int AssignInto(const rumpf& source, const char* cls, const char* name, const char* type_word,
               const char* mismatch, Write write) {
  Kind* target = AssignTarget<Kind>(source, cls, name, type_word, mismatch);
  if (target == nullptr) {
    return 0;
  }
  write(*target);
  source.base_assign(target);
  return 1;
}

/// Writes "element_: <value>;\n" (the kind's store calls rumpf::store first): 0, or -1 for a
/// null file.
int StoreElement(FILE* file, const std::string& value);

/// The whole of most kinds' store(): the record every object writes (rumpf::store), then
/// "element_: <value>;\n". 0, or -1 when either part fails.
int StoreRecord(rumpf& object, FILE* file, const std::string& value);

/// The rest of the record's value part up to its ';' (blanks around it dropped, the ';' and the
/// rest of the line consumed). False at the end of the file.
bool ReadElementText(FILE* file, std::string& out);

/// Writes `text` with a label to standard output (print_object).
void PrintObject(const rumpf& object, const char* value_text);

/// The text with ";" appended when it has none.
std::string AsStatement(const char* text);

}  // namespace varnex::model
