// PVMFMSTree: re-arranging keeps one consistent tree, the listing keeps its layout, and the
// binary file comes back equal or, when damaged, not at all.
#include <gtest/gtest.h>
#include <varnex/library/part_tree.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

/// root ── housing (group) ── base plate, cover;  fasteners (group) ── bolt M8
std::unique_ptr<PVMFMSTree> Bracket() {
  auto root = std::make_unique<PVMFMSTree>(nullptr, "bracket");
  auto* housing = new PVMFMSTree(root.get(), "housing", "", "", "# project bracket\n");
  new PVMFMSTree(housing, "base plate", "base_plate.VNX", "; machined");
  new PVMFMSTree(housing, "cover", "cover.VNX");
  auto* fasteners = new PVMFMSTree(root.get(), "fasteners");
  new PVMFMSTree(fasteners, "bolt M8", "bolt.VNX");
  return root;
}

PVMFMSTree* Find(PVMFMSTree& tree, const char* name) {
  return tree.SearchPartByInfoOrName(PVMStrg(name), TRUE);
}

/// Names of the subtree in pre-order, groups closed with ')'.
std::string Shape(const PVMFMSTree& node) {
  PVMStrg name;
  std::string shape = node.GetName(name);
  GENERIC_LIST<PVMFMSTree> children;
  if (node.GetChildren(&children) > 0) {
    shape += "(";
    for (int i = 0; i < children.count(); ++i) {
      shape += (i > 0 ? "," : "") + Shape(*children[i]);
    }
    shape += ")";
  }
  return shape;
}

