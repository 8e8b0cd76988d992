// Helpers for the operand tests: owning handles, value readers and a recorder of ClassError
// reports.
#pragma once

#include <varnex/base/messages.h>
#include <varnex/base/transaction.h>
#include <varnex/model/model.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace operand_test {

using Owned = std::unique_ptr<aritm>;

inline Owned Own(aritm* operand) {
  return Owned(operand);
}

/// The text form of an operand ("<null>" for a missing one).
inline std::string Text(aritm* operand) {
  if (operand == nullptr) {
    return "<null>";
  }
  PVMStrg text;
  return operand->GetValue(text);
}

/// getsval as a std::string, freeing the C string; "<null>" for a null result.
inline std::string Sval(aritm* operand) {
  char* text = operand->getsval();
  if (text == nullptr) {
    return "<null>";
  }
  std::string copy = text;
  MemoryDeallocation(text);
  return copy;
}

/// Records every ClassError report while alive; restores the previous sink afterwards.
class ErrorRecorder {
 public:
  struct Entry {
    std::string cls, operation, message;
  };

  ErrorRecorder() {
    previous_ = SetClassErrorSink([this](const ClassErrorReport& report) {
      entries_.push_back({report.cls, report.operation, report.message});
    });
  }
  ~ErrorRecorder() { SetClassErrorSink(std::move(previous_)); }
  ErrorRecorder(const ErrorRecorder&) = delete;
  ErrorRecorder& operator=(const ErrorRecorder&) = delete;

  const std::vector<Entry>& entries() const { return entries_; }
  bool Saw(const std::string& message) const {
    for (const Entry& e : entries_) {
      if (e.message == message) {
        return true;
      }
    }
    return false;
  }
  std::string Last() const { return entries_.empty() ? "" : entries_.back().message; }
  void Clear() { entries_.clear(); }

 private:
  ClassErrorSink previous_;
  std::vector<Entry> entries_;
};

}  // namespace operand_test

namespace operand_test {

/// Builds an operand from a short spec: "n:7" op_number, "z:2.5" op_zahl, "b:TRUE" op_logic,
/// "t:abc" op_text, "v:1,2,3" op_vector.
inline aritm* Make(const std::string& spec) {
  std::string value = spec.substr(2);
  switch (spec[0]) {
    case 'n':
      return new op_number(std::stol(value));
    case 'z':
      return new op_zahl(std::stod(value));
    case 'b':
      return new op_logic(value == "TRUE" ? TRUE : FALSE);
    case 't':
      return new op_text(value.c_str());
    case 'v': {
      double xyz[3] = {0, 0, 0};
      std::sscanf(value.c_str(), "%lf,%lf,%lf", &xyz[0], &xyz[1], &xyz[2]);
      return new op_vector(xyz);
    }
  }
  return nullptr;
}

/// Kind letter and text form: "z:3.5", "n:-1", "b:TRUE", "t:'abc'", "v:[0,0,1]", or "null".
inline std::string Describe(aritm* operand) {
  if (operand == nullptr) {
    return "null";
  }
  char kind = operand->IsOpNumber()   ? 'n'
              : operand->IsOpZahl()   ? 'z'
              : operand->IsOpLogic()  ? 'b'
              : operand->IsOpText()   ? 't'
              : operand->IsOpVector() ? 'v'
              : operand->IsOpAxis()   ? 'a'
                                      : '?';
  return std::string(1, kind) + ":" + Text(operand);
}

using BinaryOperation = aritm* (*)(aritm*, aritm*);

/// The binary operators, named as in the feature language.
inline const std::map<std::string, BinaryOperation>& Operators() {
  static const std::map<std::string, BinaryOperation> operators = {
      {"+", [](aritm* a, aritm* b) { return a->add(b); }},
      {"-", [](aritm* a, aritm* b) { return a->subtract(b); }},
      {"*", [](aritm* a, aritm* b) { return a->multiply(b); }},
      {"/", [](aritm* a, aritm* b) { return a->divide(b); }},
      {"%", [](aritm* a, aritm* b) { return a->percent(b); }},
      {"==", [](aritm* a, aritm* b) { return a->equal(b); }},
      {"!=", [](aritm* a, aritm* b) { return a->not_equal(b); }},
      {"<", [](aritm* a, aritm* b) { return a->less(b); }},
      {">", [](aritm* a, aritm* b) { return a->greater(b); }},
      {"<=", [](aritm* a, aritm* b) { return a->less_equal(b); }},
      {">=", [](aritm* a, aritm* b) { return a->greater_equal(b); }},
      {"and", [](aritm* a, aritm* b) { return a->and_(b); }},
      {"or", [](aritm* a, aritm* b) { return a->or_(b); }},
      {"xor", [](aritm* a, aritm* b) { return a->xor_(b); }},
  };
  return operators;
}

inline aritm* Apply(aritm* left, const std::string& op, aritm* right) {
  return Operators().at(op)(left, right);
}

struct BinaryCase {
  const char* left;
  const char* op;
  const char* right;
  const char* result;  ///< Describe() of the result
};

/// Runs one table row: the result's description, and neither operand changed.
inline std::string Evaluate(const BinaryCase& c) {
  Owned left(Make(c.left)), right(Make(c.right));
  std::string before = Describe(left.get()) + Describe(right.get());
  Owned result(Apply(left.get(), c.op, right.get()));
  std::string after = Describe(left.get()) + Describe(right.get());
  return after == before ? Describe(result.get()) : "operand changed";
}

}  // namespace operand_test
