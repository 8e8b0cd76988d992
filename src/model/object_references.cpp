// object_trans, object_reference and object_geom.
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>
#include <varnex/model/object_references.h>
#include <varnex/model/op_geometry.h>
#include <varnex/model/op_object.h>
#include <varnex/model/transf_records.h>
#include <varnex/model/value_changes.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/face_designator.h"
#include "model/object_support.h"
#include "model/operands/transf_text.h"
#include "model/world_scope.h"

using varnex::model::AssignInto;
using varnex::model::CopyAs;

namespace {

const char* AnswerValue(const rumpf& object, const std::string& text, PVMStrg& formula,
                        PVMStrg& value) {
  value = text.c_str();
  return object.get_value_source(formula) != nullptr ? formula.GetpStr() : value.GetpStr();
}

// The text without its final ';' and the blanks around it.
std::string WithoutStatementEnd(const char* text) {
  std::string out = text == nullptr ? "" : text;
  while (!out.empty() && std::isspace(static_cast<unsigned char>(out.back()))) {
    out.pop_back();
  }
  if (!out.empty() && out.back() == ';') {
    out.pop_back();
  }
  std::size_t first = out.find_first_not_of(" \t\r\n");
  return first == std::string::npos ? std::string() : out.substr(first);
}

// References may point at references: following them stops after this many steps, so a ring
// of references ends instead of recursing forever.
constexpr int kMaxReferenceDepth = 64;

}  // namespace

int FaceDesignatorNumber(const char* name) {
  std::string text = name == nullptr ? "" : WithoutStatementEnd(name);
  std::size_t dot = text.rfind('.');
  return varnex::base::FaceDesignatorNumber(
      std::string_view(text).substr(dot == std::string::npos ? 0 : dot + 1));
}

// ---------------------------------------------------------------------------------------------
// object_trans

object_trans::object_trans() : transformation_(std::make_unique<SPAtransf>()) {
  set_type("Transform");
}

object_trans::object_trans(const char* name)
    : rumpf(name), transformation_(std::make_unique<SPAtransf>()) {
  set_type("Transform");
}

object_trans::object_trans(SPAtransf* transformation, const char* name) : rumpf(name) {
  set_type("Transform");
  Take(transformation, 3011);
}

object_trans::~object_trans() = default;

void object_trans::Take(const SPAtransf* transformation, int missing_code) {
  if (transformation != nullptr) {
    transformation_ = std::make_unique<SPAtransf>(*transformation);
    return;
  }
  transformation_ = std::make_unique<SPAtransf>();
  if (missing_code == 3011 || GetValidity() == 0) {
    SetValidity(missing_code);
  }
}

SPAtransf* object_trans::get() {
  Recompute(
      "object_trans", "transf",
      [](aritm& v) {
        const SPAtransf* t = v.get_transf();
        return t == nullptr ? SPAtransf() : *t;
      },
      [this](const SPAtransf& t) { *transformation_ = t; });
  return transformation_.get();
}

void object_trans::print_object() {
  PVMStrg text;
  varnex::model::PrintObject(*this, get_value(text));
}

aritm* object_trans::get_aritm() {
  SPAtransf* transformation = get();
  auto* operand = new op_trans(transformation, get_value_source());
  operand->SetValidity(GetValidity());
  return operand;
}

XBOOL object_trans::IsCompatible(aritm* operand) {
  return ToXBool(operand != nullptr && operand->IsOpTrans());
}

rumpf* object_trans::copy(const char* name) {
  return CopyAs(*this, "object_trans", name, "no name given",
                [this](const char* n) { return new object_trans(transformation_.get(), n); });
}

int object_trans::assign(const char* name) {
  return AssignInto<object_trans>(*this, "object_trans", name, "TRANS",
                                  "different types in entity assign",
                                  [&](object_trans& target) { target.set(get()); });
}

