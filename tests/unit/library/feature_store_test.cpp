// FEATURE_LIST::Store and Restore: used definitions into a model section and back, and
// damaged sections.
#include <gtest/gtest.h>
#include <varnex/library/feature_list.h>
#include <varnex/persistence/block_stream.h>
#include <varnex/persistence/string_stream.h>

#include <string>

#include "library_test_support.h"

namespace {

using varnex::test::LibraryData;

std::unique_ptr<FEATURE_LIST> FullLibrary() {
  auto list = std::make_unique<FEATURE_LIST>();
  list->RemoveNvlPath(static_cast<const VALUE_LIST<PVMStrg>*>(nullptr));
  for (const char* folder : {"first", "second", "geometry"}) {
    list->AddNvlPath(PVMStrg(LibraryData(folder).c_str()));
  }
  list->Read();
  return list;
}

std::unique_ptr<FEATURE_LIST> EmptyLibrary() {
  return std::make_unique<FEATURE_LIST>(PVMStrg());
}

std::string StoreOf(FEATURE_LIST& list, std::initializer_list<const char*> instances,
                    int* written = nullptr) {
  VALUE_LIST<PVMStrg> names;
  for (const char* name : instances) {
    names.add(PVMStrg(name));
  }
  PVFSStream out;
  int count = list.Store(out, names);
  if (written != nullptr) {
    *written = count;
  }
  return std::string(out.GetpStr(), out.Length());
}

/// An input stream over the bytes of a section (contour blocks may hold any byte).
PVFBStream InputOf(const std::string& section) {
  return PVFBStream(reinterpret_cast<const unsigned char*>(section.data()),
                    static_cast<unsigned>(section.size()));
}

TEST(FeatureStore, UsedDefinitionsAndTheirCallsRoundTrip) {
  auto library = FullLibrary();
  int written = 0;
  std::string section = StoreOf(*library, {"plate_@2", "plate_@7", "ghost_@1"}, &written);
  EXPECT_EQ(written, 2) << "plate, and box because plate calls create_box";
  auto restored = EmptyLibrary();
  PVFBStream in = InputOf(section);
  EXPECT_EQ(restored->Restore(in), 2);
  for (const char* feature : {"plate", "box"}) {
    Featurelist_Element* original = library->GetFeatureByName(feature);
    Featurelist_Element* copy = restored->GetFeatureByName(feature);
    ASSERT_NE(copy, nullptr) << feature;
    EXPECT_TRUE(*copy == *original) << feature;
    PVMStrg file;
    EXPECT_STREQ(copy->GetFileName(file), original->get_theFilename());
  }
  EXPECT_EQ(restored->GetFeatureByName("cylinder"), nullptr);
  EXPECT_EQ(StoreOf(*restored, {"plate_@2"}), section) << "store, restore, store: same text";
  restored->AddNvlPath(PVMStrg(LibraryData("second").c_str()));
  restored->Read();
  EXPECT_STREQ(restored->GetFeatureByName("box")->get_theFuncname(), "create_box")
      << "restored definitions have no file and survive a re-read";
}

TEST(FeatureStore, GeometryAndContoursTravelWithTheDefinition) {
  auto library = FullLibrary();
  std::string section = StoreOf(*library, {"slab_@1"});
  EXPECT_NE(section.find("-GEOMETRY-"), std::string::npos);
  EXPECT_NE(section.find("-2DCONTUR-"), std::string::npos);
  auto restored = EmptyLibrary();
  PVFBStream in = InputOf(section);
  ASSERT_EQ(restored->Restore(in), 1);
  Featurelist_Element* slab = restored->GetFeatureByName("slab");
  ASSERT_NE(slab, nullptr);
  EXPECT_TRUE(*slab == *library->GetFeatureByName("slab"));
  PVFBinBlockList contours;
  ASSERT_EQ(slab->GetFeatureContour(contours), 2);
  EXPECT_EQ(contours[1].Length(), 4u);
  EXPECT_EQ(contours[1][1], 0);
}

TEST(FeatureStore, TheLibrarysOwnDefinitionWins) {
  auto library = FullLibrary();
  std::string section = StoreOf(*library, {"box_@1"});
  auto other = EmptyLibrary();
  other->AddFeature("box.NVL", "ENTITY feature_box; END_ENTITY; FUNCTION mine () : feature_box;");
  PVFBStream in = InputOf(section);
  EXPECT_EQ(other->Restore(in), 1);
  EXPECT_STREQ(other->GetFeatureByName("box")->get_theFuncname(), "mine");
}

TEST(FeatureStore, UsedInstancesComeFromTheTreeHook) {
  auto library = FullLibrary();
  PVFSStream none;
  EXPECT_EQ(library->Store(none), 0) << "no tree: nothing used";
  SetLibraryUsedInstancesProvider([](VALUE_LIST<PVMStrg>* names) {
    names->add(PVMStrg("cylinder_@3"));
    return 1;
  });
  PVFSStream out;
  EXPECT_EQ(library->Store(out), 1);
  SetLibraryUsedInstancesProvider(nullptr);
}

TEST(FeatureStore, DamagedSectionsKeepOnlyWholeRecords) {
  auto library = FullLibrary();
  const std::string section = StoreOf(*library, {"plate_@1", "slab_@1"});
  auto whole = EmptyLibrary();
  PVFBStream whole_in = InputOf(section);
  ASSERT_EQ(whole->Restore(whole_in), 3);
  // Every truncation: no crash, never a partial definition.
  for (std::size_t length = 0; length < section.size(); ++length) {
    std::string cut = section.substr(0, length);
    auto restored = EmptyLibrary();
    PVFBStream in = InputOf(cut);
    int result = restored->Restore(in);
    EXPECT_TRUE(result == -1 || result == restored->Count()) << length;
    for (int i = 0; i < restored->Count(); ++i) {
      Featurelist_Element* element = (*restored)[i];
      Featurelist_Element* original = whole->GetFeatureByName(element->FeatureName());
      ASSERT_NE(original, nullptr) << length;
      EXPECT_TRUE(*element == *original) << length << " " << element->FeatureName().GetpStr();
    }
  }
  for (const char* garbage : {"hello", "1\n\"a\"", "0 x", "0\n\"f\"\n\"n\"\n\"ENTITY\"\nEND\n"}) {
    auto restored = EmptyLibrary();
    PVFSStream in(garbage);
    EXPECT_EQ(restored->Restore(in), -1) << garbage;
    EXPECT_EQ(restored->Count(), 0) << garbage;
  }
  auto empty = EmptyLibrary();
  PVFSStream nothing("  \n");
  EXPECT_EQ(empty->Restore(nothing), 0);
}

}  // namespace
