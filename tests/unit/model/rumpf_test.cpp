// Named objects: types and alias types, references recorded from formulas in both directions and
// kept exact on deletion, renaming and moving, restriction lists, and copies of whole instances.
#include "model_fixture.h"

namespace varnex::test {
namespace {

std::vector<std::string> Texts(const VALUE_LIST<PVMStrg>& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.count(); ++i) {
    out.emplace_back(list[i]);
  }
  return out;
}

std::vector<std::string> ReferencesTo(const rumpf* object) {
  VALUE_LIST<PVMStrg> names;
  object->GetReferencesTo(&names);
  return Texts(names);
}

std::vector<std::string> ReferencedBy(const rumpf* object) {
  VALUE_LIST<PVMStrg> names;
  object->GetReferencesBy(&names);
  return Texts(names);
}

using Names = std::vector<std::string>;

TEST_F(ModelTest, TypeIsSetOnceAliasTypeReplacesOnlyUnspecified) {
  auto* object = new rumpf("x");
  EXPECT_STREQ(object->get_alias_type(), "unspecified");
  EXPECT_EQ(object->set_type("Zahl"), 1);
  EXPECT_EQ(object->set_type("Nummer"), 0);
  EXPECT_TRUE(Reported("type already defined"));
  EXPECT_EQ(object->set_type(nullptr), 0);
  EXPECT_TRUE(Reported("type already definedno type specified"));
  EXPECT_STREQ(object->get_type(), "Zahl");
  EXPECT_EQ(object->isTypeOf("Zahl"), TRUE);
  EXPECT_EQ(object->isTypeOf("zahl"), FALSE);

  EXPECT_EQ(object->set_alias_type("distance"), 1);
  EXPECT_EQ(object->set_alias_type("NUMBER"), 0);
  EXPECT_TRUE(Reported("alias_type distance already defined"));
  EXPECT_EQ(object->set_alias_type(nullptr), 0);
  EXPECT_TRUE(Reported("no type specified"));
  EXPECT_STREQ(object->get_alias_type(), "distance");
}

class ReferencesTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    a_ = new TypedObject("a", "Zahl");
    b_ = new TypedObject("b", "Zahl");
    c_ = new TypedObject("c", "Zahl");
  }
  rumpf *a_ = nullptr, *b_ = nullptr, *c_ = nullptr;
};

TEST_F(ReferencesTest, FormulaRecordsBothDirectionsWithoutDuplicates) {
  a_->set_value_source("b + c * b;");
  a_->set_value_source("b + c * b;");  // the same source again
  EXPECT_EQ(ReferencesTo(a_), (Names{"b", "c"}));
  EXPECT_EQ(ReferencedBy(b_), (Names{"a"}));
  EXPECT_EQ(ReferencedBy(c_), (Names{"a"}));
  EXPECT_STREQ(a_->get_value_source(), "b + c * b;");

  a_->set_value_source("c;");
  EXPECT_EQ(ReferencesTo(a_), (Names{"c"}));
  EXPECT_EQ(ReferencedBy(b_), Names{});
  a_->set_value_source(static_cast<const char*>(nullptr));
  EXPECT_EQ(a_->get_value_source(), nullptr);
  EXPECT_EQ(ReferencedBy(c_), Names{});
  EXPECT_EQ(a_->GetReferencesTo(static_cast<VALUE_LIST<PVMStrg>*>(nullptr)), 0);
}

TEST_F(ReferencesTest, OnlyNamesThatResolveAndDoNotFollowAPoint) {
  object_planet* s = Planet("s");
  Inside(s, [&] { new TypedObject("b", "Zahl"); });
  a_->set_value_source("s.b + missing + 'c' + max(b, 2) -- c\n;");
  EXPECT_EQ(ReferencesTo(a_), (Names{"s", "b"}));
  EXPECT_EQ(ReferencedBy(s), (Names{"a"}));
  EXPECT_EQ(ReferencedBy(c_), Names{});  // in a string literal and a comment only
}

TEST_F(ReferencesTest, DeletingAnObjectClearsItsPartnersLists) {
  a_->set_value_source("b + c;");
  b_->set_value_source("c;");
  delete a_;
  EXPECT_EQ(ReferencedBy(b_), Names{});
  EXPECT_EQ(ReferencedBy(c_), (Names{"b"}));
  delete c_;
  EXPECT_EQ(ReferencesTo(b_), Names{});
}

