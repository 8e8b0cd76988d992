// FEATURE_LIST::Store and Restore: the definitions a model uses, written into the model so
// that it opens without the library.
//
// Record layout, repeated for each definition:
//   0                                  record tag
//   "file name"                        quoted C strings
//   "feature name"
//   "description"
//   -GEOMETRY-  "geometry"             only when there is a geometry text
//   -2DCONTUR-  <binary block>         only when there are contours: the blocks as sub-records
//   ---
#include <varnex/library/feature_list.h>
#include <varnex/library/library_hooks.h>
#include <varnex/persistence/bin_block.h>
#include <varnex/persistence/stream.h>

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* kGeometryMarker = "-GEOMETRY-";
constexpr const char* kContourMarker = "-2DCONTUR-";
constexpr const char* kRecordEnd = "---";

bool Contains(const std::vector<Featurelist_Element*>& set, const Featurelist_Element* element) {
  return std::find(set.begin(), set.end(), element) != set.end();
}

void WriteRecord(PVFStream& stream, Featurelist_Element& element) {
  PVMStrg file, feature, description, geometry;
  stream << 0 << Endl;
  stream.PutCString(element.GetFileName(file));
  stream << Endl;
  stream.PutCString(element.GetFeatureName(feature));
  stream << Endl;
  stream.PutCString(element.GetFeatureDescription(description));
  stream << Endl;
  if (PVMStrg(element.GetFeatureGeometry(geometry)).IsNotVoid()) {
    stream << kGeometryMarker << Endl;
    stream.PutCString(geometry);
    stream << Endl;
  }
  PVFBinBlockList contours;
  if (element.GetFeatureContour(contours) > 0) {
    PVFBinBlock joined;
    for (unsigned i = 0; i < contours.Length(); ++i) {
      joined.Connect(contours[i]);
    }
    stream << kContourMarker << Endl << joined;
  }
  stream << kRecordEnd << Endl;
}

// A quoted C string; false when the next item is none.
bool ReadQuoted(PVFStream& stream, PVMStrg& text) {
  stream.Skip();
  if (stream.Peek() != '"') {
    return false;
  }
  stream.GetCString(text);
  return true;
}

struct StoredDefinition {
  PVMStrg file;
  PVMStrg feature;
  PVMStrg description;
  PVMStrg geometry;
  PVFBinBlockList contours;
};

// One record after its tag; false when it is damaged or truncated.
bool ReadRecord(PVFStream& stream, StoredDefinition& record) {
  if (!ReadQuoted(stream, record.file) || !ReadQuoted(stream, record.feature) ||
      !ReadQuoted(stream, record.description)) {
    return false;
  }
  PVMStrg word;
  stream >> word;
  if (word == kGeometryMarker) {
    if (!ReadQuoted(stream, record.geometry)) {
      return false;
    }
    stream >> word;
  }
  if (word == kContourMarker) {
    PVFBinBlock joined, part;
    stream >> joined;
    while (joined.UnConnectFirst(part) != nullptr) {
      record.contours.Add(part);
    }
    stream >> word;
  }
  return word == kRecordEnd;
}

}  // namespace

void FEATURE_LIST::CollectUsed(const VALUE_LIST<PVMStrg>& instances,
                               std::vector<Featurelist_Element*>& used) const {
  for (int i = 0; i < instances.count(); ++i) {
    PVMStrg feature(instances[i]);
    feature << "_@";
    Featurelist_Element* element = GetFeatureByName(feature);
    if (element != nullptr && !Contains(used, element)) {
      used.push_back(element);
    }
  }
  // Close over calls: a definition whose function name a member's text mentions is used too.
  for (std::size_t member = 0; member < used.size(); ++member) {
    PVMStrg text;
    used[member]->GetFeatureDescription(text);
    for (const auto& candidate : elements_) {
      PVMStrg function(candidate->get_theFuncname()), description;
      if (function.IsNotVoid() && text.Find(function) && !Contains(used, candidate.get()) &&
          PVMStrg(candidate->GetFeatureDescription(description)).IsNotVoid()) {
        used.push_back(candidate.get());
      }
    }
  }
}

int FEATURE_LIST::Store(PVFStream& stream) {
  VALUE_LIST<PVMStrg> instances;
  if (PVFUsedInstancesProvider provider = GetLibraryUsedInstancesProvider()) {
    provider(&instances);
  }
  return Store(stream, instances);
}

int FEATURE_LIST::Store(PVFStream& stream, const VALUE_LIST<PVMStrg>& instances) {
  std::vector<Featurelist_Element*> used;
  CollectUsed(instances, used);
  int written = 0;
  for (Featurelist_Element* element : used) {
    PVMStrg description;
    if (PVMStrg(element->GetFeatureDescription(description)).IsNotVoid()) {
      WriteRecord(stream, *element);
      ++written;
    }
  }
  return written;
}

int FEATURE_LIST::Restore(PVFStream& stream) {
  int restored = 0;
  for (;;) {
    stream.Skip();
    char next = stream.Peek();
    if (next == PVF_END_OF_INPUT || next == '\0') {
      return restored;
    }
    int tag = -1;
    if (std::isdigit(static_cast<unsigned char>(next)) == 0 || (stream >> tag, tag != 0)) {
      return -1;
    }
    StoredDefinition record;
    if (!ReadRecord(stream, record)) {
      return -1;
    }
    ++restored;
    auto element = std::make_unique<Featurelist_Element>(record.file, record.description);
    if (element->FeatureName().IsVoid()) {
      continue;  // a text without ENTITY defines no feature
    }
    element->SetFeatureGeometry(record.geometry);
    element->SetFeatureContour(record.contours);
    Featurelist_Element* known = GetFeatureByName(element->FeatureName());
    PVMStrg known_text;
    if (known == nullptr) {
      AddFeature(element.release());
    } else if (PVMStrg(known->GetFeatureDescription(known_text)).IsVoid()) {
      ReplaceFeature(element.release());
    }
  }
}
