// The restore context's conversions of generated identifiers (see restore.h).
#include <varnex/language/lexer.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/language/tokens.h>
#include <varnex/model/contour.h>
#include <varnex/model/model_hooks.h>
#include <varnex/model/welt.h>
#include <varnex/modelstore/restore.h>
#include <varnex/persistence/model_records.h>
#include <varnex/tree/nodes.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

PVFRestoreFM* active_context = nullptr;

const char* Converted(PVFRestoreFM* context, PVMStrg& text,
                      const char* (PVFRestoreFM::*convert)(PVMStrg&)) {
  if (context == nullptr || text.IsVoid() || text == "NULL") {
    return text;
  }
  return (context->*convert)(text);
}

const char* ConvertForReaders(PVMStrg& text) {
  return PVFRestore::ConvertRestoreString(text);
}

// A name the running model already uses for an object of its outermost world or a node.
bool NameInUse(const std::string& name) {
  nullwelt* root = anfang != nullptr ? anfang->get_inertial_world() : nullptr;
  return (root != nullptr && root->find(name.c_str()) != nullptr) ||
         (pPVFFindNode != nullptr && pPVFFindNode(name.c_str()) != nullptr);
}

int CountNodes() {
  return all_nodes != nullptr ? all_nodes->size() : 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// PVFRestore

void PVFRestore::SetInstance(PVFRestoreFM* context) {
  active_context = context;
  pPVFConvertRestoreName = context != nullptr ? &ConvertForReaders : nullptr;
}

PVFRestoreFM* PVFRestore::GetInstance() {
  return active_context;
}

XBOOL PVFRestore::ReadElement(PVFStream& stream, int flag) {
  return PVFReadObjectRecords(stream, flag);
}

const char* PVFRestore::ConvertRestoreString(PVMStrg& text) {
  if (active_context != nullptr && text.Find("2D_Connect")) {
    return Converted(active_context, text, &PVFRestoreFM::ConvertRestoreIdent);
  }
  return Converted(active_context, text, &PVFRestoreFM::ConvertRestoreString);
}

const char* PVFRestore::ConvertString(PVMStrg& text) {
  return Converted(active_context, text, &PVFRestoreFM::ConvertString);
}

const char* PVFRestore::ConvertRestoreIdent(PVMStrg& text) {
  return Converted(active_context, text, &PVFRestoreFM::ConvertRestoreIdent);
}

const char* PVFRestore::ConvertStringParse(PVMStrg& text) {
  return Converted(active_context, text, &PVFRestoreFM::ConvertStringParse);
}

// ---------------------------------------------------------------------------------------------
// PVFRestoreFM

const std::string* PVFRestoreFM::Conversions::Find(const std::string& old_text) const {
  auto found = map.find(old_text);
  return found == map.end() ? nullptr : &found->second;
}

void PVFRestoreFM::Conversions::Add(const std::string& old_text, const std::string& new_text) {
  if (map.emplace(old_text, new_text).second) {
    order.push_back(old_text);
  }
}

PVFRestoreFM::PVFRestoreFM() : PVFRestoreFM(CountNodes()) {}

PVFRestoreFM::PVFRestoreFM(int nodes_at_creation)
    : nodes_at_creation_(nodes_at_creation), instance_counter_(total_count) {}

PVFRestoreFM::~PVFRestoreFM() {
  if (active_context == this) {
    PVFRestore::SetInstance(nullptr);
  }
  ClearLists();
  DelListNoRefAcisAtts(FALSE);
}

const char* PVFRestoreFM::FreshIdentifier(const std::string& old_identifier) const {
  const std::string* fresh = identifiers_.Find(old_identifier);
  return fresh != nullptr ? fresh->c_str() : nullptr;
}

XBOOL PVFRestoreFM::ClearLists() {
  restored_nodes_.clear();
  nodes_by_id_.clear();
  nodes_by_name_.clear();
  numbered_.clear();
  identifiers_ = {};
  identifiers_2d_ = {};
  numbers_ = {};
  face_names_ = {};
  renamed_.clear();
  return FALSE;
}

std::string PVFRestoreFM::FreshName(const std::string& identifier) {
  std::size_t at = identifier.find("_@");
  std::string old_number = identifier.substr(at + 2);
  // A fresh name is never one the model holds already (combinations count on their own).
  const std::string prefix = identifier.substr(0, at + 2);
  int number = instance_counter_++;
  while (numbers_.Find(std::to_string(number)) != nullptr ||
         NameInUse(prefix + std::to_string(number))) {
    number = instance_counter_++;
  }
  std::string fresh = prefix + std::to_string(number);
  identifiers_.Add(identifier, fresh);
  numbers_.Add(old_number, std::to_string(number));
  renamed_.push_back(identifier);
  return fresh;
}

// The text rebuilt from its tokens as the scanner copies them; identifiers with "_@" take
// their translations (made on first sight when `make_fresh`).
std::string PVFRestoreFM::ConvertIdentifiers(const std::string& text, bool make_fresh) {
  PARSE_ATTACHMENT source(PVMStrg(text.c_str()), PARSE_ATTACHMENT::Verbatim{});
  ParseObjectScope scope(&source);
  std::string out;
  while (true) {
    PVMStrg between;
    int token = ScanToToken(between, novl::IDENT);
    out += between.GetpStr();
    if (token != novl::IDENT) {
      break;
    }
    std::string identifier(yytext.GetpStr());
    if (identifier.find("_@") != std::string::npos) {
      if (const std::string* fresh = identifiers_.Find(identifier)) {
        identifier = *fresh;
      } else if (make_fresh) {
        identifier = FreshName(identifier);
      }
    }
    out += identifier;
  }
  return out;
}

const char* PVFRestoreFM::ConvertRestoreString(PVMStrg& text) {
  if (!IsMergeMode()) {
    return text;
  }
  if (text.Find("_@")) {
    text = ConvertIdentifiers(text.GetpStr(), true).c_str();
  }
  return ConvertFaceNodeNr(text);
}

const char* PVFRestoreFM::ConvertStringParse(PVMStrg& text) {
  if (!IsMergeMode() || !text.Find("_@")) {
    return text;
  }
  text = ConvertIdentifiers(text.GetpStr(), false).c_str();
  return text;
}

const char* PVFRestoreFM::ConvertString(PVMStrg& text) {
  if (!IsMergeMode()) {
    return text;
  }
  if (const std::string* fresh = identifiers_.Find(text.GetpStr())) {
    text = fresh->c_str();
  }
  return text;
}

const char* PVFRestoreFM::ConvertFaceNodeNr(PVMStrg& text) {
  if (!IsMergeMode() || numbers_.order.empty()) {
    return text;
  }
  std::string all(text.GetpStr());
  std::size_t face = all.find("f_");
  std::size_t letters = static_cast<std::size_t>(std::count(all.begin(), all.end(), 'N'));
  if (face == std::string::npos || letters == 0 || (all.front() == 'N' && letters == 1) ||
      all.find('N', face + 2) == std::string::npos) {
    return text;
  }
  if (const std::string* known = face_names_.Find(all)) {
    text = known->c_str();
    return text;
  }
  std::string out = all.substr(0, face + 2);
  for (std::size_t i = face + 2; i < all.size();) {
    out += all[i];
    if (all[i] != 'N') {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < all.size() && std::isdigit(static_cast<unsigned char>(all[end])) != 0) {
      ++end;
    }
    std::string digits = all.substr(i + 1, end - i - 1);
    const std::string* renumbered = digits.empty() ? nullptr : numbers_.Find(digits);
    out += renumbered != nullptr ? *renumbered : digits;
    i = end;
  }
  face_names_.Add(all, out);
  text = out.c_str();
  return text;
}

const char* PVFRestoreFM::ConvertRestoreIdent(PVMStrg& text) {
  if (!IsMergeMode() || text.IsVoid()) {
    return text;
  }
  std::string all(text.GetpStr());
  if (const std::string* known = identifiers_2d_.Find(all)) {
    text = known->c_str();
    return text;
  }
  std::size_t at = all.find("_@");
  if (at == std::string::npos) {
    return text;
  }
  int number = PVFconnect2dBa::GetIdentCount() + 1;
  PVFconnect2dBa::SetIdentCount(number);
  std::string fresh = all.substr(0, at + 2) + std::to_string(number);
  identifiers_2d_.Add(all, fresh);
  text = fresh.c_str();
  return text;
}
