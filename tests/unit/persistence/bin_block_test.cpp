// PVFBinBlock: sub-records, cutting, equality, growth; PVFBinBlockList indexing.
#include <gtest/gtest.h>
#include <varnex/persistence/bin_block.h>

#include <string>

#include "temp_dir.h"

namespace {

std::string Text(const PVFBinBlock& block) {
  return std::string(reinterpret_cast<const char*>(block.GetpBlock()), block.Length());
}

PVFBinBlock Bytes(const std::string& text) {
  return PVFBinBlock(reinterpret_cast<const unsigned char*>(text.data()),
                     static_cast<unsigned>(text.size()));
}

TEST(BinBlockRecords, ConnectAndUnConnect) {
  PVFBinBlock packed;
  EXPECT_NE(packed.Connect(PVFBinBlock("ab")), nullptr);
  packed.Connect(PVFBinBlock("xyz"));
  EXPECT_EQ(packed.Connect(PVFBinBlock("")), nullptr);
  EXPECT_EQ(Text(packed), "2\nab\n3\nxyz\n");

  PVFBinBlock part("stale");
  EXPECT_NE(packed.UnConnectFirst(part), nullptr);
  EXPECT_EQ(Text(part), "ab");
  packed.UnConnectFirst(part);
  EXPECT_EQ(Text(part), "xyz");
  EXPECT_EQ(Text(packed), "\n");
  EXPECT_EQ(packed.UnConnectFirst(part), nullptr);
  EXPECT_EQ(part.Length(), 0u);
  EXPECT_EQ(Text(packed), "\n");
}

// Payloads that begin with line breaks or digits, or hold any byte, come back unchanged.
TEST(BinBlockRecords, AnyPayloadRoundTrips) {
  const std::string payloads[] = {"\nlead", "\r\n\r\n",           "123", std::string("a\0b", 3),
                                  "\n",     std::string(300, 'z')};
  PVFBinBlock packed;
  for (const std::string& payload : payloads) {
    packed.Connect(Bytes(payload));
  }
  packed.Connect(packed);  // a block may pack itself
  PVFBinBlock part;
  for (const std::string& payload : payloads) {
    packed.UnConnectFirst(part);
    EXPECT_EQ(Text(part), payload);
  }
  PVFBinBlock inner;
  packed.UnConnectFirst(inner);
  for (const std::string& payload : payloads) {
    inner.UnConnectFirst(part);
    EXPECT_EQ(Text(part), payload);
  }
}

TEST(BinBlockRecords, WithoutAPositiveCountNothingIsTaken) {
  const char* cases[] = {"0\nab\n", "abc", "", "12", "\n\n"};
  for (const char* text : cases) {
    PVFBinBlock block(text);
    PVFBinBlock part("stale");
    EXPECT_EQ(block.UnConnectFirst(part), nullptr) << text;
    EXPECT_EQ(Text(block), text);
    EXPECT_EQ(part.Length(), 0u) << text;
  }
}

TEST(BinBlockRecords, CarriageReturnLineFeedAfterTheCount) {
  PVFBinBlock block("x2\r\nab\r\n");
  PVFBinBlock part;
  block.UnConnectFirst(part);
  EXPECT_EQ(Text(part), "ab");
  EXPECT_EQ(Text(block), "\r\n");
}

TEST(BinBlockCut, CutForward) {
  struct Case {
    const char* block;
    const char* separator;
    bool cut;
    const char* kept;
    const char* rest;
  };
  const Case cases[] = {
      {"key=value", "=", true, "key", "value"},
      {"a--b--c", "--", true, "a", "b--c"},
      {"=start", "=", true, "", "start"},
      {"end=", "=", true, "end", ""},
      {"abc", "x", false, "abc", ""},
      {"ab", "abc", false, "ab", ""},
      {"", "=", false, "", ""},
      {"abc", "", false, "abc", ""},
  };
  for (const Case& c : cases) {
    PVFBinBlock block(c.block);
    PVFBinBlock rest("stale");
    const unsigned char* result = block.CutForward(rest, PVFBinBlock(c.separator));
    EXPECT_EQ(result != nullptr, c.cut) << c.block;
    EXPECT_EQ(Text(block), c.kept) << c.block;
    EXPECT_EQ(Text(rest), c.rest) << c.block;
  }
}

TEST(BinBlockEquality, Rules) {
  PVFBinBlock noStorage(0u);
  PVFBinBlock alsoNoStorage(0u);
  PVFBinBlock empty;
  PVFBinBlock ab("ab");
  PVFBinBlock abc("abc");
  struct Case {
    const PVFBinBlock& left;
    const PVFBinBlock& right;
    bool equal;
  };
  const Case cases[] = {
      {noStorage, alsoNoStorage, true},
      {noStorage, empty, false},
      {empty, noStorage, false},
      {empty, PVFBinBlock(), false},
      {empty, empty, false},
      {ab, PVFBinBlock("ab"), true},
      {ab, abc, false},
      {abc, ab, false},
      {ab, PVFBinBlock("ac"), false},
      {ab, PVFBinBlock("xb"), false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].left == cases[i].right, cases[i].equal ? TRUE : FALSE) << i;
    EXPECT_EQ(cases[i].left != cases[i].right, cases[i].equal ? FALSE : TRUE) << i;
  }
  const unsigned char raw[] = {'a', 'b', 'c'};
  EXPECT_TRUE(ab == raw);  // compared over the block's length
  EXPECT_FALSE(empty == raw);
  EXPECT_TRUE(noStorage == static_cast<const unsigned char*>(nullptr));
  EXPECT_FALSE(ab == static_cast<const unsigned char*>(nullptr));
}

