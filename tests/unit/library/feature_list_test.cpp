// FEATURE_LIST: search paths and their expansion, reading directories, lookups, editing.
#include <gtest/gtest.h>
#include <varnex/library/feature_list.h>

#include <filesystem>

#include "library_test_support.h"

namespace {

using varnex::test::LibraryData;
using varnex::test::TempDir;
using varnex::test::WriteText;

PVMStrg Data(const char* folder) {
  return PVMStrg(LibraryData(folder).c_str());
}

/// A library reading only the given search paths.
std::unique_ptr<FEATURE_LIST> LibraryOf(std::initializer_list<PVMStrg> paths) {
  auto list = std::make_unique<FEATURE_LIST>();
  list->RemoveNvlPath(static_cast<const VALUE_LIST<PVMStrg>*>(nullptr));
  for (const PVMStrg& path : paths) {
    list->AddNvlPath(path);
  }
  list->Read();
  return list;
}

const char* FunctionOf(const FEATURE_LIST& list, const char* feature) {
  Featurelist_Element* element = list.GetFeatureByName(feature);
  return element == nullptr ? "" : element->get_theFuncname();
}

TEST(FeatureListPaths, TheEarlierDirectoryWins) {
  auto list = LibraryOf({Data("first"), Data("second")});
  EXPECT_EQ(list->Count(), 3);
  EXPECT_STREQ(FunctionOf(*list, "box"), "create_box");
  EXPECT_STREQ(FunctionOf(*list, "cylinder"), "create_cylinder");
  EXPECT_STREQ(FunctionOf(*list, "plate"), "create_plate") << ".nvl in lower case is read";
  auto reversed = LibraryOf({Data("second"), Data("first")});
  EXPECT_STREQ(FunctionOf(*reversed, "box"), "create_box_second");
}

TEST(FeatureListPaths, HashExpansionSkipsDotFoldersAtAnyDepth) {
  PVMStrg path = "#" & Data("tree");
  VALUE_LIST<PVMStrg> directories;
  EXPECT_EQ(ExpandFeaturePathList(path, &directories), 4);
  const std::string tree = LibraryData("tree");
  const char* expected[] = {"", "other/", "sub/", "sub/deeper/"};
  ASSERT_EQ(directories.count(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_STREQ(directories[i], (tree + expected[i]).c_str());
  }
  auto list = LibraryOf({path});
  EXPECT_EQ(list->Count(), 4);
  for (const char* feature : {"root", "sibling", "inner", "deepest"}) {
    EXPECT_NE(list->GetFeatureByName(feature), nullptr) << feature;
  }
  EXPECT_EQ(list->GetFeatureByName("hidden"), nullptr);
  EXPECT_EQ(list->GetFeatureByName("cached"), nullptr) << "a dot folder below a subfolder";
}

TEST(FeatureListPaths, TreeFormTypesItsEntries) {
  VALUE_LIST<PVMStrg> paths;
  PVMStrg tree = Data("tree");
  paths.add("#" & tree);
  paths.add(Data("first") - 1);  // without its trailing "/"
  paths.add(PVMStrg("/no/such/directory"));
  TREE_ELEMENT root;
  EXPECT_EQ(ExpandFeaturePathList(&paths, &root), 5);
  ASSERT_EQ(root.Count(), 2);
  EXPECT_STREQ(root[0]->Name(), tree);
  EXPECT_STREQ(root[0]->Type(), "TOP_EXPANSION");
  EXPECT_STREQ((*root[0])[1]->Type(), "EXPANSION");
  EXPECT_EQ((*root[0])[1]->Count(), 1) << "sub holds deeper";
  EXPECT_STREQ(root[1]->Name(), Data("first"));
  EXPECT_STREQ(root[1]->Type(), "NON_EXPANSION");
  PVMStrg plain = Data("tree");
  VALUE_LIST<PVMStrg> one;
  EXPECT_EQ(ExpandFeaturePathList(plain, &one), 1) << "without # only the directory itself";
}

TEST(FeatureListPaths, LinkCyclesEndTheExpansion) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("a/b"));
  std::error_code error;
  std::filesystem::create_directory_symlink(dir.Path(), dir.File("a/b/loop"), error);
  ASSERT_FALSE(error);
  PVMStrg path = ("#" + dir.Path()).c_str();
  VALUE_LIST<PVMStrg> directories;
  EXPECT_EQ(ExpandFeaturePathList(path, &directories), 3);
}

