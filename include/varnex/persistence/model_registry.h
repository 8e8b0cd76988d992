// The models of a session (WMODEL): each model element has a name, its root world, its bodies
// and its instance counter, and stores and restores itself through the storage hooks.
//
// The storage hooks are function pointers the host (or the engine's own stores) sets; those
// without a default stay null until set. Their results follow C conventions: 0 or a count on
// success, non-zero or -1 on failure, as each says.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <cstdio>
#include <memory>

class geo_list;
class nullwelt;
class rvoid_list;
class PDTnodes;
class mod_element;

/// Data-structure part of a model (B.fds): written and read through a C file.
extern VARNEX_API int (*store_fds)(std::FILE* file);
extern VARNEX_API int (*restore_fds)(std::FILE* file);
/// Geometry part (B.sat): one entity list per geo_list.
extern VARNEX_API int (*store_glist)(std::FILE* file, geo_list* bodies);
extern VARNEX_API geo_list* (*restore_glist)(std::FILE* file);
/// Required by mod_list::store_model / restore_model; not called otherwise.
extern VARNEX_API int (*store_geo)(std::FILE* file, void* geometry);
extern VARNEX_API int (*restore_geo)(const char* file, void*& geometry);
/// Called when a model element is destroyed, with its geometry list and its root world.
extern VARNEX_API int (*delete_geo)(void* geometry);
extern VARNEX_API int (*delete_fds)(void* world);
/// Storing and restoring a whole model element under a base name. The model store installs its
/// store_mod_element and restore_mod_element (<varnex/modelstore/packages.h>) when it is loaded.
extern VARNEX_API int (*store_mod)(const char* name, mod_element* model);
extern VARNEX_API int (*restore_mod)(const char* name, mod_element* model);

/// One model. Owns its geometry list, and its root world when it created one.
class VARNEX_API mod_element {
 public:
  /// A model named `name` ("NoName" for null) without root world; CreateRootWorld makes one.
  explicit mod_element(const char* name);
  /// Calls delete_geo and delete_fds when set, then deletes an owned root world (anfang is
  /// cleared when it pointed into it).
  ~mod_element();
  mod_element(const mod_element&) = delete;
  mod_element& operator=(const mod_element&) = delete;

  const char* get_name() const { return name_; }
  void set_name(const char* name) { name_ = name != nullptr ? name : ""; }
  /// The model's geometry list (never null).
  geo_list* get_geometry() const { return geometry_.get(); }
  /// The model's bodies: the kernel layer's model body list.
  geo_list* get_bodies() const;
  /// The dependency tree's containers while this model is current (not owned; null before the
  /// tree starts).
  rvoid_list* get_free_nodes() const { return free_nodes_; }
  PDTnodes* get_nodes() const { return nodes_; }
  void set_nodes(PDTnodes* nodes, rvoid_list* free_nodes) {
    nodes_ = nodes;
    free_nodes_ = free_nodes;
  }
  void set_totalcnt(int count) { total_count_ = count; }
  int get_totalcnt() const { return total_count_; }
  mod_element* get_next() const { return next_; }
  void set_next(mod_element* next) { next_ = next; }

  /// Makes the current world's root this model's root world; when there is no current world a
  /// new root world is created (ds_init) and owned by this model. Returns the root world.
  nullwelt* CreateRootWorld();
  nullwelt* GetRootWorld() const { return root_; }

  /// store_mod(name, this): its result, or -1 for a null name or hook.
  int store_mod_element(const char* name);
  /// restore_mod(name, this): its result, or -1 for a null name or hook.
  int restore_mod_element(const char* name);

 private:
  friend class mod_list;
  PVFRString name_;
  std::unique_ptr<geo_list> geometry_;
  rvoid_list* free_nodes_ = nullptr;
  PDTnodes* nodes_ = nullptr;
  int total_count_ = 1;
  nullwelt* root_ = nullptr;
  bool owns_root_ = false;
  mod_element* next_ = nullptr;
};

/// The list of models. Owns its elements.
class VARNEX_API mod_list {
 public:
  mod_list();
  ~mod_list();
  mod_list(const mod_list&) = delete;
  mod_list& operator=(const mod_list&) = delete;

  /// Appends a model named `name` ("NoName" for null) and creates its root world; the first
  /// model becomes current. Null when a model of that name exists.
  mod_element* add(const char* name);
  /// Destroys the model; 0, or -1 when it is not in the list.
  int remove(const char* name);
  int remove(mod_element* model);
  /// The model of that name, or null.
  mod_element* lookup(const char* name) const;
  /// 0, or -1 when `old_name` is missing or `new_name` taken.
  int rename(const char* old_name, const char* new_name);
  /// Makes the model current and its root world the current world; null when missing.
  mod_element* activate(const char* name);
  /// No model is current afterwards; returns the previous one.
  mod_element* deactivate();
  mod_element* get_current_model() const { return current_; }
  mod_element* get_first() const { return first_; }
  int count() const;

  /// Stores the model `name` (the current one for null) under the base name `file`: -1 while
  /// store_fds or store_geo is null or the model is missing, else the model's store result.
  int store_model(const char* name, const char* file);
  /// Restores into the model `name` (current for null): -1 while restore_fds or restore_geo is
  /// null or the model is missing, else the model's restore result.
  int restore_model(const char* name, const char* file);

 private:
  mod_element* first_ = nullptr;
  mod_element* current_ = nullptr;
};

/// The session's models: created by initialize_modeller with one model, deleted by
/// deinitialize_modeller. Null outside.
extern VARNEX_API mod_list* WMODEL;
