// object_planet: the sub-world it owns, entering it, copying and moving whole sub-worlds.
#include <varnex/base/messages.h>
#include <varnex/model/planet.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void ReportPlanet(const char* operation, const PVMStrg& message) {
  ClassError("object_planet", operation, message, 1, 0);
}

std::vector<rumpf*> Members(nullwelt* world) {
  std::vector<rumpf*> members;
  for (welt* e = world == nullptr ? nullptr : world->get_first(); e != nullptr; e = e->get_next()) {
    members.push_back(e->get_member());
  }
  return members;
}

}  // namespace

object_planet::object_planet() {
  set_type("Planet");
  CreateSubworld();
}

object_planet::object_planet(const char* name) : rumpf(name) {
  set_type("Planet");
  CreateSubworld();
}

void object_planet::CreateSubworld() {
  subworld_ = std::make_unique<nullwelt>(this);
}

object_planet::~object_planet() {
  // The sub-world stays reachable while its objects go, so that their partners' reference lists
  // can still be resolved through this instance.
  if (subworld_ != nullptr) {
    delete subworld_.get();
    subworld_.release();
  }
}

nullwelt* object_planet::qualify() {
  if (anfang == nullptr) {
    ReportPlanet("qualify", "ZIDIRA not initialised");
    return nullptr;
  }
  if (subworld_ == nullptr) {
    return nullptr;
  }
  anfang = subworld_->push(anfang);
  return anfang;
}

rumpf* object_planet::copy(const char* name) {
  if (name == nullptr) {
    ReportPlanet("copy", "no name given");
    return nullptr;
  }
  std::vector<rumpf*> members = Members(subworld_.get());  // before the copy may land in there
  auto* duplicate = new object_planet(name);
  if (duplicate->get_first_world() == nullptr || duplicate->qualify() == nullptr) {
    ReportPlanet("copy", PVMStrg("couldn't create object <") & name & ">");
    delete duplicate;
    return nullptr;
  }
  CopyAttributesTo(duplicate);
  bool complete = true;
  for (rumpf* member : members) {
    if (member == nullptr) {
      ReportPlanet("copy", "laufob == NULL");
      complete = false;
      break;
    }
    member->copy(member->get_name());
  }
  requalify();
  if (!complete) {
    delete duplicate;
    return nullptr;
  }
  return duplicate;
}

int object_planet::ChgSubworld(rumpf* other) {
  auto* source = dynamic_cast<object_planet*>(other);
  if (source == nullptr || source == this || !other->isTypeOf("Planet") || subworld_ == nullptr ||
      source->subworld_ == nullptr) {
    return 1;
  }
  ReplaceAliasType(source->get_alias_type());
  nullwelt* from = source->subworld_.get();
  std::vector<rumpf*> moved = Members(from);
  subworld_->ChgWelt(from);
  for (rumpf* member : moved) {
    if (member != nullptr) {
      member->ChgSuperworld(from, subworld_.get());
    }
  }
  return 0;
}

XBOOL object_planet::ChgSuperworld(nullwelt* from, nullwelt* to) {
  if (subworld_ == nullptr) {
    return FALSE;
  }
  for (rumpf* member : Members(subworld_.get())) {
    if (member != nullptr) {
      member->ChgSuperworld(from, to);
    }
  }
  return ToXBool(subworld_->ChgSuperworld(from, to) == 0);
}

int object_planet::GetValidity(void_list* invalid) {
  void_list scratch(TRUE);
  void_list* out = invalid != nullptr ? invalid : &scratch;
  rumpf::GetValidity(out);
  for (rumpf* member : Members(subworld_.get())) {
    if (member != nullptr) {
      member->GetValidity(out);
    }
  }
  return out->count();
}

const char* object_planet::GenericPrefix(PVMStrg& out) {
  if (isAliasTypeOf("generic")) {
    out = "GENERIC";
    return out;
  }
  if (isAliasTypeOf("ConturDimensionList") && subworld_ != nullptr &&
      subworld_->get_first() != nullptr) {
    out = "DIMLIST";
    return out;
  }
  return nullptr;
}

XBOOL object_planet::ChgRefByLists(const char* old_name) {
  PVMStrg new_full;
  if (old_name == nullptr || get_full_name(new_full) == nullptr) {
    return FALSE;
  }
  std::string old_full(new_full.GetpStr());
  std::size_t dot = old_full.rfind('.');
  old_full = (dot == std::string::npos ? std::string() : old_full.substr(0, dot + 1)) + old_name;
  bool changed = RenameReferencesAndPartners(old_full.c_str(), new_full) == TRUE;
  GENERIC_LIST<rumpf> tree(TRUE);
  list_all_world(&tree);
  for (int i = 0; i < tree.count(); ++i) {
    changed |= tree[i]->RenameReferencesAndPartners(old_full.c_str(), new_full) == TRUE;
  }
  return ToXBool(changed);
}

int object_planet::vs_austausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) {
  int changed = rumpf::vs_austausch(from, to);
  for (rumpf* member : Members(subworld_.get())) {
    if (member != nullptr) {
      changed += member->vs_austausch(from, to);
    }
  }
  return changed;
}

const char* object_planet::RelativeName(PVMStrg& out) const {
  if (get_full_name(out) == nullptr) {
    return nullptr;
  }
  object_planet* current_owner = anfang == nullptr ? nullptr : anfang->get_root();
  PVMStrg prefix;
  if (current_owner != nullptr && current_owner->get_full_name(prefix) != nullptr) {
    prefix &= ".";
    if (out.StartsWith(prefix) == TRUE) {
      out = PVMStrg(out.GetpStr() + prefix.Length());
    }
  }
  return out;
}

int object_planet::store(FILE* file) {
  if (rumpf::store(file) < 0) {
    return -1;
  }
  std::fputs("{\n", file);
  if (subworld_ != nullptr) {
    subworld_->store(file);
  }
  std::fputs("};\n", file);
  return 0;
}
