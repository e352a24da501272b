// Start-up, single instance, /setup and the launcher, with the real programs.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "e2e/FakeMainProgram.h"
#include "e2e/Programs.h"
#include <chrono>

namespace zavra::test {
namespace {

class Startup : public testing::Test {
 protected:
  void SetUp() override {
    StopResidentCopy();
    ResetUserState();
  }
  void TearDown() override { StopResidentCopy(); }
  std::wstring MainExe() const { return BinDir() + L"notezavra.exe"; }
  std::wstring LauncherExe() const { return BinDir() + L"ZavraL.exe"; }
};

TEST_F(Startup, SecondCopyForwardsItsCommandLineAndEnds) {
  FakeMainProgram resident;
  ASSERT_TRUE(resident.Start());
  Process second = Process::Start(MainExe(), L"/n5 Buy milk");
  ASSERT_TRUE(second);
  ASSERT_TRUE(PumpUntil([&] { return !resident.received.empty(); }, 5000)) << "no command arrived";
  EXPECT_EQ(resident.received[0].line, u"/n5 Buy milk");
  EXPECT_EQ(second.Wait(2000), 0);

  resident.received.clear();
  Process empty = Process::Start(MainExe(), L"");
  ASSERT_TRUE(PumpUntil([&] { return !resident.received.empty(); }, 5000))
      << "a second copy without arguments still sends its (empty) command";
  EXPECT_EQ(resident.received[0].line, u"");
  EXPECT_EQ(empty.Wait(2000), 0);
}

// How quickly it ends is the launcher benchmark's business; here it must end, not stay resident.
TEST_F(Startup, SecondRealCopyEndsWhileTheFirstKeepsRunning) {
  Process first = Process::Start(MainExe(), L"");
  ASSERT_TRUE(WaitForMainWindow()) << "the first copy shows no main window";
  Process second = Process::Start(MainExe(), L"/p");
  EXPECT_NE(second.Wait(10000), -1) << "the second copy did not end";
  Pump(300);
  EXPECT_TRUE(first.running());
  EXPECT_NE(::FindWindowW(nullptr, L"Qel note ZaVRA"), nullptr);
}

TEST_F(Startup, MainWindowIsHiddenToolWindowWithItsTitle) {
  Process first = Process::Start(MainExe(), L"");
  HWND main = WaitForMainWindow();
  ASSERT_TRUE(main);
  EXPECT_FALSE(::IsWindowVisible(main));
  EXPECT_TRUE(::GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  RECT r{};
  ::GetWindowRect(main, &r);
  EXPECT_EQ(r.left, -500);
  EXPECT_EQ(r.right - r.left, 10);
}

std::wstring DefaultValue(const wchar_t* key) {
  wchar_t buf[1024] = {};
  DWORD size = sizeof buf;
  if (::RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
    return L"<missing>";
  return buf;
}

void ExpectAssociations(const std::wstring& program) {
  const std::wstring icon = L"\"" + program + L"\",-160";
  EXPECT_EQ(DefaultValue(L"ZaVRA.zpn"), L"ZaVRA Portable Note");
  EXPECT_EQ(DefaultValue(L"ZaVRA.zpn\\DefaultIcon"), icon);
  EXPECT_EQ(DefaultValue(L"ZaVRA.zpn\\shell\\open\\command"), L"\"" + program + L"\" \"%1\"");
  EXPECT_EQ(DefaultValue(L"note"), L"ZaVRA Note Protocol");
  EXPECT_EQ(DefaultValue(L"note\\DefaultIcon"), icon);
  EXPECT_EQ(DefaultValue(L".zpn"), L"ZaVRA.zpn");
  EXPECT_EQ(DefaultValue(L"note\\shell\\open\\command"), L"<missing>") << "the link scheme has no open command";
}

void DeleteAssociations() {
  for (const wchar_t* key : {L"ZaVRA.zpn", L"note", L".zpn"}) ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
}

TEST_F(Startup, SetupWritesTheSixAssociationKeys) {
  DeleteAssociations();
  Process setup = Process::Start(MainExe(), L"/SETUP");
  EXPECT_EQ(setup.Wait(10000), 0);
  ExpectAssociations(MainExe());
  EXPECT_EQ(::FindWindowW(nullptr, L"Qel note ZaVRA"), nullptr) << "/setup must not start a resident copy";
}

TEST_F(Startup, SetupBesideARunningCopyLeavesItAlone) {
  FakeMainProgram resident;
  ASSERT_TRUE(resident.Start());
  DeleteAssociations();
  Process setup = Process::Start(MainExe(), L"/setup");
  ASSERT_TRUE(PumpUntil([&] { return !setup.running(); }, 10000));
  ExpectAssociations(MainExe());
  Pump(200);
  EXPECT_TRUE(resident.received.empty()) << "/setup must not be forwarded to the running copy";
}

TEST_F(Startup, LauncherWithoutArgumentsSendsNothing) {
  FakeMainProgram resident;
  ASSERT_TRUE(resident.Start());
  Process launcher = Process::Start(LauncherExe(), L"");
  ASSERT_TRUE(PumpUntil([&] { return !launcher.running(); }, 5000));
  Pump(300);
  EXPECT_TRUE(resident.received.empty());
}

TEST_F(Startup, LauncherForwardsItsArguments) {
  FakeMainProgram resident;
  ASSERT_TRUE(resident.Start());
  Process launcher = Process::Start(LauncherExe(), L"/n5 Buy milk");
  ASSERT_TRUE(PumpUntil([&] { return !resident.received.empty(); }, 5000));
  EXPECT_EQ(resident.received[0].line, u"/n5 Buy milk");
  EXPECT_EQ(launcher.Wait(2000), 0);
}

TEST_F(Startup, LauncherStartsTheMainProgramFromItsOwnFolder) {
  // A folder holding the launcher and a recorder named like the main program.
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring dir = std::wstring(temp) + L"zavra launcher test\\";
  ::CreateDirectoryW(dir.c_str(), nullptr);
  ASSERT_TRUE(::CopyFileW(LauncherExe().c_str(), (dir + L"ZavraL.exe").c_str(), FALSE));
  ASSERT_TRUE(::CopyFileW((ToolsDir() + L"argdump.exe").c_str(), (dir + L"notezavra.exe").c_str(), FALSE));
  const std::wstring dump = dir + L"args.txt";
  ::DeleteFileW(dump.c_str());
  ::SetEnvironmentVariableW(L"ZAVRA_ARGDUMP", dump.c_str());

  Process launcher = Process::Start(dir + L"ZavraL.exe", L"/c \"quoted arg\"");
  EXPECT_EQ(launcher.Wait(5000), 0);
  std::wstring recorded;
  PumpUntil([&] { return !(recorded = ReadFileUtf16(dump)).empty(); }, 5000);
  const size_t newline = recorded.find(L'\n');
  ASSERT_NE(newline, std::wstring::npos) << "the main program was not started";
  EXPECT_EQ(::lstrcmpiW(recorded.substr(0, newline).c_str(), (dir + L"notezavra.exe").c_str()), 0);
  EXPECT_EQ(recorded.substr(newline + 1), L"\"" + dir + L"ZavraL.exe\" /c \"quoted arg\"")
      << "the main program gets the launcher's full command line unchanged";
}

TEST_F(Startup, LauncherStartsTheRealMainProgramWhenNoneRuns) {
  Process launcher = Process::Start(LauncherExe(), L"/p");
  EXPECT_EQ(launcher.Wait(5000), 0);
  HWND main = WaitForMainWindow();
  ASSERT_TRUE(main);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(main, &pid);
  KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  wchar_t image[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  ASSERT_TRUE(::QueryFullProcessImageNameW(process.get(), 0, image, &size));
  EXPECT_EQ(::lstrcmpiW(image, MainExe().c_str()), 0);
}

}  // namespace
}  // namespace zavra::test
