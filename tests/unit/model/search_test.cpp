// Name resolution: simple and qualified names through nested worlds, the prefixes "__THIS__" and
// "__UP__", components of vectors, axes and geometry, and the fall-back to the outermost world.
#include "model_fixture.h"

namespace varnex::test {
namespace {

// Root world: s1 (instance) { h (vector), a (AXIS), g (Geometric), s2 (instance) { k } },
// len, v (vector), shared.  s1 also holds its own "shared".
class SearchTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    s1_ = Planet("s1");
    Inside(s1_, [&] {
      h_ = new TypedObject("h", "vector");
      a_ = new TypedObject("a", "AXIS");
      g_ = new TypedObject("g", "Geometric");
      s2_ = Planet("s2");
      Inside(s2_, [&] { k_ = new TypedObject("k", "Zahl"); });
      inner_shared_ = new TypedObject("shared", "Zahl");
    });
    len_ = new TypedObject("len", "Zahl");
    v_ = new TypedObject("v", "vector");
    shared_ = new TypedObject("shared", "Zahl");
  }

  object_planet* s1_ = nullptr;
  object_planet* s2_ = nullptr;
  rumpf *h_ = nullptr, *a_ = nullptr, *g_ = nullptr, *k_ = nullptr, *inner_shared_ = nullptr;
  rumpf *len_ = nullptr, *v_ = nullptr, *shared_ = nullptr;
};

