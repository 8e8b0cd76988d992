// Shared helpers of the kernel layer's tests: stand-in objects behind the object links, a
// message handler that records warnings, and a fixture that checks no body outlives a test.
#pragma once

#include <gtest/gtest.h>
#include <varnex/base/messages.h>
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/geometric_object_links.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/topology.h>

#include <cmath>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace kernel_test {

/// A named object as the kernel layer sees it through the links. Never dereferenced by the
/// layer: the links hand out its address as a rumpf*.
struct FakeObject {
  std::string fullName;
  bool geometric = true;
  list entities;

  rumpf* handle() { return reinterpret_cast<rumpf*>(this); }
  static FakeObject* From(const rumpf* object) {
    return reinterpret_cast<FakeObject*>(const_cast<rumpf*>(object));
  }
  std::string ShortName() const {
    std::size_t dot = fullName.rfind('.');
    return dot == std::string::npos ? fullName : fullName.substr(dot + 1);
  }
};

/// Links over a set of fake objects; installed for its lifetime.
class FakeLinks : public GeometricObjectLinks {
 public:
  FakeLinks() { previous_ = SetGeometricObjectLinks(this); }
  ~FakeLinks() override { SetGeometricObjectLinks(previous_); }

  FakeObject& Add(const std::string& fullName, bool geometric = true) {
    objects_.push_back(FakeObject{fullName, geometric, {}});
    return objects_.back();
  }

  PVMStrg FullName(const rumpf* object) const override {
    return object ? PVMStrg(FakeObject::From(object)->fullName) : PVMStrg();
  }
  PVMStrg ShortName(const rumpf* object) const override {
    return object ? PVMStrg(FakeObject::From(object)->ShortName()) : PVMStrg();
  }
  XBOOL IsGeometric(const rumpf* object) const override {
    return ToXBool(object != nullptr && FakeObject::From(object)->geometric);
  }
  list* EntityList(rumpf* object) const override {
    return IsGeometric(object) ? &FakeObject::From(object)->entities : nullptr;
  }
  rumpf* Search(const char* name) const override {
    for (const FakeObject& object : objects_) {
      if (object.fullName == name) {
        return const_cast<FakeObject&>(object).handle();
      }
    }
    return nullptr;
  }
  XBOOL OldNameIntoNewName(const PVMStrg& name, PVMStrg& converted) const override {
    if (!featureLibrary) {
      return FALSE;
    }
    std::string text = name.GetpStr();
    auto found = renames.find(text);
    converted = found == renames.end() ? PVMStrg(text) : PVMStrg(found->second);
    return TRUE;
  }
  XBOOL SATFileOperation() const override { return ToXBool(satFileOperation); }

  bool featureLibrary = false;
  bool satFileOperation = false;
  std::map<std::string, std::string> renames;

 private:
  std::deque<FakeObject> objects_;  // stable addresses
  GeometricObjectLinks* previous_ = nullptr;
};

/// Records the warnings the engine passes to the host.
class RecordingHandler : public PVFHandleMessage {
 public:
  RecordingHandler() {
    previous_ = pPVFHandleMessage;
    pPVFHandleMessage = this;
  }
  ~RecordingHandler() override { pPVFHandleMessage = previous_; }
  void Warning(const char* title, const char* text) override {
    warnings.push_back({title ? title : "", text ? text : ""});
  }
  std::vector<std::pair<std::string, std::string>> warnings;

 private:
  PVFHandleMessage* previous_ = nullptr;
};

/// Deletes the model's bodies after each test and checks that no other body was left alive.
class KernelTest : public ::testing::Test {
 protected:
  void SetUp() override { liveAtStart_ = PVFLiveBodyCount(); }
  void TearDown() override {
    gmod_del_all();
    EXPECT_EQ(PVFLiveBodyCount(), liveAtStart_) << "a body outlived the test";
  }

 private:
  int liveAtStart_ = 0;
};

/// The entities of a walk as a vector.
inline std::vector<ENTITY*> Walk(ENTITY* entity, outcome (*walk)(ENTITY*, ENTITY_LIST&)) {
  ENTITY_LIST found;
  walk(entity, found);
  std::vector<ENTITY*> entities;
  for (int i = 0; i < found.count(); ++i) {
    entities.push_back(found[i]);
  }
  return entities;
}

/// The solid-face names of every face of a body, sorted.
std::vector<std::string> FaceNames(ENTITY* body);
/// The face of `body` whose outward normal is `normal` and whose plane passes `through`
/// (first match), or null.
ENTITY* PlanarFace(ENTITY* body, const SPAvector& normal, const SPAposition& through);

}  // namespace kernel_test
