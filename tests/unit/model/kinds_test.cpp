// The object kinds: recomputation from formulas with restriction checks, setters that turn a
// formula into a plain value, copies and assignments, enumerations, transformations, references,
// geometry, and the operands they hand out and accept.
#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>
#include <varnex/model/model.h>
#include <varnex/model/object_references.h>
#include <varnex/model/object_values.h>
#include <varnex/model/object_vectors.h>

#include <memory>

#include "model_fixture.h"
#include "test_evaluator.h"

namespace varnex::test {
namespace {

class KindsTest : public ModelTest {
 protected:
  WithTestEvaluator evaluator_;
};

TEST_F(KindsTest, FormulaIsFollowedOnEveryRead) {
  auto* b = new object_zahl(2.0, "b");
  auto* a = new object_zahl("a");
  a->set_value_source("b * 2;");
  EXPECT_DOUBLE_EQ(a->get(), 4.0);
  b->set(3.0);
  EXPECT_DOUBLE_EQ(a->get(), 6.0);
  EXPECT_EQ(a->GetValidity(), 0);
}

TEST_F(KindsTest, ViolatedRestrictionKeepsThePreviousValueAndSetsValidity) {
  auto* b = new object_zahl(2.0, "b");
  auto* a = new object_zahl("a");
  a->set_value_source("b * 2;");
  PVMStrg below_ten("VALUE < 10");
  a->AddRestriction(below_ten);
  EXPECT_DOUBLE_EQ(a->get(), 4.0);
  b->set(7.0);
  EXPECT_DOUBLE_EQ(a->get(), 4.0);  // 14 violates VALUE < 10
  EXPECT_EQ(a->GetValidity(), 1);
  b->set(4.5);
  EXPECT_DOUBLE_EQ(a->get(), 9.0);
  EXPECT_EQ(a->GetValidity(), 0);
}

TEST_F(KindsTest, FormulaYieldingNothingKeepsTheValue) {
  auto* a = new object_zahl(1.5, "a");
  a->set_value_source("missing + 1;");
  EXPECT_DOUBLE_EQ(a->get(), 1.5);
  EXPECT_TRUE(Reported("no zahl value evaluated from <missing + 1;>"));
  auto* n = new object_number(4, "n");
  n->set_value_source("'text';");  // a value of another kind
  EXPECT_EQ(n->get(), 4);
  EXPECT_TRUE(Reported("no number value evaluated from <'text';>"));
}

TEST_F(KindsTest, CheckRestrictionsReportsTheFirstViolation) {
  auto* a = new object_zahl(1.0, "a");
  const char* restrictions[] = {"VALUE > 0", "VALUE < 10", "VALUEX > 0"};
  for (const char* r : restrictions) {
    PVMStrg text(r);
    a->AddRestriction(text);
  }
  struct Case {
    const char* value;
    int expected;
    const char* violated;
  };
  auto* valuex = new object_zahl(1.0, "VALUEX");
  const Case cases[] = {
      {"5", 0, ""}, {"-1", 1, "VALUE > 0"}, {"12", 2, "VALUE < 10"}, {"nonsense", 0, ""}};
  for (const Case& c : cases) {
    PVMStrg value(c.value), violated;
    EXPECT_EQ(a->CheckRestrictions(value, violated), c.expected) << c.value;
    EXPECT_STREQ(violated, c.violated) << c.value;
  }
  valuex->set(-1.0);  // "VALUE" is replaced as a whole word only
  PVMStrg value("5"), violated;
  EXPECT_EQ(a->CheckRestrictions(value, violated), 3);
  PVMStrg unevaluable("nothing here");
  a->AddRestriction(unevaluable);
  valuex->set(1.0);
  EXPECT_EQ(a->CheckRestrictions(value, violated), 4);
}

TEST_F(KindsTest, SettersTurnFormulasIntoPlainValues) {
  auto* b = new object_zahl(2.0, "b");
  auto* z = new object_zahl("z");
  z->set_value_source("b;");
  EXPECT_NE(z->set(5.0), nullptr);
  EXPECT_EQ(z->get_value_source(), nullptr);
  EXPECT_DOUBLE_EQ(z->get(), 5.0);
  EXPECT_EQ(b->GetReferencesBy(static_cast<VALUE_LIST<PVMStrg>*>(nullptr)), 0);

  auto* n = new object_number(0, "n");
  n->set(7.9);
  EXPECT_EQ(n->get(), 7);  // truncated
  n->set(-7.9);
  EXPECT_EQ(n->get(), -7);
  z->set(3L);
  EXPECT_DOUBLE_EQ(z->get(), 3.0);
  EXPECT_EQ(z->set(TRUE), nullptr);  // not a number payload
  auto* l = new object_logic("l");
  EXPECT_EQ(l->set(TRUE), nullptr);  // accepted; set_bool answers null
  EXPECT_EQ(l->get(), TRUE);
}

TEST_F(KindsTest, EnumerationIndexAndAcceptedOperands) {
  VALUE_LIST<PVMStrg> values;
  values.add(PVMStrg("a"));
  values.add(PVMStrg("b"));
  values.add(PVMStrg("a"));  // duplicate, dropped
  auto* e = new object_enum(&values, 1, "e");
  EXPECT_STREQ(e->get_enum_val(), "b");
  EXPECT_EQ(e->SetAliasType(), 1);
  EXPECT_STREQ(e->get_alias_type(), "ENUMERATION OF (a, b)");
  e->set(2.0);  // the number of values: back to the first
  EXPECT_EQ(e->get_enum_nr(), 0);
  e->set(1.0);
  EXPECT_EQ(e->get_enum_nr(), 1);
  EXPECT_EQ(e->set("c"), nullptr);  // not allowed: refused, index kept
  EXPECT_EQ(e->get_enum_nr(), 1);
  EXPECT_NE(e->set("a"), nullptr);
  EXPECT_EQ(e->get_enum_nr(), 0);

  op_text b("b"), c("c"), formula_b("b", "x;");
  EXPECT_EQ(e->IsCompatible(&b), TRUE);
  EXPECT_EQ(e->IsCompatible(&c), FALSE);
  EXPECT_EQ(e->IsCompatible(&formula_b), FALSE);
  VALUE_LIST<PVMStrg> subset, other;
  subset.add(PVMStrg("b"));
  other.add(PVMStrg("z"));
  op_enum within(0, &subset), outside(0, &other);
  EXPECT_EQ(e->IsCompatible(&within), TRUE);
  EXPECT_EQ(e->IsCompatible(&outside), FALSE);

  PVMStrg value("b"), result;
  EXPECT_NE(e->SetValue(value, result), nullptr);  // a bare allowed value
  EXPECT_STREQ(e->get_enum_val(), "b");
  EXPECT_STREQ(result, "'b'");
}

TEST_F(KindsTest, VectorComponentFormulasKeepOnlyGeneratedNames) {
  object_planet* box = Planet("box_@1");
  Inside(box, [] { new object_zahl(7.0, "w"); });
  auto* v = new object_vector("v");
  PVMStrg five("5"), result;

  v->set_value_source("[1, box_@1.w, 3];");
  EXPECT_EQ(v->get()[1], 7.0);
  ASSERT_NE(v->SetComponentValue(five, result, 1), nullptr);
  EXPECT_STREQ(result, "5");
  EXPECT_EQ(v->get_value_source(), nullptr);  // no generated name left
  EXPECT_EQ(v->get()[0], 1.0);
  EXPECT_EQ(v->get()[1], 5.0);
  EXPECT_EQ(v->get()[2], 3.0);

  v->set_value_source("[1, box_@1.w, 3];");
  ASSERT_NE(v->SetComponentValue(five, result, 0), nullptr);
  EXPECT_STREQ(v->get_value_source(), "[5, box_@1.w, 3];");
  EXPECT_EQ(v->get()[0], 5.0);
  EXPECT_EQ(v->get()[1], 7.0);

  v->set(1.0, 2.0, 3.0);
  PVMStrg generated("box_@1.w * 2");
  ASSERT_NE(v->SetComponentValue(generated, result, 2), nullptr);
  EXPECT_STREQ(v->get_value_source(), "[1, 2, box_@1.w * 2];");
  EXPECT_EQ(v->get()[2], 14.0);

  EXPECT_EQ(v->SetComponentValue(five, result, 3), nullptr);
  PVMStrg text("'x'");
  EXPECT_EQ(v->SetComponentValue(text, result, 0), nullptr);  // not a number
  EXPECT_EQ(v->TestComponentValue(five, result, 1), result.GetpStr());
  EXPECT_EQ(v->get()[1], 2.0);  // testing changes nothing
}

TEST_F(KindsTest, AxisComponentsAndArrays) {
  auto* a = new object_axis(0, 0, 0, 0, 0, 1, "a");
  double origin[3] = {1, 2, 3};
  EXPECT_EQ(a->SetOrigin(origin), 0);
  EXPECT_EQ(a->SetOrigin(static_cast<const double*>(nullptr)), -1);
  EXPECT_TRUE(Reported("value pointer = NULL"));
  EXPECT_EQ(a->GetDirection(2), 1.0);
  EXPECT_EQ(a->SetDirection(5, 1.0), -1);
  PVMStrg direction("[1, 0, 0]"), result;
  ASSERT_NE(a->SetComponentValue(direction, result, 1), nullptr);
  EXPECT_EQ(a->GetDirection(0), 1.0);
  EXPECT_EQ(a->GetOrigin(2), 3.0);
  PVMStrg four("4");
  ASSERT_NE(a->SetComponentValue(four, result, 0, 1), nullptr);
  EXPECT_EQ(a->GetOrigin(1), 4.0);
  PVMStrg value, formula;
  EXPECT_STREQ(a->GetValue(formula, value), "[[1,4,3], [1,0,0]]");
}

TEST_F(KindsTest, CombiningComponentTexts) {
  PVMStrg parts[6] = {"a", "b", "c", "d", "e", "f"};
  PVMStrg out;
  EXPECT_STREQ(CombineVectorComponents(out, parts), "[a, b, c]");
  EXPECT_STREQ(CombineAxisComponents(out, parts), "[[a, b, c], [d, e, f]]");
}

// Every kind copies its value, alias type, formula, restrictions and validity.
TEST_F(KindsTest, CopiesOfEveryKind) {
  VALUE_LIST<PVMStrg> values;
  values.add(PVMStrg("p"));
  values.add(PVMStrg("q"));
  SPAtransf shift = translate_transf(SPAvector(1, 2, 3));
  auto* target = new object_zahl(1.0, "target");
  std::vector<rumpf*> originals = {
      new object_number(5, "n"),
      new object_zahl(2.5, "z"),
      new object_logic(TRUE, "l"),
      new object_text("abc", "t"),
      new object_enum(&values, 1, "e"),
      new object_vector(1, 2, 3, "v"),
      new object_axis(1, 2, 3, 0, 0, 1, "ax"),
      new object_trans(&shift, "tr"),
      new object_reference(target, "r"),
      new object_geom(static_cast<list*>(nullptr), "g"),
  };
  PVMStrg restriction("VALUE = VALUE");
  for (rumpf* original : originals) {
    original->set_alias_type("declared");
    original->AddRestriction(restriction);
    original->SetValidity(5);
    std::string copy_name = std::string(original->get_name()) + "_copy";
    rumpf* copy = original->copy(copy_name.c_str());
    ASSERT_NE(copy, nullptr) << original->get_name();
    EXPECT_EQ(search(copy_name.c_str()), copy);
    EXPECT_STREQ(copy->get_type(), original->get_type());
    EXPECT_STREQ(copy->get_alias_type(), "declared");
    EXPECT_EQ(copy->GetRestrictions(nullptr), 1);
    EXPECT_EQ(copy->GetValidity(), 5);
    PVMStrg original_value, copy_value, formula;
    EXPECT_STREQ(copy->get_value(copy_value), original->get_value(original_value))
        << original->get_name();
    EXPECT_STREQ(copy->get_value_source() == nullptr ? "" : copy->get_value_source(),
                 original->get_value_source() == nullptr ? "" : original->get_value_source());
  }
  EXPECT_EQ(originals[0]->copy(nullptr), nullptr);
  EXPECT_TRUE(Reported("Name of new Object not specified"));
  EXPECT_EQ(originals[3]->copy(nullptr), nullptr);
  EXPECT_TRUE(Reported("newname == NULL"));
  EXPECT_EQ(originals[1]->copy("z_copy"), nullptr);
  EXPECT_TRUE(Reported("couldn't create object <z_copy>"));
}

TEST_F(KindsTest, AssignWritesIntoAnObjectOfTheSameKind) {
  auto* z = new object_zahl(2.5, "z");
  auto* other = new object_zahl(0.0, "other");
  auto* n = new object_number(1, "n");
  PVMStrg restriction("VALUE > 0");
  z->AddRestriction(restriction);
  z->set_alias_type("distance");
  other->set_alias_type("distance");
  EXPECT_EQ(z->assign("other"), 1);
  EXPECT_DOUBLE_EQ(other->get(), 2.5);
  EXPECT_EQ(other->GetRestrictions(nullptr), 1);

  EXPECT_EQ(z->assign("n"), 0);
  EXPECT_TRUE(Reported("variable n not of type ZAHL"));
  EXPECT_EQ(n->get(), 1);
  EXPECT_EQ(z->assign("nowhere"), 0);
  EXPECT_TRUE(Reported("variable nowhere not defined"));
  auto* plain = new object_zahl(9.0, "plain");
  EXPECT_EQ(z->assign("plain"), 0);  // alias types differ
  EXPECT_TRUE(Reported("different types in entity assign"));
  EXPECT_DOUBLE_EQ(plain->get(), 9.0);
}

TEST_F(KindsTest, TransformationsAreNeverMissing) {
  auto* t = new object_trans(static_cast<SPAtransf*>(nullptr), "t");
  EXPECT_EQ(t->GetValidity(), 3011);
  EXPECT_EQ(t->get()->identity(), TRUE);
  auto* u = new object_trans("u");
  EXPECT_NE(u->set(static_cast<SPAtransf*>(nullptr)), nullptr);
  EXPECT_EQ(u->GetValidity(), 3012);
  u->SetValidity(7);
  u->set(static_cast<SPAtransf*>(nullptr));
  EXPECT_EQ(u->GetValidity(), 7);  // an earlier error code is kept
  PVMStrg value("anything"), result;
  EXPECT_EQ(t->SetValue(value, result), nullptr);
  EXPECT_EQ(t->TestValue(value, result), nullptr);
}

TEST_F(KindsTest, ReferencesResolveByFullName) {
  object_planet* s = Planet("s");
  rumpf* h = nullptr;
  Inside(s, [&] { h = new object_zahl(4.0, "h"); });
  auto* r = new object_reference(h, "r");
  EXPECT_EQ(r->get(), h);
  EXPECT_STREQ(r->get_value_source(), "s.h;");
  PVMStrg formula, value;
  EXPECT_STREQ(r->GetValue(formula, value), "s.h;");
  EXPECT_STREQ(value, "4");
  VALUE_LIST<PVMStrg> by;
  h->GetReferencesBy(&by);
  ASSERT_EQ(by.count(), 1);
  EXPECT_STREQ(by[0], "r");

  PVMStrg empty(""), result;
  EXPECT_STREQ(r->TestValue(empty, result), "NULL");
  PVMStrg unknown("nothing;");
  EXPECT_EQ(r->TestValue(unknown, result), nullptr);
  r->set(static_cast<rumpf*>(nullptr));
  EXPECT_EQ(r->get(), nullptr);
  EXPECT_STREQ(r->GetValue(formula, value), "NULL");
}

class FakeEntity : public ENTITY {
 public:
  explicit FakeEntity(EntityKind kind) : kind_(kind) {}
  const char* type_name() const override { return "fake"; }
  EntityKind kind() const override { return kind_; }

