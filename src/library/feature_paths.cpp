// The feature library's search paths: expansion of "#" paths into directory trees, reading
// directories of definitions, and re-reading the whole library.
#include <varnex/language/parse_attachment.h>
#include <varnex/library/feature_list.h>
#include <varnex/library/library_hooks.h>

#include <set>
#include <string>

#include "library/library_files.h"

using varnex::library::AsDirectory;

int (*pGetPathFromFile)(VALUE_LIST<PVMStrg>*) = nullptr;

namespace {

PVMStrg WithoutTrailingSlash(const PVMStrg& path) {
  PVMStrg directory(path);
  directory.ReplaceAll('\\', '/');
  while (directory.Length() > 1 && directory.EndsWith('/')) {
    directory - 1;
  }
  return directory;
}

// Adds `path` below `tree` when it is a directory, then (recursive) its subdirectories below
// that entry. `visited` holds the directories already taken, so links cannot loop.
int Expand(const PVMStrg& path, bool recursive, TREE_ELEMENT* tree,
           std::set<std::string>& visited) {
  PVMStrg directory = WithoutTrailingSlash(path);
  if (!varnex::library::IsDirectory(directory) ||
      !visited.insert(varnex::library::CanonicalKey(directory)).second) {
    return 0;
  }
  directory = AsDirectory(directory);
  int added = 0;
  TREE_ELEMENT* entry = tree;
  if (tree->Name() != directory) {
    entry = tree->Add(directory, recursive ? "EXPANSION" : "NON_EXPANSION");
    ++added;
  }
  if (recursive) {
    for (const std::string& name : varnex::library::ListSubdirectories(directory)) {
      added += Expand(directory & name.c_str(), true, entry, visited);
    }
  }
  return added;
}

void CollectDirectories(const TREE_ELEMENT& tree, VALUE_LIST<PVMStrg>& out, int& added) {
  for (int i = 0; i < tree.Count(); ++i) {
    const TREE_ELEMENT& child = *tree[i];
    if (out.lookup(child.Name()) < 0) {
      out.add(child.Name());
      ++added;
    }
    CollectDirectories(child, out, added);
  }
}

}  // namespace

int ExpandFeaturePathList(PVMStrg& path, TREE_ELEMENT* tree) {
  if (tree == nullptr || path.IsVoid()) {
    return 0;
  }
  std::set<std::string> visited;
  if (path.StartsWith('#')) {
    return Expand(PVMStrg(path.GetpStr() + 1), true, tree, visited);
  }
  return Expand(path, false, tree, visited);
}

int ExpandFeaturePathList(VALUE_LIST<PVMStrg>* paths, TREE_ELEMENT* tree) {
  if (paths == nullptr || tree == nullptr) {
    return 0;
  }
  int added = 0;
  for (int i = 0; i < paths->count(); ++i) {
    added += ExpandFeaturePathList((*paths)[i], tree);
  }
  for (int i = 0; i < tree->Count(); ++i) {
    if ((*tree)[i]->Type() == "EXPANSION") {
      (*tree)[i]->SetType("TOP_EXPANSION");
    }
  }
  return added;
}

int ExpandFeaturePathList(VALUE_LIST<PVMStrg>* paths, VALUE_LIST<PVMStrg>* out) {
  if (paths == nullptr || out == nullptr) {
    return 0;
  }
  TREE_ELEMENT root;
  ExpandFeaturePathList(paths, &root);
  int added = 0;
  CollectDirectories(root, *out, added);
  return added;
}

int ExpandFeaturePathList(PVMStrg& path, VALUE_LIST<PVMStrg>* out) {
  VALUE_LIST<PVMStrg> paths;
  paths.add(path);
  return ExpandFeaturePathList(&paths, out);
}

int FEATURE_LIST::ReadDirectory(const PVMStrg& directory, bool replace) {
  const PVMStrg path = AsDirectory(directory);
  int taken = 0;
  for (const std::string& file : varnex::library::ListNvlFiles(path)) {
    PARSE_ATTACHMENT source(PVMStrg(file), path);
    auto element = std::make_unique<Featurelist_Element>(&source);
    if (element->FeatureName().IsVoid()) {
      continue;  // no ENTITY: not a feature definition
    }
    if (replace) {
      ReplaceFeature(element.release());
      ++taken;
    } else if (AddFeature(element.release()) != nullptr) {
      ++taken;
    }
  }
  return taken;
}

int FEATURE_LIST::AddPath(const PVMStrg& directory) {
  return ReadDirectory(directory, false);
}

int FEATURE_LIST::ReplacePath(const PVMStrg& directory) {
  return ReadDirectory(directory, true);
}

int FEATURE_LIST::GetFilesFromPath(const PVMStrg& directory, VALUE_LIST<PVMStrg>* out) const {
  std::vector<std::string> files = varnex::library::ListNvlFiles(AsDirectory(directory));
  for (const std::string& file : files) {
    if (out != nullptr && out->lookup(PVMStrg(file)) < 0) {
      out->add(PVMStrg(file));
    }
  }
  return static_cast<int>(files.size());
}

int FEATURE_LIST::Read() {
  std::erase_if(elements_, [](const std::unique_ptr<Featurelist_Element>& element) {
    PVMStrg path, file;
    element->GetPathName(path);
    element->GetFileName(file);
    return path.IsNotVoid() && varnex::library::CanOpenForReading(AsDirectory(path) & file);
  });
  if (pGetPathFromFile != nullptr) {
    pGetPathFromFile(&searchPaths_);
  }
  VALUE_LIST<PVMStrg> directories;
  ExpandFeaturePathList(&searchPaths_, &directories);
  for (int i = 0; i < directories.count(); ++i) {
    AddPath(directories[i]);
  }
  ReadSourceCode();
  return Count();
}

void FEATURE_LIST::ReadSourceCode() {
  PVFNovlDescriptionProvider provider = GetLibraryNovlDescriptionProvider();
  PVMStrg name, text;
  if (provider == nullptr || !provider(name, text) || text.IsVoid()) {
    return;
  }
  AddFeature(name, text);
}

XBOOL FEATURE_LIST::IsSaved(const PVMStrg& feature) const {
  Featurelist_Element* element = GetFeatureByName(feature);
  if (element == nullptr) {
    return FALSE;
  }
  VALUE_LIST<PVMStrg> paths(searchPaths_);
  VALUE_LIST<PVMStrg> directories;
  ExpandFeaturePathList(&paths, &directories);
  return element->IsSaved(directories);
}
