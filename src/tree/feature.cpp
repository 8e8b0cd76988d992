// Feature and transformation nodes: the leaves of the tree. Each stands for one instance of the
// outermost world, made through interpret and rebuilt through reinterpret.
#include <varnex/geometry/model_bodies.h>
#include <varnex/library/modeller.h>
#include <varnex/library/para_feature.h>
#include <varnex/model/aritm.h>
#include <varnex/model/object_references.h>
#include <varnex/model/op_geometry.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/tree/mem_body.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/update.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tree/tree_internal.h"

using varnex::tree::FindOutermost;
using varnex::tree::OutermostWorld;

namespace {

// Instantiates inside the outermost world, where every node's instance lives.
std::string InterpretOutermost(const char* feature) {
  OutermostWorld outermost;
  const char* name = interpret(feature);
  return name != nullptr ? name : "";
}

std::string InterpretFromObject(rumpf* object, const char* feature) {
  OutermostWorld outermost;
  const char* name = interpret(object, feature);
  return name != nullptr ? name : "";
}

// The members of an instance's world, in world order.
template <class Visit>
rumpf* FirstMember(rumpf* instance, Visit accept) {
  nullwelt* world = instance != nullptr ? instance->get_subworld() : nullptr;
  for (welt* e = world != nullptr ? world->get_first() : nullptr; e != nullptr; e = e->get_next()) {
    if (rumpf* member = e->get_member(); member != nullptr && accept(member)) {
      return member;
    }
  }
  return nullptr;
}

// The body owning the last entity of a geometric object: the body a Boolean would use.
ENTITY* BodyOfGeometry(rumpf* geometry) {
  auto* object = dynamic_cast<object_geom*>(geometry);
  list* entities = object != nullptr ? object->get_list() : nullptr;
  if (entities == nullptr || entities->count() == 0) {
    return nullptr;
  }
  return fmbody_from((*entities)[entities->count() - 1]);
}

int SignOfConstraint(const PVMStrg& text) {
  static const struct {
    const char* text;
    int sign;
  } kSigns[] = {{"positive", PDT_SIGN_POSITIVE},
                {"negative", PDT_SIGN_NEGATIVE},
                {"manipulation", PDT_SIGN_MANIPULATION},
                {"negation", PDT_SIGN_NEGATION},
                {"attribute", PDT_SIGN_ATTRIBUTE}};
  for (const auto& entry : kSigns) {
    if (text == entry.text) {
      return entry.sign;
    }
  }
  return PDT_SIGN_UNKNOWN;
}

// Keeps the referrers of an instance and of every object in it registered across the
// instance's re-interpretation, which replaces all of them: without this the first refresh of
// a node would make every later update forget the nodes whose formulas name it.
struct Referrers {
  struct Entry {
    std::string path;  // the object's name below the instance ("" for the instance)
    VALUE_LIST<PVMStrg> names;
  };
  std::vector<Entry> entries;
  explicit Referrers(rumpf* instance) {
    if (instance == nullptr) {
      return;
    }
    Keep(instance, "");
    GENERIC_LIST<rumpf> members;
    instance->list_all_world(&members);
    PVMStrg own_full;
    instance->get_full_name(own_full);
    std::string prefix = std::string(own_full.GetpStr()) + ".";
    for (int i = 0; i < members.count(); ++i) {
      PVMStrg full;
      if (members[i]->get_full_name(full) != nullptr &&
          std::string(full.GetpStr()).rfind(prefix, 0) == 0) {
        Keep(members[i], std::string(full.GetpStr()).substr(prefix.size()));
      }
    }
  }
  void Keep(rumpf* object, const std::string& path) {
    Entry entry{path, VALUE_LIST<PVMStrg>()};
    object->GetReferencesBy(&entry.names);
    if (entry.names.count() > 0) {
      entries.push_back(std::move(entry));
    }
  }
  void RegisterWith(rumpf* instance) {
    if (instance == nullptr) {
      return;
    }
    PVMStrg own_full;
    instance->get_full_name(own_full);
    for (Entry& entry : entries) {
      rumpf* object = instance;
      if (!entry.path.empty()) {
        OutermostWorld outermost;
        object = search((std::string(own_full.GetpStr()) + "." + entry.path).c_str());
      }
      if (object != nullptr) {
        object->SetReferencesBy(&entry.names);
      }
    }
  }
};

}  // namespace

