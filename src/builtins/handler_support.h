// What every built-in handler does the same way: read arguments from the null-terminated list
// (a missing or unsuitable argument reads as null, 0, the empty text or no object) and put its
// result operand into the result slot before it looks at any argument, so that an unusable
// argument leaves the result at its initial value.
#pragma once

#include <varnex/geometry/spa.h>

#include <string>
#include <utility>

class aritm;
class op_vector;
class rumpf;

namespace varnex::builtins {

/// The argument at `index`, or null when the list is null or ends before it.
aritm* Argument(aritm** args, int index);
/// Number of arguments before the terminating null.
int ArgumentCount(aritm** args);

/// TRUE for an op_zahl or op_number argument.
bool IsNumber(aritm* operand);
/// The value of a number argument; 0 for anything else.
double NumberArgument(aritm** args, int index);
/// The text of a text or enumeration argument; empty for anything else.
std::string TextArgument(aritm** args, int index);
/// Whether the argument at `index` is a vector; `out` receives it (zero otherwise).
bool VectorArgument(aritm** args, int index, SPAvector& out);
/// The object a reference or object argument stands for; null for anything else.
rumpf* ObjectArgument(aritm** args, int index);

/// The operand's value text (GetValue) without enclosing single quotes; empty for null.
std::string ValueText(aritm* operand);

/// Creates the result operand, stores it in the slot and returns it; the caller owns it.
template <class Kind, class... Args>
Kind* NewResult(aritm** result, Args&&... args) {
  auto* operand = new Kind(std::forward<Args>(args)...);
  *result = operand;
  return operand;
}

/// Sets a vector operand from a kernel vector.
void SetVectorValue(op_vector& target, const SPAvector& v);

/// A new operand of the same kind with the same value, value source, validity and restrictions
/// (an object operand stands for the same object); null for null. The caller owns it.
aritm* CopyOperand(aritm* operand);

/// Replaces the slot's operand (deleting it) by `operand`, which may be null.
void ReplaceResult(aritm** result, aritm* operand);

/// Tells the host (Error, title "NovlBuiltinRefused") that the built-in `name` refused its
/// arguments and why.
void ReportRefusal(const char* name, const std::string& why);

}  // namespace varnex::builtins
