// PDTcomb: combination nodes. The combination type and the sign follow from the operands'
// signs through the two tables below; the combined value comes from the operands' values
// through the object layer's operations, which run the kernel layer's Booleans and
// transformations.
#include <varnex/geometry/measures.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/spa.h>
#include <varnex/geometry/transforms.h>
#include <varnex/library/para_feature.h>
#include <varnex/model/aritm.h>
#include <varnex/model/object_references.h>
#include <varnex/model/op_geometry.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/mem_body.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/ordering.h>
#include <varnex/tree/tree_functions.h>

#include <memory>
#include <string>
#include <utility>

#include "tree/tree_internal.h"

using varnex::tree::FindOutermost;
using varnex::tree::OutermostWorld;

namespace {

int comb_count = 0;

// Combination type by operand signs (rows: sign of operand 1, columns: sign of operand 2;
// signs 1..6, anything else gives 0).
constexpr int kCombinationTypes[6][6] = {
    {1, 2, 4, 5, 6, 7},  // positive
    {2, 1, 4, 5, 6, 7},  // negative
    {4, 4, 4, 0, 0, 7},  // transformation
    {5, 5, 0, 0, 0, 7},  // manipulation
    {6, 6, 0, 0, 0, 7},  // negation
    {7, 7, 7, 7, 7, 7},  // attribute
};

bool IsSolidSign(int sign) {
  return sign == PDT_SIGN_POSITIVE || sign == PDT_SIGN_NEGATIVE;
}

bool HoldsEntities(aritm* value) {
  GENERIC_LIST<ENTITY> entities;
  return value != nullptr && value->get_ENTITY(&entities) > 0;
}

ENTITY* LastEntity(aritm* value) {
  GENERIC_LIST<ENTITY> entities;
  int count = value != nullptr ? value->get_ENTITY(&entities) : 0;
  return count > 0 ? entities[count - 1] : nullptr;
}

}  // namespace

int PDTCombinationTypeOfSigns(int s1, int s2) {
  if (s1 < 1 || s1 > 6 || s2 < 1 || s2 > 6) {
    return PDT_COMB_NONE;
  }
  return kCombinationTypes[s1 - 1][s2 - 1];
}

// ---- construction and destruction ----

void PDTcomb::NameFromCounter() {
  std::string name = "PDTcomb_@" + std::to_string(++comb_count);
  while (all_nodes != nullptr && all_nodes->findByName(name.c_str()) != nullptr) {
    name = "PDTcomb_@" + std::to_string(++comb_count);  // after a restore the counter lags
  }
  set_name(name.c_str());
}

PDTcomb::PDTcomb(int keep_out) : PDTnode("PDTcomb", "", keep_out, nullptr) {
  NameFromCounter();
  varnex::tree::Context().CombNodeCreate(this);
  if (all_nodes != nullptr) {
    all_nodes->add(this);
  }
}

PDTcomb::PDTcomb(PDTnode* op1, PDTnode* op2, int type, const char* text, const char* id)
    : PDTnode("PDTcomb", "", 0, id), op1_(op1), op2_(op2), comb_type_(type) {
  NameFromCounter();
  int s1 = 0, s2 = 0;
  if (comb_type_ == PDT_COMB_NONE) {
    comb_type_ = get_combination_type(s1, s2);
  } else {
    s1 = op1_ != nullptr ? op1_->get_sign() : 0;
    s2 = op2_ != nullptr ? op2_->get_sign() : 0;
  }
  if (comb_type_ == PDT_COMB_IDENTICAL || op1_ == op2_) {
    op2_ = nullptr;
  }
  std::unique_ptr<aritm> value(do_combination(s1, s2));
  MakeGeometry(value.get());
  for (PDTnode* operand : {op1_, op2_}) {
    if (operand != nullptr) {
      operand->occupy(this);
    }
  }
  if (all_nodes != nullptr) {
    all_nodes->add(this);
    PlaceTransformation(s1, s2);
  }
  if (comb_type_ == PDT_COMB_NONE || comb_type_ == PDT_COMB_TRANSFORM ||
      comb_type_ == PDT_COMB_NEGATION) {
    DeleteMemBody();
  } else {
    CopyToMemBody(get_body());
  }
  varnex::tree::Context().CombNodeCreate(this);
}

