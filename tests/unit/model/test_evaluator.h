// A small formula evaluator standing in for the language's evaluate_string in object-layer
// tests: numbers, texts, TRUE/FALSE, names (simple, qualified, components), [x, y, z] vectors,
// unary minus, * / + -, comparisons, && and ||, parentheses. Like evaluate_string it resolves
// names from the outermost world and sets the previous world for "__THIS__" and "__UP__".
#pragma once

#include <varnex/model/model.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

#include <cctype>
#include <cstdlib>
#include <memory>
#include <string>

#include "model/operands/formula_hook.h"

namespace varnex::test {

class TestEvaluator {
 public:
  explicit TestEvaluator(const char* text) : text_(text) {}

  /// The formula's value (caller owns it), or null when it does not parse or a name is unknown.
  aritm* Run() {
    std::unique_ptr<aritm> value(Or());
    Skip();
    if (At() == ';') {
      ++pos_;
    }
    Skip();
    return ok_ && pos_ == text_.size() ? value.release() : nullptr;
  }

  static aritm* Evaluate(const char* text) {
    nullwelt* saved = anfang;
    nullwelt* saved_previous = previous_world;
    previous_world = anfang;
    if (anfang != nullptr) {
      anfang = anfang->get_inertial_world();
    }
    aritm* result = TestEvaluator(text).Run();
    anfang = saved;
    previous_world = saved_previous;
    ++evaluations_;
    return result;
  }
  static inline int evaluations_ = 0;

 private:
  using Ptr = std::unique_ptr<aritm>;

  char At() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  void Skip() {
    while (std::isspace(static_cast<unsigned char>(At()))) {
      ++pos_;
    }
  }
  bool Eat(const char* token) {
    Skip();
    std::size_t n = std::char_traits<char>::length(token);
    if (text_.compare(pos_, n, token) == 0) {
      pos_ += n;
      return true;
    }
    return false;
  }
  Ptr Fail() {
    ok_ = false;
    return nullptr;
  }
  template <class Op>
  Ptr Combine(Ptr left, Ptr right, Op op) {
    if (left == nullptr || right == nullptr) {
      return Fail();
    }
    Ptr result(op(left.get(), right.get()));
    return result == nullptr ? Fail() : std::move(result);
  }

