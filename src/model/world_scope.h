// Temporary switches of the current world, restored on every exit path.
#pragma once

#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

namespace varnex::model {

/// Makes `world` current for the scope (a null world leaves `anfang` as it is).
class CurrentWorldScope {
 public:
  explicit CurrentWorldScope(nullwelt* world) : saved_(anfang) {
    if (world != nullptr) {
      anfang = world;
    }
  }
  ~CurrentWorldScope() { anfang = saved_; }
  CurrentWorldScope(const CurrentWorldScope&) = delete;
  CurrentWorldScope& operator=(const CurrentWorldScope&) = delete;

 private:
  nullwelt* saved_;
};

/// The outermost world above the object's world, or above `anfang` for an object outside every
/// world. Full names resolve from here.
inline nullwelt* TopWorldOf(const rumpf* object) {
  nullwelt* world = object != nullptr ? object->get_first_world() : nullptr;
  if (world == nullptr) {
    world = anfang;
  }
  return world == nullptr ? nullptr : world->get_inertial_world();
}

/// Resolves a full name from the outermost world of `context`.
inline rumpf* SearchFromTop(const rumpf* context, const char* full_name) {
  CurrentWorldScope top(TopWorldOf(context));
  return search(full_name);
}

}  // namespace varnex::model

namespace varnex::model {

/// What a formula evaluation sets up: names resolve from the outermost world of `context`, and
/// "__THIS__" / "__UP__" from the world current before.
class EvaluationScope {
 public:
  explicit EvaluationScope(const rumpf* context)
      : saved_world_(anfang), saved_previous_(previous_world) {
    previous_world = anfang;
    if (nullwelt* top = TopWorldOf(context); top != nullptr) {
      anfang = top;
    }
  }
  ~EvaluationScope() {
    anfang = saved_world_;
    previous_world = saved_previous_;
  }
  EvaluationScope(const EvaluationScope&) = delete;
  EvaluationScope& operator=(const EvaluationScope&) = delete;

 private:
  nullwelt* saved_world_;
  nullwelt* saved_previous_;
};

}  // namespace varnex::model