std::string Listing(const PVMFMSTree& tree) {
  char* buffer = nullptr;
  std::size_t size = 0;
  FILE* stream = open_memstream(&buffer, &size);
  EXPECT_TRUE(tree.Write(stream));
  std::fclose(stream);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

std::string BinaryOf(const PVMFMSTree& tree, const char* header) {
  char* buffer = nullptr;
  std::size_t size = 0;
  FILE* stream = open_memstream(&buffer, &size);
  EXPECT_EQ(tree.BinWrite(stream, PVMStrg(header)), 6);
  std::fclose(stream);
  std::string bytes(buffer, size);
  std::free(buffer);
  return bytes;
}

std::unique_ptr<PVMFMSTree> ReadBinary(std::string bytes, PVMStrg& header) {
  if (bytes.empty()) {
    bytes.push_back('\0');  // fmemopen refuses an empty buffer; one byte is no file either
  }
  File stream(fmemopen(bytes.data(), bytes.size(), "rb"));
  return std::unique_ptr<PVMFMSTree>(PVMFMSTree::BinRead(stream.get(), header));
}

TEST(PartTree, ListingHasTheTabLayoutOfTheShippedExample) {
  std::ifstream expected_file(VARNEX_TEST_DATA "/parts/bracket.listing");
  std::stringstream expected;
  expected << expected_file.rdbuf();
  EXPECT_EQ(Listing(*Bracket()), expected.str());

  PVMFMSTree root;
  auto* group = new PVMFMSTree(&root, "group");
  new PVMFMSTree(group, "part", "part.VNX");
  EXPECT_EQ(Listing(root), "\"group\"\n\t\"part\"\t\tpart.VNX\n");
  EXPECT_FALSE(root.Write(nullptr));
}

TEST(PartTree, RearrangingRefusesCyclesAndChangesNothing) {
  auto tree = Bracket();
  const std::string before = Shape(*tree);
  PVMFMSTree* housing = Find(*tree, "housing");
  PVMFMSTree* cover = Find(*tree, "cover");

  EXPECT_EQ(housing->MoveAfter(cover), nullptr);    // onto its own descendant
  EXPECT_EQ(housing->MoveAfter(housing), nullptr);  // onto itself
  EXPECT_EQ(housing->Merge(tree.get()), nullptr);   // its ancestor's children include itself
  EXPECT_EQ(cover->Insert(Find(*tree, "bolt M8"), 0), nullptr);  // same tree
  EXPECT_EQ(housing->MoveAfter(tree.get()), housing);            // a group root takes a first child
  EXPECT_EQ(Shape(*tree), before);

  PVMFMSTree lone(nullptr, "lone", "lone.VNX");
  EXPECT_EQ(cover->MoveAfter(&lone), nullptr);  // a root part has no siblings
  EXPECT_EQ(Shape(*tree), before);
}

TEST(PartTree, MovesPlaceAfterPartsAndIntoGroups) {
  auto tree = Bracket();
  PVMFMSTree* bolt = Find(*tree, "bolt M8");
  EXPECT_EQ(bolt->MoveAfter(Find(*tree, "base plate")), bolt);
  EXPECT_EQ(Shape(*tree), "bracket(housing(base plate,bolt M8,cover),fasteners)");
  EXPECT_EQ(bolt->GetParent(), Find(*tree, "housing"));

  EXPECT_EQ(Find(*tree, "cover")->MoveAfter(Find(*tree, "fasteners")), Find(*tree, "cover"));
  EXPECT_EQ(Shape(*tree), "bracket(housing(base plate,bolt M8),fasteners(cover))");

  PVMFMSTree* copy = Find(*tree, "housing")->CopyAfter(Find(*tree, "cover"));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(Shape(*tree),
            "bracket(housing(base plate,bolt M8),fasteners(cover,housing(base plate,bolt M8)))");

  Find(*tree, "fasteners")->MoveUp();
  bolt->MoveDown();  // already last: nothing happens
  EXPECT_EQ(Shape(*tree),
            "bracket(fasteners(cover,housing(base plate,bolt M8)),housing(base plate,bolt M8))");
}

TEST(PartTree, InsertMergeSeparateAndDeleteKeepOwnershipStraight) {
  auto tree = Bracket();
  auto* other = new PVMFMSTree(nullptr, "imported");
  new PVMFMSTree(other, "washer", "washer.VNX");
  PVMFMSTree* washer = Find(*other, "washer");
  // Inserting any node hangs its whole tree, so the host's root is now owned by the tree.
  EXPECT_EQ(tree->Insert(washer, 1), other);
  EXPECT_EQ(Shape(*tree), "bracket(housing(base plate,cover),imported(washer),fasteners(bolt M8))");

  EXPECT_EQ(Find(*tree, "fasteners")->Merge(other), Find(*tree, "fasteners"));
  EXPECT_EQ(Shape(*tree), "bracket(housing(base plate,cover),imported,fasteners(bolt M8,washer))");
  EXPECT_EQ(washer->GetRoot(), tree.get());

  std::unique_ptr<PVMFMSTree> separated(tree->SeparatePart(PVMStrg("housing")));
  ASSERT_NE(separated, nullptr);
  EXPECT_EQ(separated->GetParent(), nullptr);
  EXPECT_EQ(tree->SeparatePart(PVMStrg("")), nullptr);
  EXPECT_EQ(tree->SeparatePart(PVMStrg("cover")), nullptr);  // not a child of the root

  EXPECT_TRUE(tree->DeletePart(PVMStrg("washer")));
  EXPECT_FALSE(tree->DeletePart(PVMStrg("washer")));
  EXPECT_FALSE(tree->DeletePart(PVMStrg("bracket")));  // the node itself is not its own part
  EXPECT_EQ(Shape(*tree), "bracket(imported,fasteners(bolt M8))");

  // A host deleting a node that hangs in a tree takes it out of its parent first.
  delete Find(*tree, "fasteners");
  EXPECT_EQ(Shape(*tree), "bracket(imported)");
}

TEST(PartTree, EqualityFindsChildrenByNameAndComparesEveryText) {
  auto tree = Bracket();
  PVMFMSTree copy(*tree);
  EXPECT_TRUE(tree->IsEqual(&copy));
  Find(copy, "fasteners")->MoveUp();  // order does not matter, names do
  EXPECT_TRUE(tree->IsEqual(&copy));
  Find(copy, "cover")->SetComment(PVMStrg("; painted"));
  EXPECT_FALSE(tree->IsEqual(&copy));
  EXPECT_FALSE(tree->IsEqual(nullptr));

  // Siblings of one name are each matched once: a tree equals its copy, not a tree that
  // repeats one of them.
  PVMFMSTree twins(nullptr, "twins");
  new PVMFMSTree(&twins, "bolt", "M6.VNX");
  new PVMFMSTree(&twins, "bolt", "M8.VNX");
  PVMFMSTree twins_copy(twins);
  EXPECT_TRUE(twins.IsEqual(&twins_copy));
  PVMFMSTree repeated(nullptr, "twins");
  new PVMFMSTree(&repeated, "bolt", "M6.VNX");
  new PVMFMSTree(&repeated, "bolt", "M6.VNX");
  EXPECT_FALSE(twins.IsEqual(&repeated));
  EXPECT_FALSE(repeated.IsEqual(&twins));
}

TEST(PartTree, BinaryFileComesBackEqual) {
  auto tree = Bracket();
  std::string bytes = BinaryOf(*tree, "VARNEX parts");
  ASSERT_GE(bytes.size(), 8u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("d\0\0\0", 4));  // version 100, little-endian
  // The shipped file was written by hand from the record layout, independently of the writer.
  std::ifstream shipped(VARNEX_TEST_DATA "/parts/bracket.parts", std::ios::binary);
  std::stringstream shipped_bytes;
  shipped_bytes << shipped.rdbuf();
  EXPECT_EQ(bytes, shipped_bytes.str());
  PVMStrg header;
  auto read = ReadBinary(bytes, header);
  ASSERT_NE(read, nullptr);
  EXPECT_STREQ(header, "VARNEX parts");
  EXPECT_TRUE(read->IsEqual(tree.get()));
  EXPECT_EQ(Shape(*read), Shape(*tree));
  EXPECT_EQ(Listing(*read), Listing(*tree));

  EXPECT_EQ(tree->BinWrite(nullptr, PVMStrg("x")), 0);
  EXPECT_EQ(PVMFMSTree::BinRead(nullptr, header), nullptr);
}

std::string Word(std::uint32_t value) {
  return std::string{static_cast<char>(value), static_cast<char>(value >> 8),
                     static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
}

std::string Text(const std::string& text) {
  return Word(text.size() + 1) + text + '\0';
}

std::string Record(std::uint32_t parent, const std::string& name) {
  return Word(parent) + Text(name) + Text("") + Text("") + Text("");
}

TEST(PartTree, DamagedBinaryFilesGiveNullAndKeepNothing) {
  const std::string good = Word(100) + Text("h") + Record(0, "root") + Record(1, "a");
  PVMStrg header("unchanged");
  ASSERT_NE(ReadBinary(good, header), nullptr);

  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"wrong version word", Word(101) + Text("h") + Record(0, "root")},
      {"no records", Word(100) + Text("h")},
      {"length past the end", Word(100) + Word(0x7fffffff) + "h"},
      {"zero length", Word(100) + Word(0) + Record(0, "root")},
      {"no closing NUL", Word(100) + Word(2) + "hh" + Record(0, "root")},
      {"NUL inside the text", Word(100) + Word(3) + std::string("h\0h", 3) + Record(0, "root")},
      {"parent is a later record", good + Record(4, "b")},
      {"second root", good + Record(0, "b")},
      {"first record names a parent", Word(100) + Text("h") + Record(1, "root")},
      {"record cut short", good + Word(1) + Text("b")},
  };
  for (const Case& c : cases) {
    header = "unchanged";
    EXPECT_EQ(ReadBinary(c.bytes, header), nullptr) << c.what;
    EXPECT_STREQ(header, "unchanged") << c.what;
  }

  // Every truncation and a flipped bit at every position: a tree or null, never a crash or a
  // leak (ASan checks both).
  const std::string bytes = BinaryOf(*Bracket(), "VARNEX parts");
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    ReadBinary(bytes.substr(0, length), header);
  }
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    for (int bit : {0, 3, 7}) {
      std::string flipped = bytes;
      flipped[at] = static_cast<char>(flipped[at] ^ (1 << bit));
      ReadBinary(flipped, header);
    }
  }
}

TEST(PartTree, DeepFilesAreBoundedAndDeepTreesFreeWithoutRecursion) {
  std::string chain = Word(100) + Text("") + Record(0, "root");
  for (int level = 1; level <= PVMFMSTree::kMaxBinaryDepth; ++level) {
    chain += Record(level, "n");
  }
  PVMStrg header;
  EXPECT_NE(ReadBinary(chain, header), nullptr);
  chain += Record(PVMFMSTree::kMaxBinaryDepth + 1, "one too deep");
  EXPECT_EQ(ReadBinary(chain, header), nullptr);

  auto root = std::make_unique<PVMFMSTree>();
  PVMFMSTree* tip = root.get();
  for (int level = 0; level < 200000; ++level) {
    tip = new PVMFMSTree(tip, "n");
  }
  root.reset();  // would overflow the stack if destruction recursed
}

}  // namespace