TEST_F(ReferencesTest, ObjectsInsideInstancesAreRecordedByFullName) {
  object_planet* s = Planet("s");
  rumpf* inner = nullptr;
  Inside(s, [&] {
    inner = new TypedObject("k", "Zahl");
    inner->set_value_source("a * 2;");  // resolved from the outermost world
  });
  EXPECT_EQ(ReferencedBy(a_), (Names{"s.k"}));
  EXPECT_EQ(ReferencesTo(inner), (Names{"a"}));
  GENERIC_LIST<rumpf> referrers;
  EXPECT_EQ(a_->GetReferencesBy(&referrers), 1);
  EXPECT_EQ(referrers[0], inner);
  delete s;  // the whole instance goes
  EXPECT_EQ(ReferencedBy(a_), Names{});
}

// A parameter that thousands of formulas name: the lists stay ordered and exact through removals.
TEST_F(ReferencesTest, ManyReferrersOfOneObject) {
  constexpr int kCount = 20000;
  std::vector<rumpf*> referrers;
  for (int i = 0; i < kCount; ++i) {
    auto* referrer = new TypedObject(("r" + std::to_string(i)).c_str(), "Zahl");
    referrer->set_value_source("a * 2;");
    referrers.push_back(referrer);
  }
  EXPECT_EQ(a_->GetReferencesBy(static_cast<VALUE_LIST<PVMStrg>*>(nullptr)), kCount);
  for (int i = 0; i < kCount; i += 2) {
    delete referrers[i];
  }
  Names by = ReferencedBy(a_);
  ASSERT_EQ(by.size(), static_cast<std::size_t>(kCount / 2));
  for (int i = 0; i < kCount / 2; ++i) {
    ASSERT_EQ(by[i], "r" + std::to_string(2 * i + 1));
  }
  referrers[1]->set_value_source("a * 2;");  // once more: no duplicate
  EXPECT_EQ(a_->GetReferencesBy(static_cast<VALUE_LIST<PVMStrg>*>(nullptr)), kCount / 2);
  for (int i = 1; i < kCount; i += 2) {
    delete referrers[i];
  }
  EXPECT_EQ(ReferencedBy(a_), Names{});
}

TEST_F(ReferencesTest, RenamingKeepsPartnersPointingAtTheObject) {
  a_->set_value_source("b;");
  ASSERT_EQ(b_->set_name("bee"), 1);
  EXPECT_EQ(ReferencesTo(a_), (Names{"bee"}));
  ASSERT_EQ(a_->set_name("ay"), 1);
  EXPECT_EQ(ReferencedBy(b_), (Names{"ay"}));
  delete a_;
  EXPECT_EQ(ReferencedBy(b_), Names{});
}

TEST_F(ReferencesTest, MovedInstanceContentsAreRenamedInEveryList) {
  // As an instantiation does it: the feature runs in "tmp_name", whose objects then move into
  // the instance named after the feature.
  object_planet* tmp = Planet("tmp_name");
  rumpf *x = nullptr, *y = nullptr;
  Inside(tmp, [&] {
    x = new TypedObject("x", "Zahl");
    y = new TypedObject("y", "Zahl");
  });
  x->set_value_source("a + tmp_name.y;");
  c_->set_value_source("tmp_name.x;");
  auto* instance = Planet("box_@1");
  ASSERT_EQ(instance->ChgSubworld(tmp), 0);
  instance->ChgRefByLists("tmp_name");
  EXPECT_EQ(ReferencedBy(a_), (Names{"box_@1.x"}));
  EXPECT_EQ(ReferencesTo(x), (Names{"a", "box_@1"}));
  EXPECT_EQ(x->get_first_world(), instance->get_subworld());
  EXPECT_EQ(FullName(y), "box_@1.y");
  delete tmp;
  delete instance;
  EXPECT_EQ(ReferencedBy(a_), Names{});
}

TEST_F(ModelTest, ChgSubworldMovesObjectsAndSuperworlds) {
  object_planet* source = Planet("source");
  source->set_alias_type("plate");
  object_planet* nested = nullptr;
  Inside(source, [&] {
    new TypedObject("w", "Zahl");
    nested = Planet("nested");
  });
  object_planet* target = Planet("target");
  EXPECT_EQ(target->ChgSubworld(nullptr), 1);
  EXPECT_EQ(target->ChgSubworld(search("source.w")), 1);  // not an instance
  EXPECT_EQ(target->ChgSubworld(source), 0);
  EXPECT_STREQ(target->get_alias_type(), "plate");
  EXPECT_NE(search("target.w"), nullptr);
  EXPECT_EQ(search("source.w"), nullptr);
  EXPECT_EQ(nested->get_subworld()->get_root_world(), target->get_subworld());
}

