// The solid, sweep, edge-finishing, position and pattern built-ins run from NOVL texts: each
// file under tests/data/solids runs in a fresh model; every number object named
// "expect_<name>" gives the volume the geometric object <name> must have afterwards, every
// "faces_<name>" the number of its body's faces, every "names_<name>" the number of face
// objects "f_..." in the world of the object <name>, and every "equal_<name>" the value text
// the object <name> must have.
#include <gtest/gtest.h>
#include <varnex/builtins/builtins.h>
#include <varnex/geometry/geometry.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/language/parser.h>
#include <varnex/model/hand_over.h>
#include <varnex/model/model.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kScripts = fs::path(VARNEX_TEST_DATA) / "solids";

// A new root world and function table for one script; both go afterwards with the bodies.
class ScriptModel {
 public:
  ScriptModel() : saved_(anfang) {
    anfang = nullptr;
    ds_init();
    root_ = anfang;
    NOVL_functions = new ifunc_list;
    fill_method_table();
  }
  // The bodies go first: their attributes still name objects of the world.
  ~ScriptModel() {
    gmod_del_all();
    delete NOVL_functions;
    NOVL_functions = nullptr;
    anfang = nullptr;
    delete root_;
    anfang = saved_;
  }

 private:
  nullwelt* saved_;
  nullwelt* root_;
};

int RunScript(const std::string& name) {
  PARSE_ATTACHMENT source(PVMStrg(name.c_str()), PVMStrg((kScripts.string() + "/").c_str()));
  ParseObjectScope scope(&source);
  int status = yyparse();
  if (hand_over[0] != nullptr) {
    delete hand_over[0];
    hand_over[0] = nullptr;
  }
  return status;
}

struct Expectation {
  std::string object;
  std::string kind;
  double value;
  std::string text;
};

std::vector<Expectation> ExpectationsOf(nullwelt* world) {
  std::vector<Expectation> found;
  for (welt* element = world->get_next(); element != nullptr; element = element->get_next()) {
    std::string name = element->get_member()->get_name();
    for (const char* kind : {"expect_", "faces_", "names_", "equal_"}) {
      if (name.rfind(kind, 0) == 0) {
        std::unique_ptr<aritm> value(element->get_member()->get_aritm());
        PVMStrg text;
        found.push_back({name.substr(std::string(kind).size()), kind,
                         value != nullptr && value->IsOpText() == FALSE ? value->get_double() : 0.0,
                         value != nullptr ? value->GetValue(text) : ""});
      }
    }
  }
  return found;
}

ENTITY* GeometryOf(const std::string& name) {
  rumpf* object = search(name.c_str());
  return object != nullptr ? object->GetGeometry() : nullptr;
}

// The geometric objects "f_..." in the world of the object `name`; -1 without one.
int FaceObjectCount(const std::string& name) {
  rumpf* object = search(name.c_str());
  if (object == nullptr || object->get_subworld() == nullptr) {
    return -1;
  }
  int count = 0;
  for (welt* element = object->get_subworld()->get_next(); element != nullptr;
       element = element->get_next()) {
    rumpf* member = element->get_member();
    count += std::string(member->get_name()).rfind("f_", 0) == 0 && member->GetGeometry() ? 1 : 0;
  }
  return count;
}

std::vector<std::string> Scripts() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kScripts)) {
    if (entry.path().extension() == ".NVL") {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

class SolidScript : public testing::TestWithParam<std::string> {};

TEST_P(SolidScript, BuildsTheExpectedVolumes) {
  ScriptModel model;
  ASSERT_EQ(RunScript(GetParam()), 0);
  std::vector<Expectation> expectations = ExpectationsOf(anfang);
  ASSERT_FALSE(expectations.empty()) << "a script states what it builds";
  for (const Expectation& expected : expectations) {
    if (expected.kind == "equal_") {
      rumpf* object = search(expected.object.c_str());
      ASSERT_NE(object, nullptr) << expected.object;
      std::unique_ptr<aritm> value(object->get_aritm());
      PVMStrg text;
      EXPECT_EQ(value != nullptr ? std::string(value->GetValue(text)) : "", expected.text)
          << expected.object;
      continue;
    }
    if (expected.kind == "names_") {
      EXPECT_EQ(FaceObjectCount(expected.object), static_cast<int>(expected.value))
          << expected.object;
      continue;
    }
    ENTITY* geometry = GeometryOf(expected.object);
    ASSERT_NE(geometry, nullptr) << expected.object;
    if (expected.kind == "expect_") {
      EXPECT_NEAR(fmvolume_of_body(geometry), expected.value, 1e-4 * (1 + expected.value))
          << expected.object;
    } else {
      ENTITY_LIST faces;
      api_get_faces(fmbody_from(geometry), faces);
      EXPECT_EQ(faces.count(), static_cast<int>(expected.value)) << expected.object;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Solids, SolidScript, testing::ValuesIn(Scripts()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return fs::path(info.param).stem().string();
                         });

}  // namespace
