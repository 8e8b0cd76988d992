// PDTnode: names, ids, parent links, silence, transformations and the node events every node
// sends to the parametric-feature context.
#include <varnex/base/messages.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/spa.h>
#include <varnex/geometry/transforms.h>
#include <varnex/library/para_feature.h>
#include <varnex/model/aritm.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/mem_body.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>

#include <string>

#include "tree/tree_internal.h"

namespace {

int feat_count = 0;

// The tree is part of every program that makes nodes: its hooks are in place before the first
// node or the first initialize_modeller.
struct HookInstaller {
  HookInstaller() { varnex::tree::InstallTreeHooks(); }
} install_hooks_at_load;

PVFRString GeneratedId() {
  return PVFRString(("PDTnode_@" + std::to_string(++feat_count)).c_str());
}

}  // namespace

namespace varnex::tree {

PVFParaFeature& Context() {
  return *PVFParaFeature::Current();
}

OutermostWorld::OutermostWorld() : saved_(anfang), world_(nullptr) {
  if (anfang != nullptr) {
    world_ = anfang->get_inertial_world();
    anfang = world_;
  }
}

OutermostWorld::~OutermostWorld() {
  anfang = saved_;
}

rumpf* FindOutermost(const char* name) {
  if (anfang == nullptr || name == nullptr) {
    return nullptr;
  }
  return anfang->get_inertial_world()->find(name);
}

bool HeldByOutermost(const rumpf* object) {
  return object != nullptr && FindOutermost(object->get_name()) == object;
}

PVMStrg UnquotedValue(rumpf* object) {
  PVMStrg formula, value;
  if (object != nullptr) {
    object->GetValue(formula, value);
  }
  value.UnBrace('\'');
  return value;
}

}  // namespace varnex::tree

PDTnode::CoTABLE::~CoTABLE() = default;

PDTnode::PDTnode(const char* type, const char* name, int keep_out, const char* id)
    : name_(name), type_(type), id_(id != nullptr ? PVFRString(id) : GeneratedId()) {
  if (type == nullptr || name == nullptr) {
    return;
  }
  if (keep_out == 0 && free_nodes != nullptr) {
    free_nodes->add(this);
  }
  varnex::tree::Context().NodeCreate(this);
}

PDTnode::PDTnode(const PDTnode& original)
    : PVTransaction(original),
      name_(original.name_),
      type_(original.type_),
      id_(GeneratedId()),
      silent_(original.silent_) {
  if (free_nodes != nullptr) {
    free_nodes->add(this);
  }
  varnex::tree::Context().NodeCopy(this, original);
}

PDTnode::~PDTnode() {
  varnex::tree::Context().NodeLost(this);
  silent_trans_.reset();
  PVFSaveMemBody::DeleteMemBodyFile(this);
  if (all_nodes != nullptr) {
    all_nodes->remove(this);
  }
  if (free_nodes != nullptr) {
    free_nodes->remove(this);
  }
}

int PDTnode::get_id_count() {
  return feat_count;
}

void PDTnode::set_id_count(int count) {
  feat_count = count;
}

XBOOL PDTnode::set_name(const char* name) {
  if (name == nullptr || name_ == name) {
    return TRUE;
  }
  if (all_nodes == nullptr || !all_nodes->contains(this)) {
    name_ = name;
    return TRUE;
  }
  PDTnode* owner = all_nodes->findByName(name);
  if (owner != nullptr && owner != this) {
    return FALSE;
  }
  PVMStrg old_name(name_);
  name_ = name;
  all_nodes->Rename(this, old_name);
  return TRUE;
}

PDTnode* PDTnode::top() {
  PDTnode* node = this;
  // A parent chain never loops; the bound only guards against a damaged tree.
  for (int steps = 0; node->parent_ != nullptr && steps < 1 << 24; ++steps) {
    node = node->parent_;
  }
  return node;
}

int PDTnode::occupy(PDTnode* parent) {
  if (parent == nullptr) {
    return 0;
  }
  if (parent_ != nullptr) {
    return 1;
  }
  if (free_nodes == nullptr || !free_nodes->contains(this)) {
    return 2;
  }
  parent_ = parent;
  free_nodes->remove(this);
  return 0;
}