int object_trans::store(FILE* file) {
  if (rumpf::store(file) < 0) {
    return -1;
  }
  std::fputs("element_: {\n", file);
  store_matrix("transformation", file, transformation_.get());
  std::fputs("\n};\n", file);
  return 0;
}

// Reads the matrix written by store_matrix up to the closing "};"; "NULL" (or an unreadable
// matrix) gives the identity and validity 3013.
int object_trans::read_element(FILE* file) {
  if (file == nullptr) {
    return -1;
  }
  std::string text;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    text += static_cast<char>(c);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "};") == 0) {
      break;
    }
    if (text.find('{') == std::string::npos && text.size() >= 5 &&
        text.compare(text.size() - 5, 5, "NULL;") == 0) {
      break;
    }
  }
  std::size_t open = text.find('{');
  std::size_t close = text.rfind('}');
  std::unique_ptr<SPAtransf> read;
  if (open != std::string::npos && close != std::string::npos && close > open) {
    std::string matrix = text.substr(open + 1, close - open - 1);
    matrix.erase(0, matrix.find_first_not_of("\r\n"));
    while (!matrix.empty() && (matrix.back() == '\n' || matrix.back() == '\r')) {
      matrix.pop_back();
    }
    read.reset(restore_matrix_text(matrix.c_str()));
  }
  Take(read.get(), 3013);
  return 0;
}

const char* object_trans::TestValue(PVMStrg&, PVMStrg&) {
  return nullptr;
}

const char* object_trans::SetValue(PVMStrg&, PVMStrg&) {
  return nullptr;
}

const char* object_trans::GetValue(PVMStrg& formula, PVMStrg& value) {
  op_trans operand(get());
  PVMStrg text;
  operand.GetValue(text);
  return AnswerValue(*this, text.GetpStr(), formula, value);
}

const char* object_trans::get_value(PVMStrg& out) {
  op_trans operand(transformation_.get());
  return operand.GetValue(out);
}

char* object_trans::set_trans(SPAtransf* transformation) {
  Take(transformation, 3012);
  set_value_source(static_cast<const char*>(nullptr));
  return AcceptedText();
}

// ---------------------------------------------------------------------------------------------
// object_reference

object_reference::object_reference() {
  set_type("REFERENCE");
}

object_reference::object_reference(const char* name) : rumpf(name) {
  set_type("REFERENCE");
}

object_reference::object_reference(rumpf* target, const char* name) : rumpf(name) {
  set_type("REFERENCE");
  set_object(target);
}

object_reference::object_reference(const char* target, const char* name) : rumpf(name) {
  set_type("REFERENCE");
  Refer(target);
}

object_reference::~object_reference() = default;

void object_reference::Refer(const char* full_name) {
  std::string target = WithoutStatementEnd(full_name);
  target_ = target.c_str();
  set_value_source(target.empty() ? nullptr : (target + ";").c_str());
  rumpf* referenced = target.empty() ? nullptr : varnex::model::SearchFromTop(this, target.c_str());
  PVMStrg own_full;
  if (referenced != nullptr && get_first_world() != nullptr && get_full_name(own_full) != nullptr) {
    referenced->SetReferencesBy(own_full);
  }
}

const char* object_reference::GetTargetName() {
  if (get_value_source() != nullptr) {
    target_ = WithoutStatementEnd(get_value_source()).c_str();
  }
  return target_;
}

rumpf* object_reference::get() {
  const char* target = GetTargetName();
  return *target == '\0' ? nullptr : varnex::model::SearchFromTop(this, target);
}

const char* object_reference::GenericPrefix(PVMStrg& out) {
  out = "REFERENCE";
  return out;
}

void object_reference::print_object() {
  PVMStrg formula, value;
  GetValue(formula, value);
  varnex::model::PrintObject(*this, value);
}

aritm* object_reference::get_aritm() {
  auto* operand = new op_reference(get(), get_value_source());
  operand->SetValidity(GetValidity());
  return operand;
}

