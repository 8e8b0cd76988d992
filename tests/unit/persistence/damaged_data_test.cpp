// Damaged and truncated data: compressed bodies, body files, block lengths and record counts
// that promise more than is there. Each must fail cleanly, never read past the data or
// allocate what a damaged length states.
#include <gtest/gtest.h>
#include <varnex/persistence/bin_block.h>
#include <varnex/persistence/block_stream.h>
#include <varnex/persistence/sat_stream.h>
#include <varnex/persistence/string_stream.h>

#include <string>
#include <vector>

#include "temp_dir.h"

namespace {

std::vector<unsigned char> CompressedSample() {
  PVFSatStream stream;
  std::string body;
  for (int i = 0; i < 40; ++i) {
    body += "face " + std::to_string(i * i) + " edge loop coedge vertex\n";
  }
  stream.write(body.data(), body.size());
  EXPECT_TRUE(stream.Compress());
  return {stream.GetpBuffer(), stream.GetpBuffer() + stream.Length()};
}

PVFSatStream StreamOf(const std::vector<unsigned char>& bytes, std::size_t n) {
  PVFSatStream stream;
  stream.write(bytes.data(), n);
  return stream;
}

void ExpectUncompressFails(PVFSatStream stream, const std::string& what) {
  EXPECT_FALSE(stream.Uncompress()) << what;
  EXPECT_EQ(stream.Length(), 0u) << what;
  EXPECT_EQ(stream.Position(), 0u) << what;
}

TEST(DamagedBodies, EveryTruncationFails) {
  std::vector<unsigned char> packed = CompressedSample();
  for (std::size_t n = 0; n < packed.size(); ++n) {
    ExpectUncompressFails(StreamOf(packed, n), "truncated to " + std::to_string(n));
  }
}

TEST(DamagedBodies, EveryFlippedByteFails) {
  std::vector<unsigned char> packed = CompressedSample();
  for (std::size_t i = 0; i < packed.size(); ++i) {
    std::vector<unsigned char> damaged = packed;
    damaged[i] ^= 0x5a;
    ExpectUncompressFails(StreamOf(damaged, damaged.size()), "byte " + std::to_string(i));
  }
}

TEST(DamagedBodies, StatedLengthMustMatch) {
  std::vector<unsigned char> packed = CompressedSample();
  for (std::uint32_t stated : {0u, 1u, 0x7fffffffu, 0xffffffffu}) {
    std::vector<unsigned char> damaged = packed;
    for (int i = 0; i < 4; ++i) {
      damaged[i] = static_cast<unsigned char>(stated >> (8 * i));
    }
    ExpectUncompressFails(StreamOf(damaged, damaged.size()), "stated " + std::to_string(stated));
  }
  std::vector<unsigned char> trailing = packed;
  trailing.push_back(0);
  ExpectUncompressFails(StreamOf(trailing, trailing.size()), "trailing byte");
  ExpectUncompressFails(PVFSatStream(), "empty buffer");
}

// A stored body file cut at every length reads back as a failure and an empty buffer.
TEST(DamagedBodyFiles, EveryTruncatedFileFails) {
  varnex::test::TempDir dir;
  std::string whole = dir.File("whole.bin");
  std::string cut = dir.File("cut.bin");
  PVFSatStream original;
  std::vector<unsigned char> packed = CompressedSample();
  original.write(packed.data(), packed.size());
  ASSERT_FALSE(original.WriteToFile(whole.c_str()));
  std::vector<unsigned char> file = varnex::test::ReadBytes(whole);

  for (std::size_t n = 0; n < file.size(); ++n) {
    varnex::test::WriteBytes(cut, file.data(), n);
    PVFSatStream stream;
    EXPECT_TRUE(stream.ReadFromFile(cut.c_str())) << n;
    EXPECT_EQ(stream.Length(), 0u) << n;
  }
  PVFSatStream stream;
  ASSERT_FALSE(stream.ReadFromFile(whole.c_str()));
  EXPECT_TRUE(stream.Uncompress());
}

TEST(DamagedBodyFiles, HugeStatedLengthFailsWithoutAllocatingIt) {
  varnex::test::TempDir dir;
  std::string path = dir.File("huge.bin");
  const unsigned char header[] = {0xff, 0xff, 0xff, 0xff, 1, 2, 3};
  varnex::test::WriteBytes(path, header, sizeof header);
  PVFSatStream stream;
  EXPECT_TRUE(stream.ReadFromFile(path.c_str()));
  EXPECT_EQ(stream.Length(), 0u);
}

TEST(DamagedBlocks, StreamedLengthBeyondTheData) {
  struct Case {
    const char* text;
    const char* bytes;
  };
  const Case cases[] = {
      {"10\nabc", "abc"}, {"4000000000\nxy", "xy"}, {"-3\nabc", ""}, {"5", ""}, {"", ""},
  };
  for (const Case& c : cases) {
    PVFBStream in(c.text);
    PVFBinBlock block("stale");
    in >> block;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.GetpBlock()), block.Length()),
              c.bytes)
        << c.text;
  }
}

TEST(DamagedBlocks, RecordCountBeyondTheData) {
  const char* cases[] = {"99\nab", "99999999999999999999\nab", "3\n"};
  for (const char* text : cases) {
    PVFBinBlock block(text);
    PVFBinBlock part;
    block.UnConnectFirst(part);
    EXPECT_LE(part.Length(), 2u) << text;
    EXPECT_EQ(block.Length(), 0u) << text;
  }
}

}  // namespace
