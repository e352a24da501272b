// What every program tells about its release in its version resource.
#include <gtest/gtest.h>
#include "e2e/Programs.h"
#include "framework/VersionInfo.h"
#include "zavra_version.h"

namespace zavra::test {
namespace {

TEST(ReleaseVersion, EveryProgramCarriesTheBuildsVersionAndCopyright) {
  for (const wchar_t* program : {L"notezavra.exe", L"ZavraNd.exe", L"ZavraSwiz.exe", L"ZavraL.exe", L"feedzavra.exe"}) {
    const ProgramVersion v = ReadProgramVersion(BinDir() + program);
    EXPECT_EQ(v.product, L"Note Zavra") << program;
    EXPECT_EQ(v.version, L"" ZAVRA_VERSION_TEXT) << program;
    EXPECT_EQ(v.copyright, L"" ZAVRA_COPYRIGHT) << program;
  }
  EXPECT_NE(std::wstring(L"" ZAVRA_COPYRIGHT).find(L"\u00a9 20"), std::wstring::npos);
}

}  // namespace
}  // namespace zavra::test
