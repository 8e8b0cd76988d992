// The attribute base, the registry of saveable attribute classes, and the generic named
// attribute.
#include <varnex/geometry/attribute_base.h>

#include <cstring>
#include <map>

#include "geometry/attribute_registry.h"

AttribWriter::~AttribWriter() = default;
AttribReader::~AttribReader() = default;

ATTRIB::ATTRIB(ENTITY* owner) : owner_(nullptr) {
  if (owner != nullptr) {
    owner->attach_attrib(this);
  }
}

ATTRIB::~ATTRIB() = default;

void ATTRIB::append_identity(std::vector<const char*>& chain) const {
  chain.push_back("attrib");
}

std::vector<const char*> ATTRIB::identity_chain() const {
  std::vector<const char*> chain;
  append_identity(chain);
  return chain;
}

const char* ATTRIB::identity(int level) const {
  std::vector<const char*> chain = identity_chain();
  return level >= 1 && level <= static_cast<int>(chain.size()) ? chain[level - 1] : nullptr;
}

XBOOL ATTRIB::is_a(const char* type_name) const {
  if (type_name == nullptr) {
    return FALSE;
  }
  for (const char* name : identity_chain()) {
    if (std::strcmp(name, type_name) == 0) {
      return TRUE;
    }
  }
  return FALSE;
}

std::string ATTRIB::identifier() const {
  std::vector<const char*> chain = identity_chain();
  std::string text;
  for (auto name = chain.rbegin(); name != chain.rend(); ++name) {
    if (!text.empty()) {
      text += '-';
    }
    text += *name;
  }
  return text;
}

void ATTRIB::split_owner(ENTITY*) {}
void ATTRIB::merge_owner(ENTITY*, XBOOL) {}
void ATTRIB::lose() {}
void ATTRIB::copy_owner(ENTITY*) const {}
void ATTRIB::save(AttribWriter&) const {}
void ATTRIB::restore(AttribReader&) {}

// ---- registry ----

namespace {

std::map<std::string, AttribFactory>& Factories() {
  static auto* factories = new std::map<std::string, AttribFactory>();
  return *factories;
}

void EnsureBuiltInClasses() {
  static bool registered = false;
  if (!registered) {
    registered = true;
    RegisterBuiltInAttribClasses();
  }
}

}  // namespace

void RegisterAttribClass(const std::string& identifier, AttribFactory factory) {
  EnsureBuiltInClasses();
  Factories()[identifier] = std::move(factory);
}

ATTRIB* CreateRegisteredAttrib(const std::string& identifier, ENTITY* owner) {
  EnsureBuiltInClasses();
  auto found = Factories().find(identifier);
  return found == Factories().end() ? nullptr : found->second(owner);
}

// ---- finding ----

ATTRIB* find_attrib(const ENTITY* owner, const char* type_name) {
  if (owner == nullptr) {
    return nullptr;
  }
  for (int i = 0; i < owner->attrib_count(); ++i) {
    if (owner->attrib_at(i)->is_a(type_name)) {
      return owner->attrib_at(i);
    }
  }
  return nullptr;
}

ATTRIB* find_next_attrib(const ATTRIB* after, const char* type_name) {
  if (after == nullptr || after->entity() == nullptr) {
    return nullptr;
  }
  const ENTITY* owner = after->entity();
  bool passed = false;
  for (int i = 0; i < owner->attrib_count(); ++i) {
    ATTRIB* attrib = owner->attrib_at(i);
    if (passed && attrib->is_a(type_name)) {
      return attrib;
    }
    passed = passed || attrib == after;
  }
  return nullptr;
}

// ---- ATTRIB_GEN_NAME ----

ATTRIB_GEN_NAME::ATTRIB_GEN_NAME(ENTITY* owner, const char* name, long value, const char* text)
    : ATTRIB(owner), name_(name ? name : ""), value_(value), text_(text ? text : "") {}

void ATTRIB_GEN_NAME::append_identity(std::vector<const char*>& chain) const {
  ATTRIB::append_identity(chain);
  chain.push_back("gen_name");
}

void ATTRIB_GEN_NAME::split_owner(ENTITY* new_piece) {
  copy_owner(new_piece);
}

void ATTRIB_GEN_NAME::copy_owner(ENTITY* copy) const {
  if (copy != nullptr) {
    new ATTRIB_GEN_NAME(copy, name_.c_str(), value_, text_.c_str());
  }
}

void ATTRIB_GEN_NAME::save(AttribWriter& out) const {
  out.write_string(name_);
  out.write_int(value_);
  out.write_string(text_);
}

void ATTRIB_GEN_NAME::restore(AttribReader& in) {
  name_ = in.read_string();
  value_ = in.read_int();
  text_ = in.read_string();
}

ATTRIB_GEN_NAME* find_named_attrib(const ENTITY* owner, const char* name) {
  for (ATTRIB_GEN_NAME* attrib : FindAttribs<ATTRIB_GEN_NAME>(owner)) {
    if (name != nullptr && attrib->name() == name) {
      return attrib;
    }
  }
  return nullptr;
}
