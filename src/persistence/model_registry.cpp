// The session's models (WMODEL) and the storage hooks.
#include <varnex/geometry/entity.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/model/welt.h>
#include <varnex/persistence/model_registry.h>

#include <cstring>

int (*store_fds)(std::FILE*) = nullptr;
int (*restore_fds)(std::FILE*) = nullptr;
int (*store_glist)(std::FILE*, geo_list*) = nullptr;
geo_list* (*restore_glist)(std::FILE*) = nullptr;
int (*store_geo)(std::FILE*, void*) = nullptr;
int (*restore_geo)(const char*, void*&) = nullptr;
int (*delete_geo)(void*) = nullptr;
int (*delete_fds)(void*) = nullptr;
int (*store_mod)(const char*, mod_element*) = nullptr;
int (*restore_mod)(const char*, mod_element*) = nullptr;

mod_list* WMODEL = nullptr;

namespace {

bool IsInside(nullwelt* world, nullwelt* root) {
  return world != nullptr && root != nullptr && world->get_inertial_world() == root;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// mod_element

mod_element::mod_element(const char* name)
    : name_(name != nullptr ? name : "NoName"), geometry_(std::make_unique<geo_list>()) {}

mod_element::~mod_element() {
  if (delete_geo != nullptr) {
    delete_geo(geometry_.get());
  }
  if (delete_fds != nullptr) {
    delete_fds(root_);
  }
  if (owns_root_ && root_ != nullptr) {
    if (IsInside(anfang, root_)) {
      anfang = nullptr;
    }
    delete root_;
  }
}

geo_list* mod_element::get_bodies() const {
  return gmod_anfang;
}

nullwelt* mod_element::CreateRootWorld() {
  if (root_ != nullptr) {
    return root_;
  }
  owns_root_ = anfang == nullptr;
  ds_init();
  root_ = anfang->get_inertial_world();
  total_count_ = total_count;
  return root_;
}

int mod_element::store_mod_element(const char* name) {
  if (name == nullptr || store_mod == nullptr) {
    return -1;
  }
  return store_mod(name, this);
}

int mod_element::restore_mod_element(const char* name) {
  if (name == nullptr || restore_mod == nullptr) {
    return -1;
  }
  return restore_mod(name, this);
}

// ---------------------------------------------------------------------------------------------
// mod_list

mod_list::mod_list() = default;

mod_list::~mod_list() {
  while (first_ != nullptr) {
    remove(first_);
  }
}

mod_element* mod_list::add(const char* name) {
  const char* shown = name != nullptr ? name : "NoName";
  if (lookup(shown) != nullptr) {
    return nullptr;
  }
  auto* model = new mod_element(shown);
  if (first_ == nullptr) {
    first_ = model;
  } else {
    mod_element* last = first_;
    while (last->get_next() != nullptr) {
      last = last->get_next();
    }
    last->set_next(model);
  }
  if (current_ == nullptr) {
    model->CreateRootWorld();
    current_ = model;
  }
  return model;
}

int mod_list::remove(const char* name) {
  return remove(lookup(name));
}

int mod_list::remove(mod_element* model) {
  if (model == nullptr) {
    return -1;
  }
  mod_element** link = &first_;
  while (*link != nullptr && *link != model) {
    link = &(*link)->next_;
  }
  if (*link == nullptr) {
    return -1;
  }
  *link = model->get_next();
  if (current_ == model) {
    current_ = nullptr;
  }
  delete model;
  return 0;
}

mod_element* mod_list::lookup(const char* name) const {
  for (mod_element* model = first_; name != nullptr && model != nullptr;
       model = model->get_next()) {
    if (std::strcmp(model->get_name(), name) == 0) {
      return model;
    }
  }
  return nullptr;
}

int mod_list::rename(const char* old_name, const char* new_name) {
  mod_element* model = lookup(old_name);
  if (model == nullptr || new_name == nullptr || lookup(new_name) != nullptr) {
    return -1;
  }
  model->set_name(new_name);
  return 0;
}

mod_element* mod_list::activate(const char* name) {
  mod_element* model = lookup(name);
  if (model == nullptr) {
    return nullptr;
  }
  if (current_ != nullptr && current_ != model) {
    current_->set_totalcnt(total_count);
  }
  if (model->GetRootWorld() == nullptr) {
    anfang = nullptr;  // the model makes and owns a root world of its own
    model->CreateRootWorld();
  }
  current_ = model;
  anfang = model->GetRootWorld();
  total_count = model->get_totalcnt();
  return model;
}

mod_element* mod_list::deactivate() {
  mod_element* previous = current_;
  if (previous != nullptr) {
    previous->set_totalcnt(total_count);
  }
  current_ = nullptr;
  return previous;
}

int mod_list::count() const {
  int n = 0;
  for (mod_element* model = first_; model != nullptr; model = model->get_next()) {
    ++n;
  }
  return n;
}

int mod_list::store_model(const char* name, const char* file) {
  mod_element* model = name != nullptr ? lookup(name) : current_;
  if (store_fds == nullptr || store_geo == nullptr || model == nullptr) {
    return -1;
  }
  return model->store_mod_element(file);
}

int mod_list::restore_model(const char* name, const char* file) {
  mod_element* model = name != nullptr ? lookup(name) : current_;
  if (restore_fds == nullptr || restore_geo == nullptr || model == nullptr) {
    return -1;
  }
  return model->restore_mod_element(file);
}
