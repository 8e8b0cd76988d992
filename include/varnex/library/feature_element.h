// Featurelist_Element: one feature definition of the library — the names and parameter lists
// read from its NOVL text, its type, the text itself (read lazily from the .NVL file), and the
// companion geometry (.NOV: a text part and binary 2D contour blocks).
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/value_list.h>
#include <varnex/base/void_list.h>
#include <varnex/export.h>
#include <varnex/library/handover_parameter.h>
#include <varnex/persistence/bin_block.h>

#include <memory>
#include <string>

class PARSE_ATTACHMENT;

/// The separator between the text part and the binary part of a geometry file.
inline constexpr const char* kNovBinarySeparator = "*+++*BINARY*+++*";

class VARNEX_API Featurelist_Element {
 public:
  /// Reads the definition from `source`; file name and path come from it. The description is
  /// not kept: it is read again from the file when asked for.
  explicit Featurelist_Element(PARSE_ATTACHMENT* source);
  /// Reads the definition from `text`, which becomes the description; `file` is the file name
  /// (no path).
  Featurelist_Element(const PVMStrg& file, const PVMStrg& text);
  Featurelist_Element(const Featurelist_Element&) = delete;
  Featurelist_Element& operator=(const Featurelist_Element&) = delete;
  virtual ~Featurelist_Element();

  /// Same names, type, description, geometry, contours and parameters (where the files lie
  /// does not count).
  XBOOL operator==(const Featurelist_Element& other) const;
  XBOOL operator!=(const Featurelist_Element& other) const { return ToXBool(!(*this == other)); }

  // Accessors copy into `out` and return its text.
  const char* GetFeatureName(PVMStrg& out) const;
  const char* GetFunctionName(PVMStrg& out) const;
  const char* GetEntityName(PVMStrg& out) const;
  const char* GetFeatureType(PVMStrg& out) const;
  const char* GetFileName(PVMStrg& out) const;
  const char* GetPathName(PVMStrg& out) const;
  const char* get_feature_type() const { return featureType_; }
  const char* get_theFilename() const { return fileName_; }
  const char* get_theFuncname() const { return functionName_; }
  /// The description as held (empty until read).
  const char* get_content() const { return description_; }
  const PVMStrg& FeatureName() const { return featureName_; }

  /// The description; read from path + file name (comments removed) when none is held.
  const char* GetFeatureDescription(PVMStrg& out);
  /// The geometry text; read from the geometry file when none is held.
  const char* GetFeatureGeometry(PVMStrg& out);
  XBOOL HasFeatureDescription() const { return description_.IsNotVoid(); }
  XBOOL HasFeatureGeometry() const { return geometry_.IsNotVoid(); }
  XBOOL HasFeatureContour() const { return ToXBool(contour_.Length() > 0); }
  void SetFeatureGeometry(const PVMStrg& geometry) { geometry_ = geometry; }
  void SetFeatureContour(const PVFBinBlockList& contour) { contour_ = contour; }
  /// Copies the contour blocks into `out`; returns their number.
  int GetFeatureContour(PVFBinBlockList& out) const;
  /// The bytes of a geometry file (".NOV") that ReadNOVFile reads back as this geometry text
  /// and these contour blocks.
  static std::string NovFileBytes(const PVMStrg& geometry, const PVFBinBlockList& contour);

  /// Sets the type: a text of one token is the type itself; otherwise ATTRIBUTE, TRANSFORMATION
  /// (entity parameter "replacement") or SOLID (entity parameter "combine_constraint"), the
  /// latter refined to SOLID_POSITIVE/SOLID_NEGATIVE by combine_constraint := 'positive' or
  /// 'negative' in the text.
  void set_feature_type(const PVMStrg& text);

  /// The parameter lists (elements HANDOVER_PARAMETER*, owned by this element; null after
  /// evict()).
  void_list* get_entity_list() const;
  void_list* get_paralist() const;
  /// Copies of the parameters appended to `out`; returns their number.
  int GetFunctionParameters(VALUE_LIST<HANDOVER_PARAMETER>* out) const;
  int GetEntityParameters(VALUE_LIST<HANDOVER_PARAMETER>* out) const;
  /// As above, appending new copies that the caller owns and deletes.
  int GetFunctionParameters(GENERIC_LIST<HANDOVER_PARAMETER>* out) const;
  int GetEntityParameters(GENERIC_LIST<HANDOVER_PARAMETER>* out) const;
  /// The parameter of that name, or null. Owned by this element.
  HANDOVER_PARAMETER* IsFunctionParameter(const PVMStrg& name) const;
  HANDOVER_PARAMETER* IsEntityParameter(const PVMStrg& name) const;
  /// Whether any parameter (entity or function) has the type `type`.
  XBOOL HasAliasTypeParameter(const PVMStrg& type) const;
  /// Destroys both parameter lists.
  void evict();

  /// Reads the geometry file beside the source file: the text part into the geometry, the
  /// binary blocks after kNovBinarySeparator into the contours. TRUE when the file was read.
  XBOOL ReadNOVFile();

  /// Writes the description to its own file name (or feature name + ".NVL") in its own path (or
  /// the first directory of the context's language path), and the geometry beside it. Without
  /// `overwrite` an existing file is never touched. TRUE when the description was written.
  XBOOL Save(XBOOL overwrite);
  /// The same into `directory`.
  XBOOL Save(const PVMStrg& directory, XBOOL overwrite);
  XBOOL Save(const PVMStrg& file, const PVMStrg& directory, XBOOL overwrite);
  /// Whether the source file lies in one of `directories`.
  XBOOL IsSaved(const VALUE_LIST<PVMStrg>& directories) const;

 private:
  class ParameterList;
  void ReadDefinition(PARSE_ATTACHMENT* source);
  HANDOVER_PARAMETER* FindParameter(const void_list* list, const PVMStrg& name) const;
  PVMStrg SaveFileName() const;
  PVMStrg SaveDirectory() const;

  PVMStrg featureName_;
  PVMStrg functionName_;
  PVMStrg entityName_;
  PVMStrg featureType_;
  PVMStrg description_;
  PVMStrg geometry_;
  PVFBinBlockList contour_;
  std::unique_ptr<ParameterList> entityParameters_;
  std::unique_ptr<ParameterList> functionParameters_;
  PVMStrg fileName_;
  PVMStrg path_;
};
