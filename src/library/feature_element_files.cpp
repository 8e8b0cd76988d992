// Featurelist_Element and its files: the lazily read description, the geometry file with its
// binary contour blocks, and saving.
#include <varnex/language/parse_attachment.h>
#include <varnex/library/feature_element.h>
#include <varnex/library/para_feature.h>

#include <cstring>
#include <string>

#include "library/library_files.h"
#include "library/token_reader.h"

using varnex::library::AsDirectory;
using varnex::library::FindFileIgnoringCase;
using varnex::library::JoinPath;

namespace {

// The text part as a text-mode read sees it: it ends at a NUL or byte 26, CR LF reads as LF.
std::string TextPart(const std::string& bytes) {
  std::size_t end = bytes.find_first_of(std::string("\0\x1a", 2));
  std::string text;
  text.reserve(end == std::string::npos ? bytes.size() : end);
  for (std::size_t i = 0; i < bytes.size() && i != end; ++i) {
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) {
      text += bytes[i];
    }
  }
  return text;
}

PVMStrg WithExtension(const PVMStrg& file, const char* extension) {
  PVMStrg stem(file);
  stem << '.';
  return stem & extension;
}

// Writes `bytes` as `file` in `directory`. A file of that name in any letter case counts as
// existing: without `overwrite` it is left alone, with it that file is replaced.
bool WriteLibraryFile(const PVMStrg& directory, const PVMStrg& file, const std::string& bytes,
                      XBOOL overwrite) {
  PVMStrg existing = FindFileIgnoringCase(directory, file);
  if (existing.IsVoid()) {
    return varnex::library::WriteNewFile(JoinPath(directory, file), bytes);
  }
  return overwrite && varnex::library::ReplaceFile(existing, bytes);
}

}  // namespace

PARSE_ATTACHMENT::PARSE_ATTACHMENT(Featurelist_Element* feature) {
  if (feature == nullptr) {
    return;
  }
  feature->GetFeatureDescription(source_);
  feature->GetFileName(file_name_);
  filter_comments(source_);
  ViewOwnText();
}

const char* Featurelist_Element::GetFeatureDescription(PVMStrg& out) {
  if (description_.IsVoid() && path_.IsNotVoid() && fileName_.IsNotVoid()) {
    PARSE_ATTACHMENT source(fileName_, AsDirectory(path_));
    description_ = source.SourceCode();
  }
  out = description_;
  return out;
}

const char* Featurelist_Element::GetFeatureGeometry(PVMStrg& out) {
  if (geometry_.IsVoid()) {
    ReadNOVFile();
  }
  out = geometry_;
  return out;
}

XBOOL Featurelist_Element::ReadNOVFile() {
  if (path_.IsVoid() || fileName_.IsVoid()) {
    return FALSE;
  }
  PVMStrg file = FindFileIgnoringCase(path_, WithExtension(fileName_, ".NOV"));
  std::string bytes;
  if (file.IsVoid() || !varnex::library::ReadWholeFile(file, bytes)) {
    return FALSE;
  }
  std::size_t separator = bytes.find(kNovBinarySeparator);
  geometry_ = PVMStrg(TextPart(bytes.substr(0, separator)));
  contour_.Clear();
  if (separator != std::string::npos) {
    std::size_t start = separator + std::strlen(kNovBinarySeparator);
    PVFBinBlock rest(reinterpret_cast<const unsigned char*>(bytes.data()) + start,
                     static_cast<unsigned>(bytes.size() - start));
    PVFBinBlock part;
    while (rest.UnConnectFirst(part) != nullptr) {
      contour_.Add(part);
    }
  }
  return TRUE;
}

PVMStrg Featurelist_Element::SaveFileName() const {
  if (fileName_.IsNotVoid() || featureName_.IsVoid()) {
    return fileName_;
  }
  return featureName_ & ".NVL";
}

PVMStrg Featurelist_Element::SaveDirectory() const {
  if (path_.IsNotVoid()) {
    return path_;
  }
  std::vector<PVMStrg> directories =
      varnex::library::SplitPathList(PVMStrg(PVFParaFeature::Current()->GetNOVLPath()));
  if (directories.empty()) {
    return PVMStrg();
  }
  PVMStrg first = directories.front();
  if (first.StartsWith('#')) {
    first >> 0u;  // a recursive search path: its top directory
  }
  return first;
}

XBOOL Featurelist_Element::Save(XBOOL overwrite) {
  return Save(SaveFileName(), SaveDirectory(), overwrite);
}

XBOOL Featurelist_Element::Save(const PVMStrg& directory, XBOOL overwrite) {
  return Save(SaveFileName(), directory, overwrite);
}

// The geometry file carries the text part and, after the separator, every contour block as a
// sub-record, so that ReadNOVFile gives back what was saved.
std::string Featurelist_Element::NovFileBytes(const PVMStrg& geometry,
                                              const PVFBinBlockList& contour) {
  std::string bytes = varnex::library::ToStd(geometry);
  if (contour.Length() > 0) {
    PVFBinBlock joined;
    for (unsigned i = 0; i < contour.Length(); ++i) {
      joined.Connect(contour[i]);
    }
    bytes += kNovBinarySeparator;
    bytes.append(reinterpret_cast<const char*>(joined.GetpBlock()), joined.Length());
  }
  return bytes;
}

XBOOL Featurelist_Element::Save(const PVMStrg& file, const PVMStrg& directory, XBOOL overwrite) {
  if (description_.IsVoid() || file.IsVoid() || directory.IsVoid()) {
    return FALSE;
  }
  if (!WriteLibraryFile(directory, file, varnex::library::ToStd(description_), overwrite)) {
    return FALSE;
  }
  if (HasFeatureGeometry() || HasFeatureContour()) {
    WriteLibraryFile(directory, WithExtension(file, ".NOV"), NovFileBytes(geometry_, contour_),
                     overwrite);
  }
  return TRUE;
}

XBOOL Featurelist_Element::IsSaved(const VALUE_LIST<PVMStrg>& directories) const {
  PVMStrg file = SaveFileName();
  for (int i = 0; file.IsNotVoid() && i < directories.count(); ++i) {
    if (FindFileIgnoringCase(directories[i], file).IsNotVoid()) {
      return TRUE;
    }
  }
  return FALSE;
}
