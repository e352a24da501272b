// The note's context menu, looked at from inside its menu loop, and the commands it sends.
#include "NoteWndTestSupport.h"

#include "app/MenuModel.h"

namespace zavra {
namespace {

using test::FakeHost;
using test::PlainNote;

struct MenuItem {
  UINT id = 0;
  std::wstring text;
  UINT state = 0;
  bool popup = false;
};

struct SeenMenu {
  bool seen = false;
  std::vector<MenuItem> items;
  UINT defaultId = static_cast<UINT>(-1);
  UINT choose = 0;  // command to pick instead of dismissing
};

CNoteWnd* g_window = nullptr;
SeenMenu g_seen;

void CALLBACK InspectMenu(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  HMENU menu = g_window ? g_window->trackedMenu() : nullptr;
  if (menu) {
    g_seen.seen = true;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      MenuItem item;
      wchar_t text[128] = {};
      MENUITEMINFOW info{sizeof info};
      info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
      info.dwTypeData = text;
      info.cch = 128;
      ::GetMenuItemInfoW(menu, i, TRUE, &info);
      item.id = info.wID;
      item.text = text;
      item.state = info.fState;
      item.popup = info.hSubMenu != nullptr;
      g_seen.items.push_back(item);
    }
    g_seen.defaultId = ::GetMenuDefaultItem(menu, FALSE, 0);
  }
  if (g_seen.choose && menu) {
    // Pick the command through the menu's own owner, as a click would.
    const UINT pick = g_seen.choose;
    g_seen.choose = 0;
    ::EndMenu();
    ::PostMessageW(*g_window, WM_COMMAND, pick, 0);
    return;
  }
  ::EndMenu();
}

SeenMenu OpenMenu(CNoteWnd* w, POINT at) {
  g_window = w;
  g_seen = {};
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 200, InspectMenu);
  ::SendMessageW(*w, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  ::KillTimer(nullptr, timer);
  test::Pump(50);
  return g_seen;
}

const MenuItem* Find(const SeenMenu& m, UINT id) {
  for (const MenuItem& i : m.items)
    if (i.id == id) return &i;
  return nullptr;
}
size_t IndexOf(const SeenMenu& m, UINT id) {
  for (size_t i = 0; i < m.items.size(); ++i)
    if (m.items[i].id == id) return i;
  return SIZE_MAX;
}

TEST(NoteMenu, ItemsGreyingDefaultAndCategoryEntries) {
  FakeHost host;
  CNoteWnd* w = host.Open(PlainNote(u"No link, no calendar"));
  ASSERT_TRUE(w);
  const SeenMenu m = OpenMenu(w, {40, 30});
  ASSERT_TRUE(m.seen) << "the menu came up";
  EXPECT_FALSE(::FindWindowW(L"#32768", nullptr) && ::IsWindowVisible(::FindWindowW(L"#32768", nullptr)))
      << "no menu left hanging";
  for (const MenuItem& i : m.items) EXPECT_FALSE(i.popup) << "\"Reopen After\" is not on the note's menu";
  ASSERT_TRUE(Find(m, 32779)) << "Close is last";
  EXPECT_EQ(m.items.back().id, 32779u);
  EXPECT_EQ(m.defaultId, 32777u) << "Edit is the default";
  EXPECT_TRUE(Find(m, 32775)->state & MFS_GRAYED) << "no link to launch";
  EXPECT_TRUE(Find(m, kCmdOpenCalendar)->state & MFS_GRAYED) << "not on the calendar";
  EXPECT_TRUE(Find(m, kCmdLoadDefault)->state & MFS_GRAYED);
  EXPECT_TRUE(Find(m, kCmdSaveAsDefault)->state & MFS_GRAYED);
  EXPECT_FALSE(Find(m, 32805)->state & MFS_CHECKED) << "opened without topmost";
  const NOTE_CATE cate = host.store.LoadCategory(w->note().category);
  const std::wstring suffix = L" (" + ToWide(cate.name) + L")";
  ASSERT_TRUE(Find(m, 32849)) << "the category's pad entry is inserted";
  EXPECT_EQ(Find(m, 32849)->text, L"Open &Pad" + suffix);
  EXPECT_EQ(IndexOf(m, 32849) + 1, IndexOf(m, kCmdOpenCalendar)) << "right before Open Calendar";
  EXPECT_EQ(Find(m, 32773)->text, L"&New Note" + suffix);
}

TEST(NoteMenu, OwnCosmeticsLinkCalendarAndTopmostChangeTheMenu) {
  FakeHost host;
  NOTE_PAD note = PlainNote(u"Everything set");
  note.flags |= kNoteOwnPaperColor | kNoteOnCalendar;
  note.paperColor = 0x00A0FFA0;
  note.link = u"C:\\windows\\notepad.exe";
  CNoteWnd* w = host.Open(note, kOpenRestore, 1);
  ASSERT_TRUE(w);
  const SeenMenu m = OpenMenu(w, {40, 30});
  ASSERT_TRUE(m.seen);
  EXPECT_FALSE(Find(m, 32775)->state & MFS_GRAYED);
  EXPECT_FALSE(Find(m, kCmdOpenCalendar)->state & MFS_GRAYED);
  EXPECT_FALSE(Find(m, kCmdLoadDefault)->state & MFS_GRAYED);
  EXPECT_FALSE(Find(m, kCmdSaveAsDefault)->state & MFS_GRAYED);
  EXPECT_TRUE(Find(m, 32805)->state & MFS_CHECKED);
}

TEST(NoteMenu, LinkIconOpensTheLinkMenu) {
  FakeHost host;
  NOTE_PAD note = PlainNote(u"With a link");
  note.link = u"zavra-nobody-registered://x";  // no icon can be made for it: the menu still comes
  CNoteWnd* w = host.Open(note);
  ASSERT_TRUE(w);
  ASSERT_EQ(w->linkIcon(), nullptr);
  // The default skin's link icon layer.
  POINT icon{-1, -1};
  for (size_t i = 0; i < w->skin()->size(); ++i)
    if (w->skin()->layer(i).kind == kLayerLinkIcon) icon = {w->layerInfo(i).left + 8, w->layerInfo(i).top + 8};
  ASSERT_GE(icon.x, 0) << "the default skin has a link icon";
  const SeenMenu m = OpenMenu(w, icon);
  ASSERT_TRUE(m.seen);
  ASSERT_EQ(m.items.size(), 2u);
  EXPECT_EQ(m.items[0].id, 32775u);
  EXPECT_EQ(m.items[1].id, 32848u);
  EXPECT_EQ(m.defaultId, 32775u);
}

TEST(NoteMenu, CommandsReachTheHost) {
  FakeHost host;
  CNoteWnd* w = host.Open(PlainNote(u"Commands"));
  ASSERT_TRUE(w);
  const uint32_t id = w->noteId();
  const int cat = w->note().category;
  struct Case {
    UINT command;
    std::string call;
  };
  const Case cases[] = {
      {32850, "track"},        {32776, "duplicate"},    {57611, "saveCopyAs"},
      {32772, "pad:-1"},       {32849, "pad:" + std::to_string(cat)},
      {32773, "new:" + std::to_string(cat)},           {57600, "new:-1"},
      {kCmdPaperColor, "cosmetics:32807"},             {kCmdLoadDefault, "cosmetics:32811"},
      {32852, "sizepos:" + std::to_string(w->PaperScreenRect().right - w->PaperScreenRect().left) + "x" +
                  std::to_string(w->PaperScreenRect().bottom - w->PaperScreenRect().top)},
      {32777, "edit"},         {32805, "ontop"},
      // "Cop&y": text and id; "Cop&y Link": the link alone.
      {57634, "copy:5:" + std::to_string(id)},          {32848, "copy:2:" + std::to_string(id)},
  };
  for (const Case& c : cases) {
    host.calls.clear();
    ::SendMessageW(*w, WM_COMMAND, c.command, 0);
    EXPECT_TRUE(host.Called(c.call)) << "command " << c.command << " should call " << c.call;
  }
  EXPECT_TRUE(w->topmost()) << "Always On Top toggled on";

  // Skin: "(Inherit)" clears the note's own skin, "(None)" and a title set it; the note is saved.
  const struct {
    SkinChoice choice;
    bool ownSkin;
    const char* title;
  } skins[] = {{{false, u"Plain"}, true, "Plain"}, {{false, u""}, true, ""}, {{true, u""}, false, ""}};
  for (const auto& c : skins) {
    host.skinChoice = c.choice;
    ::SendMessageW(*w, WM_COMMAND, 32886, 0);
    NOTE_PAD saved;
    ASSERT_EQ(host.store.LoadNote(id, saved), 0);
    EXPECT_EQ((saved.flags & kNoteOwnSkin) != 0, c.ownSkin) << c.title << c.choice.inherit;
    EXPECT_EQ(test::FakeHost::Narrow(saved.skin), c.title);
  }

  // The custom reopen dialog's 0 (cancelled) does nothing.
  host.calls.clear();
  host.customMinutes = 0;
  ::SendMessageW(*w, WM_COMMAND, 32882, 0);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_TRUE(::IsWindow(*w));

  // Reopen after 30 minutes: recent list, window closed, reopen asked for.
  const HWND hwnd = *w;
  ::SendMessageW(hwnd, WM_COMMAND, 32876, 0);
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_TRUE(host.Called("recent:" + std::to_string(id)));
  EXPECT_TRUE(host.Called("reopen:" + std::to_string(id) + ":1800"));
}

TEST(NoteMenu, DeleteKeyAsksTheHostAndClosesWithoutSaving) {
  FakeHost host;
  CNoteWnd* w = host.Open(PlainNote(u"Delete me"));
  ASSERT_TRUE(w);
  const std::u16string file = host.store.PathOf(StoreKind::kNote, w->noteId());
  const HWND hwnd = *w;
  w->SetPaperRect(RECT{500, 500, 600, 600});  // moved: would be saved on an ordinary close
  ::SendMessageW(hwnd, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_TRUE(host.Called("delete"));
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_FALSE(test::FileExists(file)) << "not written back after the delete";
}

}  // namespace
}  // namespace zavra
