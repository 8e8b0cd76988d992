// Argument reading and result placement shared by the built-in handlers (see handler_support.h).
#include "builtins/handler_support.h"

#include <varnex/base/messages.h>
#include <varnex/model/model.h>

namespace varnex::builtins {

aritm* Argument(aritm** args, int index) {
  if (args == nullptr || index < 0) {
    return nullptr;
  }
  // The list ends at its first null: never read past it.
  for (int i = 0; i < index; ++i) {
    if (args[i] == nullptr) {
      return nullptr;
    }
  }
  return args[index];
}

int ArgumentCount(aritm** args) {
  int count = 0;
  while (args != nullptr && args[count] != nullptr) {
    ++count;
  }
  return count;
}

bool IsNumber(aritm* operand) {
  return operand != nullptr && (operand->IsOpZahl() || operand->IsOpNumber());
}

double NumberArgument(aritm** args, int index) {
  aritm* operand = Argument(args, index);
  return IsNumber(operand) ? operand->get_double() : 0.0;
}

std::string TextArgument(aritm** args, int index) {
  aritm* operand = Argument(args, index);
  if (operand == nullptr || !(operand->IsOpText() || operand->IsOpEnum())) {
    return {};
  }
  PVMStrg text;
  const char* value = operand->get_text(text);
  return value != nullptr ? std::string(value) : std::string();
}

bool VectorArgument(aritm** args, int index, SPAvector& out) {
  aritm* operand = Argument(args, index);
  const double* xyz = operand != nullptr && operand->IsOpVector() ? operand->get_vector() : nullptr;
  out = xyz != nullptr ? SPAvector(xyz) : SPAvector();
  return xyz != nullptr;
}

rumpf* ObjectArgument(aritm** args, int index) {
  aritm* operand = Argument(args, index);
  if (operand == nullptr || !(operand->IsOpObject() || operand->IsOpReference())) {
    return nullptr;
  }
  return operand->get_object();
}

std::string ValueText(aritm* operand) {
  if (operand == nullptr) {
    return {};
  }
  PVMStrg text;
  operand->GetValue(text);
  std::string value = text.GetpStr();
  if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

namespace {

// A default operand of the same kind; null for a kind without one.
aritm* NewOfKind(aritm* operand) {
  if (operand->IsOpZahl()) {
    return new op_zahl();
  }
  if (operand->IsOpNumber()) {
    return new op_number();
  }
  if (operand->IsOpLogic()) {
    return new op_logic();
  }
  if (operand->IsOpText()) {
    return new op_text();
  }
  if (operand->IsOpEnum()) {
    return new op_enum();
  }
  if (operand->IsOpVector()) {
    return new op_vector();
  }
  if (operand->IsOpAxis()) {
    return new op_axis();
  }
  if (operand->IsOpTrans()) {
    return new op_trans();
  }
  if (operand->IsOpGeom()) {
    return new op_geom();
  }
  if (operand->IsOpReference()) {
    return new op_reference();
  }
  return operand->IsOpConnect2d() ? new op_connect2d() : nullptr;
}

}  // namespace

aritm* CopyOperand(aritm* operand) {
  if (operand == nullptr) {
    return nullptr;
  }
  aritm* copy = nullptr;
  if (operand->IsOpObject()) {
    // assign would look the object up again by its simple name; keep the very object.
    copy = new op_object(operand->get_object(), operand->get_value_source());
    copy->SetValidity(operand->GetValidity());
  } else if ((copy = NewOfKind(operand)) != nullptr) {
    copy->assign(operand);
  }
  VALUE_LIST<PVMStrg> restrictions;
  if (copy != nullptr && operand->GetRestrictions(&restrictions) > 0) {
    copy->SetRestrictions(&restrictions);
  }
  return copy;
}

void SetVectorValue(op_vector& target, const SPAvector& v) {
  double xyz[3] = {v.x(), v.y(), v.z()};
  target.SetVector(xyz);
}

void ReplaceResult(aritm** result, aritm* operand) {
  delete *result;
  *result = operand;
}

void ReportRefusal(const char* name, const std::string& why) {
  if (pPVFHandleMessage != nullptr) {
    std::string text = std::string(name) + ": " + why;
    pPVFHandleMessage->Error("NovlBuiltinRefused", text.c_str());
  }
}

}  // namespace varnex::builtins