XBOOL object_reference::IsCompatible(aritm* operand) {
  return ToXBool(operand != nullptr && (operand->IsOpReference() || operand->IsOpObject()));
}

rumpf* object_reference::copy(const char* name) {
  return CopyAs(*this, "object_reference", name, "newname == NULL",
                [this](const char* n) { return new object_reference(GetTargetName(), n); });
}

int object_reference::assign(const char* name) {
  return AssignInto<object_reference>(
      *this, "object_reference", name, "Type REFERENCE", " different in type",
      [&](object_reference& target) { target.Refer(GetTargetName()); });
}

int object_reference::store(FILE* file) {
  return varnex::model::StoreRecord(*this, file, target_.IsVoid() ? "NULL" : target_.GetpStr());
}

int object_reference::read_element(FILE* file) {
  std::string text;
  if (!varnex::model::ReadElementText(file, text)) {
    return -1;
  }
  target_ = text == "NULL" ? "" : text.c_str();
  return 0;
}

const char* object_reference::TestValue(PVMStrg& value, PVMStrg& result) {
  std::string target = WithoutStatementEnd(value);
  if (target.empty()) {
    result = "NULL";
    return result;
  }
  if (cycle_check(this, value) == 1) {
    result = "___CYCLES IN REFERENCES___";
    return nullptr;
  }
  rumpf* referenced = search(target.c_str());
  if (referenced == nullptr) {
    result = "___NOT EVALUABLE___";
    return nullptr;
  }
  PVMStrg formula;
  referenced->GetValue(formula, result);
  return result;
}

const char* object_reference::SetValue(PVMStrg& value, PVMStrg& result) {
  if (TestValue(value, result) == nullptr) {
    return nullptr;
  }
  std::string target = WithoutStatementEnd(value);
  rumpf* referenced = target.empty() ? nullptr : search(target.c_str());
  set_object(referenced);
  return result;
}

const char* object_reference::GetValue(PVMStrg& formula, PVMStrg& value) {
  rumpf* referenced = get();
  std::string text = "NULL";
  if (referenced != nullptr && referenced != this) {
    PVMStrg target_formula, target_value;
    referenced->GetValue(target_formula, target_value);
    text = target_value.GetpStr();
  }
  return AnswerValue(*this, text, formula, value);
}

const char* object_reference::get_value(PVMStrg& out) {
  out = target_.IsVoid() ? "NULL" : target_.GetpStr();
  return out;
}

void* object_reference::getVal() {
  return get();
}

int object_reference::GetGeometry(GENERIC_LIST<ENTITY>* out) {
  rumpf* referenced = this;
  for (int depth = 0; depth < kMaxReferenceDepth && referenced != nullptr; ++depth) {
    auto* reference = dynamic_cast<object_reference*>(referenced);
    if (reference == nullptr) {
      return referenced->GetGeometry(out);
    }
    referenced = reference->get();
  }
  return 0;
}

ENTITY* object_reference::GetGeometry() {
  return GeometryAtDepth(0);
}

ENTITY* object_reference::GeometryAtDepth(int depth) {
  rumpf* referenced = get();
  if (referenced == nullptr || referenced == this || depth >= kMaxReferenceDepth) {
    return nullptr;
  }
  if (auto* reference = dynamic_cast<object_reference*>(referenced); reference != nullptr) {
    return reference->GeometryAtDepth(depth + 1);
  }
  auto* geometry = dynamic_cast<object_geom*>(referenced);
  if (geometry == nullptr) {
    return referenced->GetGeometry();
  }
  int face = FaceDesignatorNumber(GetTargetName());
  return face >= 0 ? geometry->get(face) : geometry->GetGeometry();
}

int object_reference::vs_austausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) {
  int changed = rumpf::vs_austausch(from, to);
  GetTargetName();
  return changed;
}

XBOOL object_reference::ValSrcAustausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) {
  XBOOL result = rumpf::ValSrcAustausch(from, to);
  GetTargetName();
  return result;
}