int PDTnode::SignOfFeatureWorld(rumpf* feature) {
  nullwelt* world = feature != nullptr ? feature->get_subworld() : nullptr;
  rumpf* constraint = world != nullptr ? world->find("combine_constraint") : nullptr;
  if (constraint == nullptr) {
    return get_body() != nullptr ? PDT_SIGN_MANIPULATION : PDT_SIGN_ATTRIBUTE;
  }
  return SignOfConstraint(varnex::tree::UnquotedValue(constraint));
}

// ---- PDTfeat ----

PDTfeat::PDTfeat() : PDTnode("PDTfeat", "", 1, nullptr) {}

PDTfeat::PDTfeat(const char* statement, const char* name, const char* id)
    : PDTnode("PDTfeat", name != nullptr ? name : "", 0, id) {
  if (statement == nullptr) {
    if (free_nodes != nullptr) {
      free_nodes->remove(this);  // an empty node stays outside both containers
    }
    return;
  }
  Register(InterpretOutermost(statement).c_str());
}

PDTfeat::PDTfeat(rumpf* object, const char* name) : PDTfeat(object, nullptr, name) {}

PDTfeat::PDTfeat(rumpf* object, const char* text, const char* name)
    : PDTnode("PDTfeat", name != nullptr ? name : "", 0, nullptr) {
  if (object == nullptr) {
    if (free_nodes != nullptr) {
      free_nodes->remove(this);
    }
    return;
  }
  Register(InterpretFromObject(object, text).c_str());
}

PDTfeat::PDTfeat(const PDTfeat& original) : PDTnode(original) {}

PDTfeat::~PDTfeat() = default;

void PDTfeat::Register(const char* instance) {
  feature_ = FindOutermost(instance);
  if (feature_ != nullptr) {
    set_name(instance);
  }
  int sign = get_sign();
  if (sign == PDT_SIGN_POSITIVE || sign == PDT_SIGN_NEGATIVE) {
    CopyToMemBody(get_body());
  }
  if (all_nodes != nullptr) {
    all_nodes->add(this);
  }
}

PDTnode* PDTfeat::copy(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                       VALUE_LIST<PVMStrg>* new_names) {
  return PDTnode::copy(count, copies, old_names, new_names);
}

PDTnode* PDTfeat::copy(const char* feature) {
  if (feature_ == nullptr) {
    return nullptr;
  }
  std::string instance = InterpretFromObject(feature_, feature);
  if (FindOutermost(instance.c_str()) == nullptr) {
    return nullptr;
  }
  auto* duplicate = new PDTfeat(*this);
  duplicate->Register(instance.c_str());
  return duplicate;
}

PDTnode* PDTfeat::copy() {
  return copy(static_cast<const char*>(nullptr));
}

PDTnode* PDTfeat::copy_alln(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                            VALUE_LIST<PVMStrg>* new_names) {
  return copy(count, copies, old_names, new_names);
}

aritm* PDTfeat::get_rep_aritm() {
  auto* geometry = dynamic_cast<object_geom*>(get_geometry());
  return geometry != nullptr ? new op_geom(geometry->get_list()) : nullptr;
}

rumpf* PDTfeat::get_geometry() {
  return FirstMember(feature_, [](rumpf* member) { return BodyOfGeometry(member) != nullptr; });
}

ENTITY* PDTfeat::get_body() {
  return BodyOfGeometry(get_geometry());
}

int PDTfeat::get_sign() {
  if (get_BaseSign() != PDT_SIGN_UNKNOWN) {
    return get_BaseSign();
  }
  if (feature_ == nullptr) {
    return PDT_SIGN_UNKNOWN;
  }
  set_BaseSign(SignOfFeatureWorld(feature_));
  return get_BaseSign();
}

