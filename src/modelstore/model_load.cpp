// Saving and loading whole models through packages (see model_load.h).
#include <varnex/geometry/entity.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/library/feature_element.h>
#include <varnex/library/feature_list.h>
#include <varnex/model/contour.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/modelstore/model_load.h>
#include <varnex/modelstore/packages.h>
#include <varnex/modelstore/restore.h>
#include <varnex/modelstore/tree_file.h>
#include <varnex/persistence/model_records.h>
#include <varnex/persistence/model_registry.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/tree_functions.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <unordered_set>
#include <vector>

#include "modelstore/messenger_merge.h"

namespace {

// The engine's own stores in the hooks for the duration of one save or load.
class EngineStores {
 public:
  EngineStores()
      : store_fds_(store_fds),
        restore_fds_(restore_fds),
        store_pdt_(store_pdt),
        restore_pdt_(restore_pdt),
        store_glist_(store_glist),
        restore_glist_(restore_glist) {
    store_fds = &storeds;
    restore_fds = &readds;
    store_pdt = &PVMStoreTreeFile;
    restore_pdt = &PVMRestoreTreeFile;
    store_glist = nullptr;  // the bodies travel inside the package
    restore_glist = nullptr;
  }
  ~EngineStores() {
    store_fds = store_fds_;
    restore_fds = restore_fds_;
    store_pdt = store_pdt_;
    restore_pdt = restore_pdt_;
    store_glist = store_glist_;
    restore_glist = restore_glist_;
  }
  EngineStores(const EngineStores&) = delete;
  EngineStores& operator=(const EngineStores&) = delete;

 private:
  int (*store_fds_)(std::FILE*);
  int (*restore_fds_)(std::FILE*);
  int (*store_pdt_)(std::FILE*);
  int (*restore_pdt_)(std::FILE*);
  int (*store_glist_)(std::FILE*, geo_list*);
  geo_list* (*restore_glist_)(std::FILE*);
};

// The package name without its ".VNX"; empty when the name does not end so.
std::string BaseOf(const char* path) {
  std::string name(path != nullptr ? path : "");
  const std::string extension = ".VNX";
  if (name.size() <= extension.size() ||
      name.compare(name.size() - extension.size(), extension.size(), extension) != 0) {
    return "";
  }
  return name.substr(0, name.size() - extension.size());
}

std::vector<ENTITY*> BodiesNotIn(const std::vector<ENTITY*>& before) {
  std::vector<ENTITY*> added;
  for (int i = 0; i < gmod_anfang->count(); ++i) {
    ENTITY* body = (*gmod_anfang)[i];
    if (std::find(before.begin(), before.end(), body) == before.end()) {
      added.push_back(body);
    }
  }
  return added;
}

std::vector<ENTITY*> ModelBodies() {
  std::vector<ENTITY*> bodies;
  for (int i = 0; i < gmod_anfang->count(); ++i) {
    bodies.push_back((*gmod_anfang)[i]);
  }
  return bodies;
}

void DeleteBodies(const std::vector<ENTITY*>& bodies) {
  for (ENTITY* body : bodies) {
    api_delent(body);
  }
}

// The feature definitions the library holds before a load, so that a failed load can take
// away the definitions its package brought.
class LibraryBefore {
 public:
  LibraryBefore() {
    for (int i = 0; pFeatureList != nullptr && i < pFeatureList->Count(); ++i) {
      names_.insert((*pFeatureList)[i]->FeatureName().GetpStr());
    }
  }
  void RemoveAdded() const {
    std::vector<PVMStrg> added;
    for (int i = 0; pFeatureList != nullptr && i < pFeatureList->Count(); ++i) {
      const PVMStrg& name = (*pFeatureList)[i]->FeatureName();
      if (names_.count(name.GetpStr()) == 0) {
        added.push_back(name);
      }
    }
    for (const PVMStrg& name : added) {
      pFeatureList->RemoveFeature(name);
    }
  }

 private:
  std::unordered_set<std::string> names_;
};

}  // namespace

PVMStrg PVMSaveModel(const char* path) {
  std::string base = BaseOf(path);
  mod_element* model = WMODEL != nullptr ? WMODEL->get_current_model() : nullptr;
  if (base.empty() || model == nullptr) {
    PVMStoreFailure(base.empty() ? "a model package needs a name ending in .VNX"
                                 : "no model is open");
    return PVMStrg();
  }
  EngineStores stores;
  nullwelt* current = anfang;
  anfang = model->GetRootWorld();
  int result = store_mod_element(base.c_str(), model);
  anfang = current;
  return result == 0 ? PVMStrg((base + ".VNX").c_str()) : PVMStrg();
}

namespace {

// The tree's global containers: a load restores into containers of its own and swaps them in
// only when the whole package was read.
struct TreeContainers {
  PDTnodes* nodes = nullptr;
  rvoid_list* free = nullptr;
  rvoid_list* selected = nullptr;

  static TreeContainers Current() { return {all_nodes, free_nodes, selected_nodes}; }
  static TreeContainers Fresh() { return {new PDTnodes(), new rvoid_list(), new rvoid_list()}; }
  void Install() const {
    all_nodes = nodes;
    free_nodes = free;
    selected_nodes = selected;
  }
  // Destroys the nodes (while their model is current) and the containers.
  void Destroy() const {
    TreeContainers previous = Current();
    Install();
    if (nodes != nullptr && free != nullptr) {
      PDTdelete();
    }
    delete nodes;
    delete free;
    delete selected;
    previous.Install();
  }
};

// Checks the package name and that the file can be read; the base name, or empty (reported).
std::string ReadablePackage(const char* path, mod_element* model) {
  std::string base = BaseOf(path);
  if (base.empty() || model == nullptr) {
    PVMStoreFailure(base.empty() ? "a model package needs a name ending in .VNX"
                                 : "no model is open");
    return "";
  }
  if (std::FILE* probe = std::fopen(path, "rb")) {
    std::fclose(probe);
    return base;
  }
  PVMStoreFailure((std::string("cannot read the package ") + path).c_str());
  return "";
}

}  // namespace

