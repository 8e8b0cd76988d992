// Names as values and calls: built-in functions and instances of other features.
#include <varnex/language/function_table.h>
#include <varnex/language/interpreter.h>
#include <varnex/language/run_messages.h>
#include <varnex/model/model.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/face_designator.h"
#include "language/interpreter_hooks.h"
#include "language/object_names.h"
#include "language/run_guard.h"
#include "language/statement_executor.h"

namespace varnex::language {
namespace {

// A vector coordinate or an axis part as a new operand.
Operand ComponentValue(const ComponentRef& component) {
  if (component.vector != nullptr) {
    return Operand(new op_zahl(component.vector->get()[component.index]));
  }
  double part[3] = {0.0, 0.0, 0.0};
  component.index == 0 ? component.axis->GetOrigin(part) : component.axis->GetDirection(part);
  return Operand(new op_vector(part));
}

// The face "f<n>" of a geometry object, when the name designates one (and not an object of
// that name).
Operand FaceValue(const std::string& ref) {
  std::string_view owner;
  int face = varnex::base::SplitFaceDesignator(ref, owner);
  rumpf* object = face >= 0 ? search(ref.c_str()) : nullptr;
  if (object == nullptr || !object->isTypeOf("Geometric") ||
      object != search(std::string(owner).c_str())) {
    return nullptr;
  }
  return Operand(new op_geom(static_cast<object_geom*>(object)->get(face)));
}

Operand DefaultVariableValue(const std::string& ref) {
  PVMStrg formula;
  if (!LookupDefaultVariable(ref.c_str(), formula)) {
    return nullptr;
  }
  formula &= ";";
  return Operand(evaluate_string(formula.GetpStr()));
}

Operand ValueFromOutermostWorld(const std::string& ref) {
  nullwelt* saved = anfang;
  anfang = anfang != nullptr ? anfang->get_inertial_world() : nullptr;
  rumpf* object = search(ref.c_str());
  Operand value(object != nullptr ? object->get_aritm() : nullptr);
  anfang = saved;
  return value;
}

// The operands of the hand-over list, saved while a called feature uses the list.
class HandOverSnapshot {
 public:
  HandOverSnapshot() {
    for (std::size_t i = 0; hand_over[i] != nullptr; ++i) {
      saved_.push_back(hand_over[i]);
    }
  }
  ~HandOverSnapshot() {
    for (std::size_t i = 0; i < saved_.size(); ++i) {
      hand_over[i] = saved_[i];
    }
    hand_over[saved_.size()] = nullptr;
  }
  HandOverSnapshot(const HandOverSnapshot&) = delete;
  HandOverSnapshot& operator=(const HandOverSnapshot&) = delete;

