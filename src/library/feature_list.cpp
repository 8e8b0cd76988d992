// FEATURE_LIST: lookups, editing, search-path bookkeeping and saving.
#include <varnex/library/feature_list.h>
#include <varnex/library/para_feature.h>

#include <algorithm>

#include "library/library_files.h"
#include "library/token_reader.h"

// Owned by the modeller: created and read by initialize_modeller, deleted by
// deinitialize_modeller.
FEATURE_LIST* pFeatureList = nullptr;

namespace {

// The feature name of an instance name: the text before the first "_@".
PVMStrg FeatureOfInstance(const PVMStrg& instance) {
  PVMStrg feature(instance);
  feature >>= "_@";
  return feature;
}

}  // namespace

FEATURE_LIST::FEATURE_LIST() {
  const char* language_path = PVFParaFeature::Current()->GetNOVLPath();
  for (const PVMStrg& path : varnex::library::SplitPathList(PVMStrg(language_path))) {
    AddNvlPath(path);
  }
}

FEATURE_LIST::FEATURE_LIST(const PVMStrg& directory) {
  AddPath(directory);
}

FEATURE_LIST::~FEATURE_LIST() = default;

std::vector<std::unique_ptr<Featurelist_Element>>::const_iterator FEATURE_LIST::FindByName(
    const PVMStrg& name) const {
  return std::find_if(elements_.begin(), elements_.end(),
                      [&name](const auto& element) { return element->FeatureName() == name; });
}

Featurelist_Element* FEATURE_LIST::GetFeatureByName(const PVMStrg& name) const {
  auto found = FindByName(name);
  return found == elements_.end() ? nullptr : found->get();
}

Featurelist_Element* FEATURE_LIST::GetFeatureByFunction(const PVMStrg& name) const {
  for (const auto& element : elements_) {
    if (name == element->get_theFuncname()) {
      return element.get();
    }
  }
  return nullptr;
}

Featurelist_Element* FEATURE_LIST::GetFeatureByFile(const PVMStrg& file) const {
  for (const auto& element : elements_) {
    if (varnex::library::EqualsIgnoringCase(file, element->get_theFilename())) {
      return element.get();
    }
  }
  return nullptr;
}

Featurelist_Element* FEATURE_LIST::operator[](int index) const {
  return index < 0 || index >= Count() ? nullptr : elements_[index].get();
}

Featurelist_Element* FEATURE_LIST::IsFunctionParameter(const PVMStrg& qualified) const {
  if (!qualified.Find('.')) {
    return nullptr;
  }
  PVMStrg parameter(qualified);
  parameter >> '.';
  PVMStrg instance(qualified);
  instance >>= '.';
  Featurelist_Element* element = GetFeatureByName(FeatureOfInstance(instance));
  return element != nullptr && element->IsFunctionParameter(parameter) != nullptr ? element
                                                                                  : nullptr;
}

XBOOL FEATURE_LIST::IsSubFeature(const PVMStrg& instance) const {
  Featurelist_Element* feature = GetFeatureByName(FeatureOfInstance(instance));
  PVMStrg entity;
  if (feature == nullptr || PVMStrg(feature->GetEntityName(entity)).IsVoid()) {
    return FALSE;
  }
  return ToXBool(std::any_of(elements_.begin(), elements_.end(), [&](const auto& element) {
    return element.get() != feature && element->HasAliasTypeParameter(entity);
  }));
}

const char* FEATURE_LIST::OldNameIntoNewName(PVMStrg& name) const {
  if (!name.Find("_@")) {
    return name;
  }
  PVMStrg rest(name);
  rest >> "_@";
  Featurelist_Element* element = GetFeatureByFile(FeatureOfInstance(name) & ".NVL");
  if (element != nullptr) {
    name = element->FeatureName() & "_@" & rest;
  }
  return name;
}

Featurelist_Element* FEATURE_LIST::AddFeature(Featurelist_Element* element) {
  std::unique_ptr<Featurelist_Element> owned(element);
  if (owned == nullptr || FindByName(owned->FeatureName()) != elements_.end()) {
    return nullptr;
  }
  elements_.push_back(std::move(owned));
  return element;
}

Featurelist_Element* FEATURE_LIST::AddFeature(const PVMStrg& file, const PVMStrg& text) {
  return AddFeature(new Featurelist_Element(file, text));
}

Featurelist_Element* FEATURE_LIST::ReplaceFeature(Featurelist_Element* element) {
  if (element == nullptr) {
    return nullptr;
  }
  std::unique_ptr<Featurelist_Element> owned(element);
  RemoveFeature(owned->FeatureName());
  elements_.push_back(std::move(owned));
  return element;
}

Featurelist_Element* FEATURE_LIST::ReplaceFeature(const PVMStrg& file, const PVMStrg& text) {
  return ReplaceFeature(new Featurelist_Element(file, text));
}

Featurelist_Element* FEATURE_LIST::IncludeFeature(const PVMStrg& file, const PVMStrg& text) {
  auto element = std::make_unique<Featurelist_Element>(file, text);
  Featurelist_Element* existing = GetFeatureByName(element->FeatureName());
  if (existing != nullptr && existing->HasFeatureDescription()) {
    return nullptr;
  }
  return ReplaceFeature(element.release());
}

int FEATURE_LIST::RemoveFeature(const PVMStrg& name) {
  return static_cast<int>(std::erase_if(
      elements_, [&name](const auto& element) { return element->FeatureName() == name; }));
}

void FEATURE_LIST::Clear() {
  elements_.clear();
}

int FEATURE_LIST::AddNvlPath(const PVMStrg& path) {
  PVMStrg trimmed = varnex::library::Trimmed(path);
  return trimmed.IsVoid() ? -1 : searchPaths_.add(trimmed);
}

int FEATURE_LIST::AddNvlPath(const VALUE_LIST<PVMStrg>* paths) {
  int last = -1;
  for (int i = 0; paths != nullptr && i < paths->count(); ++i) {
    last = AddNvlPath((*paths)[i]);
  }
  return last;
}

int FEATURE_LIST::RemoveNvlPath(const PVMStrg& path) {
  int index = searchPaths_.lookup(varnex::library::Trimmed(path));
  searchPaths_.remove(index);
  return index;
}

int FEATURE_LIST::RemoveNvlPath(const VALUE_LIST<PVMStrg>* paths) {
  if (paths == nullptr) {
    int removed = searchPaths_.count();
    searchPaths_.Clear();
    return removed;
  }
  int removed = 0;
  for (int i = 0; i < paths->count(); ++i) {
    removed += RemoveNvlPath((*paths)[i]) >= 0 ? 1 : 0;
  }
  return removed;
}

int FEATURE_LIST::GetNvlPath(VALUE_LIST<PVMStrg>* out) const {
  for (int i = 0; out != nullptr && i < searchPaths_.count(); ++i) {
    out->add(searchPaths_[i]);
  }
  return searchPaths_.count();
}

XBOOL FEATURE_LIST::Save(XBOOL overwrite) {
  bool written = false;
  for (const auto& element : elements_) {
    written = element->Save(overwrite) || written;
  }
  return ToXBool(written);
}

XBOOL FEATURE_LIST::Save(const PVMStrg& directory, XBOOL overwrite) {
  bool written = false;
  for (const auto& element : elements_) {
    written = element->Save(directory, overwrite) || written;
  }
  return ToXBool(written);
}
