// The geometric operand kinds: op_geom (kernel entities) and op_trans (a transformation).
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>
#include <varnex/geometry/topology.h>
#include <varnex/geometry/transforms.h>
#include <varnex/model/op_geometry.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "model/operands/kind_support.h"
#include "model/operands/transf_text.h"

// op_geom: kernel entities held in an owned list. Geometry with geometry runs a Boolean
// operation of the kernel layer; the result body becomes a new operand.
namespace {
std::unique_ptr<list> CopyOf(const list* entities) {
  return entities ? std::make_unique<list>(*entities) : std::make_unique<list>();
}

ENTITY* LastOf(const list* entities) {
  return entities && entities->count() > 0 ? (*entities)[entities->count() - 1] : nullptr;
}

// A wire body: edges but no faces.
bool IsWireBody(ENTITY* body) {
  ENTITY_LIST faces, edges;
  api_get_faces(body, faces);
  api_get_edges(body, edges);
  return faces.count() == 0 && edges.count() > 0;
}
}  // namespace

op_geom::op_geom() : entities_(std::make_unique<list>()) {}
op_geom::op_geom(ENTITY* entity) : op_geom(entity, nullptr) {}
op_geom::op_geom(ENTITY* entity, const char* valueSource)
    : aritm(valueSource), entities_(std::make_unique<list>()) {
  if (entity == nullptr) {
    Report("op_geom", "ENTITY not specified");
  }
  entities_->add(entity);
}
op_geom::op_geom(const list* entities) : op_geom(entities, nullptr) {}
op_geom::op_geom(const list* entities, const char* valueSource)
    : aritm(valueSource), entities_(CopyOf(entities)) {}
op_geom::~op_geom() = default;

op_geom& op_geom::operator=(ENTITY* entity) {
  entities_->clear();
  entities_->add(entity);
  return *this;
}

op_geom& op_geom::operator=(const list* entities) {
  entities_ = CopyOf(entities);
  return *this;
}

const char* op_geom::ClassName() const {
  return "op_geom";
}

aritm* op_geom::assign(aritm* other) {
  if (other == nullptr) {
    Report("assign (aritm *)", "operand to assign not specified");
    return nullptr;
  }
  if (list* entities = other->get_list()) {
    entities_ = CopyOf(entities);
  }
  CopyAttributesFrom(*other);
  return this;
}

// Dispatch: this operand is on the left; the right one receives the list.

aritm* op_geom::add_aritm(aritm* b) {
  return b ? b->add_list(entities_.get()) : MissingOperand("add (aritm *)", "add");
}
aritm* op_geom::subtract_aritm(aritm* b) {
  return b ? b->subtract_list(entities_.get()) : MissingOperand("subtract (aritm *)", "subtract");
}
aritm* op_geom::multiply_aritm(aritm* b) {
  return b ? b->multiply_list(entities_.get()) : MissingOperand("multiply (aritm *)", "multiply");
}
aritm* op_geom::divide_aritm(aritm* b) {
  return b ? b->divide_list(entities_.get()) : MissingOperand("divide (aritm *)", "divide");
}

// Typed operations: the argument is the left operand's geometry (the blank); this operand's
// last face or edge selects the tool body.

aritm* op_geom::Combine(Boolean operation, ENTITY* blank) {
  ENTITY* last = LastOf(entities_.get());
  if (last == nullptr || blank == nullptr) {
    return nullptr;
  }
  // A whole body stands for itself, so that the creators' results combine directly
  // (create_cube(...) - create_cylinder(...)); a wire body unites as wires.
  bool isBody = is_BODY(last) != FALSE;
  bool isEdge = is_EDGE(last) != FALSE || (isBody && IsWireBody(last));
  if (!isEdge && !isBody && is_FACE(last) == FALSE) {
    return nullptr;
  }
  // The kernel layer works on the bodies owning the two entities: `last` selects the tool,
  // which the operation uses up; the blank's body holds the result.
  ENTITY* result = nullptr;
  switch (operation) {
    case Boolean::kUnite:
      result = isEdge ? unite_wires(last, blank) : unite(last, blank);
      break;
    case Boolean::kSubtract:
      result = ::subtract(last, blank);
      break;
    case Boolean::kIntersect:
      result = PVFInterSectBodies(last, blank);
      break;
    case Boolean::kCombine:
      result = combine(last, blank);
      break;
  }
  return result ? new op_geom(result) : nullptr;
}

aritm* op_geom::CombineWithList(Boolean operation, list* blank) {
  return Combine(operation, LastOf(blank));
}

aritm* op_geom::add_list(list* x) {
  return CombineWithList(Boolean::kUnite, x);
}
aritm* op_geom::subtract_list(list* x) {
  return CombineWithList(Boolean::kSubtract, x);
}
aritm* op_geom::multiply_list(list* x) {
  return CombineWithList(Boolean::kIntersect, x);
}
aritm* op_geom::divide_list(list* x) {
  return CombineWithList(Boolean::kCombine, x);
}
aritm* op_geom::add_ENT(ENTITY* x) {
  return Combine(Boolean::kUnite, x);
}
aritm* op_geom::subtract_ENT(ENTITY* x) {
  return Combine(Boolean::kSubtract, x);
}
aritm* op_geom::multiply_ENT(ENTITY* x) {
  return Combine(Boolean::kIntersect, x);
}
aritm* op_geom::divide_ENT(ENTITY* x) {
  return Combine(Boolean::kCombine, x);
}