int PVMLoadModel(const char* path) {
  mod_element* old_model = WMODEL != nullptr ? WMODEL->get_current_model() : nullptr;
  std::string base = ReadablePackage(path, old_model);
  if (base.empty()) {
    return 1;
  }
  EngineStores stores;
  LibraryBefore library;
  const std::string old_name = old_model->get_name();
  const std::string scratch_name = old_name + " (loading)";
  std::vector<ENTITY*> old_bodies = ModelBodies();
  nullwelt* old_world = anfang;
  int old_count = total_count;
  int old_ident_count = PVFconnect2dBa::GetIdentCount();
  mod_element* scratch = WMODEL->add(scratch_name.c_str());
  if (scratch == nullptr || WMODEL->activate(scratch_name.c_str()) == nullptr) {
    PVMStoreFailure("cannot make a new model to load into");
    return 1;
  }
  const bool with_tree = all_nodes != nullptr && free_nodes != nullptr;
  TreeContainers old_tree = TreeContainers::Current();
  TreeContainers new_tree = with_tree ? TreeContainers::Fresh() : TreeContainers{};
  new_tree.Install();
  int result = 1;
  {
    PVFRestoreFM context(0);
    PVFRestore::SetInstance(&context);
    result = restore_mod_element(base.c_str(), scratch);
    if (result == 0) {
      context.Finish();
    }
    PVFRestore::SetInstance(nullptr);
  }
  std::vector<ENTITY*> new_bodies = BodiesNotIn(old_bodies);
  if (result != 0) {
    new_tree.Destroy();  // while the model they stand for is current
    old_tree.Install();
    DeleteBodies(new_bodies);
    WMODEL->activate(old_name.c_str());
    WMODEL->remove(scratch);
    anfang = old_world;
    total_count = old_count;
    PVFconnect2dBa::SetIdentCount(old_ident_count);
    library.RemoveAdded();
    return result;
  }
  int loaded_count = total_count;
  // The old model's nodes go before its objects (they stand for them), while their own model
  // is current.
  WMODEL->activate(old_name.c_str());
  old_tree.Destroy();
  DeleteBodies(old_bodies);
  new_tree.Install();
  WMODEL->activate(scratch_name.c_str());
  WMODEL->remove(old_model);
  WMODEL->rename(scratch_name.c_str(), old_name.c_str());
  WMODEL->activate(old_name.c_str());
  total_count = loaded_count;
  return 0;
}

int PVMMergeModel(const char* path, int* renamed) {
  if (renamed != nullptr) {
    *renamed = 0;
  }
  mod_element* model = WMODEL != nullptr ? WMODEL->get_current_model() : nullptr;
  std::string base = ReadablePackage(path, model);
  if (base.empty()) {
    return 1;
  }
  EngineStores stores;
  LibraryBefore library;
  varnex::modelstore::MessengerAside messenger;
  // What the model holds now, so that a failed merge can take away what it added.
  std::vector<ENTITY*> old_bodies = ModelBodies();
  GENERIC_LIST<rumpf> listed;
  list_world(&listed, nullptr);
  std::unordered_set<rumpf*> old_objects;
  for (int i = 0; i < listed.count(); ++i) {
    old_objects.insert(listed[i]);
  }
  std::unordered_set<PDTnode*> old_nodes;
  if (all_nodes != nullptr) {
    old_nodes.insert(all_nodes->begin(), all_nodes->end());
  }
  const int old_count = total_count;
  const int old_id_count = PDTnode::get_id_count();
  const int old_ident_count = PVFconnect2dBa::GetIdentCount();
  int result = 1;
  {
    PVFRestoreFM context;
    PVFRestore::SetInstance(&context);
    result = restore_mod_element(base.c_str(), model);
    if (result == 0) {
      context.Finish();
      if (renamed != nullptr) {
        *renamed = static_cast<int>(context.RenamedIdentifiers().size());
      }
    }
    PVFRestore::SetInstance(nullptr);
  }
  if (result == 0) {
    messenger.Rejoin();
    return 0;
  }
  // The nodes first (their links released before any goes), then the objects and bodies.
  std::vector<PDTnode*> added_nodes;
  if (all_nodes != nullptr) {
    for (PDTnode* node : *all_nodes) {
      if (old_nodes.count(node) == 0) {
        added_nodes.push_back(node);
      }
    }
  }
  for (PDTnode* node : added_nodes) {
    if (node->IsTypeOf("PDTcomb")) {
      static_cast<PDTcomb*>(node)->ReleaseOperands();
    }
  }
  for (auto it = added_nodes.rbegin(); it != added_nodes.rend(); ++it) {
    delete *it;
  }
  GENERIC_LIST<rumpf> now;
  list_world(&now, nullptr);
  for (int i = now.count() - 1; i >= 0; --i) {
    if (old_objects.count(now[i]) == 0) {
      delete now[i];
    }
  }
  DeleteBodies(BodiesNotIn(old_bodies));
  total_count = old_count;
  PDTnode::set_id_count(old_id_count);
  PVFconnect2dBa::SetIdentCount(old_ident_count);
  library.RemoveAdded();
  return result;
}
