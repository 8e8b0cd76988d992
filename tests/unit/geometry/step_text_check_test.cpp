// The STEP structure check that stands before Open CASCADE's reader: well-formed files pass,
// and each kind of damage that made the reader recurse or crash is refused with its reason.
#include "geometry/step_text_check.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

using varnex::geometry::CheckStepText;

const std::string kHeader =
    "ISO-10303-21;\nHEADER;\nFILE_NAME('DATA;.stp','',(''),(''),'','','');\nENDSEC;\n";

std::string Step(const std::string& data) {
  return kHeader + "DATA;\n" + data + "ENDSEC;\nEND-ISO-10303-21;\n";
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(StepTextCheck, WellFormedFilesPass) {
  EXPECT_EQ(CheckStepText(Step("#1 = CARTESIAN_POINT('',(0.,0.,0.));\n"
                               "#2 = DIRECTION('it''s /* no comment */ (',(0.,0.,1.));\n"
                               "/* a comment; with #9 */ #3 = AXIS2_PLACEMENT_3D('',#1,#2,$);\n"
                               "#4 = (LENGTH_UNIT() NAMED_UNIT(*) SI_UNIT(.MILLI.,.METRE.));\n")),
            "");
  // A file the kernel layer wrote itself.
  EXPECT_EQ(
      CheckStepText(Slurp(VARNEX_TEST_DATA "/../fuzz/corpus/geometry_file/block_step").substr(1)),
      "");
}

TEST(StepTextCheck, DamageIsNamed) {
  struct Case {
    std::string data;
    std::string reason;
  };
  const Case cases[] = {
      {"#1 = LINE('',#2,#3);\n", "refers to #2, which is not defined"},
      {"#1 = ORIENTED_EDGE('',*,*,#2,.T.);\n#2 = ORIENTED_EDGE('',*,*,#1,.T.);\n",
       "leads back to where it started"},
      {"#1 = ORIENTED_EDGE('',*,*,#1,.T.);\n", "leads back to where it started"},
      {"#1 == LINE('',#1,#1);\n", "a second '='"},
      {"#1 = LINE('',(#1;\n", "ends inside its parameters"},
      {"#1 = LINE('unclosed);\n", "string is not closed"},
      {"#1 = POINT();\n#1 = POINT();\n", "defined twice"},
      {"1 = POINT();\n", "does not start with '#'"},
      {"#1 = POINT())(;\n", "closes that was not opened"},
      {"#1 = POINT(#);\n", "reference has no number"},
      {"#99999999999999999999 = POINT();\n", "has no number"},
  };
  for (const Case& c : cases) {
    std::string error = CheckStepText(Step(c.data));
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.data << " gave: " << error;
  }
  EXPECT_NE(CheckStepText(kHeader + "DATA;\n#1 = POINT();\n"), "");  // no ENDSEC
}

TEST(StepTextCheck, FilesFuzzingFoundAreRefused) {
  for (const char* name : {"dangling_reference.step", "second_equals.step"}) {
    EXPECT_NE(CheckStepText(Slurp(std::string(VARNEX_TEST_DATA "/hardening/") + name)), "") << name;
  }
}

}  // namespace
