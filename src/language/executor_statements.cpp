// Statements: the formula hand-over, entities, assignments, RETURN, PRINT, conditionals and
// loops.
#include <varnex/language/interpreter.h>
#include <varnex/language/run_messages.h>
#include <varnex/model/model.h>

#include <string>
#include <utility>

#include "language/object_names.h"
#include "language/run_guard.h"
#include "language/statement_executor.h"

namespace varnex::language {
namespace {

// Parses `text` as a formula in the current world and takes its value; hand_over[0] is as
// before afterwards, so a result handed over earlier survives the loop's condition tests.
Operand EvaluateInPlace(const std::string& text, StatementExecutor& enclosing) {
  aritm* saved = hand_over[0];
  hand_over[0] = nullptr;
  SubparseText(text, enclosing);
  Operand value(hand_over[0]);
  hand_over[0] = saved;
  return value;
}

bool IsTrue(const Operand& condition) {
  return condition && condition->get_LOGICAL() == TRUE;
}

// Component assignments: "v.x := 1" on a vector, "a.Origin := [0,0,0]" on an axis. False when
// the reference is not one, so that the whole name is assigned.
bool AssignComponent(const ComponentRef& ref, aritm& value) {
  if (ref.vector != nullptr) {
    ref.vector->get()[ref.index] = value.get_double();
    return true;
  }
  if (ref.axis == nullptr) {
    return false;
  }
  double* vector = value.get_vector();
  if (vector != nullptr) {
    ref.index == 0 ? ref.axis->SetOrigin(vector) : ref.axis->SetDirection(vector);
  }
  return true;
}

}  // namespace

// unit -> expr ';'
void StatementExecutor::handOverFormula(Operand value) {
  hand_over[0] = value.release();
}

// unit -> error ';'
void StatementExecutor::abandonText() {
  hand_over[0] = nullptr;
}

// entity_open -> (empty): the entity's prototype instance; its attributes are declared inside.
void StatementExecutor::openEntity(const std::string& name) {
  rumpf* created = new object_planet(name.c_str());
  rumpf* prototype = search(name.c_str());
  if (prototype != created) {
    delete created;  // the name was taken; the world refused the new instance
  }
  if (prototype != nullptr) {
    prototype->set_alias_type(name.c_str());
  }
  entities_entered_.push_back(prototype != nullptr && prototype->qualify() != nullptr);
}

// entity_decl -> ENTITY IDENT ';' entity_open entity_body END_ENTITY ';'
void StatementExecutor::closeEntity() {
  if (!entities_entered_.empty() && entities_entered_.back()) {
    requalify();
  }
  if (!entities_entered_.empty()) {
    entities_entered_.pop_back();
  }
}

// derive_clause -> DERIVE IDENT ':' type ASSIGN   (the formula itself was skipped)
void StatementExecutor::deriveAttribute(const std::string& name, const std::string& type) {
  if (rumpf* object = search(name.c_str())) {
    object->set_alias_type(type.c_str());
  }
}

// function_open -> (empty): the body starts without a result.
void StatementExecutor::openFunctionBody() {
  hand_over[0] = nullptr;
}

// stmt -> ref ASSIGN expr
void StatementExecutor::assignToReference(const std::string& ref, Operand value) {
  std::string failure = std::exchange(*last_failure_, std::string());
  if (!value) {
    NovlReportSkipped("nothing is assigned to '" + ref +
                      "': " + (failure.empty() ? "its value is missing" : failure));
    return;
  }
  if (AssignComponent(FindComponent(ref), *value)) {
    return;
  }
  if (search(ref.c_str()) == nullptr) {
    NovlReportSkipped("'" + ref + "' names no object; nothing is assigned");
    return;
  }
  if (value->assign_object(ref.c_str()) == nullptr) {
    NovlReportSkipped("'" + ref + "' does not take the value assigned to it; nothing is assigned");
  }
}

// stmt -> RETURN '(' expr ')'   (a later RETURN replaces the value)
void StatementExecutor::returnValue(Operand value) {
  aritm*& returned = *returned_;
  if (returned != nullptr && hand_over[0] == returned) {
    delete returned;
  }
  returned = value.release();
  hand_over[0] = returned;
  hand_over[1] = nullptr;
}

// stmt -> PRINT ref   (components print nothing)
void StatementExecutor::printReference(const std::string& ref) {
  if (FindComponent(ref).IsComponent()) {
    return;
  }
  if (rumpf* object = search(ref.c_str())) {
    object->print_object();
  }
}

// if_head -> IF '(' expr ')' '{'
void StatementExecutor::braceConditional(Operand condition, TextSpan block) {
  if (IsTrue(condition)) {
    SubparseBlock(block, *this);
  }
}

// if_head -> IF '(' expr ')' THEN
void StatementExecutor::thenConditional(Operand condition, ThenElseParts parts) {
  if (IsTrue(condition)) {
    SubparseBlock(parts.then_part, *this);
  } else if (!parts.else_part.empty()) {
    SubparseBlock(parts.else_part, *this);
  }
}

// while_head -> DOWHILE '('   (the condition is tested before every run of the body; a loop
// that runs its body more often than the run's limit allows stops the run)
void StatementExecutor::loop(LoopParts parts) {
  const long limit = GetNovlRunLimits().loop_iterations;
  for (long runs = 0; !RunStopping() && IsTrue(EvaluateInPlace(parts.condition, *this)); ++runs) {
    if (runs == limit) {
      StopRun("dowhile ran its body " + std::to_string(limit) +
                  " times without its condition turning false",
              PARSEOBJECT, parts.condition_line);
      return;
    }
    SubparseBlock(parts.body, *this);
  }
}

// ref -> THIS   (no engine name stands behind it)
std::string StatementExecutor::thisName() {
  return std::string();
}

// ref -> HERE   (the instance that owns the current world; empty in the outermost world)
std::string StatementExecutor::hereName() {
  PVMStrg full_name;
  object_planet* owner = anfang != nullptr ? anfang->get_root() : nullptr;
  return owner != nullptr && owner->get_full_name(full_name) ? full_name.GetpStr() : "";
}

}  // namespace varnex::language