int PDTfeat::refresh(int) {
  if (feature_ == nullptr) {
    return 1;
  }
  varnex::tree::Context().NodeDisableConturModify(this);
  std::string name = feature_->get_name();
  set_BaseSign(PDT_SIGN_UNKNOWN);
  Referrers referrers(feature_);
  int result = reinterpret(feature_);
  feature_ = FindOutermost(name.c_str());
  if (feature_ == nullptr) {
    return 2;
  }
  referrers.RegisterWith(feature_);
  int sign = get_sign();
  if (sign == PDT_SIGN_POSITIVE || sign == PDT_SIGN_NEGATIVE) {
    CopyToMemBody(get_body());
  }
  return result;
}

int PDTfeat::single_node_refresh() {
  Referrers referrers(feature_);
  int result = refresh(0);
  if (feature_ == nullptr) {
    return 2;
  }
  referrers.RegisterWith(feature_);
  return result;
}

int PDTfeat::get_planet_lis(void_list* planets, void_list* nodes) {
  return PDTnode::get_planet_lis(planets, nodes);
}

SPAtransf* PDTfeat::get_inertial_transformation(SPAtransf& t) {
  return get_actual_transformation(t, nullptr);
}

SPAtransf* PDTfeat::get_full_transformation(SPAtransf& t) {
  return get_transformation(t);
}

ENTITY* PDTfeat::CopyToMemBody(ENTITY* body) {
  return PVFSaveMemBody::MemBodyToFile(this, body);
}

// The restored body goes to the feature's geometric member that lost its body.
ENTITY* PDTfeat::CopyFromMemBody() {
  ENTITY* body = PVFSaveMemBody::MemBodyFromFile(this);
  if (body == nullptr) {
    return nullptr;
  }
  auto* geometry = dynamic_cast<object_geom*>(FirstMember(feature_, [](rumpf* member) {
    auto* object = dynamic_cast<object_geom*>(member);
    return object != nullptr && object->get_list()->count() == 0;
  }));
  return varnex::tree::InstallRestoredBody(geometry, body);
}

XBOOL PDTfeat::eHasMemBody() {
  return PVFSaveMemBody::eHasMemBody(this);
}

void PDTfeat::SetSilent(XBOOL silent) {
  SetSilentSwitch(silent);
}

XBOOL PDTfeat::IsSilent(PDTnode*& out) {
  if (GetSilentSwitch()) {
    out = this;
    return TRUE;
  }
  return PDTnode::IsSilent(out);
}

// ---- PDTtrans ----

PDTtrans::PDTtrans() : PDTnode("PDTtrans", "", 1, nullptr) {}

PDTtrans::PDTtrans(const char* statement, const char* name, const char* id)
    : PDTnode("PDTtrans", name != nullptr ? name : "", 0, id) {
  if (statement == nullptr) {
    if (free_nodes != nullptr) {
      free_nodes->remove(this);
    }
    return;
  }
  Register(InterpretOutermost(statement).c_str());
}

PDTtrans::PDTtrans(rumpf* object, const char* name) : PDTtrans(object, nullptr, name) {}

PDTtrans::PDTtrans(rumpf* object, const char* text, const char* name)
    : PDTnode("PDTtrans", name != nullptr ? name : "", 0, nullptr) {
  if (object == nullptr) {
    if (free_nodes != nullptr) {
      free_nodes->remove(this);
    }
    return;
  }
  Register(InterpretFromObject(object, text).c_str());
}

PDTtrans::PDTtrans(const PDTtrans& original) : PDTnode(original) {}

PDTtrans::~PDTtrans() = default;

void PDTtrans::Register(const char* instance) {
  replacement_ = FindOutermost(instance);
  if (replacement_ != nullptr) {
    set_name(instance);
  }
  if (all_nodes != nullptr) {
    all_nodes->add(this);
  }
}

