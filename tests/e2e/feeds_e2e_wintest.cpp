// Feeds with the real programs and a feed server on 127.0.0.1: feedzavra subscribes, the main
// program announces the feed and turns its items into notes once, later items follow, failures
// leave nothing behind, and a server that never answers holds up nothing.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "e2e/Programs.h"
#include "feeds/FeedCorpus.h"
#include "feeds/LoopbackHttpServer.h"
#include "feeds/FeedSettings.h"
#include "feeds/LocalFeedStore_win.h"
#include "framework/Text.h"
#include "store/StoreWin.h"
#include <algorithm>
#include <set>

namespace zavra::test {
namespace {

std::vector<std::u16string> NoteTexts() {
  Win32FileSystem files;
  Win32Registry registry;
  NoteStore store(files, registry, ToU16(DataDir()));
  std::vector<std::u16string> texts;
  store.ScanNotes(NoteFilter{}, [&](const NOTE_PAD& n) {
    if (n.category == 10001) texts.push_back(n.text);
  });
  std::sort(texts.begin(), texts.end());
  return texts;
}

std::vector<std::u16string> FeedNames() {
  LocalFeedStore store(UserFeedFolder());
  std::vector<FeedInfo> feeds;
  store.ListFeeds(feeds);
  std::vector<std::u16string> names;
  for (const FeedInfo& f : feeds) names.push_back(f.name);
  return names;
}

// A tray balloon is a visible balloon tooltip of the shell's process (Wine's tray draws it so).
bool TrayBalloonShown(DWORD mainProcess) {
  struct Search {
    DWORD mainProcess;
    bool found;
  } search{mainProcess, false};
  ::EnumWindows([](HWND w, LPARAM p) -> BOOL {
    auto* s = reinterpret_cast<Search*>(p);
    wchar_t cls[64] = {};
    ::GetClassNameW(w, cls, 64);
    DWORD process = 0;
    ::GetWindowThreadProcessId(w, &process);
    if (::IsWindowVisible(w) && ::lstrcmpW(cls, TOOLTIPS_CLASSW) == 0 && (::GetWindowLongW(w, GWL_STYLE) & TTS_BALLOON) &&
        process != s->mainProcess && process != ::GetCurrentProcessId())
      s->found = true;
    return TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class FeedsEndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    StartFromUnsortedOnly();
    Win32FileSystem files;
    Win32Registry registry;
    NoteStore store(files, registry, ToU16(DataDir()));
    NOTE_CATE feeds;
    feeds.id = 10001;
    feeds.name = u"Feeds";
    store.SaveCategory(feeds, false);
    WriteFeedSettings(registry.OpenSettingsKey().get(), {kFeedModeAll, 10001, {}}, true);
  }
  void TearDown() override { StopResidentCopy(); }
  HWND StartMain() {
    main_ = Process::Start(BinDir() + L"notezavra.exe", L"");
    return WaitForMainWindow();
  }
  long Subscribe(const std::wstring& address) {
    Process helper = Process::Start(BinDir() + L"feedzavra.exe", address);
    return helper.Wait(20000);
  }
  LoopbackHttpServer server_;
  Process main_;
};

TEST_F(FeedsEndToEnd, ASubscribedFeedIsAnnouncedAndItsItemsBecomeNotesOnce) {
  server_.Set("/feed.xml", {200, RssDocument("Test &amp; Feed", {"a|Alpha", "b|Beta"})});
  ASSERT_TRUE(StartMain());
  ASSERT_FALSE(TrayBalloonShown(main_.id()));
  EXPECT_EQ(Subscribe(L"  \"feed://127.0.0.1:" + std::to_wstring(server_.port()) + L"/feed.xml\" "), 0);
  EXPECT_EQ(FeedNames(), std::vector<std::u16string>{u"Test & Feed"});
  ASSERT_TRUE(PumpUntil([] { return NoteTexts().size() == 2; }, 10000)) << "the items did not become notes";
  EXPECT_EQ(NoteTexts(), (std::vector<std::u16string>{u"Alpha", u"Beta"}));
  // The tray shows a balloon after a delay of its own.
  EXPECT_TRUE(PumpUntil([&] { return TrayBalloonShown(main_.id()); }, 8000)) << "no \"New Feed\" balloon";
  Pump(300);
  (void)SaveScreenshot(ScreenshotPath(L"e2e_new_feed.png"));

  // Published later, arriving with the next download (here made by another program).
  server_.Set("/feed.xml", {200, RssDocument("Test &amp; Feed", {"c|Gamma", "a|Alpha", "b|Beta"})});
  {
    LocalFeedStore store(UserFeedFolder());
    EXPECT_EQ(store.Download(u"Test & Feed"), kFeedOk);
  }
  ASSERT_TRUE(PumpUntil([] { return NoteTexts().size() == 3; }, 10000)) << "the later item did not arrive";
  StopResidentCopy();
  ASSERT_TRUE(StartMain());
  Pump(2000);
  EXPECT_EQ(NoteTexts(), (std::vector<std::u16string>{u"Alpha", u"Beta", u"Gamma"})) << "each item once";
}

TEST_F(FeedsEndToEnd, FailedDownloadsAndRefusedAddressesLeaveNoFeed) {
  server_.Set("/broken.xml", {200, CorpusDocument(L"TRUNCATED")});
  EXPECT_EQ(Subscribe(server_.Url("/missing.xml")), 0);
  EXPECT_EQ(Subscribe(server_.Url("/broken.xml")), 0);
  EXPECT_EQ(server_.Requests("/missing.xml"), 1);
  EXPECT_EQ(server_.Requests("/broken.xml"), 1);
  EXPECT_TRUE(FeedNames().empty()) << "no temporary feed stays behind";

  Process helper = Process::Start(BinDir() + L"feedzavra.exe", L"www.example.com/rss");
  HWND box = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (box = ::FindWindowW(L"#32770", L"Note Zavra Feed Subscriber")) != nullptr; }, 10000))
      << "an address it cannot subscribe is refused with a message";
  std::wstring text;
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t part[512] = {};
    ::GetWindowTextW(child, part, 512);
    text += part;
  }
  EXPECT_NE(text.find(L"www.example.com/rss"), std::wstring::npos) << text;
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(helper.Wait(10000), 0);
  EXPECT_TRUE(FeedNames().empty());
}

