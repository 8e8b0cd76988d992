// The object, list and validity built-ins against a live world of named objects.
#include <varnex/base/transaction.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/primitives.h>
#include <varnex/model/contour.h>
#include <varnex/model/object_references.h>
#include <varnex/model/object_values.h>
#include <varnex/model/planet.h>
#include <varnex/model/welt.h>

#include <climits>
#include <fstream>

#include "builtins_test_support.h"

namespace {

using builtins_test::BuiltinsTest;
using builtins_test::Num;
using builtins_test::Owned;
using builtins_test::Str;

class ObjectBuiltins : public BuiltinsTest {
 protected:
  void SetUp() override {
    blocks_ = TransactionLiveBlocks();
    ds_init();
    root_ = anfang;
    BuiltinsTest::SetUp();
  }

  void TearDown() override {
    BuiltinsTest::TearDown();
    EXPECT_EQ(anfang, root_) << "a built-in left the current world changed";
    anfang = root_;
    delete root_;
    anfang = nullptr;
    EXPECT_EQ(TransactionLiveBlocks(), blocks_) << "transaction blocks leaked";
  }

  /// The instance `name` of the root world (null when absent).
  object_planet* Instance(const char* name) {
    return dynamic_cast<object_planet*>(root_->find(name));
  }

  nullwelt* root_ = nullptr;