PDTcomb::~PDTcomb() {
  varnex::tree::Context().CombNodeLost(this, FALSE);
  DeleteGeometry();
  ReleaseOperands();
}

void PDTcomb::DeleteGeometry() {
  rumpf* geometry = std::exchange(geometry_, nullptr);
  // The object layer reports deleted objects (the lost-object hook clears geometry_), so a
  // set pointer is live; it is deleted only while the outermost world still holds it.
  if (geometry != nullptr && varnex::tree::HeldByOutermost(geometry)) {
    delete geometry;
  }
}

XBOOL PDTcomb::MakeGeometry(aritm* value) {
  DeleteGeometry();
  if (value == nullptr) {
    return FALSE;
  }
  OutermostWorld outermost;
  if (outermost.world() == nullptr || FindOutermost(get_name()) != nullptr) {
    return FALSE;
  }
  geometry_ = value->new_object(get_name());
  if (geometry_ == nullptr) {
    return FALSE;
  }
  if (geometry_->isTypeOf("Geometric")) {
    geometry_->set_alias_type("geometric");
  } else if (geometry_->isTypeOf("Transform")) {
    geometry_->set_alias_type("transformation_matrix");
  }
  return TRUE;
}

// A transformation joined with a solid moves next to it, and the trees involved are sorted
// again, so that the new combination stands where its operands are rebuilt.
void PDTcomb::PlaceTransformation(int s1, int s2) {
  PDTnode* solid = nullptr;
  if (s1 == PDT_SIGN_TRANSFORMATION && IsSolidSign(s2)) {
    solid = op2_;
  } else if (s2 == PDT_SIGN_TRANSFORMATION && IsSolidSign(s1)) {
    solid = op1_;
  }
  if (solid == nullptr) {
    return;
  }
  PreSortTransNodes(this, solid);
  GENERIC_LIST<PDTnode> trees;
  trees.add(this);
  SortFastTreeNodeCollection(&trees, nullptr);
}

// ---- operands ----

void PDTcomb::ReleaseOperand(PDTnode*& slot) {
  PDTnode* operand = std::exchange(slot, nullptr);
  if (operand != nullptr && operand->get_parent() == this) {
    operand->change_occupy(nullptr);
  }
}

void PDTcomb::AttachOperand(PDTnode*& slot, PDTnode* node) {
  ReleaseOperand(slot);
  if (node != nullptr) {
    slot = node;
    if (node->get_parent() != this) {
      node->change_occupy(this);
    }
  }
}

void PDTcomb::ReleaseOperands() {
  ReleaseOperand(op1_);
  ReleaseOperand(op2_);
}

XBOOL PDTcomb::set_op1(PDTnode* node) {
  if (node != nullptr && node->get_parent() != nullptr && node->get_parent() != this) {
    return FALSE;
  }
  AttachOperand(op1_, node);
  correct_comb_type();
  return TRUE;
}

XBOOL PDTcomb::set_op2(PDTnode* node) {
  if (node != nullptr && node->get_parent() != nullptr && node->get_parent() != this) {
    return FALSE;
  }
  AttachOperand(op2_, node);
  correct_comb_type();
  return TRUE;
}

XBOOL PDTcomb::IsOperand(const PDTnode* node) const {
  return ToXBool(node != nullptr && (node == op1_ || node == op2_));
}

PDTnode* PDTcomb::OtherOperand(const PDTnode* node) const {
  if (node == nullptr) {
    return nullptr;
  }
  if (node == op1_) {
    return op2_;
  }
  return node == op2_ ? op1_ : nullptr;
}

XBOOL PDTcomb::ChangeOperand(PDTnode* old_node, PDTnode* new_node) {
  if (old_node == nullptr) {
    return FALSE;
  }
  if (old_node == op1_) {
    return set_op1(new_node);
  }
  return old_node == op2_ ? set_op2(new_node) : FALSE;
}

// ---- types and signs ----

