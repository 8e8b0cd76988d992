// Atomic writes and regular-file reads: a write that fails part-way leaves the old file as it
// was and no temporary file behind; readers refuse directories, devices and files too large.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <varnex/base/configuration.h>
#include <varnex/base/file_io.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "file_limit.h"

namespace {

namespace fs = std::filesystem;

class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varnex_file_io_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // The names in the directory: only the targets, never a temporary file.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  fs::path dir_;
};

TEST_F(Files, AWriteReplacesTheFileWhole) {
  std::string path = Path("model.txt");
  ASSERT_TRUE(PVFWriteFileAtomically(path.c_str(), "old content"));
  ASSERT_TRUE(PVFWriteFileAtomically(path.c_str(), "new"));
  EXPECT_EQ(Read(path), "new");
  EXPECT_EQ(Names(), std::vector<std::string>{"model.txt"});
}

TEST_F(Files, AWriteThatFailsPartWayLeavesTheOldFile) {
  std::string path = Path("model.txt");
  ASSERT_TRUE(PVFWriteFileAtomically(path.c_str(), "the good old content"));
  std::string error;
  {
    FileSizeLimit limit(4096);
    EXPECT_FALSE(PVFWriteFileAtomically(path.c_str(), std::string(100000, 'x'), &error));
  }
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(Read(path), "the good old content");
  EXPECT_EQ(Names(), std::vector<std::string>{"model.txt"}) << "no temporary file left";
}

TEST_F(Files, AWriterThatFailsLeavesNothing) {
  std::string path = Path("picture.png");
  {
    PVFAtomicFile file(path.c_str());
    ASSERT_TRUE(file.Ok()) << file.Error();
    file.Write("half a picture");
    file.Fail("the encoder gave up");
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(file.Error(), "the encoder gave up");
  }
  EXPECT_TRUE(Names().empty());
}

TEST_F(Files, AnAbandonedFileLeavesNothing) {
  std::string path = Path("model.txt");
  {
    PVFAtomicFile file(path.c_str());
    file.Write("never committed");
  }
  EXPECT_TRUE(Names().empty());
}

TEST_F(Files, ANewFileKeepsAnExistingOne) {
  std::string path = Path("feature.NVL");
  ASSERT_TRUE(PVFWriteFileAtomically(path.c_str(), "first"));
  PVFAtomicFile file(path.c_str());
  file.Write("second");
  EXPECT_FALSE(file.Commit(PVFAtomicFile::kKeepExisting));
  EXPECT_EQ(Read(path), "first");
  EXPECT_EQ(Names(), std::vector<std::string>{"feature.NVL"});
}

TEST_F(Files, AWriteIntoADirectoryOrAMissingFolderFails) {
  std::string error;
  EXPECT_FALSE(PVFWriteFileAtomically(dir_.c_str(), "x", &error));
  EXPECT_FALSE(PVFWriteFileAtomically(Path("missing/model.txt").c_str(), "x", &error));
  EXPECT_FALSE(error.empty());
}

struct RefusedRead {
  const char* what;
  std::string path;
};

TEST_F(Files, ReadersTakeRegularFilesOnly) {
  ::mkfifo(Path("pipe").c_str(), 0600);
  const RefusedRead cases[] = {
      {"directory", dir_.string()},
      {"endless device", "/dev/zero"},
      {"named pipe", Path("pipe")},
      {"missing file", Path("missing")},
  };
  for (const RefusedRead& c : cases) {
    std::string bytes = "stale";
    std::string error;
    EXPECT_FALSE(PVFReadRegularFile(c.path.c_str(), bytes, &error)) << c.what;
    EXPECT_TRUE(bytes.empty()) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

TEST_F(Files, ReadersRefuseFilesOverTheirLimit) {
  std::string path = Path("big.txt");
  ASSERT_TRUE(PVFWriteFileAtomically(path.c_str(), std::string(5000, 'a')));
  std::string bytes;
  EXPECT_FALSE(PVFReadRegularFile(path.c_str(), bytes, nullptr, 4999));
  EXPECT_TRUE(PVFReadRegularFile(path.c_str(), bytes, nullptr, 5000));
  EXPECT_EQ(bytes.size(), 5000u);
}

TEST_F(Files, AConfigurationOfADeviceOrDirectoryHasNoEntries) {
  EXPECT_EQ(PVFConfiguration(PVMStrg("/dev/zero"), PVMStrg()).Name(PVMStrg()), 0);
  EXPECT_EQ(PVFConfiguration(PVMStrg(dir_.c_str()), PVMStrg()).Name(PVMStrg()), 0);
}

}  // namespace
