// Feeds with the real programs and a feed server on 127.0.0.1: feedzavra subscribes, the main
// program announces the feed and turns its items into notes once, later items follow, failures
// leave nothing behind, and a server that never answers holds up nothing.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "e2e/Programs.h"
#include "feeds/FeedCorpus.h"
#include "feeds/FeedSettings.h"
#include "feeds/LocalFeedStore_win.h"
#include "feeds/LoopbackHttpServer.h"
#include "framework/Text.h"
#include "store/StoreWin.h"
#include <algorithm>

namespace zavra::test {
namespace {

std::vector<std::u16string> NoteTexts() {
  Win32FileSystem files;
  Win32Registry registry;
  std::vector<std::u16string> texts;
  NoteStore(files, registry, ToU16(DataDir())).ScanNotes(NoteFilter{}, [&](const NOTE_PAD& n) {
    if (n.category == 10001) texts.push_back(n.text);
  });
  std::sort(texts.begin(), texts.end());
  return texts;
}

std::vector<std::u16string> FeedNames() {
  std::vector<FeedInfo> feeds;
  LocalFeedStore(UserFeedFolder()).ListFeeds(feeds);
  std::vector<std::u16string> names;
  for (const FeedInfo& f : feeds) names.push_back(f.name);
  return names;
}

// A tray balloon is a visible balloon tooltip of the shell's process (Wine's tray draws it so).
bool TrayBalloonShown(DWORD mainProcess) {
  std::pair<DWORD, bool> search{mainProcess, false};
  ::EnumWindows([](HWND w, LPARAM p) -> BOOL {
    auto* s = reinterpret_cast<std::pair<DWORD, bool>*>(p);
    wchar_t cls[64] = {};
    ::GetClassNameW(w, cls, 64);
    DWORD process = 0;
    ::GetWindowThreadProcessId(w, &process);
    s->second |= ::IsWindowVisible(w) && ::lstrcmpW(cls, TOOLTIPS_CLASSW) == 0 &&
                 (::GetWindowLongW(w, GWL_STYLE) & TTS_BALLOON) && process != s->first &&
                 process != ::GetCurrentProcessId();
    return TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

class FeedsEndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    StartFromUnsortedOnly();
    Win32FileSystem files;
    Win32Registry registry;
    NOTE_CATE feeds;
    feeds.id = 10001;
    feeds.name = u"Feeds";
    NoteStore(files, registry, ToU16(DataDir())).SaveCategory(feeds, false);
    WriteFeedSettings(registry.OpenSettingsKey().get(), {kFeedModeAll, 10001, {}}, true);
  }
  void TearDown() override { StopResidentCopy(); }
  HWND StartMain() {
    main_ = Process::Start(BinDir() + L"notezavra.exe", L"");
    return WaitForMainWindow();
  }
  long Subscribe(const std::wstring& address) { return Process::Start(BinDir() + L"feedzavra.exe", address).Wait(20000); }
  LoopbackHttpServer server_;
  Process main_;
};

TEST_F(FeedsEndToEnd, ASubscribedFeedIsAnnouncedAndItsItemsBecomeNotesOnce) {
  server_.Set("/feed.xml", {200, RssDocument("Test &amp; Feed", {"a|Alpha", "b|Beta"})});
  ASSERT_TRUE(StartMain());
  ASSERT_FALSE(TrayBalloonShown(main_.id()));
  EXPECT_EQ(Subscribe(L"  \"feed://127.0.0.1:" + std::to_wstring(server_.port()) + L"/feed.xml\" "), 0);
  EXPECT_EQ(FeedNames(), std::vector<std::u16string>{u"Test & Feed"});
  ASSERT_TRUE(PumpUntil([] { return NoteTexts() == std::vector<std::u16string>{u"Alpha", u"Beta"}; }, 10000));
  // Wine's tray shows the balloon after a delay of its own.
  EXPECT_TRUE(PumpUntil([&] { return TrayBalloonShown(main_.id()); }, 8000)) << "no \"New Feed\" balloon";
  Pump(300);
  (void)SaveScreenshot(ScreenshotPath(L"e2e_new_feed.png"));

  // Published later, it arrives with the next download (here made by another program).
  server_.Set("/feed.xml", {200, RssDocument("Test &amp; Feed", {"c|Gamma", "a|Alpha", "b|Beta"})});
  EXPECT_EQ(LocalFeedStore(UserFeedFolder()).Download(u"Test & Feed"), kFeedOk);
  ASSERT_TRUE(PumpUntil([] { return NoteTexts().size() == 3; }, 10000)) << "the later item did not arrive";
  StopResidentCopy();
  ASSERT_TRUE(StartMain());
  Pump(2000);
  EXPECT_EQ(NoteTexts(), (std::vector<std::u16string>{u"Alpha", u"Beta", u"Gamma"})) << "each item once";
}

TEST_F(FeedsEndToEnd, FailuresLeaveNoFeedAndTwoHelpersBothSubscribe) {
  server_.Set("/broken.xml", {200, CorpusDocument(L"TRUNCATED")});
  EXPECT_EQ(Subscribe(server_.Url("/missing.xml")), 0);
  EXPECT_EQ(Subscribe(server_.Url("/broken.xml")), 0);
  EXPECT_EQ(server_.Requests("/broken.xml"), 1);
  EXPECT_TRUE(FeedNames().empty()) << "no temporary feed stays behind";

  Process refused = Process::Start(BinDir() + L"feedzavra.exe", L"www.example.com/rss");
  HWND box = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (box = ::FindWindowW(L"#32770", L"Note Zavra Feed Subscriber")) != nullptr; }, 10000))
      << "an address it cannot subscribe is refused with a message";
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(refused.Wait(10000), 0);

