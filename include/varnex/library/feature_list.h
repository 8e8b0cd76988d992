// FEATURE_LIST: the feature library. It knows every definition found on its search paths or
// handed over by the host, answers lookups by feature, function and file name, writes
// definitions back to disk, and stores the definitions a model uses into the model so that the
// model opens without the library.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/value_list.h>
#include <varnex/export.h>
#include <varnex/library/feature_element.h>
#include <varnex/library/tree_element.h>

#include <memory>
#include <vector>

class PVFStream;

class VARNEX_API FEATURE_LIST {
 public:
  /// Empty; the search paths are the entries of the context's language path ("NOVLPath",
  /// entries separated by ";" or ":").
  FEATURE_LIST();
  /// Empty search paths; reads the definitions of `directory`.
  explicit FEATURE_LIST(const PVMStrg& directory);
  FEATURE_LIST(const FEATURE_LIST&) = delete;
  FEATURE_LIST& operator=(const FEATURE_LIST&) = delete;
  virtual ~FEATURE_LIST();

  // Lookups: the first match in list order, or null. Elements are owned by the list.
  /// Exact, case-sensitive comparison with the feature name.
  Featurelist_Element* GetFeatureByName(const PVMStrg& name) const;
  Featurelist_Element* GetFeatureByFunction(const PVMStrg& name) const;
  /// Case-insensitive comparison with the file name.
  Featurelist_Element* GetFeatureByFile(const PVMStrg& file) const;
  /// By position; null outside the list.
  Featurelist_Element* operator[](int index) const;
  int Count() const { return static_cast<int>(elements_.size()); }
  /// For "instance.parameter": the element of the instance's feature (name cut at the first
  /// "_@") when it has a function parameter of that name; else null.
  Featurelist_Element* IsFunctionParameter(const PVMStrg& qualified) const;
  /// Whether the instance's feature (entity name E) is used as a parameter type (E) by some
  /// other definition.
  XBOOL IsSubFeature(const PVMStrg& instance) const;
  /// Turns file-base + "_@" + rest into feature name + "_@" + rest, where the element's file
  /// name is file-base + ".NVL" (any letter case); the name is left alone when none matches.
  /// Returns the text.
  const char* OldNameIntoNewName(PVMStrg& name) const;
  /// Whether the feature's source file lies in one of the expanded search paths.
  XBOOL IsSaved(const PVMStrg& feature) const;

  // Editing. The list takes ownership of every element handed to it.
  /// Appends the element unless one of its feature name exists; then it is destroyed. Returns
  /// the element kept (null when it was destroyed).
  Featurelist_Element* AddFeature(Featurelist_Element* element);
  Featurelist_Element* AddFeature(const PVMStrg& file, const PVMStrg& text);
  /// Removes the element of the same feature name (if any) and appends this one. Returns it.
  Featurelist_Element* ReplaceFeature(Featurelist_Element* element);
  Featurelist_Element* ReplaceFeature(const PVMStrg& file, const PVMStrg& text);
  /// Null when an element of that feature name with a description exists already; otherwise
  /// the new element, which replaces any element of that name.
  Featurelist_Element* IncludeFeature(const PVMStrg& file, const PVMStrg& text);
  /// Destroys every element of that feature name; returns their number.
  int RemoveFeature(const PVMStrg& name);
  void Clear();

  // Search paths ("#" in front: the directory and all its subdirectories).
  /// Appends a path (no duplicates, empty paths ignored); returns its index, -1 when ignored.
  int AddNvlPath(const PVMStrg& path);
  int AddNvlPath(const VALUE_LIST<PVMStrg>* paths);
  /// Removes the path; returns its former index, -1 when absent.
  int RemoveNvlPath(const PVMStrg& path);
  /// Removes the given paths; null removes all. Returns the number removed.
  int RemoveNvlPath(const VALUE_LIST<PVMStrg>* paths);
  /// Copies the search paths into `out`; returns their number.
  int GetNvlPath(VALUE_LIST<PVMStrg>* out) const;

  /// Reads every "*.NVL" file of `directory` (extension in any letter case); a definition is
  /// added when its feature name is new (the first definition found wins). Returns the number
  /// added.
  int AddPath(const PVMStrg& directory);
  /// The same, replacing existing definitions of the same name. Returns the number read.
  int ReplacePath(const PVMStrg& directory);
  /// Appends the names of the "*.NVL" files of `directory` to `out` (no duplicates); returns
  /// how many the directory holds.
  int GetFilesFromPath(const PVMStrg& directory, VALUE_LIST<PVMStrg>* out) const;

  /// Re-reads the library: elements with an accessible source file are dropped, the host's
  /// hook may add search paths, every expanded search path is read in order, and the model's
  /// own description (persistent messenger) is added when its feature is unknown. Returns the
  /// number of elements.
  int Read();
  /// Adds the persistent messenger's description when its feature is unknown.
  void ReadSourceCode();

  /// Saves every element (see Featurelist_Element::Save); TRUE when at least one was written.
  XBOOL Save(XBOOL overwrite);
  XBOOL Save(const PVMStrg& directory, XBOOL overwrite);

  /// Writes the definitions the model uses (instances named by the dependency tree, through
  /// the used-instances hook) and the definitions they call. Returns the number written.
  int Store(PVFStream& stream);
  /// The same for the given instance names.
  int Store(PVFStream& stream, const VALUE_LIST<PVMStrg>& instances);
  /// Reads stored definitions back. A stored definition whose feature is known with a readable
  /// description is dropped (the library's own wins). Returns the number of records read, or
  /// -1 when the section is damaged (the records before the damage are kept).
  int Restore(PVFStream& stream);

 private:
  std::vector<std::unique_ptr<Featurelist_Element>>::const_iterator FindByName(
      const PVMStrg& name) const;
  int ReadDirectory(const PVMStrg& directory, bool replace);
  void CollectUsed(const VALUE_LIST<PVMStrg>& instances,
                   std::vector<Featurelist_Element*>& used) const;

  std::vector<std::unique_ptr<Featurelist_Element>> elements_;
  VALUE_LIST<PVMStrg> searchPaths_{TRUE};
};

/// The engine's feature library; created and read with the interpreter's global tables (null
/// before).
extern VARNEX_API FEATURE_LIST* pFeatureList;

/// The host's hook to add further search paths before the library is read; may be null.
extern VARNEX_API int (*pGetPathFromFile)(VALUE_LIST<PVMStrg>*);

/// Expands one search path into `tree`: a path starting with "#" stands for its directory and,
/// recursively, every subdirectory whose name does not start with "." (in name order; a
/// directory reached twice, through links, is taken once). Existing directories become children
/// named by the path ending in "/" (type "EXPANSION" for "#" paths, "NON_EXPANSION" otherwise).
/// Returns the number of directories added.
VARNEX_API int ExpandFeaturePathList(PVMStrg& path, TREE_ELEMENT* tree);
/// Expands every path into `tree`; top-level "EXPANSION" entries become "TOP_EXPANSION".
VARNEX_API int ExpandFeaturePathList(VALUE_LIST<PVMStrg>* paths, TREE_ELEMENT* tree);
/// Appends the directories of the expanded paths to `out` in tree order (no duplicates);
/// returns the number of directories.
VARNEX_API int ExpandFeaturePathList(VALUE_LIST<PVMStrg>* paths, VALUE_LIST<PVMStrg>* out);
VARNEX_API int ExpandFeaturePathList(PVMStrg& path, VALUE_LIST<PVMStrg>* out);