PDTnode* PDTtrans::copy(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                        VALUE_LIST<PVMStrg>* new_names) {
  return PDTnode::copy(count, copies, old_names, new_names);
}

PDTnode* PDTtrans::copy(const char* feature) {
  if (replacement_ == nullptr) {
    return nullptr;
  }
  std::string instance = InterpretFromObject(replacement_, feature);
  if (FindOutermost(instance.c_str()) == nullptr) {
    return nullptr;
  }
  auto* duplicate = new PDTtrans(*this);
  duplicate->Register(instance.c_str());
  return duplicate;
}

PDTnode* PDTtrans::copy() {
  return copy(static_cast<const char*>(nullptr));
}

PDTnode* PDTtrans::copy_alln(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                             VALUE_LIST<PVMStrg>* new_names) {
  return copy(count, copies, old_names, new_names);
}

aritm* PDTtrans::get_rep_aritm() {
  if (replacement_ == nullptr) {
    return nullptr;
  }
  rumpf* transform = replacement_->isTypeOf("Transform")
                         ? replacement_
                         : FirstMember(replacement_, [](rumpf* member) {
                             return member->isTypeOf("Transform") != FALSE;
                           });
  return transform != nullptr ? transform->get_aritm() : nullptr;
}

int PDTtrans::refresh(int) {
  if (replacement_ == nullptr) {
    return 1;
  }
  std::string name = replacement_->get_name();
  Referrers referrers(replacement_);
  int result = reinterpret(replacement_);
  replacement_ = FindOutermost(name.c_str());
  if (replacement_ == nullptr) {
    return 2;
  }
  referrers.RegisterWith(replacement_);
  return result;
}

int PDTtrans::single_node_refresh() {
  Referrers referrers(replacement_);
  int result = refresh(0);
  if (replacement_ == nullptr) {
    return 2;
  }
  referrers.RegisterWith(replacement_);
  return result;
}

int PDTtrans::get_planet_lis(void_list* planets, void_list* nodes) {
  return PDTnode::get_planet_lis(planets, nodes);
}

// ---- significance ----

namespace {

// Whether the node refers to another node or another node refers to it.
bool IsConnectedByReferences(PDTnode* node) {
  GENERIC_LIST<PDTnode> references(TRUE);
  get_references(node, &references, 0);
  for (int i = 0; i < references.count(); ++i) {
    if (references[i] != node) {
      return true;
    }
  }
  void_list referrers(TRUE);
  referenced_from(node, &referrers);
  for (int i = 0; i < referrers.count(); ++i) {
    if (referrers[i] != node) {
      return true;
    }
  }
  return false;
}

}  // namespace

XBOOL PDTfeat::IsSignificant(int mode) {
  if (IsCorrupt()) {
    return FALSE;
  }
  bool attribute = get_sign() == PDT_SIGN_ATTRIBUTE;
  std::unique_ptr<aritm> value(get_rep_aritm());
  if (value == nullptr) {
    if (!attribute) {
      return TRUE;
    }
  } else {
    GENERIC_LIST<ENTITY> entities;
    if (value->get_ENTITY(&entities) > 0) {
      return TRUE;
    }
  }
  if (top()->get_body() != nullptr) {
    return TRUE;
  }
  if (mode == 0 && !attribute) {
    return FALSE;
  }
  nullwelt* world = feature_->get_subworld();
  rumpf* visibility = world != nullptr ? world->find("visibility") : nullptr;
  if (visibility == nullptr) {
    if (!attribute) {
      return TRUE;
    }
  } else if (varnex::tree::UnquotedValue(visibility) == "implicit") {
    return TRUE;
  }
  if (mode == 1 && !attribute) {
    return FALSE;
  }
  return ToXBool(IsConnectedByReferences(this));
}

XBOOL PDTtrans::IsSignificant(int mode) {
  if (IsCorrupt()) {
    return FALSE;
  }
  if (mode == 0) {
    return TRUE;
  }
  return ToXBool(get_parent() != nullptr || IsConnectedByReferences(this));
}