TEST_F(ModelTest, RestrictionListsKeepOrderAndDuplicates) {
  auto* object = new TypedObject("r", "Zahl");
  PVMStrg positive("VALUE > 0");
  PVMStrg small("VALUE < 10");
  object->AddRestriction(positive);
  object->AddRestriction(small);
  EXPECT_EQ(object->AddRestriction(positive), 3);
  VALUE_LIST<PVMStrg> copy;
  EXPECT_EQ(object->GetRestrictions(&copy), 3);
  EXPECT_EQ(Texts(copy), (Names{"VALUE > 0", "VALUE < 10", "VALUE > 0"}));
  VALUE_LIST<PVMStrg> empty;
  EXPECT_EQ(object->SetRestrictions(&empty), 0);
  EXPECT_EQ(object->GetRestrictions(nullptr), 0);
  EXPECT_EQ(object->SetRestrictions(&copy), 3);
  EXPECT_EQ(object->base_assign(nullptr), -1);
  auto* other = new TypedObject("o", "Zahl");
  object->SetValidity(1);
  object->base_assign(other);
  EXPECT_EQ(other->GetRestrictions(nullptr), 3);
  EXPECT_EQ(other->GetValidity(), 1);
}

TEST_F(ModelTest, ValidityIsCollectedThroughInstances) {
  object_planet* p = Planet("p");
  rumpf* bad = nullptr;
  Inside(p, [&] {
    new TypedObject("fine", "Zahl");
    bad = new TypedObject("bad", "Zahl");
  });
  EXPECT_EQ(bad->SetValidity(1), 1);
  EXPECT_EQ(bad->SetValidity(1), 0);
  void_list invalid;
  EXPECT_EQ(p->GetValidity(&invalid), 1);
  EXPECT_EQ(invalid[0], bad);
  EXPECT_EQ(bad->GetValidity(static_cast<void_list*>(nullptr)), 0);
}

TEST_F(ModelTest, ListAllWithNameAndTypeVisitChildrenFirst) {
  object_planet* p = Planet("p");
  rumpf *inner = nullptr, *deep = nullptr;
  Inside(p, [&] {
    inner = Planet("q");
    Inside(static_cast<object_planet*>(inner), [&] { deep = new TypedObject("p", "Zahl"); });
  });
  GENERIC_LIST<rumpf> found;
  EXPECT_EQ(p->list_all_with_name("p", &found), 2);
  EXPECT_EQ(found[0], deep);
  EXPECT_EQ(found[1], p);
  GENERIC_LIST<rumpf> planets;
  EXPECT_EQ(p->list_all_with_type("Planet", TRUE, &planets), 2);
  EXPECT_EQ(planets[0], inner);
  GENERIC_LIST<rumpf> all;
  EXPECT_EQ(p->list_all_world(&all), 2);
}

TEST_F(ModelTest, PlanetCopiesCopyWholeSubworlds) {
  object_planet* proto = Planet("plate");
  proto->set_alias_type("feature_plate");
  proto->SetValidity(7);
  Inside(proto, [&] {
    object_planet* inner = Planet("inner");
    inner->set_alias_type("hole");
    Inside(inner, [&] { Planet("deepest"); });
  });
  auto* copy = static_cast<object_planet*>(proto->copy("object"));
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy->get_alias_type(), "feature_plate");
  EXPECT_EQ(copy->GetValidity(), 7);
  rumpf* inner_copy = search("object.inner");
  ASSERT_NE(inner_copy, nullptr);
  EXPECT_NE(inner_copy, search("plate.inner"));
  EXPECT_STREQ(inner_copy->get_alias_type(), "hole");
  EXPECT_NE(search("object.inner.deepest"), nullptr);
  EXPECT_EQ(anfang, root_);
  EXPECT_EQ(proto->copy(nullptr), nullptr);
  EXPECT_TRUE(Reported("no name given"));
  EXPECT_EQ(proto->copy("object"), nullptr);  // the name is taken
  EXPECT_TRUE(Reported("couldn't create object <object>"));
}

TEST_F(ModelTest, CopyingAnInstanceIntoItselfTerminates) {
  object_planet* p = Planet("p");
  Inside(p, [&] {
    Planet("child");
    EXPECT_NE(p->copy("again"), nullptr);  // lands in p's own sub-world
  });
  EXPECT_NE(search("p.again.child"), nullptr);
  EXPECT_EQ(search("p.again.again"), nullptr);
}

TEST_F(ModelTest, GenericPrefixOfInstances) {
  object_planet* p = Planet("p");
  PVMStrg out;
  EXPECT_EQ(p->GenericPrefix(out), nullptr);
  p->set_alias_type("generic");
  EXPECT_STREQ(p->GenericPrefix(out), "GENERIC");
  object_planet* d = Planet("d");
  d->set_alias_type("ConturDimensionList");
  EXPECT_EQ(d->GenericPrefix(out), nullptr);  // empty
  Inside(d, [&] { new TypedObject("dim", "Zahl"); });
  EXPECT_STREQ(d->GenericPrefix(out), "DIMLIST");
}

}  // namespace
}  // namespace varnex::test
