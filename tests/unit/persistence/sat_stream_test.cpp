// PVFSatStream: the binary buffer, its compressed form and its files.
#include <gtest/gtest.h>
#include <varnex/persistence/sat_stream.h>

#include <cstring>
#include <random>
#include <vector>

#include "temp_dir.h"

namespace {

std::vector<unsigned char> Sample(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<unsigned char> bytes(n);
  for (std::size_t i = 0; i < n; ++i) {
    // Runs of repeated bytes with noise, like entity records.
    bytes[i] = (i / 7) % 3 == 0 ? static_cast<unsigned char>(random())
                                : static_cast<unsigned char>(i / 50);
  }
  return bytes;
}

PVFSatStream StreamOf(const std::vector<unsigned char>& bytes) {
  PVFSatStream stream;
  stream.write(bytes.data(), bytes.size());
  return stream;
}

std::vector<unsigned char> Contents(const PVFSatStream& stream) {
  return {stream.GetpBuffer(), stream.GetpBuffer() + stream.Length()};
}

TEST(SatStream, ReadWriteAndMarks) {
  PVFSatStream stream;
  stream.write("abcdef", 6);
  EXPECT_EQ(stream.set_mark(), 6u);
  stream.goto_mark(2);
  char two[2];
  EXPECT_EQ(stream.read(two, 2), 2u);
  EXPECT_EQ(std::memcmp(two, "cd", 2), 0);
  BinaryFile::Mark mark = stream.set_mark();
  char rest[5];
  std::memset(rest, '#', sizeof rest);
  EXPECT_EQ(stream.read(rest, 5), 2u);  // only what is there
  EXPECT_EQ(std::memcmp(rest, "ef\0\0\0", 5), 0);
  EXPECT_EQ(stream.read(rest, 1), 0u);
  stream.goto_mark(mark);
  EXPECT_EQ(stream.read(rest, 1), 1u);
  EXPECT_EQ(rest[0], 'e');
  stream.goto_mark(1000);
  EXPECT_EQ(stream.read(rest, 1), 0u);
}

TEST(SatStream, CompressionRoundTrip) {
  for (std::size_t size :
       {std::size_t{0}, std::size_t{1}, std::size_t{1000}, std::size_t{300000}}) {
    std::vector<unsigned char> original = Sample(size, 7);
    PVFSatStream stream = StreamOf(original);
    ASSERT_TRUE(stream.Compress()) << size;
    ASSERT_GE(stream.Length(), 4u);
    const unsigned char* header = stream.GetpBuffer();
    std::uint32_t stated =
        header[0] | header[1] << 8 | header[2] << 16 | std::uint32_t{header[3]} << 24;
    EXPECT_EQ(stated, size);  // little-endian length in front
    EXPECT_EQ(stream.Position(), 0u);
    ASSERT_TRUE(stream.Uncompress()) << size;
    EXPECT_EQ(Contents(stream), original) << size;
    EXPECT_EQ(stream.Position(), 0u);
    EXPECT_TRUE(StreamOf(original).Test());
  }
}

TEST(SatStream, FileRoundTrip) {
  varnex::test::TempDir dir;
  std::string path = dir.File("body.bin");
  std::vector<unsigned char> original = Sample(5000, 3);
  PVFSatStream stream = StreamOf(original);
  ASSERT_TRUE(stream.Compress());
  EXPECT_FALSE(stream.WriteToFile(path.c_str()));
  auto file = varnex::test::ReadBytes(path);
  ASSERT_EQ(file.size(), stream.Length() + 4);

  PVFSatStream back;
  EXPECT_FALSE(back.ReadFromFile(path.c_str()));
  EXPECT_EQ(Contents(back), Contents(stream));
  ASSERT_TRUE(back.Uncompress());
  EXPECT_EQ(Contents(back), original);
}

TEST(SatStream, FilePreconditionsReportFailureAsTrue) {
  varnex::test::TempDir dir;
  std::string path = dir.File("body.bin");
  PVFSatStream empty;
  EXPECT_TRUE(empty.WriteToFile(path.c_str()));
  PVFSatStream full = StreamOf({1, 2, 3});
  EXPECT_TRUE(full.WriteToFile(nullptr));
  EXPECT_TRUE(full.WriteToFile(dir.File("no/such/dir.bin").c_str()));
  EXPECT_FALSE(full.WriteToFile(path.c_str()));
  EXPECT_TRUE(full.ReadFromFile(path.c_str()));  // the buffer must be empty
  EXPECT_TRUE(empty.ReadFromFile(nullptr));
  EXPECT_TRUE(empty.ReadFromFile(dir.File("missing.bin").c_str()));
  EXPECT_FALSE(empty.ReadFromFile(path.c_str()));
  EXPECT_EQ(Contents(empty), (std::vector<unsigned char>{1, 2, 3}));
}

}  // namespace
