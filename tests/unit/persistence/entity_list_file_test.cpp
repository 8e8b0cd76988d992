// Entity lists through a PVFSatStream, as memory bodies use them: bodies and attributes come
// back after compression, lists follow each other, and damaged data restores nothing. (The
// final line feed is only a line end: a list without it is whole.)
#include <gtest/gtest.h>
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/topology.h>
#include <varnex/persistence/entity_list_file.h>
#include <varnex/persistence/sat_stream.h>

#include <vector>

namespace {

class EntityListFile : public ::testing::Test {
 protected:
  void SetUp() override { live_ = PVFLiveBodyCount(); }
  void TearDown() override {
    while (restored_.count() > 0) {
      api_delent(restored_[0]);  // a deleted body leaves the list
    }
    gmod_del_all();
    EXPECT_EQ(PVFLiveBodyCount(), live_);
  }

  ENTITY_LIST restored_;

 private:
  int live_ = 0;
};

ENTITY* FirstFace(ENTITY* body) {
  ENTITY_LIST faces;
  api_get_faces(body, faces);
  return faces[0];
}

TEST_F(EntityListFile, BodiesComeBackThroughACompressedStreamInOrder) {
  ENTITY_LIST saved;
  saved.add(fmcreate_cube(1, 2, 3));
  saved.add(fmcreate_sphere(1));
  new PVFAttribSolidFaceName(FirstFace(saved[0]), "base");
  PVFSatStream stream;
  ASSERT_TRUE(api_save_entity_list_file(&stream, saved).ok());
  ASSERT_TRUE(stream.Compress());
  ASSERT_TRUE(stream.Uncompress());

  ASSERT_TRUE(api_restore_entity_list_file(&stream, restored_).ok());
  ASSERT_EQ(restored_.count(), 2);
  EXPECT_NEAR(fmvolume_of_body(restored_[0]), 6.0, 1e-9);
  EXPECT_STREQ(PVFFindSolidFaceNameAtt(FirstFace(restored_[0]))->GetName(), "base");
  EXPECT_EQ(stream.Position(), stream.Length());
}

TEST_F(EntityListFile, ListsFollowEachOther) {
  ENTITY_LIST first, second;
  first.add(fmcreate_cube(1, 1, 1));
  second.add(fmcreate_cube(2, 2, 2));
  PVFSatStream stream;
  ASSERT_TRUE(api_save_entity_list_file(&stream, first).ok());
  ASSERT_TRUE(api_save_entity_list_file(&stream, second).ok());
  stream.goto_mark(0);
  ASSERT_TRUE(api_restore_entity_list_file(&stream, restored_).ok());
  ASSERT_TRUE(api_restore_entity_list_file(&stream, restored_).ok());
  ASSERT_EQ(restored_.count(), 2);
  EXPECT_NEAR(fmvolume_of_body(restored_[0]), 1.0, 1e-9);
  EXPECT_NEAR(fmvolume_of_body(restored_[1]), 8.0, 1e-9);
  // Nothing more to read: fails without moving.
  PVFSatStream::Mark end = stream.Position();
  EXPECT_FALSE(api_restore_entity_list_file(&stream, restored_).ok());
  EXPECT_EQ(stream.Position(), end);
}

TEST_F(EntityListFile, TruncatedDataRestoresNothingAndKeepsThePosition) {
  ENTITY_LIST saved;
  saved.add(fmcreate_cube(1, 1, 1));
  PVFSatStream whole;
  ASSERT_TRUE(api_save_entity_list_file(&whole, saved).ok());
  for (std::size_t keep :
       {std::size_t{0}, std::size_t{10}, whole.Length() / 2, whole.Length() - 2}) {
    PVFSatStream cut;
    cut.write(whole.GetpBuffer(), keep);
    cut.goto_mark(0);
    ENTITY_LIST none;
    EXPECT_FALSE(api_restore_entity_list_file(&cut, none).ok()) << keep;
    EXPECT_EQ(none.count(), 0) << keep;
    EXPECT_EQ(cut.Position(), 0u) << keep;
  }
  EXPECT_FALSE(api_save_entity_list_file(nullptr, saved).ok());
  EXPECT_FALSE(api_restore_entity_list_file(nullptr, restored_).ok());
}

}  // namespace