 private:
  EntityKind kind_;
};

TEST_F(KindsTest, GeometryAndReferencesToFaces) {
  FakeEntity body(EntityKind::Body), face0(EntityKind::Face), face1(EntityKind::Face),
      edge(EntityKind::Edge);
  auto* g = new object_geom(&body, "g");
  g->add_entity(&face0);
  g->add_entity(&face1);
  g->add_entity(&edge);
  g->add_entity(&face0);  // present already
  EXPECT_EQ(g->add_entity(nullptr), 4);
  EXPECT_TRUE(Reported("new_ent == NULL"));
  EXPECT_EQ(g->get(2), &face1);
  EXPECT_EQ(g->get(&edge), 3);
  EXPECT_EQ(g->get_FACE(1), &face1);
  EXPECT_EQ(g->get_EDGE(0), &edge);
  EXPECT_EQ(g->remove_entity(&body), 0);
  EXPECT_EQ(g->remove_entity(&body), -1);

  auto* r = new object_reference("g.f1", "r");
  EXPECT_EQ(r->get(), g);
  EXPECT_EQ(r->GetGeometry(), &face1);
  auto* rr = new object_reference(r, "rr");
  EXPECT_EQ(rr->GetGeometry(), &face1);  // followed through the first reference

  PVMStrg name("g;"), result;
  auto* h = new object_geom("h");
  EXPECT_STREQ(h->SetValue(name, result), "Geometric");
  EXPECT_STREQ(h->get_value_source(), "g;");
  PVMStrg formula, value;
  h->GetValue(formula, value);
  EXPECT_STREQ(value, "g");
  PVMStrg not_geometry("rr;");
  EXPECT_EQ(h->SetValue(not_geometry, result), nullptr);
}

TEST_F(KindsTest, RingOfReferencesEnds) {
  auto* a = new object_reference("b", "a");
  auto* b = new object_reference("a", "b");
  EXPECT_EQ(a->GetGeometry(), nullptr);
  GENERIC_LIST<ENTITY> entities;
  EXPECT_EQ(b->GetGeometry(&entities), 0);
}

TEST_F(KindsTest, OperandsCarryFormulaAndValidity) {
  auto* b = new object_zahl(2.0, "b");
  auto* a = new object_zahl("a");
  a->set_value_source("b + 1;");
  a->SetValidity(0);
  std::unique_ptr<aritm> value(a->get_aritm());
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->IsOpZahl(), TRUE);
  EXPECT_DOUBLE_EQ(value->get_double(), 3.0);
  EXPECT_STREQ(value->get_value_source(), "b + 1;");
  b->SetValidity(4);
  PVMStrg restriction("VALUE > 100");
  a->AddRestriction(restriction);
  value.reset(a->get_aritm());
  EXPECT_EQ(value->GetValidity(), 1);
}

TEST_F(KindsTest, OperandsCreateAndAssignObjects) {
  std::unique_ptr<aritm> value(new op_zahl(2.5, "2.5;"));
  rumpf* created = value->new_object("fresh");
  ASSERT_NE(created, nullptr);
  EXPECT_STREQ(created->get_type(), "Zahl");
  EXPECT_STREQ(created->get_value_source(), "2.5;");
  std::unique_ptr<aritm> vector(new op_vector(1, 2, 3));
  auto* v = new object_vector("v");
  EXPECT_EQ(vector->assign_object("v"), v);
  EXPECT_EQ(v->get()[2], 3.0);
  EXPECT_EQ(vector->assign_object("fresh"), nullptr);  // a vector is no number
  EXPECT_DOUBLE_EQ(static_cast<object_zahl*>(created)->get(), 2.5);
}

TEST_F(KindsTest, SetValueGuardsAndMarkers) {
  auto* n = new object_number(1, "n");
  n->set_value_source("n + 0;");
  PVMStrg positive("VALUE > 0");
  n->AddRestriction(positive);
  struct Case {
    const char* value;
    const char* result;
    bool accepted;
  };
  const Case cases[] = {
      {"-1", "___RESTRICTION VIOLATED___VALUE > 0", false},
      {"'abc'", "___NOT EVALUABLE___", false},
      {"nowhere", "___NOT EVALUABLE___", false},
      {"2", "2", true},
  };
  for (const Case& c : cases) {
    PVMStrg value(c.value), result;
    EXPECT_EQ(n->TestValue(value, result) != nullptr, c.accepted) << c.value;
    EXPECT_STREQ(result, c.result) << c.value;
    EXPECT_EQ(n->get_value(result), std::string("1")) << "TestValue changed the object";
  }
  PVMStrg two("2"), result;
  EXPECT_STREQ(n->SetValue(two, result), "2");
  EXPECT_EQ(n->get(), 2);
  EXPECT_EQ(n->get_value_source(), nullptr);  // a constant clears the formula
}

TEST_F(KindsTest, CyclesThroughGeneratedNamesAreRefused) {
  object_planet* box = Planet("box_@1");
  rumpf *w = nullptr, *w2 = nullptr;
  Inside(box, [&] {
    w = new object_zahl(1.0, "w");
    w2 = new object_zahl(2.0, "w2");
  });
  PVMStrg self("box_@1.w + 1"), result;
  EXPECT_EQ(w->SetValue(self, result), nullptr);
  EXPECT_STREQ(result, "___CYCLES IN REFERENCES___");
  w2->set_value_source("box_@1.w * 2;");
  PVMStrg indirect("box_@1.w2");
  EXPECT_EQ(w->SetValue(indirect, result), nullptr);
  EXPECT_STREQ(result, "___CYCLES IN REFERENCES___");
  PVMStrg fine("box_@1.w * 3");
  EXPECT_STREQ(w2->SetValue(fine, result), "3");
  EXPECT_STREQ(w2->get_value_source(), "box_@1.w * 3;");  // a generated name stays a formula
}

TEST_F(KindsTest, TextValuesMayBeBareWords) {
  auto* t = new object_text("old", "t");
  PVMStrg bare("hello"), result;
  EXPECT_STREQ(t->SetValue(bare, result), "'hello'");
  EXPECT_STREQ(t->get(), "hello");
  auto* other = new object_text("other text", "other");
  PVMStrg name("other");
  EXPECT_STREQ(t->SetValue(name, result), "'other text'");  // a name that evaluates wins
  other->set("changed");
  EXPECT_STREQ(t->get(), "other text");  // a value, not a formula
}

TEST_F(KindsTest, SetValueSourceByTextAndRenamingIdentifiers) {
  auto* a = new object_zahl(1.0, "a");
  new object_zahl(2.0, "ab");
  new object_zahl(3.0, "b");
  auto* f = new object_zahl("f");
  PVMStrg formula("a + ab");
  EXPECT_STREQ(f->set_value(formula), "a + ab");
  EXPECT_STREQ(f->get_value_source(), "a + ab;");
  PVMStrg bad("'x'");
  EXPECT_EQ(f->set_value(bad), nullptr);
  VALUE_LIST<PVMStrg> from, to;
  from.add(PVMStrg("a"));
  to.add(PVMStrg("b"));
  EXPECT_EQ(f->vs_austausch(&from, &to), 1);
  EXPECT_STREQ(f->get_value_source(), "b + ab;");
  EXPECT_DOUBLE_EQ(f->get(), 5.0);
  VALUE_LIST<PVMStrg> empty;
  EXPECT_EQ(f->ValSrcAustausch(&from, &empty), TRUE);
  (void)a;
}

}  // namespace
}  // namespace varnex::test
