// StatementExecutor: runs the statements of a NOVL text as the parser reduces them, against
// the current world (anfang), the hand-over list and the built-in function table. One
// executor serves one parse; nested parses (blocks, calls, formulas) get their own.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "language/parse_actions.h"

namespace varnex::language {

class StatementExecutor : public ParseActions {
 public:
  StatementExecutor() = default;
  /// An executor for a block of an enclosing parse (a conditional's part, a loop's body): a
  /// RETURN in the block replaces the enclosing parse's result, and the other way round.
  explicit StatementExecutor(StatementExecutor& enclosing)
      : returned_(enclosing.returned_), last_failure_(enclosing.last_failure_) {}

  void handOverFormula(Operand value) override;
  void abandonText() override;
  void openEntity(const std::string& name) override;
  void closeEntity() override;
  void deriveAttribute(const std::string& name, const std::string& type) override;
  void openFunctionBody() override;

  void assignToReference(const std::string& ref, Operand value) override;
  void returnValue(Operand value) override;
  void printReference(const std::string& ref) override;
  void braceConditional(Operand condition, TextSpan block) override;
  void thenConditional(Operand condition, ThenElseParts parts) override;
  void loop(LoopParts parts) override;

  std::string declareObject(const std::string& name, const std::string& type) override;
  std::string declareEnumeration(const std::string& name, const NameList& values) override;
  std::string declareFromPrototype(const std::string& name, const std::string& prototype) override;
  NameList copyDeclaration(NameList names, const std::string& declared) override;
  NameList bindParameters(NameList header, const NameList& group, Operand default_value,
                          bool first_group) override;

  Operand callFunction(const std::string& name, OperandList arguments) override;
  Operand onStack() override;

  Operand binary(BinaryOp op, Operand left, Operand right) override;
  Operand logicalNot(Operand operand) override;
  Operand negate(Operand operand) override;
  Operand dereference(Operand operand) override;
  Operand staticComparison(Operand operand) override;
  Operand textConstant(const std::string& text) override;
  Operand logicalConstant(int value) override;
  Operand integerConstant(int value) override;
  Operand realConstant(double value) override;
  Operand vectorValue(Operand x, Operand y, Operand z) override;
  Operand axisValue(Operand origin, Operand direction) override;
  Operand referenceValue(const std::string& ref) override;
  Operand emptyOperand() override;
  std::string thisName() override;
  std::string hereName() override;

 private:
  /// Where the next parameter group of a FUNCTION header takes its operands from hand_over.
  std::size_t hand_over_cursor_ = 0;
  /// The operand the last RETURN of this parse (and its blocks) handed over, still in
  /// hand_over[0] unless someone took it; shared with the blocks' executors.
  std::shared_ptr<aritm*> returned_ = std::make_shared<aritm*>(nullptr);
  /// Why the last operation of the statement being run gave no value ("" when none failed);
  /// the statement that loses the value says so. Shared with the blocks' executors.
  std::shared_ptr<std::string> last_failure_ = std::make_shared<std::string>();
  /// Per open ENTITY: whether its prototype's sub-world was entered (and must be left).
  std::vector<bool> entities_entered_;
};

/// Records that a FUNCTION header took the operand `taken` out of hand_over[index], so that the
/// feature call which passed it knows it was consumed (and does not delete it again).
void NoteParameterTaken(std::size_t index, const aritm* taken);

/// Parses the block `span` of the running parse's text (PARSEOBJECT), which `enclosing` runs, in
/// text mode (yyin null for the duration), with the outer parse undisturbed. A block nested
/// deeper than the run's limit stops the run instead.
void SubparseBlock(const TextSpan& span, StatementExecutor& enclosing);
/// The same for a text of its own (a loop's condition).
void SubparseText(const std::string& text, StatementExecutor& enclosing);

}  // namespace varnex::language