TEST_F(FeedsEndToEnd, ASilentServerHoldsUpNothing) {
  server_.Set("/silent.xml", {200, "", "", "", true});
  {
    LocalFeedStore store(UserFeedFolder());
    ASSERT_EQ(store.CreateFeed(u"Silent", server_.Url16("/silent.xml")), FeedResult::kOk);
  }
  HWND main = StartMain();
  ASSERT_TRUE(main);
  ASSERT_TRUE(PumpUntil([&] { return server_.Requests("/silent.xml") == 1; }, 10000)) << "never downloaded";
  for (int i = 0; i < 10; ++i) {
    DWORD_PTR result = 0;
    EXPECT_TRUE(::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result)) << "the main window hangs";
    Pump(200);
  }
  Process launcher = Process::Start(BinDir() + L"ZavraL.exe", L"/n10001 Still here");
  EXPECT_EQ(launcher.Wait(5000), 0);
  EXPECT_TRUE(PumpUntil([] { return NoteTexts() == std::vector<std::u16string>{u"Still here"}; }, 10000));
  const ULONGLONG started = ::GetTickCount64();
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_NE(main_.Wait(20000), -1) << "the program could not end";
  // Far below the download's 30-second time-out; Wine alone takes about 2 s to hide the note.
  EXPECT_LT(::GetTickCount64() - started, 8000u);
}

}  // namespace
}  // namespace zavra::test
