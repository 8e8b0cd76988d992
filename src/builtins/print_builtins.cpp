// The printing built-ins: a message, a labelled number, a vector, a transformation. Their lines
// go to the host's print sink when one is installed and nowhere otherwise; each answers 0.
#include <varnex/builtins/builtins.h>
#include <varnex/model/model.h>

#include <string>
#include <utility>

#include "base/string_printf.h"
#include "builtins/handler_support.h"
#include "builtins/handlers.h"

namespace {

NovlPrintSink& PrintSink() {
  static NovlPrintSink sink;
  return sink;
}

}  // namespace

NovlPrintSink SetNovlPrintSink(NovlPrintSink sink) {
  return std::exchange(PrintSink(), std::move(sink));
}

namespace varnex::builtins {
namespace {

void Emit(const std::string& line) {
  if (PrintSink()) {
    PrintSink()(line.c_str());
  }
}

// An optional leading text label: "label " before the value of the argument that follows it,
// or nothing when argument 1 is the value itself.
std::string Label(aritm** args, int& valueIndex) {
  aritm* first = Argument(args, 0);
  bool labelled = first != nullptr && first->IsOpText() && Argument(args, 1) != nullptr;
  valueIndex = labelled ? 1 : 0;
  return labelled ? TextArgument(args, 0) + " " : std::string();
}

// Prints the value text of the argument after the optional label.
void PrintLabelledValue(aritm** args, aritm** result) {
  NewResult<op_zahl>(result, 0.0);
  int valueIndex = 0;
  std::string label = Label(args, valueIndex);
  PVMStrg text;
  aritm* value = Argument(args, valueIndex);
  Emit(label + (value != nullptr ? value->GetValue(text) : ""));
}

}  // namespace

void MesPrint(aritm** args, aritm** result) {
  NewResult<op_zahl>(result, 0.0);
  Emit(ValueText(Argument(args, 0)));
}

// "text value", the value in the "%lf" form.
void ValPrint(aritm** args, aritm** result) {
  NewResult<op_zahl>(result, 0.0);
  Emit(
      varnex::base::StringPrintf("%s %lf", TextArgument(args, 0).c_str(), NumberArgument(args, 1)));
}

void VecPrint(aritm** args, aritm** result) {
  PrintLabelledValue(args, result);
}

void TmPrint(aritm** args, aritm** result) {
  PrintLabelledValue(args, result);
}

}  // namespace varnex::builtins
