// PVFFStream: files written and read back, modes, missing files, positioning.
#include <gtest/gtest.h>
#include <varnex/persistence/bin_block.h>
#include <varnex/persistence/file_stream.h>

#include <cstdio>
#include <string>

#include "temp_dir.h"

namespace {

std::string FileText(const std::string& path) {
  auto bytes = varnex::test::ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

TEST(FileStream, WrittenItemsReadBack) {
  varnex::test::TempDir dir;
  std::string path = dir.File("items.txt");
  const unsigned char raw[] = {0, 26, '\n', 200};
  {
    PVFFStream out(path.c_str(), PVFFiStream::kWrite);
    ASSERT_TRUE(out.IsOpen());
    out << "Revision_: " << 100 << Endl << -0.25 << ' ' << PVFBinBlock(raw, sizeof raw);
    out.PutCString("two\nlines");
    out << ' ' << TRUE << Flush;
  }
  PVFFStream in(path.c_str(), PVFFiStream::kRead);
  PVMStrg label;
  int revision = 0;
  double value = 0;
  PVFBinBlock block;
  PVMStrg quoted;
  PVMStrg flag;
  in >> label >> revision >> value >> block;
  in.GetCString(quoted);
  in >> flag;
  EXPECT_EQ(label, PVMStrg("Revision_:"));
  EXPECT_EQ(revision, 100);
  EXPECT_DOUBLE_EQ(value, -0.25);
  EXPECT_TRUE(block == PVFBinBlock(raw, sizeof raw));
  EXPECT_EQ(quoted, PVMStrg("two\nlines"));
  EXPECT_EQ(flag, PVMStrg("TRUE"));
  EXPECT_EQ(in.Peek(), PVF_END_OF_INPUT);
  EXPECT_TRUE(in.Eof());
}

TEST(FileStream, WithoutAFileReadsYield26) {
  varnex::test::TempDir dir;
  PVFFStream missing(dir.File("absent/none.txt").c_str(), PVFFiStream::kRead);
  EXPECT_FALSE(missing.IsOpen());
  missing << "lost";
  char c = 0;
  missing >> c;
  EXPECT_EQ(c, PVF_END_OF_INPUT);
  EXPECT_TRUE(missing.Eof());
  EXPECT_EQ(missing.Tellp(), -1);
  EXPECT_FALSE(missing.Close());

  PVFFStream badMode(dir.File("x.txt").c_str(), 7);
  EXPECT_FALSE(badMode.IsOpen());
}

TEST(FileStream, ModesDecideDirection) {
  varnex::test::TempDir dir;
  std::string path = dir.File("modes.txt");
  {
    PVFFStream out(path.c_str(), PVFFiStream::kWrite);
    out << "abc";
    char c = 0;
    out >> c;  // write-only never reads
    EXPECT_EQ(c, PVF_END_OF_INPUT);
  }
  {
    PVFFStream in(path.c_str(), PVFFiStream::kRead);
    in << "zzz";  // read-only never writes
  }
  EXPECT_EQ(FileText(path), "abc");

  PVFFStream both(path.c_str(), PVFFiStream::kReadWrite);
  EXPECT_EQ(both.SystemMode(-1), PVFFiStream::kReadWrite);
  char first = 0;
  both >> first;
  EXPECT_EQ(first, 'a');
  both.Seekp(both.Tellp());  // positioned after what the lookahead took
  both << "X";
  both.Seekp(0);
  PVMStrg word;
  both >> word;
  EXPECT_EQ(word, PVMStrg("aXc"));
}

TEST(FileStream, ReopeningAndHandedInFiles) {
  varnex::test::TempDir dir;
  std::string path = dir.File("reopen.txt");
  PVFFStream stream;
  EXPECT_TRUE(stream.Open(path.c_str(), PVFFiStream::kWrite));
  stream << 42;
  EXPECT_EQ(stream.Tellp(), 2);
  EXPECT_TRUE(stream.Open(path.c_str(), PVFFiStream::kRead));  // closes the first
  int value = 0;
  stream >> value;
  EXPECT_EQ(value, 42);
  EXPECT_TRUE(stream.Close());

  std::FILE* file = std::fopen(path.c_str(), "r");
  ASSERT_NE(file, nullptr);
  PVFFStream owner(file, PVFFiStream::kRead);  // closed by the stream (the leak checker sees it)
  owner >> value;
  EXPECT_EQ(value, 42);
}

}  // namespace
