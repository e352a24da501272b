// The main window in this process, on a private data folder and private registry keys.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "app/MainWnd_win.h"
#include "notewnd/NoteWnd_win.h"
#include "app/MainWindowFixture.h"
#include "app/Settings.h"
#include "framework/Text.h"
#include "store/Clipboard_win.h"
#include "store/StoreWin.h"
#include <shellapi.h>
#include <shlwapi.h>
#include <functional>
#include <string>
#include <vector>

namespace zavra {
namespace {

// Runs `body` inside the modal loop of the next menu, then closes the menu.
void WhileMenuIsUp(const std::function<void()>& body);
std::function<void()>* pendingMenuBody = nullptr;
void CALLBACK MenuTimer(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (pendingMenuBody) (*pendingMenuBody)();
  pendingMenuBody = nullptr;
  ::EndMenu();
}
void WhileMenuIsUp(const std::function<void()>& body) {
  static std::function<void()> stored;
  stored = body;
  pendingMenuBody = &stored;
  ::SetTimer(nullptr, 0, 400, MenuTimer);
}

// Opens the first item's submenu with the keyboard, then runs `body` once it is drawn.
std::function<void()>* pendingSubmenuBody = nullptr;
void CALLBACK SubmenuShotTimer(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (pendingSubmenuBody) (*pendingSubmenuBody)();
  pendingSubmenuBody = nullptr;
  ::EndMenu();
}
void CALLBACK SubmenuOpenTimer(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (HWND popup = ::FindWindowW(L"#32768", nullptr)) {
    ::PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
  }
  ::SetTimer(nullptr, 0, 500, SubmenuShotTimer);
}
void WithFirstSubmenuOpen(const std::function<void()>& body) {
  static std::function<void()> stored;
  stored = body;
  pendingSubmenuBody = &stored;
  ::SetTimer(nullptr, 0, 400, SubmenuOpenTimer);
}

struct MenuEntry {
  std::wstring text;
  UINT id;
  bool popup;
  bool separator;
  bool checked;
  bool ownerDrawn;
};

std::vector<MenuEntry> Entries(HMENU menu) {
  std::vector<MenuEntry> out;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    wchar_t buf[256] = {};
    MENUITEMINFOW mii{sizeof mii};
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    mii.dwTypeData = buf;
    mii.cch = 256;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
    out.push_back({buf, mii.wID, mii.hSubMenu != nullptr, (mii.fType & MFT_SEPARATOR) != 0,
                   (mii.fState & MFS_CHECKED) != 0, (mii.fType & MFT_OWNERDRAW) != 0});
  }
  return out;
}

class MainWindow : public test::MainWindowFixture {};

TEST_F(MainWindow, FirstRunWritesUnsorted) {
  Start(true);
  const CategoryList list = store_->LoadCategoryList();
  ASSERT_EQ(list.items.size(), 1u);
  EXPECT_EQ(list.items[0].id, 1u);
  EXPECT_EQ(list.items[0].name, u"Unsorted");
  EXPECT_GE(list.items[0].font.lfWeight, 700);
}

TEST_F(MainWindow, TrayMenuWithCategoriesAndRecentNotes) {
  AddCategory(1, u"Unsorted", 1);
  AddCategory(10001, u"Work", 5);
  AddCategory(10002, u"Home", 9);
  const uint32_t first = AddNote(u"Buy milk. Then eggs", 10002);
  const uint32_t second = AddNote(u"Call the plumber", 10001);
  const uint32_t gone = AddNote(u"deleted since", 1);
  ASSERT_TRUE(store_->DeleteNote(gone));
  SetList(u"MRUN", {first, gone, second});
  CMainWnd& main = Start();

  std::vector<MenuEntry> top, newNote, pad, recent;
  UINT defaultPos = 0;
  std::vector<MENUITEM> rows;
  bool shot = false;
  WhileMenuIsUp([&] {
    HMENU m = main.trackedMenu();
    ASSERT_TRUE(m);
    top = Entries(m);
    defaultPos = ::GetMenuDefaultItem(m, TRUE, 0);
    newNote = Entries(::GetSubMenu(m, 0));
    pad = Entries(::GetSubMenu(m, 1));
    recent = Entries(::GetSubMenu(m, 3));
    rows = main.menuRows().rows();
    shot = test::SaveScreenshot(test::ScreenshotPath(L"tray_menu.png"));
  });
  ::SendMessageW(main, WM_TRAY_NOTIFY, 0, WM_RBUTTONUP);

  std::vector<std::wstring> texts;
  for (const auto& e : top) texts.push_back(e.separator ? L"-" : e.text);
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"New &Note", L"Open &Pad", L"Open &Calendar", L"&Recent Notes", L"-",
                                               L"Keep &Notes On Top", L"Keep &Tracker On Top", L"&Hold Popup Notes",
                                               L"-", L"&Shortcut Wizard", L"Note &Designer", L"Open Storage &Folder",
                                               L"-", L"&Preferences...", L"&About Note Zavra...", L"&Website ->", L"-",
                                               L"E&xit"}));
  ASSERT_GE(top.size(), 6u);
  EXPECT_TRUE(top[0].popup);
  EXPECT_TRUE(top[1].popup);
  EXPECT_TRUE(top[5].checked) << "notes on top by default";
  EXPECT_FALSE(top[7].checked) << "not holding by default";
  EXPECT_EQ(defaultPos, 0u) << "New Note is the default";

  ASSERT_EQ(newNote.size(), 3u);
  for (const auto& e : newNote) EXPECT_TRUE(e.ownerDrawn);
  EXPECT_EQ(pad.size(), 5u);
  ASSERT_EQ(recent.size(), 2u) << "the deleted note is left out and the placeholder removed";

  // The owner-drawn rows carry the texts, in menu order: categories sorted, then pad rows, then recent.
  std::vector<std::u16string> rowTexts;
  for (const auto& r : rows) rowTexts.push_back(r.text);
  EXPECT_EQ(rowTexts, (std::vector<std::u16string>{u"Unsorted", u"Home", u"Work", u"All of Interest",
                                                   u"All Categories", u"Unsorted", u"Home", u"Work", u"Buy milk.",
                                                   u"Call the plumber"}));
  EXPECT_EQ(main.savedState().recent, (std::vector<uint32_t>{first, second})) << "the lost note leaves the list";
  EXPECT_TRUE(shot);

  // A look at the owner-drawn rows with their icons.
  bool submenuShot = false;
  WithFirstSubmenuOpen([&] { submenuShot = test::SaveScreenshot(test::ScreenshotPath(L"tray_menu_new_note.png")); });
  ::SendMessageW(main, WM_TRAY_NOTIFY, 0, WM_RBUTTONUP);
  EXPECT_TRUE(submenuShot);
}