 private:
  std::size_t blocks_ = 0;
};

aritm* Obj(rumpf* object) {
  return new op_object(object);
}

std::string NameOf(aritm* operand) {
  rumpf* object = operand != nullptr ? operand->get_object() : nullptr;
  return object != nullptr ? object->get_name() : "<none>";
}

TEST_F(ObjectBuiltins, InitObjectListFindsAFreeName) {
  EXPECT_EQ(NameOf(Call("init_objectlist", {Str("parts"), Str("partlist")}).get()), "parts");
  EXPECT_EQ(NameOf(Call("init_objectlist", {Str("parts")}).get()), "parts_1");
  EXPECT_EQ(NameOf(Call("init_objectlist", {Str("parts")}).get()), "parts_2");
  EXPECT_EQ(NameOf(Call("init_objectlist").get()), "blind_object");
  EXPECT_EQ(NameOf(Call("init_objectlist", {Num(3)}).get()), "blind_object_1");
  ASSERT_NE(Instance("parts"), nullptr);
  EXPECT_STREQ(Instance("parts")->get_alias_type(), "partlist");
  EXPECT_STREQ(Instance("parts_1")->get_alias_type(), "unspecified");
  EXPECT_EQ(root_->get_count(), 5);
}

TEST_F(ObjectBuiltins, InitObjectListWithoutAWorldAnswersAnEmptyObject) {
  anfang = nullptr;
  Owned result = Call("init_objectlist", {Str("parts")});
  anfang = root_;
  ASSERT_TRUE(result->IsOpObject());
  EXPECT_EQ(result->get_object(), nullptr);
  EXPECT_EQ(root_->get_count(), 0);
}

TEST_F(ObjectBuiltins, AddObjectListFillsTheListsWorld) {
  auto* parts = new object_planet("parts");
  Owned result = Call("add_objectlist", {Obj(parts), Num(2.5), Str("width")});
  EXPECT_EQ(result->get_object(), parts);  // a fresh operand for the same list
  auto* width = dynamic_cast<object_zahl*>(parts->get_subworld()->find("width"));
  ASSERT_NE(width, nullptr);
  EXPECT_EQ(width->get(), 2.5);
  EXPECT_EQ(root_->find("width"), nullptr);

  // Without a name, an element, or a list that can be entered nothing is created.
  EXPECT_EQ(Call("add_objectlist", {Obj(parts), Num(1)})->get_object(), parts);
  Call("add_objectlist", {Obj(parts)});
  auto* plain = new object_zahl(1.0, "plain");
  EXPECT_EQ(Call("add_objectlist", {Obj(plain), Num(1), Str("x")})->get_object(), plain);
  EXPECT_TRUE(Call("add_objectlist", {Num(4), Num(1), Str("x")})->IsOpZahl());
  EXPECT_EQ(Call("add_objectlist"), nullptr);
  EXPECT_EQ(parts->get_subworld()->get_count(), 1);
  EXPECT_EQ(root_->get_count(), 2);
}

TEST_F(ObjectBuiltins, AddListNamesUnnamedElementsWithAProcessWideCounter) {
  auto* parts = new object_planet("parts");
  EXPECT_EQ(Call("add_list", {Obj(parts), Num(1)}), nullptr);
  EXPECT_EQ(Call("add_list", {Obj(parts), Str("two")}), nullptr);
  EXPECT_EQ(Call("add_list", {Obj(parts), Num(3), Str("third")}), nullptr);
  nullwelt* world = parts->get_subworld();
  ASSERT_EQ(world->get_count(), 3);
  std::string first = world->get_first()->get_member()->get_name();
  std::string second = world->get_first()->get_next()->get_member()->get_name();
  ASSERT_EQ(first.rfind("f_element_", 0), 0u) << first;
  int n = std::stoi(first.substr(10));
  EXPECT_GE(n, 1);
  EXPECT_EQ(second, "f_element_" + std::to_string(n + 1));
  EXPECT_NE(world->find("third"), nullptr);
  Call("add_list", {Obj(parts)});  // no element: no name used up
  Call("add_list", {Obj(parts), Num(4)});
  EXPECT_NE(world->find(("f_element_" + std::to_string(n + 2)).c_str()), nullptr);
}

TEST_F(ObjectBuiltins, ObjectCountListsTheInstancesWorld) {
  auto* parts = new object_planet("parts");
  Call("add_objectlist", {Obj(parts), Num(1), Str("a")});
  Call("add_objectlist", {Obj(parts), Num(2), Str("b")});
  new object_zahl(1.0, "outside");
  auto count = [this](std::initializer_list<aritm*> args) {
    Owned result = Call("object_count", args);
    EXPECT_TRUE(result->IsOpNumber());
    return result->get_long();
  };
  EXPECT_EQ(count({Obj(parts)}), 2);
  EXPECT_EQ(count({new op_reference(parts)}), 2);
  EXPECT_EQ(count({Obj(root_->find("outside"))}), 0);
  EXPECT_EQ(count({Str("parts")}), 0);  // a name does not stand for the object here
  EXPECT_EQ(count({}), 0);
}

TEST_F(ObjectBuiltins, SetValidityAnswersThePreviousCode) {
  auto* width = new object_zahl(1.0, "width");
  EXPECT_EQ(Number("SET_VALIDITY", {Obj(width), Num(7.9)}), 0.0);
  EXPECT_EQ(width->GetValidity(), 7);
  EXPECT_EQ(Number("SET_VALIDITY", {Str("width"), Num(-2.5)}), 7.0);
  EXPECT_EQ(width->GetValidity(), -2);
  EXPECT_EQ(Number("SET_VALIDITY", {Str("width")}), -2.0);  // reads without setting
  EXPECT_EQ(width->GetValidity(), -2);
  EXPECT_EQ(Number("SET_VALIDITY", {Obj(width), Num(1e20)}), -2.0);
  EXPECT_EQ(width->GetValidity(), INT_MAX);
  EXPECT_EQ(Number("SET_VALIDITY", {Str("unknown"), Num(3)}), 0.0);
  EXPECT_EQ(Number("SET_VALIDITY"), 0.0);
  // An instance's operand carries its code into GET_VALIDITY.
  auto* parts = new object_planet("parts");
  EXPECT_EQ(Number("SET_VALIDITY", {Obj(parts), Num(26)}), 0.0);
  EXPECT_EQ(Number("GET_VALIDITY", {parts->get_aritm()}), 26.0);
}

TEST_F(ObjectBuiltins, IsReferencedWhenAFormulaNamesTheObject) {
  auto* a = new object_zahl(1.0, "a");
  auto* b = new object_zahl(2.0, "b");
  new object_zahl(3.0, "c");
  b->set_value_source("a * 2;");
  auto referenced = [this](aritm* arg) { return Call("is_referenced", {arg})->get_LOGICAL(); };
  EXPECT_EQ(referenced(Obj(a)), TRUE);
  EXPECT_EQ(referenced(Str("a")), TRUE);
  EXPECT_EQ(referenced(Str("c")), FALSE);
  EXPECT_EQ(referenced(Str("unknown")), FALSE);
  EXPECT_EQ(Call("is_referenced")->get_LOGICAL(), FALSE);
}

TEST_F(ObjectBuiltins, FaceCountOfInstancesAndGeometry) {
  auto* box = new object_planet("box");
  ASSERT_NE(box->qualify(), nullptr);
  new object_zahl(0.0, "f_0");
  new object_zahl(0.0, "f_1");
  new object_zahl(0.0, "f_3");  // not in the row
  requalify();
  auto count = [this](aritm* arg) { return Call("face_count", {arg})->get_long(); };
  EXPECT_EQ(count(Obj(box)), 2);
  EXPECT_EQ(count(Str("box")), 2);
  EXPECT_EQ(count(Num(1)), 0);

  ENTITY* cube = fmcreate_cube(1, 2, 3);
  ASSERT_NE(cube, nullptr);
  EXPECT_EQ(count(new op_geom(cube)), 6);
  new object_geom(cube, "solid");
  EXPECT_EQ(count(Str("solid")), 6);
  EXPECT_EQ(count(new op_geom()), 0);
  fmdelete_geometric(cube);
}

TEST_F(ObjectBuiltins, AssignReferenceAndAssignObject) {
  auto* a = new object_zahl(1.0, "a");
  auto* r = new object_reference("r");
  auto logical = [this](const char* name, std::initializer_list<aritm*> args) {
    return Call(name, args)->get_LOGICAL();
  };
  EXPECT_EQ(logical("assign_reference", {Str("r"), Obj(a)}), TRUE);
  EXPECT_EQ(r->get(), a);
  EXPECT_EQ(logical("assign_reference", {Obj(a), Obj(r)}), FALSE);  // a is no reference
  EXPECT_EQ(logical("assign_reference", {Str("r"), Str("unknown")}), FALSE);

  EXPECT_EQ(logical("assign_object", {Obj(a), Num(5)}), TRUE);
  EXPECT_EQ(a->get(), 5.0);
  EXPECT_EQ(logical("assign_object", {Str("a"), Num(6)}), TRUE);
  EXPECT_EQ(a->get(), 6.0);
  EXPECT_EQ(logical("assign_object", {Str("unknown"), Num(6)}), FALSE);
  EXPECT_EQ(logical("assign_object", {Str("a")}), FALSE);
}

TEST_F(ObjectBuiltins, InstancesDeclareAsFeatureTypes) {
  auto* box = new object_planet("box_@1");
  box->set_alias_type("box");
  EXPECT_EQ(Text("make_NOVL_stat", {Str("part"), Obj(box)}), "part : feature_box");
  EXPECT_EQ(Text("make_NOVL_stat", {Str("part"), new op_object()}), "part : STRING");
}

// A host contour with two named dimensions, width 40 and depth 25.
class Dimensions : public PVFconnect2dAnn {
 public:
  int GetAnnList(void_list* out) override {
    out->add(&width_);
    out->add(&depth_);
    return 2;
  }
  const char* GetAnnName(void* annotation, PVMStrg& out) override {
    out = annotation == &width_ ? "width" : "depth";
    return out;
  }
  double GetAnnVal(void* annotation, PVMStrg&) override {
    return *static_cast<double*>(annotation);
  }