int PDTcomb::get_combination_type(int& s1, int& s2) {
  s1 = op1_ != nullptr ? op1_->get_sign() : 0;
  s2 = op2_ != nullptr ? op2_->get_sign() : 0;
  if (comb_type_ == PDT_COMB_FIXED_TRANSFORM) {
    return PDT_COMB_FIXED_TRANSFORM;
  }
  if (op1_ != nullptr && op1_ == op2_) {
    return PDT_COMB_IDENTICAL;
  }
  return PDTCombinationTypeOfSigns(s1, s2);
}

void PDTcomb::correct_comb_type() {
  // Iterative: a chain of combinations may be thousands deep.
  for (PDTnode* node = this; node != nullptr && node->IsTypeOf("PDTcomb");
       node = node->get_parent()) {
    auto* comb = static_cast<PDTcomb*>(node);
    int s1 = 0, s2 = 0;
    comb->set_BaseSign(PDT_SIGN_UNKNOWN);
    comb->comb_type_ = comb->get_combination_type(s1, s2);
  }
}

int PDTcomb::get_negation_sign(PDTnode* negation, int sign) {
  rumpf* root = negation != nullptr ? negation->GetRootDataElement() : nullptr;
  nullwelt* world = root != nullptr ? root->get_subworld() : nullptr;
  for (welt* e = world != nullptr ? world->get_first() : nullptr; e != nullptr; e = e->get_next()) {
    rumpf* member = e->get_member();
    if (member == nullptr || !member->isTypeOf("ENUMERATION")) {
      continue;
    }
    PVMStrg value = varnex::tree::UnquotedValue(member);
    if (value == "SetPositive") {
      return PDT_SIGN_POSITIVE;
    }
    if (value == "SetNegative") {
      return PDT_SIGN_NEGATIVE;
    }
    if (value == "Umschalten") {
      return sign == PDT_SIGN_POSITIVE ? PDT_SIGN_NEGATIVE : PDT_SIGN_POSITIVE;
    }
    if (value == "NoAction") {
      return sign;
    }
  }
  return sign;
}

int PDTcomb::get_sign() {
  if (comb_constraint_ == PDT_SIGN_POSITIVE || comb_constraint_ == PDT_SIGN_NEGATIVE) {
    return comb_constraint_;
  }
  if (get_BaseSign() != PDT_SIGN_UNKNOWN) {
    return get_BaseSign();
  }
  int s1 = op1_ != nullptr ? op1_->get_sign() : 0;
  int s2 = op2_ != nullptr ? op2_->get_sign() : 0;
  int sign = 0;
  if (op1_ == nullptr || op2_ == nullptr) {
    sign = s1 + s2;
  } else {
    switch (s1) {
      case PDT_SIGN_POSITIVE:
        sign = s2 == PDT_SIGN_NEGATION ? get_negation_sign(op2_, 1) : 1;
        break;
      case PDT_SIGN_NEGATIVE:
        sign = s2 == PDT_SIGN_POSITIVE   ? 1
               : s2 == PDT_SIGN_NEGATION ? get_negation_sign(op2_, 2)
                                         : 2;
        break;
      case PDT_SIGN_TRANSFORMATION:
        sign = s2 >= 1 && s2 <= 3 ? s2 : s2 == PDT_SIGN_ATTRIBUTE ? 3 : 0;
        break;
      case PDT_SIGN_MANIPULATION:
        sign = IsSolidSign(s2) ? s2 : s2 == PDT_SIGN_ATTRIBUTE ? 4 : 0;
        break;
      case PDT_SIGN_NEGATION:
        sign = IsSolidSign(s2) ? get_negation_sign(op1_, s2) : s2 == PDT_SIGN_ATTRIBUTE ? 5 : 0;
        break;
      case PDT_SIGN_ATTRIBUTE:
        sign = s2;
        break;
      default:
        sign = 0;
    }
  }
  set_BaseSign(sign);
  return sign;
}

// ---- the combined value ----