TEST_F(MainWindow, HeldNotesShowReleaseItems) {
  AddCategory(1, u"Unsorted", 1);
  SetList(u"HeldNotes", {AddNote(u"a", 1), AddNote(u"b", 1), AddNote(u"c", 1)});
  CMainWnd& main = Start();
  std::vector<MenuEntry> top;
  UINT defaultId = 0;
  WhileMenuIsUp([&] {
    top = Entries(main.trackedMenu());
    defaultId = ::GetMenuDefaultItem(main.trackedMenu(), FALSE, 0);
  });
  ::SendMessageW(main, WM_TRAY_NOTIFY, 0, WM_RBUTTONUP);
  std::vector<std::wstring> texts;
  for (const auto& e : top) texts.push_back(e.text);
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"Release All (3)"), texts.end());
  EXPECT_EQ(defaultId, static_cast<UINT>(kCmdRelease));
  EXPECT_TRUE(top[0].id == kCmdNewNote) << "one category: a plain item";
}

TEST_F(MainWindow, QuickMenusForACategory) {
  AddCategory(1, u"Unsorted", 1);
  AddCategory(10001, u"Snippets", 3);
  AddNote(u"zebra", 10001);
  AddNote(u"Apple", 10001);
  AddNote(u"not in it", 1);
  CMainWnd& main = Start();

  // A category without notes shows nothing at all.
  ::SendMessageW(main, WM_QUICK_MENU, u'f', 10002);
  EXPECT_EQ(main.trackedMenu(), nullptr);

  std::vector<MENUITEM> rows;
  std::vector<MenuEntry> entries;
  bool nestedIgnored = false;
  WhileMenuIsUp([&] {
    rows = main.menuRows().rows();
    entries = Entries(main.trackedMenu());
    HMENU up = main.trackedMenu();
    // A second request while the menu is up is ignored (it would otherwise nest a menu).
    ::SendMessageW(main, WM_QUICK_MENU, u'q', 10001);
    nestedIgnored = main.trackedMenu() == up;
  });
  ::SendMessageW(main, WM_QUICK_MENU, u'f', 10001);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].text, u"QZ[qPaste] - Snippets");
  EXPECT_TRUE(rows[0].header);
  EXPECT_EQ(rows[1].text, u"Apple");
  EXPECT_EQ(rows[2].text, u"zebra");
  EXPECT_TRUE(nestedIgnored);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_TRUE(entries[0].separator && entries[0].ownerDrawn) << "neither mouse nor keyboard can choose the header";
}

