// Featurelist_Element: reading a definition from its text, names, type and parameter lists.
#include <varnex/language/parse_attachment.h>
#include <varnex/language/tokens.h>
#include <varnex/library/feature_element.h>

#include <cstring>

#include "library/parameter_reader.h"
#include "library/token_reader.h"

using varnex::library::ReadEntityParameter;
using varnex::library::ReadFunctionParameter;
using varnex::library::TokenReader;

/// A parameter list that owns its elements.
class Featurelist_Element::ParameterList : public GENERIC_LIST<HANDOVER_PARAMETER> {
 public:
  ParameterList() = default;
  ParameterList(const ParameterList&) = delete;
  ParameterList& operator=(const ParameterList&) = delete;
  ~ParameterList() override {
    for (int i = 0; i < count(); ++i) {
      delete (*this)[i];
    }
  }
};

namespace {

PVMStrg PathOf(const PARSE_ATTACHMENT& source) {
  PVMStrg full, file;
  source.GetFullFileName(full);
  source.GetFileName(file);
  return PVMStrg(full.GetpStr(), full.Length() - std::min(full.Length(), file.Length()));
}

XBOOL SameParameters(const void_list* a, const void_list* b) {
  int count_a = a == nullptr ? 0 : a->count();
  int count_b = b == nullptr ? 0 : b->count();
  if (count_a != count_b) {
    return FALSE;
  }
  for (int i = 0; i < count_a; ++i) {
    if (*static_cast<HANDOVER_PARAMETER*>((*a)[i]) != *static_cast<HANDOVER_PARAMETER*>((*b)[i])) {
      return FALSE;
    }
  }
  return TRUE;
}

XBOOL SameBlocks(const PVFBinBlockList& a, const PVFBinBlockList& b) {
  if (a.Length() != b.Length()) {
    return FALSE;
  }
  for (unsigned i = 0; i < a.Length(); ++i) {
    unsigned length = a[i].Length();
    if (length != b[i].Length() ||
        (length > 0 && std::memcmp(a[i].GetpBlock(), b[i].GetpBlock(), length) != 0)) {
      return FALSE;
    }
  }
  return TRUE;
}

template <class List>
int CopyParameters(const void_list* from, List* out) {
  if (from == nullptr || out == nullptr) {
    return 0;
  }
  for (int i = 0; i < from->count(); ++i) {
    const auto* parameter = static_cast<const HANDOVER_PARAMETER*>((*from)[i]);
    if constexpr (std::is_same_v<List, VALUE_LIST<HANDOVER_PARAMETER>>) {
      out->add(*parameter);
    } else {
      out->add(new HANDOVER_PARAMETER(*parameter));
    }
  }
  return from->count();
}

}  // namespace

Featurelist_Element::Featurelist_Element(PARSE_ATTACHMENT* source)
    : entityParameters_(std::make_unique<ParameterList>()),
      functionParameters_(std::make_unique<ParameterList>()) {
  if (source == nullptr) {
    return;
  }
  source->GetFileName(fileName_);
  path_ = PathOf(*source);
  ReadDefinition(source);
  set_feature_type(source->SourceCode());
}

Featurelist_Element::Featurelist_Element(const PVMStrg& file, const PVMStrg& text)
    : description_(text),
      entityParameters_(std::make_unique<ParameterList>()),
      functionParameters_(std::make_unique<ParameterList>()),
      fileName_(file) {
  PARSE_ATTACHMENT source(text, static_cast<PARSE_ATTACHMENT*>(nullptr));
  ReadDefinition(&source);
  set_feature_type(source.SourceCode());
}

Featurelist_Element::~Featurelist_Element() = default;

// ENTITY name and its attributes, FUNCTION name and its parameters; everything else is skipped.
// A list that runs into a keyword hands that keyword back, so a damaged definition loses only
// the damaged list.
void Featurelist_Element::ReadDefinition(PARSE_ATTACHMENT* source) {
  source->Rewind();
  TokenReader reader(source);
  int code = reader.Next();
  while (code != novl::END_OF_TEXT) {
    int resume = 0;
    if (code == novl::ENTITY) {
      if ((code = reader.Next()) == novl::IDENT) {
        entityName_ = reader.Value();
        featureName_ = entityName_;
        featureName_ >> "feature_";
        code = ReadEntityParameter(reader, *entityParameters_);
        resume = code == novl::END_ENTITY ? 0 : code;
      } else {
        resume = code;
      }
    } else if (code == novl::FUNCTION) {
      if ((code = reader.Next()) == novl::IDENT) {
        functionName_ = reader.Value();
        code = ReadFunctionParameter(reader, *functionParameters_);
        resume = code == ')' ? 0 : code;
      } else {
        resume = code;
      }
    }
    code = resume != 0 ? resume : reader.Next();
  }
  source->Rewind();
}