  Ptr Or() {
    Ptr left = And();
    while (Eat("||")) {
      left = Combine(std::move(left), And(), [](aritm* a, aritm* b) { return a->or_(b); });
    }
    return left;
  }
  Ptr And() {
    Ptr left = Compare();
    while (Eat("&&")) {
      left = Combine(std::move(left), Compare(), [](aritm* a, aritm* b) { return a->and_(b); });
    }
    return left;
  }
  Ptr Compare() {
    Ptr left = Sum();
    if (Eat("<=")) {
      return Combine(std::move(left), Sum(), [](aritm* a, aritm* b) { return a->less_equal(b); });
    }
    if (Eat(">=")) {
      return Combine(std::move(left), Sum(),
                     [](aritm* a, aritm* b) { return a->greater_equal(b); });
    }
    if (Eat("!=")) {
      return Combine(std::move(left), Sum(), [](aritm* a, aritm* b) { return a->not_equal(b); });
    }
    if (Eat("<")) {
      return Combine(std::move(left), Sum(), [](aritm* a, aritm* b) { return a->less(b); });
    }
    if (Eat(">")) {
      return Combine(std::move(left), Sum(), [](aritm* a, aritm* b) { return a->greater(b); });
    }
    if (Eat("=")) {
      return Combine(std::move(left), Sum(), [](aritm* a, aritm* b) { return a->equal(b); });
    }
    return left;
  }
  Ptr Sum() {
    Ptr left = Product();
    while (true) {
      if (Eat("+")) {
        left = Combine(std::move(left), Product(), [](aritm* a, aritm* b) { return a->add(b); });
      } else if (Eat("-")) {
        left =
            Combine(std::move(left), Product(), [](aritm* a, aritm* b) { return a->subtract(b); });
      } else {
        return left;
      }
    }
  }
  Ptr Product() {
    Ptr left = Unary();
    while (true) {
      if (Eat("*")) {
        left = Combine(std::move(left), Unary(), [](aritm* a, aritm* b) { return a->multiply(b); });
      } else if (Eat("/")) {
        left = Combine(std::move(left), Unary(), [](aritm* a, aritm* b) { return a->divide(b); });
      } else {
        return left;
      }
    }
  }
  Ptr Unary() {
    if (Eat("-")) {
      Ptr inner = Unary();
      return inner == nullptr ? Fail() : Ptr(inner->minus_of());
    }
    return Primary();
  }
  Ptr Primary() {
    Skip();
    char c = At();
    if (Eat("(")) {
      Ptr inner = Or();
      return Eat(")") ? std::move(inner) : Fail();
    }
    if (Eat("[")) {
      return Vector();
    }
    if (c == '\'') {
      return Text();
    }
    if (std::isdigit(static_cast<unsigned char>(c))) {
      return Number();
    }
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      return Name();
    }
    return Fail();
  }
  Ptr Vector() {
    double xyz[3];
    for (int i = 0; i < 3; ++i) {
      Ptr component = Or();
      if (component == nullptr || !Eat(i < 2 ? "," : "]")) {
        return Fail();
      }
      xyz[i] = component->get_double();
    }
    return Ptr(new op_vector(xyz));
  }
  Ptr Text() {
    std::size_t end = text_.find('\'', pos_ + 1);
    if (end == std::string::npos) {
      return Fail();
    }
    Ptr text(new op_text(text_.substr(pos_ + 1, end - pos_ - 1).c_str()));
    pos_ = end + 1;
    return text;
  }
  Ptr Number() {
    std::size_t start = pos_;
    while (std::isdigit(static_cast<unsigned char>(At()))) {
      ++pos_;
    }
    if (At() != '.') {
      return Ptr(new op_number(std::atol(text_.substr(start, pos_ - start).c_str())));
    }
    ++pos_;
    while (std::isdigit(static_cast<unsigned char>(At()))) {
      ++pos_;
    }
    return Ptr(new op_zahl(std::atof(text_.substr(start, pos_ - start).c_str())));
  }
  Ptr Name() {
    std::size_t start = pos_;
    while (
        std::isalnum(static_cast<unsigned char>(At())) || At() == '_' || At() == '@' ||
        (At() == '.' && pos_ + 1 < text_.size() &&
         (std::isalpha(static_cast<unsigned char>(text_[pos_ + 1])) || text_[pos_ + 1] == '_'))) {
      ++pos_;
    }
    std::string name = text_.substr(start, pos_ - start);
    if (name == "TRUE" || name == "FALSE") {
      return Ptr(new op_logic(ToXBool(name == "TRUE")));
    }
    rumpf* object = search(name.c_str());
    if (object == nullptr) {
      return Fail();
    }
    std::size_t dot = name.rfind('.');
    std::string component = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (object->isTypeOf("vector") && (component == "x" || component == "y" || component == "z")) {
      Ptr whole(object->get_aritm());
      return Ptr(new op_zahl(whole->get_vector()[component[0] - 'x']));
    }
    Ptr value(object->get_aritm());
    return value == nullptr ? Fail() : std::move(value);
  }

  std::string text_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

/// Installs the test evaluator for the scope.
class WithTestEvaluator {
 public:
  WithTestEvaluator() : previous_(varnex::model::SetFormulaEvaluator(TestEvaluator::Evaluate)) {}
  ~WithTestEvaluator() { varnex::model::SetFormulaEvaluator(previous_); }

 private:
  varnex::model::FormulaEvaluator previous_;
};

}  // namespace varnex::test