TEST_F(MainWindow, NewNoteCommandsCreateNotesInTheirCategory) {
  AddCategory(1, u"Unsorted", 1);
  AddCategory(5, u"Five", 1);
  CMainWnd& main = Start();
  // An empty clipboard gives the tray's new note its placeholder text.
  if (::OpenClipboard(main)) {
    ::EmptyClipboard();
    ::CloseClipboard();
  }
  const std::u16string text = u"Buy milk";
  EXPECT_NE(main.NewNote(5, &text), 0u);
  EXPECT_NE(main.NewNote(9, &text), 0u);
  ::SendMessageW(main, WM_COMMAND, kCmdNewNote, 0);
  auto notes = AllNotes();
  ASSERT_EQ(notes.size(), 3u);
  std::sort(notes.begin(), notes.end(), [](const NOTE_PAD& a, const NOTE_PAD& b) { return a.id < b.id; });
  EXPECT_EQ(notes[0].category, 5);
  EXPECT_EQ(notes[0].text, u"Buy milk");
  EXPECT_EQ(notes[1].category, 1) << "an unknown category falls back to Unsorted";
  EXPECT_EQ(notes[2].text, u"<New Note>");
  // New notes are NoteSize big, scattered near the right edge (the default centre lies far right).
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  for (const NOTE_PAD& n : notes) {
    EXPECT_EQ(n.rect.right - n.rect.left, 124);
    EXPECT_EQ(n.rect.bottom - n.rect.top, 73);
    EXPECT_LE(n.rect.right, work.right);
    EXPECT_GE(n.rect.left, work.right - 124 - 124) << "within one note's width of the right edge";
    EXPECT_GE(n.rect.top, work.top);
    EXPECT_LE(n.rect.bottom, work.bottom);
  }
}

TEST_F(MainWindow, LoadAndSaveDefaultMoveCosmeticsToTheCategory) {
  AddCategory(1, u"Unsorted", 1);
  AddCategory(10001, u"Work", 1);
  NOTE_PAD n;
  n.text = u"styled";
  n.category = 10001;
  n.flags = kNoteOwnPaperColor | kNoteOwnTextColor | kNoteScheduled;
  n.paperColor = 0x00AA5511;
  n.textColor = 0x00112233;
  ASSERT_TRUE(store_->SaveNote(n));
  CMainWnd& main = Start();
  main.NoteCosmeticsCommand(kCmdSaveAsDefault, n, main);
  const NOTE_CATE cate = store_->LoadCategory(10001);
  EXPECT_EQ(cate.paperColor, 0x00AA5511u);
  EXPECT_EQ(cate.textColor, 0x00112233u);
  NOTE_PAD saved;
  ASSERT_EQ(store_->LoadNote(n.id, saved), kFileOk);
  EXPECT_EQ(saved.flags, static_cast<uint32_t>(kNoteScheduled)) << "own cosmetics cleared, other flags kept";

  // Load Default only clears; without own cosmetics nothing is saved.
  saved.flags |= kNoteOwnFont;
  ASSERT_TRUE(store_->SaveNote(saved));
  main.NoteCosmeticsCommand(kCmdLoadDefault, saved, main);
  NOTE_PAD cleared;
  ASSERT_EQ(store_->LoadNote(n.id, cleared), kFileOk);
  EXPECT_EQ(cleared.flags & kNoteOwnCosmetics, 0u);
}

TEST_F(MainWindow, ColourDialogStartsAtTheNoteColourAndMarksItOwn) {
  AddCategory(1, u"Unsorted", 1);
  NOTE_PAD n;
  n.text = u"paper";
  n.paperColor = 0x00336699;
  ASSERT_TRUE(store_->SaveNote(n));
  CMainWnd& main = Start();
  // Accept the dialog as it opened: the starting colour comes back.
  std::thread accept([&] {
    for (int i = 0; i < 200; ++i) {
      ::Sleep(50);
      HWND d = nullptr;
      while ((d = ::FindWindowExW(nullptr, d, L"#32770", nullptr)))
        if (::GetWindow(d, GW_OWNER) == main.GetSafeHwnd() && ::IsWindowVisible(d)) {
          ::PostMessageW(d, WM_COMMAND, IDOK, 0);
          return;
        }
    }
  });
  main.NoteCosmeticsCommand(kCmdPaperColor, n, main);
  accept.join();
  NOTE_PAD saved;
  ASSERT_EQ(store_->LoadNote(n.id, saved), kFileOk);
  EXPECT_EQ(saved.paperColor, 0x00336699u);
  EXPECT_TRUE(saved.flags & kNoteOwnPaperColor);
}