  // The second helper waits for the first, which is still downloading under the temporary name.
  server_.Set("/slow.xml", {200, RssDocument("Slow", {}), "text/xml", "", false, false, 1500});
  server_.Set("/fast.xml", {200, RssDocument("Fast", {})});
  Process first = Process::Start(BinDir() + L"feedzavra.exe", server_.Url("/slow.xml"));
  ASSERT_TRUE(PumpUntil([&] { return server_.Requests("/slow.xml") == 1; }, 10000));
  EXPECT_EQ(Subscribe(server_.Url("/fast.xml")), 0);
  EXPECT_EQ(first.Wait(10000), 0);
  std::vector<std::u16string> names = FeedNames();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Fast", u"Slow"}));
}

TEST_F(FeedsEndToEnd, ASilentServerHoldsUpNothing) {
  server_.Set("/silent.xml", {200, "", "", "", true});
  ASSERT_EQ(LocalFeedStore(UserFeedFolder()).CreateFeed(u"Silent", server_.Url16("/silent.xml")), FeedResult::kOk);
  HWND main = StartMain();
  ASSERT_TRUE(main);
  ASSERT_TRUE(PumpUntil([&] { return server_.Requests("/silent.xml") == 1; }, 10000)) << "never downloaded";
  for (int i = 0; i < 10; ++i) {
    DWORD_PTR result = 0;
    EXPECT_TRUE(::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result)) << "the main window hangs";
    Pump(200);
  }
  EXPECT_EQ(Process::Start(BinDir() + L"ZavraL.exe", L"/n10001 Still here").Wait(5000), 0);
  EXPECT_TRUE(PumpUntil([] { return NoteTexts() == std::vector<std::u16string>{u"Still here"}; }, 10000));
  const ULONGLONG started = ::GetTickCount64();
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_NE(main_.Wait(20000), -1) << "the program could not end";
  // Far below the download's 30-second time-out; Wine alone takes about 2 s to hide the note.
  EXPECT_LT(::GetTickCount64() - started, 8000u);
}

}  // namespace
}  // namespace zavra::test