TEST_F(SearchTest, QualifiedNamesThroughNestedWorlds) {
  struct Case {
    const char* name;
    rumpf* expected;
  };
  const Case cases[] = {
      {"s1", s1_},           {"s1.h", h_},          {"h", nullptr},
      {"s1.s2.k", k_},       {"s1.s2", s2_},        {"s1.k", nullptr},
      {"s2.k", nullptr},     {"nope.h", nullptr},   {"s1.nope", nullptr},
      {"len", len_},         {"len.x", nullptr},    {"s1..h", nullptr},
      {"s1.h.x", h_},        {"s1.h.y", h_},        {"s1.h.z", h_},
      {"s1.h.q", nullptr},   {"s1.h.x.y", nullptr}, {"v.x", v_},
      {"v.Origin", nullptr}, {"s1.a.Origin", a_},   {"s1.a.Direction", a_},
      {"s1.a.u", a_},        {"s1.a.w", a_},        {"s1.a.z", a_},
      {"s1.a.q", nullptr},   {"s1.g.f0", g_},       {"s1.g.f12", g_},
      {"s1.g.f", nullptr},   {"s1.g.fx", nullptr},  {"s1.g.x1", nullptr},
      {"s1.g.f1a", nullptr}, {"shared", shared_},   {"s1.shared", inner_shared_},
      {"S1.h", nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(search(c.name), c.expected) << c.name;
  }
}

TEST_F(SearchTest, LongFaceDesignatorsAllowWordCharacters) {
  std::string digits = "s1.g.f" + std::string(31, '7');  // "f" + 31 digits: 32 characters
  std::string word = "s1.g.f" + std::string(40, 'a') + "_9";
  std::string too_short_word = "s1.g.f" + std::string(20, 'a');
  std::string bad_word = "s1.g.f" + std::string(40, 'a') + "-";
  EXPECT_EQ(search(digits.c_str()), g_);
  EXPECT_EQ(search(word.c_str()), g_);
  EXPECT_EQ(search(too_short_word.c_str()), nullptr);
  EXPECT_EQ(search(bad_word.c_str()), nullptr);
}

TEST_F(SearchTest, EmptyAndNullNamesTouchNothing) {
  nullwelt* before = anfang;
  EXPECT_EQ(search(nullptr), nullptr);
  EXPECT_EQ(search(""), nullptr);
  EXPECT_EQ(anfang, before);
}

TEST_F(SearchTest, InnerWorldFirstThenOutermostWorld) {
  Inside(s1_, [&] {
    EXPECT_EQ(search("h"), h_);
    EXPECT_EQ(search("shared"), inner_shared_);  // the current world wins
    EXPECT_EQ(search("len"), len_);              // found by the retry from the outermost world
    EXPECT_EQ(search("s1.h"), h_);
    EXPECT_EQ(search("k"), nullptr);  // not in this world, not in the root world
    EXPECT_EQ(anfang, s1_->get_subworld());
  });
}

TEST_F(SearchTest, ThisAndUpStartFromTheEvaluationWorld) {
  // As during a formula evaluation started inside s2: anfang is the outermost world and the
  // previous world is the one the evaluation started from.
  previous_world = s2_->get_subworld();
  EXPECT_EQ(search("__THIS__.k"), k_);
  EXPECT_EQ(search("k"), nullptr);
  EXPECT_EQ(search("__UP__.h"), h_);
  EXPECT_EQ(search("__UP__.__UP__.len"), len_);
  EXPECT_EQ(search("__UP__.__UP__.shared"), shared_);
  EXPECT_EQ(search("__UP__.shared"), inner_shared_);
  EXPECT_EQ(search("__THIS__.__UP__.h"), h_);
  EXPECT_EQ(search("__UP__.__UP__.__UP__.len"), nullptr);  // past the root world
  EXPECT_EQ(search("__UP__.s2.k"), k_);
  EXPECT_EQ(search("__THIS__"), nullptr);
  previous_world = nullptr;
}

TEST_F(SearchTest, ThisOutsideAnEvaluationMeansTheCurrentWorld) {
  Inside(s1_, [&] {
    EXPECT_EQ(search("__THIS__.h"), h_);
    EXPECT_EQ(search("__UP__.len"), len_);
  });
}

TEST_F(SearchTest, TopmostPlanetAndFullNames) {
  EXPECT_EQ(get_topmost_planet(k_), s1_);
  EXPECT_EQ(get_topmost_planet(s2_), s1_);
  EXPECT_EQ(get_topmost_planet(s1_), s1_);
  EXPECT_EQ(get_topmost_planet(len_), len_);
  EXPECT_EQ(get_topmost_planet(nullptr), nullptr);
  EXPECT_EQ(FullName(h_), "s1.h");
  EXPECT_EQ(FullName(k_), "s1.s2.k");
  EXPECT_EQ(FullName(len_), "len");
}

TEST_F(SearchTest, FindAllListsFullNamesDescendingIntoInstances) {
  PVMStrg out;
  root_->find_all(nullptr, nullptr, out);
  EXPECT_STREQ(out, "s1;s1.h;s1.a;s1.g;s1.s2;s1.s2.k;s1.shared;len;v;shared;");
  out = "";
  root_->find_all("shared", nullptr, out);
  EXPECT_STREQ(out, "s1.shared;shared;");
  k_->set_alias_type("distance");
  EXPECT_STREQ(root_->find_all(nullptr, "distance"), "s1.s2.k;");
  EXPECT_STREQ(root_->find_all("k", "NUMBER"), "");
}

TEST_F(SearchTest, ListWorldByInstanceAndByName) {
  GENERIC_LIST<rumpf> objects;
  EXPECT_EQ(list_world(&objects, s1_), 5);
  EXPECT_EQ(objects[0], h_);
  EXPECT_EQ(objects[4], inner_shared_);
  EXPECT_EQ(list_world(&objects, s1_), 5);  // visited again, added once
  EXPECT_EQ(objects.count(), 5);
  EXPECT_EQ(list_world(static_cast<GENERIC_LIST<rumpf>*>(nullptr), nullptr), 4);

  VALUE_LIST<PVMStrg> names;
  PVMStrg instance("s1.s2");
  EXPECT_EQ(list_world(&names, instance), 1);
  ASSERT_EQ(names.count(), 1);
  EXPECT_STREQ(names[0], "k");
  EXPECT_EQ(anfang, root_);
  PVMStrg missing("nothing");
  EXPECT_EQ(list_world(&names, missing), 0);
}

TEST_F(ModelTest, RequalifyWithoutQualifyLosesNothing) {
  EXPECT_EQ(requalify(), nullptr);
  EXPECT_TRUE(Reported("previous world lost"));
  EXPECT_EQ(anfang, root_);
}

TEST_F(ModelTest, QualifyNestsAndRequalifyReturns) {
  object_planet* outer = Planet("outer");
  ASSERT_EQ(outer->qualify(), outer->get_subworld());
  object_planet* inner = Planet("inner");
  ASSERT_EQ(inner->qualify(), inner->get_subworld());
  EXPECT_EQ(inner->get_subworld()->get_root_world(), outer->get_subworld());
  EXPECT_EQ(inner->get_subworld()->get_inertial_world(), root_);
  EXPECT_EQ(requalify(), outer->get_subworld());
  EXPECT_EQ(requalify(), root_);
}

TEST_F(ModelTest, QualifyWithoutCurrentWorldIsRefused) {
  object_planet* p = Planet("p");
  anfang = nullptr;
  EXPECT_EQ(p->qualify(), nullptr);
  EXPECT_TRUE(Reported("ZIDIRA not initialised"));
  anfang = root_;
}

TEST_F(ModelTest, DeletingTheCurrentWorldFallsBackToTheEnteringWorld) {
  object_planet* p = Planet("p");
  ASSERT_NE(p->qualify(), nullptr);
  new TypedObject("inside", "Zahl");
  delete p;
  EXPECT_EQ(anfang, root_);
  EXPECT_EQ(search("p"), nullptr);
}

}  // namespace
}  // namespace varnex::test
