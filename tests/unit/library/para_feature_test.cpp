// PVFParaFeature: the defaults a host without its own context gets, and installation.
#include <gtest/gtest.h>
#include <varnex/library/para_feature.h>

#include <cstdlib>

namespace {

struct HostContext : PVFParaFeature {
  double GetRadius() override { return 2.5; }
};

TEST(ParaFeature, EnvironmentPaths) {
  PVFParaFeature::Destroy();
  unsetenv("NOVLPath");
  PVFParaFeature* context = PVFParaFeature::Current();
  EXPECT_EQ(context, PVFParaFeature::Current());
  EXPECT_STREQ(context->GetNOVLPath(), "./");
  PVMStrg name("p"), value("1");
  EXPECT_TRUE(context->ChkParaSignificance(name, value));
  setenv("NOVLPath", "/lib/features", 1);
  EXPECT_STREQ(context->GetNOVLPath(), "/lib/features") << "the variable replaces the path";
  unsetenv("NOVLPath");
  EXPECT_STREQ(context->GetNOVLPath(), "/lib/features") << "and the path stays";
  PVMStrg temp;
  EXPECT_TRUE(PVMStrg(context->GetTempPathName(temp)).EndsWith('/'));
  PVFParaFeature::Destroy();
}

TEST(ParaFeature, HostContextReplacesTheBase) {
  PVFParaFeature::Install(new HostContext);
  EXPECT_DOUBLE_EQ(PVFParaFeature::Current()->GetRadius(), 2.5);
  PVFParaFeature::Destroy();
  EXPECT_DOUBLE_EQ(PVFParaFeature::Current()->GetRadius(), 5.0);
  PVFParaFeature::Destroy();
}

}  // namespace