 private:
  std::vector<aritm*> saved_;
};

Operand CallBuiltin(ifunc_list::handler handler, const OperandList& arguments) {
  std::vector<aritm*> args;
  for (const Operand& argument : arguments) {
    args.push_back(argument.get());
  }
  args.push_back(nullptr);
  aritm* result = nullptr;
  handler(args.data(), &result);
  return Operand(result);
}

// The operands a feature call put into hand_over, and which of them the callee's header took.
// Calls nest with the parses they start.
struct CallFrame {
  std::vector<aritm*> passed;
  std::vector<bool> taken;
};

// The calls in progress, innermost last; each frame lives on its caller's stack for the span of
// the call.
std::vector<CallFrame*> call_frames;

class CallFrameScope {
 public:
  explicit CallFrameScope(CallFrame& frame) { call_frames.push_back(&frame); }
  ~CallFrameScope() { call_frames.pop_back(); }
  CallFrameScope(const CallFrameScope&) = delete;
  CallFrameScope& operator=(const CallFrameScope&) = delete;
};

// Puts the arguments into hand_over as a called feature's parameters.
CallFrame PassArguments(OperandList arguments) {
  CallFrame frame;
  for (Operand& argument : arguments) {
    frame.passed.push_back(argument.release());
  }
  frame.taken.assign(frame.passed.size(), false);
  for (std::size_t i = 0; i < frame.passed.size(); ++i) {
    hand_over[i] = frame.passed[i];
  }
  hand_over[frame.passed.size()] = nullptr;
  return frame;
}

// Deletes the arguments the callee's header did not take. Their addresses are still allocated,
// so a hand_over entry equal to one of them is that argument.
void DeleteUntaken(const CallFrame& frame) {
  for (std::size_t i = 0; i < frame.passed.size(); ++i) {
    if (!frame.taken[i]) {
      if (hand_over[i] == frame.passed[i]) {
        hand_over[i] = nullptr;
      }
      delete frame.passed[i];
    }
  }
}

// Parses the feature with function name `name` inside the entered instance; its RETURN value,
// an empty operand when no feature has that function name.
Operand RunFeature(const std::string& name, CallFrame& frame) {
  std::FILE* saved_yyin = yyin;
  yyin = stdin;
  bool found;
  {
    CallFrameScope scope(frame);
    found = subparse(name.c_str()) == 0;
  }
  yyin = saved_yyin;
  aritm* handed = hand_over[0];
  bool handed_own_argument = !frame.passed.empty() && !frame.taken[0] && handed == frame.passed[0];
  DeleteUntaken(frame);
  hand_over[0] = nullptr;
  if (!found) {
    NovlReportSkipped("call of '" + name +
                      "', which is neither a built-in nor a feature of the library: it gives an "
                      "empty value");
    return Operand(new op_object());
  }
  return Operand(handed_own_argument ? nullptr : handed);
}

// Whether the current world lies inside `object` (a call of a feature from within its own
// instance must not delete the world it runs in).
bool EnclosesCurrentWorld(const rumpf* object) {
  for (nullwelt* world = anfang; world != nullptr;) {
    object_planet* owner = world->get_root();
    if (owner == object) {
      return true;
    }
    world = owner != nullptr ? owner->get_first_world() : nullptr;
  }
  return false;
}

// A call of another feature: a new instance named like the function (replacing an earlier
// one) whose sub-world receives what the feature's statements create. The caller's hand_over
// entries are as before afterwards.
Operand CallFeature(const std::string& name, OperandList arguments) {
  NestingScope level(NestingScope::Feature, GetNovlRunLimits().feature_depth);
  if (!level.entered()) {
    StopRun(name + ": " + level.refusal(), PARSEOBJECT);
    return nullptr;
  }
  rumpf* previous = search(name.c_str());
  if (previous != nullptr && !EnclosesCurrentWorld(previous)) {
    delete previous;
  }
  HandOverSnapshot keep_hand_over;
  CallFrame frame = PassArguments(std::move(arguments));
  rumpf* instance = new object_planet(name.c_str());
  if (search(name.c_str()) != instance) {
    delete instance;  // refused by the world
    DeleteUntaken(frame);
    return nullptr;
  }
  if (instance->qualify() == nullptr) {
    DeleteUntaken(frame);
    return nullptr;
  }
  Operand result;
  if (!RunWithStack([&] { result = RunFeature(name, frame); })) {
    StopRun(name + ": " + kNoStackLeft, PARSEOBJECT);
    DeleteUntaken(frame);
  }
  requalify();
  return result;
}

}  // namespace

void NoteParameterTaken(std::size_t index, const aritm* taken) {
  if (call_frames.empty()) {
    return;
  }
  CallFrame& frame = *call_frames.back();
  if (index < frame.passed.size() && frame.passed[index] == taken) {
    frame.taken[index] = true;
  }
}

// expr -> ref   (null makes the parser abandon the statement)
Operand StatementExecutor::referenceValue(const std::string& ref) {
  ComponentRef component = FindComponent(ref);
  if (component.IsComponent()) {
    return ComponentValue(component);
  }
  if (Operand face = FaceValue(ref)) {
    return face;
  }
  if (rumpf* object = search(ref.c_str())) {
    if (Operand value{object->get_aritm()}) {
      return value;
    }
  }
  if (Operand value = DefaultVariableValue(ref)) {
    return value;
  }
  Operand value = ValueFromOutermostWorld(ref);
  if (!value) {
    NovlReportSkipped("'" + ref + "' names no object; the statement is skipped");
  }
  return value;
}

// call -> IDENT '(' arg_list ')'
Operand StatementExecutor::callFunction(const std::string& name, OperandList arguments) {
  ifunc_list::handler handler =
      NOVL_functions != nullptr ? NOVL_functions->find(name.c_str()) : nullptr;
  if (handler != nullptr) {
    return CallBuiltin(handler, arguments);
  }
  return CallFeature(name, std::move(arguments));
}

}  // namespace varnex::language
