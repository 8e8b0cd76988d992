// rumpf: the value source and the references bookkeeping. Both lists hold full names, so an
// entry resolves from the outermost world and deletion finds its partners' entries exactly.
#include <varnex/model/model_hooks.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

#include <string>
#include <vector>

#include "model/formula_tokens.h"
#include "model/name_set.h"
#include "model/world_scope.h"

using varnex::model::CurrentWorldScope;
using varnex::model::SearchFromTop;
using varnex::model::TopWorldOf;

namespace {

using varnex::model::NameSet;

std::vector<PVMStrg> Entries(const NameSet* names) {
  return names == nullptr ? std::vector<PVMStrg>() : names->Names();
}

int AddUnique(std::unique_ptr<NameSet>& names, const char* text) {
  if (names == nullptr) {
    names = std::make_unique<NameSet>();
  }
  return names->Add(text);
}

bool RemoveEntry(std::unique_ptr<NameSet>& names, const char* text) {
  if (names == nullptr || text == nullptr) {
    return false;
  }
  bool removed = names->Remove(text);
  if (names->Count() == 0) {
    names.reset();
  }
  return removed;
}

// `entry` names `old_full` or something inside it: the same name below `new_full`.
bool RenamePrefix(std::string& entry, const std::string& old_full, const std::string& new_full) {
  if (entry.compare(0, old_full.size(), old_full) != 0 ||
      (entry.size() > old_full.size() && entry[old_full.size()] != '.')) {
    return false;
  }
  entry.replace(0, old_full.size(), new_full);
  return true;
}

bool RenameEntries(std::unique_ptr<NameSet>& names, const char* old_full, const char* new_full) {
  if (names == nullptr) {
    return false;
  }
  bool changed = false;
  auto renamed = std::make_unique<NameSet>();
  for (const PVMStrg& entry : Entries(names.get())) {
    std::string text(entry.GetpStr());
    changed |= RenamePrefix(text, old_full, new_full);
    renamed->Add(text.c_str());
  }
  names = std::move(renamed);
  return changed;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Value source

const char* rumpf::set_value_source(const char* text) {
  bool clearing = text == nullptr || *text == '\0';
  if (clearing ? value_source_.IsVoid() == TRUE : (value_source_ == text) == TRUE) {
    return get_value_source();
  }
  std::string new_source = clearing ? std::string() : std::string(text);
  {
    CurrentWorldScope top(TopWorldOf(this));
    PVMStrg own_full;
    if (world_ != nullptr && references_to_ != nullptr && get_full_name(own_full) != nullptr) {
      for (const PVMStrg& name : Entries(references_to_.get())) {
        if (rumpf* partner = search(name); partner != nullptr) {
          partner->RemoveReferenceBy(own_full);
        }
      }
    }
    references_to_.reset();
    if (!clearing) {
      SetReferences(PVMStrg(new_source));
    }
  }
  value_source_ = new_source.c_str();
  return get_value_source();
}

const char* rumpf::set_value_source(PVMStrg& text) {
  return set_value_source(text.GetpStr());
}

// ---------------------------------------------------------------------------------------------
// Recording references

int rumpf::SetReferences(const PVMStrg& formula) {
  PVMStrg own_full;
  if (world_ == nullptr || get_full_name(own_full) == nullptr) {
    return 0;
  }
  int recorded = 0;
  for (const std::string& name : varnex::model::LeadingIdentifiers(formula.GetpStr())) {
    if (rumpf* referenced = search(name.c_str()); referenced != nullptr) {
      referenced->SetReferencesBy(own_full);
      ++recorded;
    }
  }
  return recorded;
}

int rumpf::SetReferencesTo(const char* name) {
  if (name == nullptr || *name == '\0') {
    return references_to_ == nullptr ? 0 : references_to_->Count();
  }
  return AddUnique(references_to_, name);
}

int rumpf::SetReferencesTo(VALUE_LIST<PVMStrg>* names) {
  for (int i = 0; names != nullptr && i < names->count(); ++i) {
    SetReferencesTo((*names)[i]);
  }
  return references_to_ == nullptr ? 0 : references_to_->Count();
}

int rumpf::SetReferencesBy(const char* referrer) {
  if (referrer == nullptr || *referrer == '\0') {
    return referenced_by_ == nullptr ? 0 : referenced_by_->Count();
  }
  int count = AddUnique(referenced_by_, referrer);
  PVMStrg own_full;
  rumpf* referring = SearchFromTop(this, referrer);
  if (referring != nullptr && world_ != nullptr && get_full_name(own_full) != nullptr) {
    referring->SetReferencesTo(own_full);
  }
  return count;
}

int rumpf::SetReferencesBy(VALUE_LIST<PVMStrg>* referrers) {
  for (int i = 0; referrers != nullptr && i < referrers->count(); ++i) {
    SetReferencesBy((*referrers)[i]);
  }
  return referenced_by_ == nullptr ? 0 : referenced_by_->Count();
}

// ---------------------------------------------------------------------------------------------
// Reading references

namespace {

int CopyNames(const NameSet* names, VALUE_LIST<PVMStrg>* out) {
  for (const PVMStrg& name : Entries(names)) {
    if (out != nullptr) {
      out->add(name);
    }
  }
  return names == nullptr ? 0 : names->Count();
}

int ResolveNames(const rumpf* context, const NameSet* names, GENERIC_LIST<rumpf>* out) {
  if (out == nullptr) {
    return names == nullptr ? 0 : names->Count();
  }
  for (const PVMStrg& name : Entries(names)) {
    if (rumpf* object = SearchFromTop(context, name); object != nullptr) {
      out->lookup(object, TRUE);
    }
  }
  return out->count();
}

// The node of a referenced object is the node of the outermost instance holding it.
int ResolveNodes(const rumpf* context, const NameSet* names, GENERIC_LIST<PDTnode>* out) {
  if (out == nullptr) {
    return names == nullptr ? 0 : names->Count();
  }
  if (pPVFFindNode == nullptr) {
    return out->count();
  }
  for (const PVMStrg& name : Entries(names)) {
    rumpf* object = SearchFromTop(context, name);
    rumpf* top = get_topmost_planet(object);
    PDTnode* node = pPVFFindNode(top != nullptr ? top->get_name() : name.GetpStr());
    if (node != nullptr) {
      out->lookup(node, TRUE);
    }
  }
  return out->count();
}

}  // namespace

int rumpf::GetReferencesTo(VALUE_LIST<PVMStrg>* out) const {
  return CopyNames(references_to_.get(), out);
}
int rumpf::GetReferencesTo(GENERIC_LIST<rumpf>* out) const {
  return ResolveNames(this, references_to_.get(), out);
}
int rumpf::GetReferencesTo(GENERIC_LIST<PDTnode>* out) const {
  return ResolveNodes(this, references_to_.get(), out);
}
int rumpf::GetReferencesBy(VALUE_LIST<PVMStrg>* out) const {
  return CopyNames(referenced_by_.get(), out);
}
int rumpf::GetReferencesBy(GENERIC_LIST<rumpf>* out) const {
  return ResolveNames(this, referenced_by_.get(), out);
}
int rumpf::GetReferencesBy(GENERIC_LIST<PDTnode>* out) const {
  return ResolveNodes(this, referenced_by_.get(), out);
}

// ---------------------------------------------------------------------------------------------
// Removing and renaming entries

XBOOL rumpf::RemoveReferenceTo(const char* name) {
  return ToXBool(RemoveEntry(references_to_, name));
}

XBOOL rumpf::RemoveReferenceBy(const char* name) {
  return ToXBool(RemoveEntry(referenced_by_, name));
}

XBOOL rumpf::RenameReferences(const char* old_full, const char* new_full) {
  if (old_full == nullptr || new_full == nullptr || *old_full == '\0') {
    return FALSE;
  }
  bool changed = RenameEntries(references_to_, old_full, new_full);
  changed |= RenameEntries(referenced_by_, old_full, new_full);
  return ToXBool(changed);
}

void rumpf::ForgetReferences() {
  if (world_ == nullptr || (references_to_ == nullptr && referenced_by_ == nullptr)) {
    return;
  }
  PVMStrg own_full;
  if (get_full_name(own_full) == nullptr) {
    return;
  }
  CurrentWorldScope top(TopWorldOf(this));
  for (const PVMStrg& name : Entries(references_to_.get())) {
    if (rumpf* partner = search(name); partner != nullptr && partner != this) {
      partner->RemoveReferenceBy(own_full);
    }
  }
  for (const PVMStrg& name : Entries(referenced_by_.get())) {
    if (rumpf* partner = search(name); partner != nullptr && partner != this) {
      partner->RemoveReferenceTo(own_full);
    }
  }
}

XBOOL rumpf::RenameReferencesAndPartners(const char* old_full, const char* new_full) {
  bool changed = RenameReferences(old_full, new_full) == TRUE;
  std::vector<PVMStrg> partners = Entries(references_to_.get());
  for (const PVMStrg& name : Entries(referenced_by_.get())) {
    partners.push_back(name);
  }
  for (const PVMStrg& name : partners) {
    if (rumpf* partner = SearchFromTop(this, name); partner != nullptr && partner != this) {
      changed |= partner->RenameReferences(old_full, new_full) == TRUE;
    }
  }
  return ToXBool(changed);
}

XBOOL rumpf::ChgRefByLists(const char* old_name) {
  object_planet* owner = world_ == nullptr ? nullptr : world_->get_root();
  if (owner == nullptr || old_name == nullptr) {
    return FALSE;
  }
  PVMStrg new_full;
  if (owner->get_full_name(new_full) == nullptr) {
    return FALSE;
  }
  std::string old_full(new_full.GetpStr());
  std::size_t dot = old_full.rfind('.');
  old_full = (dot == std::string::npos ? std::string() : old_full.substr(0, dot + 1)) + old_name;
  return RenameReferencesAndPartners(old_full.c_str(), new_full);
}

int rumpf::vs_austausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) {
  if (from == nullptr || to == nullptr || value_source_.IsVoid()) {
    return 0;
  }
  std::string renamed = varnex::model::ReplaceIdentifiers(value_source_.GetpStr(), *from, *to);
  if (renamed == value_source_.GetpStr()) {
    return 0;
  }
  set_value_source(renamed.c_str());
  return 1;
}