TEST(FeatureListPaths, DamagedAndMissingFilesAreSkipped) {
  FEATURE_LIST list{Data("damaged")};
  EXPECT_EQ(list.Count(), 2) << "unclosed and nohead define features; the rest do not";
  EXPECT_NE(list.GetFeatureByName("unclosed"), nullptr);
  EXPECT_EQ(list.AddPath("/no/such/directory"), 0);
  VALUE_LIST<PVMStrg> files;
  EXPECT_EQ(list.GetFilesFromPath(Data("damaged"), &files), 5) << "readme.txt is no library file";
  EXPECT_EQ(list.GetFilesFromPath(Data("damaged"), &files), 5);
  EXPECT_EQ(files.count(), 5) << "no duplicates";
}

TEST(FeatureListLookups, NamesAreCaseSensitiveFilesAreNot) {
  auto list = LibraryOf({Data("first")});
  EXPECT_NE(list->GetFeatureByName("box"), nullptr);
  EXPECT_EQ(list->GetFeatureByName("Box"), nullptr);
  EXPECT_EQ(list->GetFeatureByFile("bOx.nvl"), list->GetFeatureByName("box"));
  EXPECT_EQ(list->GetFeatureByFile("PLATE.NVL"), list->GetFeatureByName("plate"));
  EXPECT_EQ(list->GetFeatureByFunction("create_plate"), list->GetFeatureByName("plate"));
  EXPECT_EQ(list->GetFeatureByFunction("Create_plate"), nullptr);
  EXPECT_EQ((*list)[2], nullptr);
  EXPECT_EQ((*list)[-1], nullptr);
}

TEST(FeatureListLookups, ParametersSubFeaturesAndOldNames) {
  auto list = LibraryOf({Data("first")});
  list->AddFeature("wrap.NVL",
                   "ENTITY feature_wrap; END_ENTITY; FUNCTION create_wrap (inner : feature_box) "
                   ": feature_wrap;");
  EXPECT_EQ(list->IsFunctionParameter("box_@3.height"), list->GetFeatureByName("box"));
  EXPECT_EQ(list->IsFunctionParameter("box_@3.depth"), nullptr);
  EXPECT_EQ(list->IsFunctionParameter("box_@3"), nullptr);
  EXPECT_TRUE(list->IsSubFeature("box_@1"));
  EXPECT_FALSE(list->IsSubFeature("wrap_@1"));
  EXPECT_FALSE(list->IsSubFeature("unknown_@1"));
  list->AddFeature("OLDBLOCK.NVL", "ENTITY feature_block; END_ENTITY;");
  const char* cases[][2] = {{"oldblock_@4", "block_@4"},
                            {"oldblock_@4.f_0", "block_@4.f_0"},
                            {"other_@1", "other_@1"},
                            {"oldblock", "oldblock"}};
  for (auto& c : cases) {
    PVMStrg name(c[0]);
    EXPECT_STREQ(list->OldNameIntoNewName(name), c[1]);
  }
  EXPECT_TRUE(list->IsSaved("box"));
  EXPECT_FALSE(list->IsSaved("wrap"));
  EXPECT_FALSE(list->IsSaved("nothing"));
}

