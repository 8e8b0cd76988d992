// Reading node instances and the library for the generator, and small text helpers.
#include <varnex/library/feature_element.h>
#include <varnex/library/feature_list.h>
#include <varnex/model/object_references.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/persistence/bin_block.h>

#include <cmath>
#include <cstring>

#include "generator/generator_internal.h"
#include "generator/novl_source.h"

namespace varnex::generator {
namespace {

template <class Accept>
rumpf* FirstMemberWhere(rumpf* instance, Accept accept) {
  nullwelt* world = instance != nullptr ? instance->get_subworld() : nullptr;
  for (welt* e = world != nullptr ? world->get_first() : nullptr; e != nullptr; e = e->get_next()) {
    if (rumpf* member = e->get_member(); member != nullptr && accept(*member)) {
      return member;
    }
  }
  return nullptr;
}

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '@';
}

}  // namespace

rumpf* Member(rumpf* instance, const char* name) {
  return FirstMemberWhere(instance,
                          [name](rumpf& member) { return member.hasName(name) != FALSE; });
}

std::vector<rumpf*> Members(rumpf* instance) {
  std::vector<rumpf*> members;
  nullwelt* world = instance != nullptr ? instance->get_subworld() : nullptr;
  for (welt* e = world != nullptr ? world->get_first() : nullptr; e != nullptr; e = e->get_next()) {
    if (rumpf* member = e->get_member()) {
      members.push_back(member);
    }
  }
  return members;
}

rumpf* Referenced(rumpf* object) {
  auto* reference = dynamic_cast<object_reference*>(object);
  return reference != nullptr ? reference->get() : object;
}

std::string ReferencedName(rumpf* object) {
  rumpf* target = Referenced(object);
  PVMStrg name;
  if (target != nullptr && target->get_full_name(name) != nullptr) {
    return name.GetpStr();
  }
  auto* reference = dynamic_cast<object_reference*>(object);
  const char* stored = reference != nullptr ? reference->GetTargetName() : nullptr;
  return stored != nullptr ? stored : "";
}

rumpf* NewList(const std::string& name, const char* alias) {
  auto* list = new object_planet(name.c_str());
  if (list->get_first_world() == nullptr) {
    delete list;  // refused by the world: nobody else holds it
    return nullptr;
  }
  list->set_alias_type(alias);
  return list;
}

bool NewReference(rumpf* list, const std::string& target, const std::string& name) {
  if (list == nullptr || list->qualify() == nullptr) {
    return false;
  }
  auto* reference = new object_reference(target.c_str(), name.c_str());
  bool placed = reference->get_first_world() != nullptr;
  if (!placed) {
    delete reference;  // refused by the world: nobody else holds it
  }
  requalify();
  return placed;
}

rumpf* FirstMemberOfType(rumpf* instance, const char* type) {
  return FirstMemberWhere(instance,
                          [type](rumpf& member) { return member.isTypeOf(type) != FALSE; });
}

Featurelist_Element* DefinitionOfInstance(const char* instance) {
  if (instance == nullptr || pFeatureList == nullptr) {
    return nullptr;
  }
  std::string name(instance);
  std::size_t at = name.rfind("_@");
  return pFeatureList->GetFeatureByName(PVMStrg(name.substr(0, at).c_str()));
}

std::string GeneratedName(const char* node_name) {
  std::string name(node_name != nullptr ? node_name : "");
  for (std::size_t at = name.find("_@"); at != std::string::npos; at = name.find("_@", at)) {
    name.erase(at + 1, 1);
  }
  return name;
}

PVMStrg& Put(PVMStrg& out, const std::string& text) {
  out &= text.c_str();
  return out;
}

std::string ValueOf(rumpf* object, PVFBinBlock* binary) {
  if (object == nullptr) {
    return {};
  }
  PVMStrg value;
  object->get_value(value);
  std::string text(value.GetpStr());
  if (object->isTypeOf("Text") || object->isTypeOf("ENUMERATION")) {
    // A text the language cannot carry stays as it is, for the check to refuse with its reason.
    std::string literal = RequoteValue(text);
    return literal.empty() ? text : literal;
  }
  if (object->isTypeOf("Zahl")) {
    // The value text keeps six decimals; the text of the part needs the value itself.
    double number = *static_cast<double*>(object->getVal());
    return std::isfinite(number) ? NumberText(number) : std::string();
  }
  bool plain = !object->isTypeOf("Geometric") && !object->isTypeOf("REFERENCE") &&
               !object->isTypeOf("Planet");
  if (plain && !text.empty() && ExpressionFault(text).empty()) {
    return text;
  }
  // What has no text of its own may have a stored form that refers to the NOV description.
  PVMStrg stored, name;
  PVFBinBlock block;
  object->GetStorageValue(stored, name, block);
  if (stored.Find("NOV_ENTRY") && ExpressionFault(stored.GetpStr()).empty()) {
    if (binary != nullptr) {
      *binary = block;
    }
    return stored.GetpStr();
  }
  return {};
}

VALUE_LIST<PVMStrg> RestraintEntries(const PVMStrg& restraints) {
  std::string text(restraints.GetpStr());
  std::size_t open = text.find('{'), close = text.rfind('}');
  if (open != std::string::npos && close != std::string::npos && close > open) {
    text = text.substr(open + 1, close - open - 1);
  }
  VALUE_LIST<PVMStrg> entries;
  std::string entry;
  bool literal = false;
  char last = 0;
  for (char c : text + ";") {
    if (c == '\'' && !(literal && last == '\\')) {
      literal = !literal;
    }
    if (c == ';' && !literal) {
      std::size_t first = entry.find_first_not_of(" \t\n");
      std::size_t end = entry.find_last_not_of(" \t\n");
      if (first != std::string::npos) {
        entries.add(PVMStrg(entry.substr(first, end - first + 1).c_str()));
      }
      entry.clear();
    } else {
      entry += c;
    }
    last = c;
  }
  return entries;
}

void ReplaceName(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) {
    return;
  }
  std::string out;
  bool literal = false;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '\'' && (!literal || text[i - 1] != '\\')) {
      literal = !literal;
    }
    bool starts = !literal && text.compare(i, from.size(), from) == 0 &&
                  (i == 0 || !IsNameChar(text[i - 1])) &&
                  (i + from.size() >= text.size() || !IsNameChar(text[i + from.size()]));
    if (starts) {
      out += to;
      i += from.size();
    } else {
      out += text[i++];
    }
  }
  text = std::move(out);
}

}  // namespace varnex::generator