XBOOL Featurelist_Element::operator==(const Featurelist_Element& other) const {
  return ToXBool(featureName_ == other.featureName_ && functionName_ == other.functionName_ &&
                 entityName_ == other.entityName_ && featureType_ == other.featureType_ &&
                 description_ == other.description_ && geometry_ == other.geometry_ &&
                 SameBlocks(contour_, other.contour_) &&
                 SameParameters(entityParameters_.get(), other.entityParameters_.get()) &&
                 SameParameters(functionParameters_.get(), other.functionParameters_.get()));
}

const char* Featurelist_Element::GetFeatureName(PVMStrg& out) const {
  out = featureName_;
  return out;
}

const char* Featurelist_Element::GetFunctionName(PVMStrg& out) const {
  out = functionName_;
  return out;
}

const char* Featurelist_Element::GetEntityName(PVMStrg& out) const {
  out = entityName_;
  return out;
}

const char* Featurelist_Element::GetFeatureType(PVMStrg& out) const {
  out = featureType_;
  return out;
}

const char* Featurelist_Element::GetFileName(PVMStrg& out) const {
  out = fileName_;
  return out;
}

const char* Featurelist_Element::GetPathName(PVMStrg& out) const {
  out = path_;
  return out;
}

int Featurelist_Element::GetFeatureContour(PVFBinBlockList& out) const {
  out = contour_;
  return static_cast<int>(out.Length());
}

void Featurelist_Element::set_feature_type(const PVMStrg& text) {
  int tokens = 0;
  {
    TokenReader reader(text);
    while (tokens < 2 && reader.Next() != novl::END_OF_TEXT) {
      ++tokens;
    }
  }
  if (tokens == 1) {
    featureType_ = varnex::library::Trimmed(text);
    return;
  }
  featureType_ = "ATTRIBUTE";
  if (IsEntityParameter("replacement") != nullptr) {
    featureType_ = "TRANSFORMATION";
  }
  if (IsEntityParameter("combine_constraint") == nullptr) {
    return;
  }
  featureType_ = "SOLID";
  // combine_constraint := 'positive' / 'negative' somewhere in the text refines the type.
  enum { kNothing, kName, kAssign } state = kNothing;
  TokenReader reader(text);
  for (int code = reader.Next(); code != novl::END_OF_TEXT; code = reader.Next()) {
    if (state == kAssign && code == novl::STRING_CONST &&
        (reader.Value() == "positive" || reader.Value() == "negative")) {
      featureType_ = reader.Value() == "positive" ? "SOLID_POSITIVE" : "SOLID_NEGATIVE";
      return;
    }
    if (state == kName && code == novl::ASSIGN) {
      state = kAssign;
    } else {
      state = code == novl::IDENT && reader.Value() == "combine_constraint" ? kName : kNothing;
    }
  }
}

void_list* Featurelist_Element::get_entity_list() const {
  return entityParameters_.get();
}

void_list* Featurelist_Element::get_paralist() const {
  return functionParameters_.get();
}

int Featurelist_Element::GetFunctionParameters(VALUE_LIST<HANDOVER_PARAMETER>* out) const {
  return CopyParameters(functionParameters_.get(), out);
}

int Featurelist_Element::GetEntityParameters(VALUE_LIST<HANDOVER_PARAMETER>* out) const {
  return CopyParameters(entityParameters_.get(), out);
}

int Featurelist_Element::GetFunctionParameters(GENERIC_LIST<HANDOVER_PARAMETER>* out) const {
  return CopyParameters(functionParameters_.get(), out);
}

int Featurelist_Element::GetEntityParameters(GENERIC_LIST<HANDOVER_PARAMETER>* out) const {
  return CopyParameters(entityParameters_.get(), out);
}

HANDOVER_PARAMETER* Featurelist_Element::FindParameter(const void_list* list,
                                                       const PVMStrg& name) const {
  for (int i = 0; list != nullptr && i < list->count(); ++i) {
    auto* parameter = static_cast<HANDOVER_PARAMETER*>((*list)[i]);
    if (parameter->Name() == name) {
      return parameter;
    }
  }
  return nullptr;
}

HANDOVER_PARAMETER* Featurelist_Element::IsFunctionParameter(const PVMStrg& name) const {
  return FindParameter(functionParameters_.get(), name);
}

HANDOVER_PARAMETER* Featurelist_Element::IsEntityParameter(const PVMStrg& name) const {
  return FindParameter(entityParameters_.get(), name);
}

XBOOL Featurelist_Element::HasAliasTypeParameter(const PVMStrg& type) const {
  for (const void_list* list : {get_entity_list(), get_paralist()}) {
    for (int i = 0; list != nullptr && i < list->count(); ++i) {
      if (static_cast<HANDOVER_PARAMETER*>((*list)[i])->Type() == type) {
        return TRUE;
      }
    }
  }
  return FALSE;
}

void Featurelist_Element::evict() {
  entityParameters_.reset();
  functionParameters_.reset();
}