TEST_F(MainWindow, ExitWritesTheStateAndTheClosingTime) {
  AddCategory(1, u"Unsorted", 1);
  CMainWnd& main = Start();
  ::SendMessageW(main, WM_COMMAND, kCmdHold, 0);
  ::DestroyWindow(main);
  Settings s;
  SavedState st;
  auto key = registry_->OpenSettingsKey();
  LoadSettings(key.get(), RECT32{0, 0, 800, 600}, s, st);
  EXPECT_TRUE(s.hold);
  EXPECT_NE(st.timeClosed, INT64_MAX);
  MSG m;
  while (::PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace
}  // namespace zavra

namespace zavra {
namespace {

// True when `upper` lies above `lower` in the z-order.
bool Above(HWND upper, HWND lower) {
  for (HWND w = ::GetWindow(lower, GW_HWNDPREV); w; w = ::GetWindow(w, GW_HWNDPREV))
    if (w == upper) return true;
  return false;
}

class TrayClicks : public test::MainWindowFixture {};

TEST_F(TrayClicks, ClickBringsNotesFrontButNotRightAfterADoubleClick) {
  AddCategory(1, u"Unsorted");
  SetDword(u"NoteOnTop", 0);
  CMainWnd& main = Start();
  const std::u16string text = u"in front";
  ASSERT_NE(main.NewNote(1, &text), 0u);
  ASSERT_EQ(main.noteWindows().size(), 1u);
  HWND note = main.noteWindows()[0]->GetSafeHwnd();
  HWND cover = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"cover", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
  ASSERT_TRUE(cover);
  auto coverOnTop = [&] {
    ::SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    test::Pump(50);
    ASSERT_TRUE(Above(cover, note));
  };

  coverOnTop();
  ::SendMessageW(main, WM_TRAY_NOTIFY, 0, WM_LBUTTONUP);
  test::Pump(50);
  EXPECT_TRUE(Above(note, cover)) << "a click brings the notes to the front";

  // A double-click makes a new note (the default action); the button-up that follows within
  // the second is not a click of its own.
  ::SendMessageW(main, WM_TRAY_NOTIFY, 0, WM_LBUTTONDBLCLK);
  EXPECT_EQ(AllNotes().size(), 2u);
  coverOnTop();
  for (CNoteWnd* w : main.noteWindows()) ::SetWindowPos(*w, cover, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::SendMessageW(main, WM_TRAY_NOTIFY, 0, WM_LBUTTONUP);
  test::Pump(50);
  EXPECT_TRUE(Above(cover, note)) << "guarded for a second after the double-click";
  ::DestroyWindow(cover);
}

// The note's id is in a private format, which the system never frees: the main window does,
// when told the clipboard was emptied (Wine frees it by itself, so that part is not seen here).
TEST_F(MainWindow, CopiedNoteIsOwnedByTheMainWindow) {
  CMainWnd& main = Start();
  const std::u16string text = u"copy me";
  const uint32_t id = main.NewNote(1, &text);
  CNoteWnd* window = main.FindNoteWindow(id);
  ASSERT_TRUE(window);
  ::SendMessageW(*window, WM_COMMAND, 57634, 0);  // "Cop&y"
  EXPECT_EQ(::GetClipboardOwner(), main.GetSafeHwnd()) << "the note window may close before the clipboard is emptied";

  HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(other);
  ClipboardContent clip;
  ASSERT_TRUE(ReadClipboardContent(other, clip));
  ASSERT_TRUE(clip.noteId);
  EXPECT_EQ(*clip.noteId, id);
  EXPECT_EQ(std::string(clip.text.begin(), clip.text.end()), "copy me");

  ASSERT_TRUE(::OpenClipboard(other));
  ::EmptyClipboard();  // another program copies something: the main window frees the id
  ::CloseClipboard();
  ::DestroyWindow(other);
}

}  // namespace
}  // namespace zavra