 private:
  double width_ = 40;
  double depth_ = 25;
};

class DimensionedContour : public PVFconnect2dBa {
 public:
  explicit DimensionedContour(const char* identifier) : PVFconnect2dBa(identifier) {}
  PVFconnect2dAnn* pPVFconnect2dAnn() override { return &dimensions_; }

 private:
  Dimensions dimensions_;
};

class ContourDimensions : public ObjectBuiltins {
 protected:
  void TearDown() override {
    PVFconnect2dBa::ClearCon2dList();
    ObjectBuiltins::TearDown();
  }

  /// The annotation number `name` in the world of `list`; null when absent or of another kind.
  static PVFAnnotationZahl* Dimension(rumpf* list, const char* name) {
    return dynamic_cast<PVFAnnotationZahl*>(list->get_subworld()->find(name));
  }
};

TEST_F(ContourDimensions, TheListMirrorsEachNamedDimension) {
  auto* contour = new DimensionedContour("outline");
  auto* dims = new object_planet("dims");
  Owned list = Call("fill_ConturDimList", {Obj(dims), new op_connect2d(contour)});
  EXPECT_EQ(NameOf(list.get()), "dims");
  EXPECT_NE(dims->isAliasTypeOf("ConturDimensionList"), FALSE);
  PVMStrg prefix;
  EXPECT_STREQ(dims->GenericPrefix(prefix), "DIMLIST");
  for (auto [name, value] : {std::pair{"width", 40.0}, std::pair{"depth", 25.0}}) {
    PVFAnnotationZahl* dimension = Dimension(dims, name);
    ASSERT_NE(dimension, nullptr) << name;
    EXPECT_DOUBLE_EQ(dimension->get(), value);
    EXPECT_STREQ(dimension->GetConnectName(), name);
  }
  // Filling again keeps the objects it made and adds none.
  PVFAnnotationZahl* width = Dimension(dims, "width");
  Call("fill_ConturDimList", {Obj(dims), new op_connect2d(contour)});
  EXPECT_EQ(Dimension(dims, "width"), width);
  GENERIC_LIST<rumpf> members;
  list_world(&members, dims);
  EXPECT_EQ(members.count(), 2);
}

TEST_F(ContourDimensions, AnythingButAnUntypedListAndAContourChangesNothing) {
  auto* contour = new DimensionedContour("outline");
  auto* typed = new object_planet("typed");
  typed->set_alias_type("box");
  auto* untyped = new object_planet("untyped");
  auto* number = new object_zahl(1.0, "number");
  struct Case {
    const char* what;
    aritm* list;
    aritm* contour;
  };
  for (const Case& c : {Case{"an instance of another type", Obj(typed), new op_connect2d(contour)},
                        Case{"no instance", Obj(number), new op_connect2d(contour)},
                        Case{"a number for the list", Num(1), new op_connect2d(contour)},
                        Case{"no contour", Obj(untyped), Num(3)},
                        Case{"an empty contour value", Obj(untyped), new op_connect2d()}}) {
    Owned result = Call("fill_ConturDimList", {c.list, c.contour});
    ASSERT_NE(result, nullptr) << c.what;
    EXPECT_NE(result->IsOpObject(), FALSE) << c.what;
    EXPECT_EQ(result->get_object(), nullptr) << c.what;
  }
  EXPECT_NE(typed->isAliasTypeOf("box"), FALSE);
  EXPECT_EQ(Dimension(typed, "width"), nullptr);
  EXPECT_EQ(untyped->isAliasTypeOf("ConturDimensionList"), FALSE);
  EXPECT_EQ(Dimension(untyped, "width"), nullptr);
}

TEST_F(ObjectBuiltins, EveryBuiltinSurvivesObjectArguments) {
  auto* parts = new object_planet("parts");
  new object_zahl(1.0, "width");
  std::ifstream names(VARNEX_TEST_DATA "/builtins/builtin_names.txt");
  std::string name;
  while (std::getline(names, name)) {
    if (name.empty() || name == "evaluate_STRING") {
      continue;
    }
    Call(name.c_str(), {Obj(parts), Str("width"), Str("entry")});
    Call(name.c_str(), {new op_reference(parts), Obj(parts), new op_object()});
    Call(name.c_str(), {Str("width"), Num(2), Str("parts")});
  }
  EXPECT_EQ(anfang, root_);
}

}  // namespace
