// op_trans: a transformation operand holding its own copy of the transformation.
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