int PDTnode::change_occupy(PDTnode* parent) {
  if (parent == parent_) {
    return 0;
  }
  parent_ = parent;
  if (free_nodes == nullptr) {
    return 1;
  }
  if (parent != nullptr) {
    free_nodes->remove(this);
  } else if (all_nodes != nullptr && all_nodes->contains(this)) {
    free_nodes->add(this);
  }
  return 1;
}

void PDTnode::Unhook() {
  // A node never stays the operand of a combination it no longer points to.
  if (parent_ != nullptr && parent_->IsTypeOf("PDTcomb")) {
    auto* parent = static_cast<PDTcomb*>(parent_);
    if (parent->IsOperand(this)) {
      parent->ChangeOperand(this, nullptr);
    }
  }
  parent_ = nullptr;
  if (free_nodes != nullptr && all_nodes != nullptr && all_nodes->contains(this)) {
    free_nodes->add(this);
  }
}

int PDTnode::GetAllNodes(GENERIC_LIST<PDTnode>* list) {
  if (list != nullptr && list->lookup(this) < 0) {
    list->add(this);
  }
  return 1;
}

void_list* PDTnode::get_childs() {
  if (pPVFHandleMessage != nullptr) {
    std::string text = std::string("call to virtual function 'PDTnode::get_childs' of object '") +
                       type_.GetpStr() + "::" + name_.GetpStr() + "'";
    pPVFHandleMessage->Warning("PDTnode", text.c_str());
  } else {
    ClassError("PDTnode", "get_childs", "call to virtual function 'PDTnode::get_childs'", 0, 0);
  }
  auto* children = new void_list(TRUE);
  if (all_nodes != nullptr) {
    for (PDTnode* node : *all_nodes) {
      if (node->parent_ == this) {
        children->add(node);
      }
    }
  }
  return children;
}

PDTnode* PDTnode::copy(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                       VALUE_LIST<PVMStrg>* new_names) {
  PDTnode* duplicate = copy();
  if (duplicate == nullptr) {
    return nullptr;
  }
  if (count != nullptr) {
    ++*count;
  }
  if (copies != nullptr) {
    copies->add(duplicate);
  }
  if (old_names != nullptr && new_names != nullptr) {
    old_names->add(PVMStrg(get_name()));
    new_names->add(PVMStrg(duplicate->get_name()));
  }
  return duplicate;
}

PDTnode* PDTnode::copy(const char*) {
  return nullptr;
}

PDTnode* PDTnode::copy() {
  return nullptr;
}

aritm* PDTnode::get_rep_aritm() {
  return nullptr;
}

int PDTnode::refresh(int) {
  return 0;
}

int PDTnode::single_node_refresh() {
  return refresh(0);
}

PDTnode* PDTnode::copy_alln(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                            VALUE_LIST<PVMStrg>* new_names) {
  return copy(count, copies, old_names, new_names);
}

int PDTnode::get_planet_lis(void_list* planets, void_list* nodes) {
  if (nodes != nullptr) {
    nodes->add(this);
  }
  rumpf* root = GetRootDataElement();
  if (planets != nullptr && root != nullptr) {
    planets->add(root);
    return 1;
  }
  return 0;
}

int PDTnode::get_sign() {
  return base_sign_;
}

rumpf* PDTnode::GetRootDataElement() {
  return nullptr;
}

rumpf* PDTnode::get_rumpf() {
  return nullptr;
}

rumpf* PDTnode::get_geometry() {
  return nullptr;
}

XBOOL PDTnode::delete_body() {
  ENTITY* body = get_body();
  if (body == nullptr || gmod_anfang == nullptr || gmod_anfang->lookup(body) < 0) {
    return FALSE;
  }
  api_delent(body);
  return TRUE;
}

ENTITY* PDTnode::get_body() {
  return nullptr;
}

SPAtransf* PDTnode::get_transformation(SPAtransf& t) {
  ENTITY* body = get_body();
  if (body == nullptr) {
    return nullptr;
  }
  SPAtransf applied = GetTrans(body);
  if (applied.identity()) {
    return nullptr;
  }
  t = t * applied;
  return &t;
}

SPAtransf* PDTnode::get_original_transformation(SPAtransf& t) {
  return get_transformation(t);
}