TEST(FeatureListEditing, AddReplaceIncludeRemove) {
  FEATURE_LIST list{PVMStrg()};
  const PVMStrg one = "ENTITY feature_a; END_ENTITY; FUNCTION one () : feature_a;";
  const PVMStrg two = "ENTITY feature_a; END_ENTITY; FUNCTION two () : feature_a;";
  ASSERT_NE(list.AddFeature("a.NVL", one), nullptr);
  EXPECT_EQ(list.AddFeature("a.NVL", two), nullptr) << "the first definition stays";
  EXPECT_STREQ(FunctionOf(list, "a"), "one");
  EXPECT_EQ(list.IncludeFeature("a.NVL", two), nullptr) << "known with a description";
  EXPECT_NE(list.ReplaceFeature("a.NVL", two), nullptr);
  EXPECT_STREQ(FunctionOf(list, "a"), "two");
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.AddFeature(nullptr), nullptr);
  EXPECT_EQ(list.RemoveFeature("a"), 1);
  EXPECT_EQ(list.RemoveFeature("a"), 0);
  EXPECT_NE(list.IncludeFeature("a.NVL", one), nullptr);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(FeatureListEditing, SearchPathBookkeeping) {
  FEATURE_LIST list{PVMStrg()};
  EXPECT_EQ(list.AddNvlPath("a"), 0);
  EXPECT_EQ(list.AddNvlPath("b"), 1);
  EXPECT_EQ(list.AddNvlPath("a"), 0) << "no duplicates";
  EXPECT_EQ(list.AddNvlPath(" "), -1);
  EXPECT_EQ(list.RemoveNvlPath("a"), 0);
  EXPECT_EQ(list.RemoveNvlPath("a"), -1);
  VALUE_LIST<PVMStrg> paths;
  EXPECT_EQ(list.GetNvlPath(&paths), 1);
  EXPECT_STREQ(paths[0], "b");
}

TEST(FeatureListRead, RestoredDefinitionsSurviveAndFilesAreReRead) {
  auto list = LibraryOf({Data("first")});
  list->AddFeature("kept.NVL", "ENTITY feature_kept; END_ENTITY;");
  EXPECT_EQ(list->Read(), 3);
  EXPECT_EQ(list->Read(), 3) << "file definitions are dropped and read again";
  EXPECT_NE(list->GetFeatureByName("kept"), nullptr);
}

TEST(FeatureListRead, HostHookAddsSearchPaths) {
  pGetPathFromFile = [](VALUE_LIST<PVMStrg>* paths) {
    paths->add(PVMStrg(LibraryData("second").c_str()));
    return 1;
  };
  auto list = LibraryOf({Data("first")});
  pGetPathFromFile = nullptr;
  EXPECT_NE(list->GetFeatureByName("cylinder"), nullptr);
  EXPECT_STREQ(FunctionOf(*list, "box"), "create_box");
}

TEST(FeatureListRead, MessengerDescriptionIsAddedWhenUnknown) {
  SetLibraryNovlDescriptionProvider([](PVMStrg& name, PVMStrg& text) {
    name = "note.NVL";
    text = "ENTITY feature_note; END_ENTITY;";
    return TRUE;
  });
  auto list = LibraryOf({});
  SetLibraryNovlDescriptionProvider(nullptr);
  EXPECT_NE(list->GetFeatureByName("note"), nullptr);
}

TEST(FeatureListSave, SavesEveryDescription) {
  TempDir dir;
  auto list = LibraryOf({Data("first")});
  EXPECT_FALSE(list->Save(PVMStrg(dir.Path().c_str()), FALSE)) << "nothing read yet";
  PVMStrg text;
  list->GetFeatureByName("box")->GetFeatureDescription(text);
  list->AddFeature("", "ENTITY feature_fresh; END_ENTITY;");
  EXPECT_TRUE(list->Save(PVMStrg(dir.Path().c_str()), FALSE));
  EXPECT_TRUE(std::filesystem::exists(dir.File("box.NVL")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("fresh.NVL")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("plate.nvl")));
  EXPECT_FALSE(list->Save(PVMStrg(dir.Path().c_str()), FALSE)) << "both exist now";
}

}  // namespace
