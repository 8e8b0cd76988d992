// 2D contours: the class-wide list, sharing by use count, and the contour object that holds a
// share, copies it and hands it out as an operand.
#include <varnex/model/contour.h>
#include <varnex/model/model.h>
#include <varnex/model/model_hooks.h>
#include <varnex/persistence/bin_block.h>

#include <memory>

#include "model_fixture.h"

namespace varnex::test {
namespace {

class ContourTest : public ModelTest {
 protected:
  void TearDown() override {
    PVFconnect2dBa::ClearCon2dList();
    ModelTest::TearDown();
  }
};

TEST_F(ContourTest, ListFindsTheFirstRegisteredIdentifier) {
  auto* first = new PVFconnect2dBa("sketch");
  auto* second = new PVFconnect2dBa("sketch");
  EXPECT_EQ(PVFconnect2dBa::FindInConList("sketch"), first);
  delete first;
  EXPECT_EQ(PVFconnect2dBa::FindInConList("sketch"), second);
  EXPECT_EQ(PVFconnect2dBa::FindInConList("other"), nullptr);
  GENERIC_LIST<PVFconnect2dBa> all;
  EXPECT_EQ(PVFconnect2dBa::GetCon2dList(&all), 1);
}

TEST_F(ContourTest, IdentifierCounterAndClearing) {
  PVFconnect2dBa::SetIdentCount(5);
  EXPECT_EQ(PVFconnect2dBa::SetIdentCountByChar("profile_@12"), 12);
  PVFconnect2dBa::SetIdentCount(20);
  EXPECT_EQ(PVFconnect2dBa::SetIdentCountByChar("profile_@12"), 20);
  EXPECT_EQ(PVFconnect2dBa::SetIdentCountByChar("no marker"), 20);
  new PVFconnect2dBa("a");
  new PVFconnect2dBa("b");
  PVFconnect2dBa::SetNotCopy(TRUE);
  EXPECT_EQ(PVFconnect2dBa::IsCopyNeeded(), FALSE);
  EXPECT_EQ(PVFconnect2dBa::ClearCon2dList(), 2);
  EXPECT_EQ(PVFconnect2dBa::GetCon2dList(nullptr), 0);
  EXPECT_EQ(PVFconnect2dBa::IsCopyNeeded(), TRUE);
  EXPECT_EQ(PVFconnect2dBa::GetIdentCount(), 0);
}

TEST_F(ContourTest, SharesAndTheLastShareDeletes) {
  auto* contour = new PVFconnect2dBa("c");
  auto* a = new object_connect2d(contour, "a");
  auto* b = new object_connect2d(contour, "b");
  EXPECT_EQ(contour->UseCount(), 2);
  EXPECT_EQ(a->set(contour), contour);  // the same contour again: one release, one share
  EXPECT_EQ(contour->UseCount(), 2);
  EXPECT_EQ(a->get_value_source(), nullptr);
  delete a;
  EXPECT_EQ(PVFconnect2dBa::Con2dInList(contour), TRUE);
  EXPECT_EQ(contour->UseCount(), 1);
  auto* other = new PVFconnect2dBa("d");
  EXPECT_EQ(b->set(other), nullptr);  // the previous contour went with its last share
  EXPECT_EQ(PVFconnect2dBa::FindInConList("c"), nullptr);
  EXPECT_EQ(b->get_Connect(), other);
}

TEST_F(ContourTest, CopiesCopyOrShareTheContour) {
  auto* contour = new PVFconnect2dBa("profile");
  auto* original = new object_connect2d(contour, "original");
  rumpf* copied = original->copy("copied");
  ASSERT_NE(copied, nullptr);
  auto* copied_contour = static_cast<PVFconnect2dBa*>(copied->getVal());
  EXPECT_NE(copied_contour, contour);
  EXPECT_STREQ(copied_contour->get_IdentC(), "profile");
  EXPECT_EQ(original->SetNotCopyNeeded(TRUE), FALSE);
  rumpf* shared = original->copy("shared");
  EXPECT_EQ(shared->getVal(), contour);
  EXPECT_EQ(contour->UseCount(), 2);
  EXPECT_EQ(original->SetNotCopyNeeded(FALSE), TRUE);
  EXPECT_EQ(original->copy(nullptr), nullptr);
  EXPECT_TRUE(Reported("newname == NULL"));
}

TEST_F(ContourTest, OperandsOfContours) {
  auto* contour = new PVFconnect2dBa("profile");
  auto* object = new object_connect2d(contour, "object");
  PVMStrg prefix, formula, value;
  EXPECT_STREQ(object->GenericPrefix(prefix), "CONTOUR");
  EXPECT_STREQ(object->GetValue(formula, value), "profile");
  std::unique_ptr<aritm> operand(object->get_aritm());
  ASSERT_NE(operand, nullptr);
  EXPECT_EQ(operand->IsOpConnect2d(), TRUE);
  EXPECT_EQ(operand->IsValidValue(), TRUE);
  EXPECT_STREQ(operand->GetValue(value), "profile");
  rumpf* created = operand->new_object("created");
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->getVal(), contour);
  op_connect2d by_name;
  by_name.setsval("profile");
  EXPECT_EQ(by_name.get_connect2d(), contour);
  auto* empty = new object_connect2d("empty");
  EXPECT_STREQ(empty->GetValue(formula, value), "NULL");
}

int RecordSomething(PVFconnect2dBa*, PVFBinBlock&) {
  return 16;
}

TEST_F(ContourTest, StorageValueNamesTheBuiltInThatRebuildsTheContour) {
  auto* face = new object_connect2d(new PVFconnect2dBa("f"), "face");
  auto* path = new object_connect2d(new PVFconnect2dBa("p"), "path");
  path->set_alias_type("ConWirN");
  auto* none = new object_connect2d("none");
  PVFBinBlock block;
  PVMStrg value, name;
  EXPECT_STREQ(face->GetStorageValue(value, name, block), "get_SOLID (NOV_ENTRY)");
  pPVFConnectToNov = RecordSomething;
  EXPECT_STREQ(face->GetStorageValue(value, name, block), "get_OpFace (NOV_ENTRY)");
  EXPECT_STREQ(path->GetStorageValue(value, name, block), "get_OpPath (NOV_ENTRY)");
  EXPECT_EQ(none->GetStorageValue(value, name, block), nullptr);
  pPVFConnectToNov = nullptr;
}

// Clearing the list while objects hold shares leaves them without contour, not dangling.
TEST_F(ContourTest, ClearingTheListUnderItsHolders) {
  auto* holder = new object_connect2d(new PVFconnect2dBa("gone"), "holder");
  EXPECT_EQ(PVFconnect2dBa::ClearCon2dList(), 1);
  auto* reused = new PVFconnect2dBa("new");  // may land at the freed address
  PVMStrg value;
  EXPECT_STREQ(holder->get_value(value), "NULL");
  EXPECT_EQ(holder->get_Connect(), nullptr);
  EXPECT_EQ(reused->UseCount(), 0);
  delete holder;
  EXPECT_EQ(PVFconnect2dBa::Con2dInList(reused), TRUE);
}

TEST_F(ContourTest, RecordsOfContours) {
  auto* contour = new PVFconnect2dBa("profile");
  char* buffer = nullptr;
  std::size_t size = 0;
  FILE* file = open_memstream(&buffer, &size);
  EXPECT_EQ(contour->store(file, nullptr), 0);
  EXPECT_EQ(contour->store(file, "Sketch"), 0);
  std::fclose(file);
  EXPECT_EQ(std::string(buffer, size),
            "element_: profile, PVFconnect2dBa;\nelement_: profile, Sketch;\n");
  std::free(buffer);
  EXPECT_EQ(contour->store(static_cast<FILE*>(nullptr), nullptr), -1);
}

}  // namespace
}  // namespace varnex::test