SPAtransf* PDTnode::get_actual_transformation(SPAtransf& t, PDTnode* upto) {
  return GetActTransfoToTop(t, this, upto);
}

// The transformations of the combinations on the way up whose other operand is a
// transformation node, nearest first.
SPAtransf* PDTnode::GetActTransfoToTop(SPAtransf& t, PDTnode* from, PDTnode* to) {
  bool found = false;
  PDTnode* node = from != nullptr ? from : this;
  for (PDTnode* parent = node->parent_; parent != nullptr && node != to;
       node = parent, parent = parent->parent_) {
    auto* comb = static_cast<PDTcomb*>(parent);
    PDTnode* other = parent->IsTypeOf("PDTcomb") ? comb->OtherOperand(node) : nullptr;
    if (other == nullptr || other->get_sign() != PDT_SIGN_TRANSFORMATION) {
      continue;
    }
    std::unique_ptr<aritm> value(other->get_rep_aritm());
    SPAtransf* applied = value != nullptr ? value->get_transf() : nullptr;
    if (applied != nullptr) {
      t = t * *applied;
      found = true;
    }
  }
  return found ? &t : nullptr;
}

SPAtransf* PDTnode::get_inertial_transformation(SPAtransf& t) {
  return get_actual_transformation(t, nullptr);
}

SPAtransf* PDTnode::get_full_transformation(SPAtransf& t) {
  return get_transformation(t);
}

ENTITY* PDTnode::CopyToMemBody(ENTITY*) {
  return nullptr;
}

ENTITY* PDTnode::CopyFromMemBody() {
  return nullptr;
}

XBOOL PDTnode::eHasMemBody() {
  return FALSE;
}

void PDTnode::DeleteMemBody() {
  PVFSaveMemBody::DeleteMemBodyFile(this);
}

XBOOL PDTnode::IsCorrupt() {
  return FALSE;
}

XBOOL PDTnode::ProvideData() {
  return ToXBool(!IsCorrupt());
}

PDTnode* PDTnode::DataProvider() {
  return ProvideData() ? this : nullptr;
}

XBOOL PDTnode::IsSignificant(int) {
  return TRUE;
}

void PDTnode::SetSilent(XBOOL) {}

void PDTnode::SetSilentSwitch(XBOOL on) {
  silent_ = on;
  if (!on) {
    silent_trans_.reset();
  }
}

XBOOL PDTnode::IsSilent(PDTnode*& out) {
  if (parent_ != nullptr) {
    return parent_->IsSilent(out);
  }
  out = nullptr;
  return FALSE;
}

void PDTnode::SetSilentTrans(SPAtransf* t) {
  silent_trans_.reset();
  if (t != nullptr) {
    silent_trans_ = std::make_unique<SPAtransf>(*t);
  }
}

SPAtransf PDTnode::GetSilentTrans() const {
  return silent_trans_ != nullptr ? *silent_trans_ : SPAtransf();
}

void PDTnode::DeleteSilentTrans() {
  silent_trans_.reset();
}

void PDTnode::SetActToSilentTrans() {
  SPAtransf actual;
  SetSilentTrans(get_actual_transformation(actual, nullptr) != nullptr ? &actual : nullptr);
}

int PDTnode::RefreshSilent(int first) {
  return refresh(first);
}

XBOOL PDTnode::ApplyInvSilentTrafo(void* body) {
  if (silent_trans_ == nullptr || body == nullptr) {
    return FALSE;
  }
  return api_apply_transf(static_cast<ENTITY*>(body), silent_trans_->inverse()).ok() ? TRUE : FALSE;
}

int PDTnode::GetValidities(std::vector<int>& validities, std::vector<rumpf*>* objects) {
  rumpf* root = GetRootDataElement();
  if (root == nullptr) {
    return 0;
  }
  GENERIC_LIST<rumpf> members;
  members.add(root);
  root->list_all_world(&members);
  int found = 0;
  for (int i = 0; i < members.count(); ++i) {
    if (int validity = members[i]->GetValidity(); validity != 0) {
      validities.push_back(validity);
      if (objects != nullptr) {
        objects->push_back(members[i]);
      }
      ++found;
    }
  }
  return found;
}