aritm* PDTcomb::do_combination(int s1, int s2) {
  std::unique_ptr<aritm> first(op1_ != nullptr ? op1_->get_rep_aritm() : nullptr);
  std::unique_ptr<aritm> second(op2_ != nullptr ? op2_->get_rep_aritm() : nullptr);
  PDTnode* first_node = op1_;
  PDTnode* second_node = op2_;
  bool transformation_first = s1 == PDT_SIGN_TRANSFORMATION && s2 != PDT_SIGN_TRANSFORMATION;
  if (transformation_first || (s1 == PDT_SIGN_NEGATIVE && comb_type_ == PDT_COMB_SUBTRACTION)) {
    std::swap(first, second);
    std::swap(first_node, second_node);
  }
  switch (comb_type_) {
    case PDT_COMB_IDENTICAL:
    case PDT_COMB_NONE:
      return first != nullptr ? first.release() : second.release();
    case PDT_COMB_UNION:
    case PDT_COMB_SUBTRACTION: {
      if (first == nullptr) {
        return nullptr;
      }
      if (second == nullptr) {
        return first.release();
      }
      if (comb_type_ == PDT_COMB_SUBTRACTION) {
        return first->subtract(second.get());
      }
      // Bodies apart from each other are joined as lumps, not fused.
      ENTITY* a = LastEntity(first.get());
      ENTITY* b = LastEntity(second.get());
      double distance = 0;
      bool feature_operand = (first_node != nullptr && first_node->IsTypeOf("PDTfeat")) ||
                             (second_node != nullptr && second_node->IsTypeOf("PDTfeat"));
      if (a != nullptr && b != nullptr && feature_operand && !fmBodyClearance(a, b, distance)) {
        if (aritm* joined = first->divide(second.get()); joined != nullptr) {
          return joined;
        }
      }
      return first->add(second.get());
    }
    case PDT_COMB_FIXED_TRANSFORM:
    case PDT_COMB_TRANSFORM: {
      // The transformation stands second now unless both are transformations.
      if (first == nullptr || second == nullptr) {
        return first != nullptr ? first.release() : second.release();
      }
      return first->multiply(second.get());
    }
    default:
      // Manipulations, negations and attributes work on the faces of the body they were made
      // on: the combination passes that body on.
      if (HoldsEntities(first.get()) || second == nullptr) {
        return first.release();
      }
      return second.release();
  }
}

aritm* PDTcomb::get_rep_aritm() {
  return geometry_ != nullptr ? geometry_->get_aritm() : nullptr;
}

ENTITY* PDTcomb::get_body() {
  std::unique_ptr<aritm> value(
      geometry_ != nullptr && geometry_->isTypeOf("Geometric") ? geometry_->get_aritm() : nullptr);
  ENTITY* last = LastEntity(value.get());
  return last != nullptr ? fmbody_from(last) : nullptr;
}

int PDTcomb::refresh(int) {
  int s1 = 0, s2 = 0;
  comb_type_ = get_combination_type(s1, s2);
  if (comb_type_ == PDT_COMB_IDENTICAL) {
    ReleaseOperand(op2_);
  }
  DeleteGeometry();
  set_BaseSign(PDT_SIGN_UNKNOWN);
  std::unique_ptr<aritm> value(do_combination(s1, s2));
  if (value == nullptr) {
    return comb_type_ == PDT_COMB_NONE ? 3 : comb_type_ == PDT_COMB_ATTRIBUTE ? 0 : 2;
  }
  if (!MakeGeometry(value.get())) {
    return 1;
  }
  get_sign();
  CopyToMemBody(get_body());
  return 0;
}

int PDTcomb::RefreshSilent(int first) {
  int result = refresh(first);
  if (eHasSilentTrans()) {
    SPAtransf silent = GetSilentTrans();
    if (ENTITY* body = get_body(); body != nullptr) {
      api_apply_transf(body, silent);
    }
  }
  return result;
}

// ---- the subtree ----

int PDTcomb::GetAllNodes(GENERIC_LIST<PDTnode>* list) {
  int visited = 0;
  for (PDTnode* operand : {op1_, op2_}) {
    if (operand != nullptr) {
      visited += operand->GetAllNodes(list);
    }
  }
  return visited + PDTnode::GetAllNodes(list);
}

void_list* PDTcomb::get_childs() {
  if (op1_ == nullptr && op2_ == nullptr) {
    return nullptr;
  }
  auto* children = new void_list(TRUE);
  for (PDTnode* operand : {op1_, op2_}) {
    if (operand != nullptr) {
      children->add(operand);
    }
  }
  return children;
}