int op_geom::get_ENTITY(GENERIC_LIST<ENTITY>* out) {
  if (out == nullptr) {
    return 0;
  }
  for (int i = 0; i < entities_->count(); ++i) {
    out->add((*entities_)[i]);
  }
  return entities_->count();
}

ENTITY* op_geom::get_ENTITY(int index) {
  return (*entities_)[index];
}

list* op_geom::get_list() {
  return entities_.get();
}

void op_geom::print() {
  std::printf("geometry: %d entities\n", entities_->count());
}

rumpf* op_geom::new_object(const char* name) {
  return NewNamedObject(name, "no new object_geom allocated");
}
rumpf* op_geom::assign_object(const char* name) {
  return AssignNamedObject(name);
}

const char* op_geom::GetValue(PVMStrg& out) const {
  out = get_value_source();
  out - ';';
  return out.GetpStr();
}

char* op_geom::getsval() {
  PVMStrg text;
  GetValue(text);
  return text.IsVoid() ? nullptr : varnex::model::DuplicateText(text);
}

void op_geom::setsval(const char* text) {
  if (SetFromFormula(text) == FormulaOutcome::kLiteral) {
    Report("setsval", "values for type geometric must be specified as formula");
  }
}

XBOOL op_geom::IsOpGeom() {
  return TRUE;
}

// op_trans: a transformation operand holding its own copy of the transformation.
namespace {
constexpr const char* kFormulaPrefix = "get_TM (";

std::unique_ptr<SPAtransf> CopyOf(const SPAtransf* transf) {
  return transf ? std::make_unique<SPAtransf>(*transf) : nullptr;
}

// The matrix text with the get_TM wrapper of GetValue removed, when present.
std::string Unwrapped(const char* text) {
  std::string body = text;
  std::size_t prefix = std::strlen(kFormulaPrefix);
  if (body.compare(0, prefix, kFormulaPrefix) == 0 && !body.empty() && body.back() == ')') {
    body = body.substr(prefix, body.size() - prefix - 1);
  }
  return body;
}
}  // namespace

op_trans::op_trans() = default;
op_trans::op_trans(const SPAtransf* transf) : transf_(CopyOf(transf)) {}
op_trans::op_trans(const SPAtransf* transf, const char* valueSource)
    : aritm(valueSource), transf_(CopyOf(transf)) {}
op_trans::~op_trans() = default;

op_trans& op_trans::operator=(const SPAtransf* transf) {
  transf_ = CopyOf(transf);
  return *this;
}

const char* op_trans::ClassName() const {
  return "op_trans";
}

aritm* op_trans::assign(aritm* other) {
  if (other == nullptr) {
    Report("assign (aritm *)", "operand to assign not specified");
    return nullptr;
  }
  transf_ = CopyOf(other->get_transf());
  CopyAttributesFrom(*other);
  return this;
}

aritm* op_trans::multiply_aritm(aritm* b) {
  return b ? b->multiply_trans(transf_.get()) : MissingOperand("multiply (aritm *)", "multiply");
}

aritm* op_trans::multiply_axis(double* origin, double* direction) {
  if (origin == nullptr || direction == nullptr || !transf_) {
    return nullptr;
  }
  return varnex::model::NewTransformedAxis(origin, direction, *transf_);
}

aritm* op_trans::multiply_trans(SPAtransf* x) {
  if (x == nullptr || !transf_) {
    return nullptr;
  }
  SPAtransf product = *transf_ * *x;
  return new op_trans(&product);
}

aritm* op_trans::multiply_list(list* x) {
  if (x == nullptr || !transf_) {
    return nullptr;
  }
  return transform_object_geom(x, transf_.get()) != nullptr ? new op_geom(x) : nullptr;
}

SPAtransf* op_trans::get_transf() {
  return transf_.get();
}

void op_trans::print() {
  PVMStrg text;
  std::printf("%s\n", GetValue(text));
}

rumpf* op_trans::new_object(const char* name) {
  return NewNamedObject(name, "no new object_transf allocated");
}
rumpf* op_trans::assign_object(const char* name) {
  return AssignNamedObject(name);
}

const char* op_trans::GetValue(PVMStrg& out) const {
  if (!transf_) {
    out = "NULL";
  } else {
    out = (kFormulaPrefix + varnex::model::TransfMatrixText(*transf_) + ")").c_str();
  }
  return out.GetpStr();
}

char* op_trans::getsval() {
  PVMStrg text;
  return varnex::model::DuplicateText(GetValue(text));
}

void op_trans::setsval(const char* text) {
  if (SetFromFormula(text) != FormulaOutcome::kLiteral || text == nullptr) {
    return;
  }
  if (std::strcmp(text, "NULL") == 0) {
    transf_.reset();
    set_value_source(nullptr);
    return;
  }
  SPAtransf read;
  if (varnex::model::ReadTransfMatrix(Unwrapped(text).c_str(), read)) {
    transf_ = std::make_unique<SPAtransf>(read);
    set_value_source(nullptr);
  }
}

XBOOL op_trans::IsOpTrans() {
  return TRUE;
}
