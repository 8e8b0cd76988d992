// Instances as values (operands naming them, formulas that copy another instance in, writing one
// instance into another), the host's feature cursor, and the calls into the dependency tree.
#include <varnex/model/enhanced.h>
#include <varnex/model/model.h>
#include <varnex/model/model_hooks.h>

#include <map>
#include <memory>

#include "model_fixture.h"
#include "test_evaluator.h"

namespace varnex::test {
namespace {

class InstancesTest : public ModelTest {
 protected:
  WithTestEvaluator evaluator_;
};

TEST_F(InstancesTest, OperandsNameInstancesRelativeToTheCurrentWorld) {
  object_planet* outer = Planet("outer");
  object_planet* inner = nullptr;
  Inside(outer, [&] { inner = Planet("inner"); });
  PVMStrg name;
  EXPECT_STREQ(inner->RelativeName(name), "outer.inner");
  Inside(outer, [&] {
    EXPECT_STREQ(inner->RelativeName(name), "inner");
    std::unique_ptr<aritm> value(inner->get_aritm());
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->IsOpObject(), TRUE);
    EXPECT_EQ(value->get_object(), inner);
  });
  std::unique_ptr<aritm> value(outer->get_aritm());
  EXPECT_EQ(value->IsValidValue(), TRUE);  // an instance holding objects
  std::unique_ptr<aritm> empty(inner->get_aritm());
  EXPECT_EQ(empty->IsValidValue(), FALSE);
}

TEST_F(InstancesTest, FormulaCopiesAnotherInstanceIn) {
  object_planet* source = Planet("source");
  object_zahl* x = nullptr;
  Inside(source, [&] {
    x = new object_zahl(1.0, "x");
    new object_text("t", "label");
  });
  object_planet* mirror = Planet("mirror");
  mirror->set_value_source("source;");
  ASSERT_NE(mirror->get(), nullptr);
  auto* copied = dynamic_cast<object_zahl*>(search("mirror.x"));
  ASSERT_NE(copied, nullptr);
  EXPECT_DOUBLE_EQ(copied->get(), 1.0);
  EXPECT_NE(search("mirror.label"), nullptr);
  x->set(8.0);
  mirror->get();
  EXPECT_DOUBLE_EQ(copied->get(), 8.0);
  EXPECT_STREQ(mirror->get_value_source(), "source;");
}

TEST_F(InstancesTest, AssignWritesMatchingObjectsAndCopiesMissingOnes) {
  object_planet* a = Planet("a");
  object_planet* b = Planet("b");
  a->set_alias_type("plate");
  b->set_alias_type("plate");
  Inside(a, [] {
    new object_zahl(3.0, "w");
    new object_number(2, "only_in_a");
  });
  object_zahl* bw = nullptr;
  Inside(b, [&] {
    bw = new object_zahl(0.0, "w");
    new object_logic(TRUE, "only_in_b");
  });
  EXPECT_EQ(a->assign("b"), 1);
  EXPECT_DOUBLE_EQ(bw->get(), 3.0);
  EXPECT_NE(search("b.only_in_a"), nullptr);
  EXPECT_NE(search("b.only_in_b"), nullptr);

  object_planet* hole = Planet("hole");
  hole->set_alias_type("hole");
  EXPECT_EQ(a->assign("hole"), 0);
  EXPECT_TRUE(Reported("variable hole different in type"));
  hole->set_alias_type(nullptr);
  object_planet* any = Planet("any");
  any->set_alias_type("generic");
  EXPECT_EQ(a->assign("any"), 1);
  new object_zahl(1.0, "number");
  EXPECT_EQ(a->assign("number"), 0);
  EXPECT_TRUE(Reported("variable number not of entity type"));
  EXPECT_EQ(a->assign("nothing"), 0);
  EXPECT_TRUE(Reported("variable nothing not defined"));
}

TEST_F(InstancesTest, CopyOfAnEntityPrototypeIsIndependent) {
  // As "object : feature_plate" does it: the entity's prototype is copied with everything in it.
  object_planet* prototype = Planet("feature_plate");
  prototype->set_alias_type("feature_plate");
  Inside(prototype, [] {
    new object_zahl(10.0, "width");
    auto* depth = new object_zahl("depth");
    depth->set_value_source("feature_plate.width / 2;");
    PVMStrg positive("VALUE > 0");
    depth->AddRestriction(positive);
  });
  rumpf* object = prototype->copy("object");
  ASSERT_NE(object, nullptr);
  auto* width = dynamic_cast<object_zahl*>(search("object.width"));
  auto* depth = dynamic_cast<object_zahl*>(search("object.depth"));
  ASSERT_NE(width, nullptr);
  ASSERT_NE(depth, nullptr);
  EXPECT_STREQ(depth->get_value_source(), "feature_plate.width / 2;");
  EXPECT_EQ(depth->GetRestrictions(nullptr), 1);
  EXPECT_DOUBLE_EQ(depth->get(), 5.0);
  width->set(40.0);
  EXPECT_DOUBLE_EQ(static_cast<object_zahl*>(search("feature_plate.width"))->get(), 10.0);
  GENERIC_LIST<rumpf> referrers;
  prototype->GetReferencesBy(&referrers);
  EXPECT_EQ(referrers.count(), 2);  // the prototype's own depth and the copy's
}

TEST_F(InstancesTest, CursorWalksFeaturesAndEntities) {
  std::string long_name(200, 'q');
  object_planet* f1 = Planet("f1");
  f1->set_alias_type("plate");
  Inside(f1, [&] {
    new object_zahl(2.5, "e1");
    new object_text("hello", "e2");
    Planet("sub");
  });
  new object_zahl(1.0, "x");
  Planet("f2")->set_alias_type("hole");
  Planet(long_name.c_str());

  enhanced cursor;
  EXPECT_STREQ(cursor.getFEATname(), "f1");
  EXPECT_EQ(cursor.findFEATURE(nullptr), 1);
  EXPECT_STREQ(cursor.getFEATname(), "f2");
  EXPECT_EQ(cursor.findFEATURE(nullptr), 1);
  EXPECT_EQ(cursor.getFEATname(), long_name);  // no truncation
  EXPECT_EQ(cursor.findFEATURE("plate"), 2);   // after the wrap
  EXPECT_STREQ(cursor.getFEATname(), "f1");
  EXPECT_EQ(cursor.findFEATURE("nothing"), 0);
  EXPECT_STREQ(cursor.getFEATname(), "f1");

  EXPECT_EQ(cursor.findfirstENTITY(), 1);
  EXPECT_STREQ(cursor.getENTname(), "e1");
  EXPECT_STREQ(cursor.getENTinternaltype(), "Zahl");
  EXPECT_STREQ(cursor.getENTsval(), "2.5");
  EXPECT_EQ(cursor.findENTITY(nullptr), 1);
  EXPECT_STREQ(cursor.getENTsval(), "hello");
  EXPECT_EQ(cursor.findENTITY("e1"), 2);
  EXPECT_STREQ(cursor.setENTsval("7"), "7");
  EXPECT_STREQ(cursor.getENTsval(), "7");
  EXPECT_EQ(cursor.setENTsval("'text'"), nullptr);

  EXPECT_EQ(cursor.toSUBWORLD(), 1);
  EXPECT_STREQ(cursor.getFEATname(), "sub");
  EXPECT_EQ(cursor.toSUPERWORLD(), 1);
  EXPECT_STREQ(cursor.getFEATname(), "f1");
  EXPECT_EQ(cursor.toSUPERWORLD(), 0);
  EXPECT_STREQ(cursor.getENTsval("f1.e2"), "hello");
  EXPECT_STREQ(cursor.getENTname(), "e2");
  EXPECT_EQ(cursor.getENTsval("f1.none"), nullptr);
  EXPECT_EQ(cursor.getENTgeolist(), nullptr);
}

// Stand-ins for the dependency tree: one node per outermost instance.
std::map<std::string, int> node_storage;
PDTnode* FindNode(const char* name) {
  auto found = node_storage.find(name);
  return found == node_storage.end() ? nullptr : reinterpret_cast<PDTnode*>(&found->second);
}
std::vector<std::pair<std::string, std::string>> renames;
void RenameNode(const char* old_name, const char* new_name) {
  renames.emplace_back(old_name, new_name);
}

TEST_F(InstancesTest, ReferencesMapToTheNodesOfOutermostInstances) {
  node_storage = {{"box_@1", 1}, {"box_@2", 2}};
  pPVFFindNode = FindNode;
  pPVFRenameNode = RenameNode;
  object_planet* box1 = Planet("box_@1");
  object_planet* box2 = Planet("box_@2");
  Inside(box1, [] { new object_zahl(1.0, "w"); });
  Inside(box2, [] { new object_zahl(2.0, "w"); });
  auto* sum = new object_zahl("sum");
  sum->set_value_source("box_@1.w + box_@2.w + box_@1.w;");
  GENERIC_LIST<PDTnode> nodes;
  EXPECT_EQ(sum->GetReferencesTo(&nodes), 2);
  EXPECT_EQ(nodes[0], FindNode("box_@1"));
  EXPECT_EQ(nodes[1], FindNode("box_@2"));
  box2->set_name("box_@3");
  ASSERT_EQ(renames.size(), 1u);
  EXPECT_EQ(renames[0], std::make_pair(std::string("box_@2"), std::string("box_@3")));
  pPVFFindNode = nullptr;
  pPVFRenameNode = nullptr;
}

}  // namespace
}  // namespace varnex::test
