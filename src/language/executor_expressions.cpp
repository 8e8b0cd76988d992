// Operand building: operators, constants, vectors and axes. Every operation yields a new
// operand or null; the operands it was given are deleted when the call returns.
#include <varnex/model/model.h>

#include <string>

#include "language/statement_executor.h"

namespace varnex::language {

namespace {

aritm* Apply(BinaryOp op, aritm& left, aritm* right) {
  switch (op) {
    case BinaryOp::Add:
      return left.add(right);
    case BinaryOp::Subtract:
      return left.subtract(right);
    case BinaryOp::Multiply:
      return left.multiply(right);
    case BinaryOp::Divide:
      return left.divide(right);
    case BinaryOp::Percent:
      return left.percent(right);
    case BinaryOp::Less:
      return left.less(right);
    case BinaryOp::Greater:
      return left.greater(right);
    case BinaryOp::LessEqual:
      return left.less_equal(right);
    case BinaryOp::GreaterEqual:
      return left.greater_equal(right);
    case BinaryOp::Equal:
      return left.equal(right);
    case BinaryOp::NotEqual:
      return left.not_equal(right);
    case BinaryOp::And:
      return left.and_(right);
    case BinaryOp::Or:
      return left.or_(right);
    case BinaryOp::Xor:
      return left.xor_(right);
  }
  return nullptr;
}

const char* OperatorText(BinaryOp op) {
  switch (op) {
    case BinaryOp::Add:
      return "+";
    case BinaryOp::Subtract:
      return "-";
    case BinaryOp::Multiply:
      return "*";
    default:
      return "?";
  }
}

bool HoldsEntity(aritm& operand) {
  return operand.get_ENTITY(0) != nullptr;
}

double DoubleOf(const Operand& operand) {
  return operand ? operand->get_double() : 0.0;
}

}  // namespace

// expr -> expr OP expr
Operand StatementExecutor::binary(BinaryOp op, Operand left, Operand right) {
  if (!left || !right) {
    return nullptr;
  }
  Operand result(Apply(op, *left, right.get()));
  const bool boolean = op == BinaryOp::Add || op == BinaryOp::Subtract || op == BinaryOp::Multiply;
  const bool left_geometry = left->IsOpGeom() == TRUE;
  const bool right_geometry = right->IsOpGeom() == TRUE;
  if (!result && boolean && (left_geometry || right_geometry)) {
    const std::string what = std::string("the Boolean '") + OperatorText(op) + "' ";
    if (op == BinaryOp::Multiply && left->IsOpTrans() == TRUE) {
      *last_failure_ =
          "a transformation moves geometry standing on its left: write "
          "geometry * transformation";
    } else if (!left_geometry || !right_geometry) {
      *last_failure_ = what + "needs geometry on both sides";
    } else if (HoldsEntity(*left) && HoldsEntity(*right)) {
      *last_failure_ = what + "failed on its solids";
    } else {
      *last_failure_ = what + "has an empty operand and gives no value";
    }
  }
  return result;
}

// expr -> NOT_OP expr
Operand StatementExecutor::logicalNot(Operand operand) {
  return operand ? Operand(operand->not_()) : nullptr;
}

// expr -> '-' expr
Operand StatementExecutor::negate(Operand operand) {
  return operand ? Operand(operand->minus_of()) : nullptr;
}

// expr -> '*' expr   (the value of the object a reference operand names)
Operand StatementExecutor::dereference(Operand operand) {
  Operand value(operand ? operand->get_reference() : nullptr);
  return value ? std::move(value) : emptyOperand();
}

// expr -> expr '=' STATIC
Operand StatementExecutor::staticComparison(Operand) {
  return Operand(new op_logic(FALSE));
}

// expr -> STRING_CONST
Operand StatementExecutor::textConstant(const std::string& text) {
  return Operand(new op_text(text.c_str()));
}

// expr -> LOGICAL_CONST
Operand StatementExecutor::logicalConstant(int value) {
  return Operand(new op_logic(value != 0 ? TRUE : FALSE));
}

// expr -> INTEGER_CONST
Operand StatementExecutor::integerConstant(int value) {
  return Operand(new op_number(static_cast<long>(value)));
}

// expr -> REAL_CONST
Operand StatementExecutor::realConstant(double value) {
  return Operand(new op_zahl(value));
}

// expr -> '[' expr ',' expr ',' expr ']'   (a missing component counts as 0)
Operand StatementExecutor::vectorValue(Operand x, Operand y, Operand z) {
  return Operand(new op_vector(DoubleOf(x), DoubleOf(y), DoubleOf(z)));
}

// expr -> '[' expr ',' expr ']'   (a missing part gives the zero vector)
Operand StatementExecutor::axisValue(Operand origin, Operand direction) {
  static const double kZero[3] = {0.0, 0.0, 0.0};
  const double* from = origin ? origin->get_vector() : nullptr;
  const double* along = direction ? direction->get_vector() : nullptr;
  return Operand(new op_axis(from ? from : kZero, along ? along : kZero));
}

// expr -> NULL_KW
Operand StatementExecutor::emptyOperand() {
  return Operand(new op_object());
}

// call -> ON_STACK '(' arg_list ')'
Operand StatementExecutor::onStack() {
  return Operand(new op_logic(TRUE));
}

}  // namespace varnex::language
