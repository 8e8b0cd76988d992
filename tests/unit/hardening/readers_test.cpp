// Readers: number literals out of range are refused rather than read as another number, and
// the file readers take regular files only, so a device such as /dev/zero cannot make them read
// without end.
#include <gtest/gtest.h>
#include <varnex/geometry/body_io.h>
#include <varnex/geometry/geometry_files.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/language/tokens.h>

#include <fstream>
#include <iterator>
#include <string>

#include "language/scanner.h"

namespace {

using varnex::language::ScanToken;
using varnex::language::Token;

struct LiteralCase {
  std::string text;
  int code;
};

TEST(NumberLiterals, OutOfRangeLiteralsAreBadTokens) {
  const LiteralCase cases[] = {
      {"2147483647", novl::INTEGER_CONST},
      {"2147483648", novl::BAD_TOKEN},
      {"3000000000", novl::BAD_TOKEN},
      {"1" + std::string(308, '0') + ".0", novl::REAL_CONST},
      {"1" + std::string(309, '0') + ".0", novl::BAD_TOKEN},
      {"0.5", novl::REAL_CONST},
  };
  for (const LiteralCase& c : cases) {
    PARSE_ATTACHMENT source(PVMStrg(c.text.c_str()), PARSE_ATTACHMENT::Verbatim{});
    Token token;
    EXPECT_EQ(ScanToken(source, token), c.code) << c.text.substr(0, 20);
  }
}

TEST(FileReaders, ADeviceIsNoFeatureText) {
  PARSE_ATTACHMENT source(PVMStrg("zero"), PVMStrg("/dev/"));
  EXPECT_TRUE(source.Text().empty());
}

TEST(FileReaders, ADeviceOrDirectoryIsNoGeometry) {
  const char* paths[] = {"/dev/zero", "/dev/zero.step", "/tmp", "/tmp/.brep"};
  for (const char* path : paths) {
    EXPECT_EQ(fmread_geometry(path), nullptr) << path;
    EXPECT_EQ(fmread_acisgeo(path), nullptr) << path;
  }
  gmod_del_all();
}

// Found by fuzzing: a damaged count in a BREP file made Open CASCADE read on from the failed
// stream for minutes; the read now stops at the first failed read.
TEST(FileReaders, ADamagedBrepCountFailsAtOnce) {
  EXPECT_EQ(fmread_geometry(VARNEX_TEST_DATA "/hardening/runaway_count.brep"), nullptr);
  gmod_del_all();
}

// Found by fuzzing: a STEP face bound that refers to an entity of the wrong type crashed Open
// CASCADE's translation; such files are now refused before Open CASCADE reads them.
TEST(FileReaders, ADamagedStepReferenceIsRefused) {
  EXPECT_EQ(fmread_geometry(VARNEX_TEST_DATA "/hardening/dangling_reference.step"), nullptr);
  // A second '=' in one instance made the reader's recovery send it into endless recursion.
  EXPECT_EQ(fmread_geometry(VARNEX_TEST_DATA "/hardening/second_equals.step"), nullptr);
  gmod_del_all();
}

// Found by fuzzing: a BREP surface whose curve record is damaged makes Open CASCADE dereference
// a null curve. Files from other programs are read in a child process, so the crash costs the
// child and the host gets a refusal.
TEST(FileReaders, AReaderCrashIsARefusalNotTheHostsCrash) {
  int models = gmod_anfang->count();
  EXPECT_EQ(fmread_geometry(VARNEX_TEST_DATA "/hardening/null_curve.brep"), nullptr);
  EXPECT_EQ(gmod_anfang->count(), models);
  gmod_del_all();
}

// The same damaged shape inside a model file's body list: shapes are read in a child process
// there too, and the list is refused whole.
TEST(FileReaders, ADamagedShapeInABodyListIsRefused) {
  std::ifstream in(VARNEX_TEST_DATA "/hardening/null_curve.bodies", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(text.empty());
  ENTITY_LIST bodies;
  EXPECT_FALSE(RestoreEntityListText(text, bodies).ok());
  EXPECT_EQ(bodies.count(), 0);
}

}  // namespace