int PDTcomb::get_planet_lis(void_list* planets, void_list* nodes) {
  int found = 0;
  for (PDTnode* operand : {op1_, op2_}) {
    if (operand != nullptr) {
      found += operand->get_planet_lis(planets, nodes);
    }
  }
  return found + PDTnode::get_planet_lis(planets, nodes);
}

PDTnode* PDTcomb::copy(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                       VALUE_LIST<PVMStrg>* new_names) {
  auto* duplicate = new PDTcomb(0);
  PDTnode* operands[2] = {op1_, op2_};
  PDTnode* copied[2] = {nullptr, nullptr};
  for (int i = 0; i < 2; ++i) {
    if (operands[i] != nullptr) {
      copied[i] = operands[i]->copy(count, copies, old_names, new_names);
      if (copied[i] == nullptr) {
        delete_node(copied[0]);
        delete duplicate;
        return nullptr;
      }
    }
  }
  duplicate->comb_type_ = comb_type_;
  duplicate->comb_constraint_ = comb_constraint_;
  duplicate->AttachOperand(duplicate->op1_, copied[0]);
  duplicate->AttachOperand(duplicate->op2_, copied[1]);
  duplicate->refresh(0);
  if (count != nullptr) {
    ++*count;
  }
  if (copies != nullptr) {
    copies->add(duplicate);
  }
  return duplicate;
}

PDTnode* PDTcomb::copy(const char*) {
  return copy();
}

PDTnode* PDTcomb::copy() {
  return copy(nullptr, nullptr, nullptr, nullptr);
}

// ---- state ----

XBOOL PDTcomb::IsCorrupt() {
  if (comb_constraint_ == PDT_SIGN_POSITIVE || comb_constraint_ == PDT_SIGN_NEGATIVE) {
    for (PDTnode* operand : {op1_, op2_}) {
      if (operand != nullptr && operand->ProvideData()) {
        return FALSE;
      }
    }
  }
  return ToXBool(op1_ == op2_ || op1_ == nullptr || op2_ == nullptr || !op1_->ProvideData() ||
                 !op2_->ProvideData());
}

PDTnode* PDTcomb::DataProvider() {
  if (ProvideData()) {
    return this;
  }
  for (PDTnode* operand : {op1_, op2_}) {
    if (operand != nullptr && operand->ProvideData()) {
      return operand;
    }
  }
  return nullptr;
}

void PDTcomb::Unhook() {
  PDTnode* parent = get_parent();
  auto* parent_comb =
      parent != nullptr && parent->IsTypeOf("PDTcomb") ? static_cast<PDTcomb*>(parent) : nullptr;
  int operands = (op1_ != nullptr ? 1 : 0) + (op2_ != nullptr ? 1 : 0);
  if (operands == 1) {
    PDTnode* single = op1_ != nullptr ? op1_ : op2_;
    ReleaseOperands();
    if (parent_comb != nullptr) {
      parent_comb->ChangeOperand(this, single);  // also makes this node a root
    }
  } else {
    if (parent_comb != nullptr) {
      parent_comb->ChangeOperand(this, nullptr);
    }
    ReleaseOperands();
  }
  PDTnode::Unhook();
  correct_comb_type();
}

void PDTcomb::SetSilent(XBOOL silent) {
  SetSilentSwitch(silent);
}

XBOOL PDTcomb::IsSilent(PDTnode*& out) {
  if (GetSilentSwitch()) {
    out = this;
    return TRUE;
  }
  return PDTnode::IsSilent(out);
}

ENTITY* PDTcomb::CopyToMemBody(ENTITY* body) {
  return PVFSaveMemBody::MemBodyToFile(this, body);
}

// The restored body becomes the value of the combination's geometry object and joins the model.
ENTITY* PDTcomb::CopyFromMemBody() {
  ENTITY* body = PVFSaveMemBody::MemBodyFromFile(this);
  if (body == nullptr) {
    return nullptr;
  }
  if (geometry_ == nullptr) {
    op_geom value(body);
    MakeGeometry(&value);
  }
  return varnex::tree::InstallRestoredBody(dynamic_cast<object_geom*>(geometry_), body);
}

XBOOL PDTcomb::eHasMemBody() {
  return PVFSaveMemBody::eHasMemBody(this);
}
