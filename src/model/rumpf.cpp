// rumpf: construction, names and types, world membership, restrictions, validity and the base
// behaviour of the virtual operations.
#include <varnex/base/messages.h>
#include <varnex/model/hand_over.h>
#include <varnex/model/model_hooks.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

#include <cstdio>
#include <vector>

#include "model/name_set.h"

// The hooks of model_hooks.h: null until their installers (named there) set them; they live
// for the process.
PVFNodeFinder pPVFFindNode = nullptr;
PVFNodeRenamer pPVFRenameNode = nullptr;
PVFNodeObjectLost pPVFNodeObjectLost = nullptr;
PVFObjectStreamWriter pPVFStoreObject = nullptr;
PVFObjectStreamReader pPVFRestoreObject = nullptr;
PVFContourStreamWriter pPVFStoreContour = nullptr;
PVFContourStreamReader pPVFRestoreContour = nullptr;
PVFContourRecorder pPVFConnectToNov = nullptr;
PVFRestoreNameConverter pPVFConvertRestoreName = nullptr;
PVFOldNameConverter pPVFOldNameIntoNewName = nullptr;
XBOOL (*pPVFGetSATFileOperation)() = nullptr;

namespace {

void ReportRumpf(const char* operation, const PVMStrg& message) {
  ClassError("rumpf", operation, message, 1, 0);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and destruction

rumpf::rumpf() {
  if (anfang != nullptr) {
    IncludeInCurrentWorld();
  }
}

rumpf::rumpf(const char* name) : alias_type_("unspecified") {
  if (anfang == nullptr) {
    ReportRumpf("rumpf", "ZIDIRA not initialised");
    return;
  }
  if (name == nullptr) {
    ReportRumpf("rumpf", "no _pcName specified");
    return;
  }
  name_ = name;
  IncludeInCurrentWorld();
}

void rumpf::IncludeInCurrentWorld() {
  world_ = anfang;
  if (anfang->include_object(this) == 0) {
    world_ = nullptr;  // refused: the object belongs to no world, so no lookup reaches it
  }
}

rumpf::~rumpf() {
  if (pPVFNodeObjectLost != nullptr && world_ != nullptr && world_->get_root() == nullptr) {
    pPVFNodeObjectLost(this);
  }
  ForgetReferences();
  if (world_ != nullptr) {
    world_->remove_object(this);
  }
}

// ---------------------------------------------------------------------------------------------
// Names and types

int rumpf::set_type(const char* type) {
  if (type == nullptr) {
    ReportRumpf("set_type", "type already definedno type specified");
    return 0;
  }
  if (type_.IsNotVoid()) {
    ReportRumpf("set_type", "type already defined");
    return 0;
  }
  type_ = type;
  return 1;
}

int rumpf::set_alias_type(const char* alias_type) {
  if (alias_type == nullptr) {
    ReportRumpf("set_alias_type", "no type specified");
    return 0;
  }
  if (alias_type_.IsNotVoid() && alias_type_ != "unspecified") {
    ReportRumpf("set_alias_type",
                PVMStrg("alias_type ") & alias_type_.GetpStr() & " already defined");
    return 0;
  }
  alias_type_ = alias_type;
  return 1;
}

int rumpf::set_name(const char* name) {
  if (name == nullptr || name_ == name) {
    return 0;
  }
  if (world_ != nullptr && world_->find(name) != nullptr) {
    ReportRumpf("set_name", PVMStrg("object ") & name & " already existing");
    return 0;
  }
  PVMStrg old_name(name_);
  PVMStrg old_full;
  bool had_full_name = world_ != nullptr && get_full_name(old_full) != nullptr;
  name_ = name;
  if (world_ != nullptr) {
    world_->RenameMember(this, old_name);
  }
  PVMStrg new_full;
  if (had_full_name && get_full_name(new_full) != nullptr) {
    // Partners name this object by its full name: keep their lists pointing at it.
    RenameReferences(old_full, new_full);
    std::vector<PVMStrg> partners;
    for (varnex::model::NameSet* names : {references_to_.get(), referenced_by_.get()}) {
      if (names != nullptr) {
        std::vector<PVMStrg> entries = names->Names();
        partners.insert(partners.end(), entries.begin(), entries.end());
      }
    }
    for (const PVMStrg& partner_name : partners) {
      if (rumpf* partner = search(partner_name); partner != nullptr && partner != this) {
        partner->RenameReferences(old_full, new_full);
      }
    }
  }
  if (pPVFRenameNode != nullptr) {
    pPVFRenameNode(old_name, name_);
  }
  return 1;
}

const char* rumpf::get_full_name(PVMStrg& out) const {
  if (world_ == nullptr) {
    ReportRumpf("get_full_name", "first == NULL");
    return nullptr;
  }
  std::vector<const rumpf*> chain{this};
  for (nullwelt* world = world_; world != nullptr && world->get_root() != nullptr;) {
    const rumpf* owner = world->get_root();
    chain.push_back(owner);
    world = owner->world_;
  }
  out = "";
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (it != chain.rbegin()) {
      out &= ".";
    }
    out &= (*it)->name_.GetpStr();
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Value source (the text only; re-recording references is in rumpf_references.cpp)

const char* rumpf::get_value_source() const {
  return value_source_.IsVoid() ? nullptr : value_source_.GetpStr();
}

const char* rumpf::get_value_source(PVMStrg& out) const {
  out = value_source_;
  return get_value_source();
}

// ---------------------------------------------------------------------------------------------
// Restrictions

int rumpf::SetRestrictions(const VALUE_LIST<PVMStrg>* restrictions) {
  restrictions_.reset();
  if (restrictions == nullptr || restrictions->count() == 0) {
    return 0;
  }
  return AddRestrictions(restrictions);
}

int rumpf::AddRestriction(PVMStrg& restriction) {
  if (restrictions_ == nullptr) {
    restrictions_ = std::make_unique<PVFRStringList>(FALSE);
  }
  return restrictions_->Add(restriction);
}

int rumpf::AddRestrictions(const VALUE_LIST<PVMStrg>* restrictions) {
  for (int i = 0; restrictions != nullptr && i < restrictions->count(); ++i) {
    PVMStrg restriction((*restrictions)[i]);
    AddRestriction(restriction);
  }
  return restrictions_ == nullptr ? 0 : restrictions_->Count();
}

int rumpf::GetRestrictions(VALUE_LIST<PVMStrg>* out) const {
  if (restrictions_ == nullptr) {
    return 0;
  }
  for (int i = 0; out != nullptr && i < restrictions_->Count(); ++i) {
    out->add(PVMStrg((*restrictions_)[i]));
  }
  return restrictions_->Count();
}

// ---------------------------------------------------------------------------------------------
// Validity, copying attributes, world membership

int rumpf::SetValidity(int validity) {
  if (validity == validity_) {
    return 0;
  }
  validity_ = validity;
  return 1;
}

int rumpf::base_assign(rumpf* target) const {
  if (target == nullptr) {
    return -1;
  }
  target->set_value_source(get_value_source());
  VALUE_LIST<PVMStrg> restrictions;
  GetRestrictions(&restrictions);
  target->SetRestrictions(&restrictions);
  target->validity_ = validity_;
  return 0;
}

void rumpf::CopyAttributesTo(rumpf* copy) const {
  copy->alias_type_ = alias_type_;
  base_assign(copy);
}

void rumpf::ReplaceAliasType(const char* alias_type) {
  alias_type_ = alias_type == nullptr ? "" : alias_type;
}

welt* rumpf::get_welt() const {
  if (world_ == nullptr) {
    return nullptr;
  }
  welt* element = world_->find_welt(name_);
  if (element != nullptr && element->get_member() == this) {
    return element;
  }
  for (element = world_->get_first(); element != nullptr; element = element->get_next()) {
    if (element->get_member() == this) {
      return element;
    }
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Walking the sub-world tree

template <class Visit>
void rumpf::WalkTree(Visit visit) {
  nullwelt* world = get_subworld();
  for (welt* e = world == nullptr ? nullptr : world->get_first(); e != nullptr; e = e->get_next()) {
    if (e->get_member() != nullptr) {
      visit(e->get_member());
    }
  }
}

int rumpf::list_all_world(GENERIC_LIST<rumpf>* out) {
  int found = 0;
  WalkTree([&](rumpf* member) {
    if (out != nullptr) {
      out->lookup(member, TRUE);
    }
    found += 1 + member->list_all_world(out);
  });
  return found;
}

int rumpf::list_all_with_name(const char* name, GENERIC_LIST<rumpf>* out) {
  int found = 0;
  WalkTree([&](rumpf* member) { found += member->list_all_with_name(name, out); });
  if (hasName(name)) {
    if (out != nullptr) {
      out->lookup(this, TRUE);
    }
    ++found;
  }
  return found;
}

int rumpf::list_all_with_type(const char* type, XBOOL by_type, GENERIC_LIST<rumpf>* out) {
  int found = 0;
  WalkTree([&](rumpf* member) { found += member->list_all_with_type(type, by_type, out); });
  if (by_type ? isTypeOf(type) : isAliasTypeOf(type)) {
    if (out != nullptr) {
      out->lookup(this, TRUE);
    }
    ++found;
  }
  return found;
}

// ---------------------------------------------------------------------------------------------
// Base behaviour of the virtual operations

char* rumpf::AcceptedText() {
  static char empty[1] = "";
  empty[0] = '\0';
  return empty;
}

void rumpf::Report(const char* cls, const char* operation, const char* message) const {
  ClassError(cls, operation, message, 1, 0);
}

int rumpf::GetValidity(void_list* invalid) {
  if (invalid == nullptr) {
    return 0;
  }
  if (validity_ != 0) {
    invalid->lookup(this, TRUE);
  }
  return invalid->count();
}

int rumpf::CheckRestrictions() {
  return 0;
}
int rumpf::add_constrain(const char*) {
  return 0;
}
void rumpf::print_object() {}
aritm* rumpf::get_aritm() {
  return nullptr;
}
XBOOL rumpf::IsCompatible(aritm*) {
  return FALSE;
}
const char* rumpf::GenericPrefix(PVMStrg&) {
  return nullptr;
}
nullwelt* rumpf::qualify() {
  return nullptr;
}
rumpf* rumpf::copy(const char*) {
  return nullptr;
}
nullwelt* rumpf::get_subworld() {
  return nullptr;
}
int rumpf::assign(const char*) {
  return 0;
}
int rumpf::read_element(FILE*) {
  return -1;
}
XBOOL rumpf::Store(PVFStream& stream) {
  return pPVFStoreObject != nullptr ? pPVFStoreObject(*this, stream) : TRUE;
}
XBOOL rumpf::Restore(PVFStream& stream, int flag) {
  return pPVFRestoreObject != nullptr ? pPVFRestoreObject(*this, stream, flag) : TRUE;
}
void rumpf::replace(ENTITY*) {}
const char* rumpf::GetValue(PVMStrg&, PVMStrg&) {
  return nullptr;
}

const char* rumpf::GetStorageValue(PVMStrg& value, PVMStrg&, PVFBinBlock&) {
  PVMStrg formula;
  GetValue(formula, value);
  return value.IsVoid() ? nullptr : value.GetpStr();
}

const char* rumpf::get_value(PVMStrg&) {
  return nullptr;
}
void* rumpf::getVal() {
  return nullptr;
}
int rumpf::GetGeometry(GENERIC_LIST<ENTITY>*) {
  return 0;
}
ENTITY* rumpf::GetGeometry() {
  return nullptr;
}
XBOOL rumpf::SetNotCopyNeeded(XBOOL) {
  return FALSE;
}
XBOOL rumpf::ChgSuperworld(nullwelt*, nullwelt*) {
  return FALSE;
}

char* rumpf::set_char(const char*) {
  return nullptr;
}
char* rumpf::set_double(double) {
  return nullptr;
}
char* rumpf::set_vector(double, double, double) {
  return nullptr;
}
char* rumpf::set_axis(double*, double*) {
  return nullptr;
}
char* rumpf::set_axis(double, double, double, double, double, double) {
  return nullptr;
}
char* rumpf::set_long(long) {
  return nullptr;
}
char* rumpf::set_ENT(ENTITY*) {
  return nullptr;
}
char* rumpf::set_trans(SPAtransf*) {
  return nullptr;
}
char* rumpf::set_list(list*) {
  return nullptr;
}
char* rumpf::set_bool(XBOOL) {
  return nullptr;
}
char* rumpf::set_object(rumpf*) {
  return nullptr;
}
PVFconnect2dBa* rumpf::set_Connect(PVFconnect2dBa*) {
  return nullptr;
}