TEST(BinBlockGrowth, AllocationFollowsTheRules) {
  PVFBinBlock block;
  EXPECT_EQ(block.Capacity(), 0u);  // one byte allocated
  block &= 'a';                     // fills the byte
  EXPECT_EQ(block.Capacity(), 0u);
  block &= 'b';  // full: grows by 2
  EXPECT_EQ(block.Capacity(), 2u);
  block &= 'c';
  EXPECT_EQ(block.Capacity(), 2u);
  const unsigned char more[] = {'d', 'e', 'f', 'g'};
  block.Append(more, 4);  // grows by exactly the missing amount
  EXPECT_EQ(block.Capacity(), 6u);
  block &= "hi";  // a C string grows by its length + 1
  EXPECT_EQ(block.Capacity(), 9u);
  EXPECT_EQ(Text(block), "abcdefghi");

  PVFBinBlock fromBytes(more, 4);
  EXPECT_EQ(fromBytes.Capacity(), 4u + PV_DEFAULT_BLOCK_EXTRA - 1);
  fromBytes = "short";  // reuses the allocation
  EXPECT_EQ(fromBytes.Capacity(), 4u + PV_DEFAULT_BLOCK_EXTRA - 1);
  fromBytes = "a text longer than the allocation";
  EXPECT_EQ(fromBytes.Capacity(), 33u + PV_DEFAULT_STRING_EXTRA - 1);
  EXPECT_EQ(fromBytes.ReSize(10), 33u + PV_DEFAULT_STRING_EXTRA);  // never shrinks
  EXPECT_EQ(PVFBinBlock(static_cast<unsigned char>('x'), 3, 5).Capacity(), 7u);
}

TEST(BinBlockGrowth, AppendFromItself) {
  PVFBinBlock block("abc");
  block &= block;
  EXPECT_EQ(Text(block), "abcabc");
  block.Append(block.GetpBlock() + 1, 2);
  EXPECT_EQ(Text(block), "abcabcbc");
  block = block;
  block.Set(block.GetpBlock() + 2, 3);
  EXPECT_EQ(Text(block), "cab");
  block &= reinterpret_cast<const char*>(block.GetpBlock());  // zero-terminated text
  EXPECT_EQ(Text(block), "cabcab");
}

TEST(BinBlockEdit, RemovingAndIndexing) {
  PVFBinBlock block("abcdef");
  block - 2;
  EXPECT_EQ(Text(block), "abcd");
  block - -1;
  EXPECT_EQ(Text(block), "abcd");
  EXPECT_EQ(block[1], 'b');
  EXPECT_EQ(block.At(99), 'd');  // beyond the end: the last byte
  block - 4;
  EXPECT_EQ(block.Length(), 0u);
  EXPECT_EQ(block.At(0), 0);
  block &= 0x141;  // the low byte of an int
  EXPECT_EQ(Text(block), "A");
  PVFBinBlock joined = PVFBinBlock("ab") & PVFBinBlock("cd") & "e";
  EXPECT_EQ(Text(joined.Unite(reinterpret_cast<const unsigned char*>("fg"), 2)), "abcdefg");
}

TEST(BinBlockFile, HoldsTheFileBytes) {
  varnex::test::TempDir dir;
  const unsigned char raw[] = {1, 0, 26, '\n', 255};
  varnex::test::WriteBytes(dir.File("data.bin"), raw, sizeof raw);
  PVMStrg path(dir.File("data.bin"));
  PVFBinBlock block(&path);
  EXPECT_EQ(block.Length(), sizeof raw);
  EXPECT_TRUE(block == raw);
  EXPECT_EQ(block.Capacity(), sizeof raw + 1);

  PVMStrg missing(dir.File("missing.bin"));
  EXPECT_EQ(PVFBinBlock(&missing).Length(), 0u);
  EXPECT_EQ(PVFBinBlock(static_cast<const PVMStrg*>(nullptr)).Length(), 0u);
}

TEST(BinBlockList, IndexingInsertAndRemove) {
  PVFBinBlockList list;
  EXPECT_EQ(list.Add(PVFBinBlock("a")), 0);
  EXPECT_EQ(list.Add(PVFBinBlock("b")), 1);
  EXPECT_EQ(list.Insert(PVFBinBlock("c"), 99), 2);  // beyond the end: appended
  EXPECT_EQ(list.Insert(PVFBinBlock("first"), 0), 0);
  ASSERT_EQ(list.Length(), 4u);
  EXPECT_EQ(Text(list[0]), "first");
  EXPECT_EQ(Text(list[3]), "c");
  EXPECT_EQ(list[10].Length(), 0u);
  EXPECT_EQ(&list[-1], &PVFBinBlock::NILBLOCK);

  EXPECT_EQ(list.Remove(1), 1);
  EXPECT_EQ(Text(list[1]), "b");
  EXPECT_EQ(list.Remove(7), 0);
  EXPECT_EQ(list.Length(), 3u);

  PVFBinBlockList copy(list);
  list &= list;
  EXPECT_EQ(list.Length(), 6u);
  EXPECT_EQ(Text(list[5]), "c");
  EXPECT_EQ(copy.Length(), 3u);
  PVFBinBlockList joined = copy & PVFBinBlockList(PVFBinBlock("z"));
  EXPECT_EQ(Text(joined[3]), "z");
  copy = joined;
  EXPECT_EQ(copy.Length(), 4u);
  EXPECT_EQ(copy.Clear(), 0);
  EXPECT_EQ(joined.Length(), 4u);
}

}  // namespace
