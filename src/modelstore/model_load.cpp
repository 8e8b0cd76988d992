// Saving and loading whole models through packages (see model_load.h).
#include <varnex/geometry/entity.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/model/welt.h>
#include <varnex/modelstore/model_load.h>
#include <varnex/modelstore/packages.h>
#include <varnex/modelstore/restore.h>
#include <varnex/persistence/model_records.h>
#include <varnex/persistence/model_registry.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/tree_functions.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The engine's own stores in the hooks for the duration of one save or load.
class EngineStores {
 public:
  EngineStores()
      : store_fds_(store_fds),
        restore_fds_(restore_fds),
        store_glist_(store_glist),
        restore_glist_(restore_glist) {
    store_fds = &storeds;
    restore_fds = &readds;
    store_glist = nullptr;  // the bodies travel inside the package
    restore_glist = nullptr;
  }
  ~EngineStores() {
    store_fds = store_fds_;
    restore_fds = restore_fds_;
    store_glist = store_glist_;
    restore_glist = restore_glist_;
  }
  EngineStores(const EngineStores&) = delete;
  EngineStores& operator=(const EngineStores&) = delete;

 private:
  int (*store_fds_)(std::FILE*);
  int (*restore_fds_)(std::FILE*);
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

int PVMLoadModel(const char* path) {
  std::string base = BaseOf(path);
  mod_element* old_model = WMODEL != nullptr ? WMODEL->get_current_model() : nullptr;
  if (base.empty() || old_model == nullptr) {
    PVMStoreFailure(base.empty() ? "a model package needs a name ending in .VNX"
                                 : "no model is open");
    return 1;
  }
  if (std::FILE* probe = std::fopen(path, "rb")) {
    std::fclose(probe);
  } else {
    PVMStoreFailure((std::string("cannot read the package ") + path).c_str());
    return 1;
  }
  EngineStores stores;
  const std::string old_name = old_model->get_name();
  const std::string scratch_name = old_name + " (loading)";
  std::vector<ENTITY*> old_bodies = ModelBodies();
  nullwelt* old_world = anfang;
  int old_count = total_count;
  mod_element* scratch = WMODEL->add(scratch_name.c_str());
  if (scratch == nullptr || WMODEL->activate(scratch_name.c_str()) == nullptr) {
    PVMStoreFailure("cannot make a new model to load into");
    return 1;
  }
  int result = 1;
  {
    PVFRestoreFM context(0);
    PVFRestore::SetInstance(&context);
    result = restore_mod_element(base.c_str(), scratch);
    PVFRestore::SetInstance(nullptr);
  }
  std::vector<ENTITY*> new_bodies = BodiesNotIn(old_bodies);
  if (result != 0) {
    DeleteBodies(new_bodies);
    WMODEL->activate(old_name.c_str());
    WMODEL->remove(scratch);
    anfang = old_world;
    total_count = old_count;
    return result;
  }
  int loaded_count = total_count;
  // The old model's nodes go before its objects (they stand for them), while their own model
  // is current; the loaded model starts with an empty tree.
  WMODEL->activate(old_name.c_str());
  if (all_nodes != nullptr && free_nodes != nullptr) {
    PDTdelete();
    PDTinit();
  }
  DeleteBodies(old_bodies);
  WMODEL->activate(scratch_name.c_str());
  WMODEL->remove(old_model);
  WMODEL->rename(scratch_name.c_str(), old_name.c_str());
  WMODEL->activate(old_name.c_str());
  total_count = loaded_count;
  return 0;
}