char* object_reference::set_object(rumpf* target) {
  PVMStrg full;
  Refer(target == nullptr || target->get_full_name(full) == nullptr ? "" : full.GetpStr());
  return AcceptedText();
}

// ---------------------------------------------------------------------------------------------
// object_geom

namespace {
// Set by object_geom only for the span of one of its own reads; FALSE otherwise.
XBOOL cycle_check_suppressed = FALSE;

ENTITY* NthOfKind(const list& entities, EntityKind kind, int index) {
  for (int i = 0; i < entities.count(); ++i) {
    ENTITY* entity = entities[i];
    if (entity != nullptr && entity->kind() == kind && index-- == 0) {
      return entity;
    }
  }
  return nullptr;
}
}  // namespace

XBOOL object_geom::SuppressCycleCheck(XBOOL suppress) {
  XBOOL previous = cycle_check_suppressed;
  cycle_check_suppressed = suppress;
  return previous;
}

object_geom::object_geom() : entities_(std::make_unique<list>()) {
  set_type("Geometric");
}

object_geom::object_geom(const char* name) : rumpf(name), entities_(std::make_unique<list>()) {
  set_type("Geometric");
}

object_geom::object_geom(ENTITY* entity, const char* name)
    : rumpf(name), entities_(std::make_unique<list>()) {
  set_type("Geometric");
  if (entity == nullptr) {
    varnex::model::ReportKind("object_geom", "object_geom", "element == NULL");
    return;
  }
  entities_->add(entity);
  set_attds_to_entity(entity, this);
}

object_geom::object_geom(list* entities, const char* name)
    : rumpf(name), entities_(std::make_unique<list>()) {
  set_type("Geometric");
  if (entities != nullptr) {
    entities_->add(*entities);
  }
}

// Feature attributes naming this object must not outlive it.
object_geom::~object_geom() {
  ForgetEntities(*entities_, nullptr);
}

void object_geom::ForgetEntities(const list& entities, const list* kept) {
  std::vector<ENTITY*> dropped;
  for (int i = 0; i < entities.count(); ++i) {
    if (entities[i] != nullptr && (kept == nullptr || kept->lookup(entities[i]) < 0)) {
      dropped.push_back(entities[i]);
    }
  }
  for (ENTITY* entity : dropped) {
    remove_attds_from_entity(entity, this);
  }
}

ENTITY* object_geom::get(int index) {
  return (*entities_)[index];
}

int object_geom::get(ENTITY* entity) {
  return entities_->lookup(entity);
}

int object_geom::get(GENERIC_LIST<ENTITY>* out) {
  return GetAllUnsortedGeometry(out);
}

ENTITY* object_geom::get_FACE(int index) {
  return NthOfKind(*entities_, EntityKind::Face, index);
}

ENTITY* object_geom::get_EDGE(int index) {
  return NthOfKind(*entities_, EntityKind::Edge, index);
}

int object_geom::GetAllUnsortedGeometry(GENERIC_LIST<ENTITY>* out) {
  if (out == nullptr) {
    return entities_->count();
  }
  for (int i = 0; i < entities_->count(); ++i) {
    out->add((*entities_)[i]);
  }
  return entities_->count();
}

int object_geom::add_entity(ENTITY* entity) {
  if (entity == nullptr) {
    varnex::model::ReportKind("object_geom", "add_entity", "new_ent == NULL");
    return entities_->count();
  }
  entities_->add(entity);
  return entities_->count();
}

int object_geom::add_list_entity(list* entities) {
  if (entities != nullptr) {
    entities_->add(*entities);
  }
  return entities_->count();
}

int object_geom::remove_entity(ENTITY* entity) {
  if (entities_->remove(entity) < 0) {
    return -1;
  }
  remove_attds_from_entity(entity, this);
  return 0;
}

int object_geom::set_BODY(ENTITY* body) {
  list kept;
  kept.add(body);
  ForgetEntities(*entities_, &kept);
  entities_->clear();
  return add_entity(body);
}

const char* object_geom::GenericPrefix(PVMStrg& out) {
  out = "GEOMETRIC";
  return out;
}

void object_geom::print_object() {
  std::string text = std::to_string(entities_->count()) + " entities";
  varnex::model::PrintObject(*this, text.c_str());
}

aritm* object_geom::get_aritm() {
  if (get_value_source() != nullptr) {
    SetValidity(0);
    if (aritm* evaluated = evaluate_value(); evaluated != nullptr) {
      evaluated->set_value_source(get_value_source());
      evaluated->SetValidity(GetValidity());
      return evaluated;
    }
  }
  auto* operand = new op_geom(entities_.get(), get_value_source());
  operand->SetValidity(GetValidity());
  return operand;
}

XBOOL object_geom::IsCompatible(aritm* operand) {
  return ToXBool(operand != nullptr && operand->IsOpGeom());
}

rumpf* object_geom::copy(const char* name) {
  return CopyAs(*this, "object_geom", name, "no name given",
                [this](const char* n) { return new object_geom(entities_.get(), n); });
}

int object_geom::assign(const char* name) {
  return AssignInto<object_geom>(*this, "object_geom", name, "geometric",
                                 "different types in entity assign",
                                 [&](object_geom& target) { target.set(entities_.get()); });
}

int object_geom::store(FILE* file) {
  if (rumpf::store(file) < 0) {
    return -1;
  }
  return varnex::model::StoreElement(file, "NULL");  // the geometry is stored apart
}

int object_geom::read_element(FILE* file) {
  std::string text;
  return varnex::model::ReadElementText(file, text) ? 0 : -1;
}

const char* object_geom::CheckGeometryName(PVMStrg& value, PVMStrg& result, PVMStrg& name) {
  if (cycle_check_suppressed == FALSE && cycle_check(this, value) == 1) {
    result = "___CYCLES IN REFERENCES___";
    return nullptr;
  }
  name = WithoutStatementEnd(value).c_str();
  rumpf* geometry = search(name);
  if (geometry == nullptr || geometry->isTypeOf("Geometric") == FALSE) {
    result = "___NOT EVALUABLE___";
    return nullptr;
  }
  result = geometry->get_type();
  return result;
}

const char* object_geom::TestValue(PVMStrg& value, PVMStrg& result) {
  PVMStrg name;
  return CheckGeometryName(value, result, name);
}

const char* object_geom::SetValue(PVMStrg& value, PVMStrg& result) {
  PVMStrg name;
  if (CheckGeometryName(value, result, name) == nullptr) {
    return nullptr;
  }
  set_value_source((name & ";").GetpStr());
  return result;
}

const char* object_geom::GetValue(PVMStrg& formula, PVMStrg& value) {
  value = WithoutStatementEnd(get_value_source()).c_str();
  return get_value_source(formula) != nullptr ? formula.GetpStr() : value.GetpStr();
}

int object_geom::GetGeometry(GENERIC_LIST<ENTITY>* out) {
  return GetAllUnsortedGeometry(out);
}

ENTITY* object_geom::GetGeometry() {
  return (*entities_)[0];
}

char* object_geom::set_ENT(ENTITY* entity) {
  list kept;
  kept.add(entity);
  ForgetEntities(*entities_, &kept);
  entities_->clear();
  if (entity != nullptr) {
    entities_->add(entity);
  }
  set_value_source(static_cast<const char*>(nullptr));
  return AcceptedText();
}

char* object_geom::set_list(list* entities) {
  auto copy = std::make_unique<list>();
  if (entities != nullptr) {
    copy->add(*entities);
  }
  ForgetEntities(*entities_, copy.get());
  entities_ = std::move(copy);
  set_value_source(static_cast<const char*>(nullptr));
  return AcceptedText();
}
