// The note edit dialog, the Recurrence dialog and the skin chooser, driven through their controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

#include <shlobj.h>

#include "DialogDriver.h"
#include "ScheduleTestSupport.h"
#include "app/CalendarNames_win.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include "schedule/CivilDate.h"
#include "schedule/NoteEditDlg_win.h"
#include "schedule/PickerTime_win.h"
#include "schedule/ScheRepeatDlg_win.h"
#include "schedule/SkinOpenDlg_win.h"
#include "store/Clipboard_win.h"

namespace zavra {
namespace {

using test::Click;
using test::DialogScript;
using test::FindDialog;
using test::ItemText;

std::wstring BinDir() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.rfind(L'\\') + 1);
}

class FakeEditHost : public INoteEditHost {
 public:
  FakeEditHost() {
    NOTE_CATE unsorted;
    unsorted.id = 1;
    unsorted.name = u"Unsorted";
    unsorted.icon = 2;
    NOTE_CATE work;
    work.id = 10001;
    work.name = u"Work";
    work.icon = 5;
    work.sound = u"C:\\work.wav";
    categories.items = {unsorted, work};
    categories.RebuildIndex();
  }
  CategoryList Categories() override { return categories; }
  std::wstring IconStripPath() override { return BinDir() + L"icons.bmp"; }
  const CalendarNames& Names() override { return names; }
  int FirstDayOfWeek() override { return firstDay; }
  int64_t Now() override { return test::Utc(2026, 5, 4, 9, 30); }
  void PreviewSound(const std::wstring& path) override { previews.push_back(path); }
  bool CanManageCategories() override { return false; }
  void ManageCategories(HWND) override {}

  CategoryList categories;
  CalendarNames names = LoadCalendarNames(::GetModuleHandleW(nullptr), MAKELCID(0x0409, SORT_DEFAULT));
  int firstDay = 0;
  std::vector<std::wstring> previews;
};

NOTE_PAD ScheduledNote() {
  NOTE_PAD n;
  n.id = 3;
  n.text = u"Dentist";
  n.flags = kNoteScheduled;
  n.start = n.end = MachineLocalTime().DayStart(DayNumber(2026, 5, 4));
  n.timeFrom = n.timeTo = 10 * 3600;
  return n;
}

RECT WindowRect(HWND w) {
  RECT r{};
  ::GetWindowRect(w, &r);
  return r;
}

TEST(NoteEditDialog, EndBeforeStartBecomesTheStart) {
  FakeEditHost host;
  NOTE_PAD note = ScheduledNote();
  note.end = MachineLocalTime().DayStart(DayNumber(2026, 5, 10));
  CNoteEditDlg dlg(host, note, false);
  ASSERT_TRUE(dlg.CreateModeless(nullptr));
  const HWND h = dlg;
  wchar_t caption[64] = {};
  ::GetWindowTextW(h, caption, 64);
  EXPECT_STREQ(caption, L"Edit Note");
  const SYSTEMTIME earlier = PickerDate(DayNumber(2026, 5, 1));
  DateTime_SetSystemtime(::GetDlgItem(h, IDC_END_DATE), GDT_VALID, &earlier);
  ::SendMessageW(h, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(::IsWindow(h)) << "OK closes";
  EXPECT_TRUE(dlg.modified());
  EXPECT_EQ(dlg.note().end, dlg.note().start);
  EXPECT_EQ(dlg.note().timeFrom, 10 * 3600);
}

TEST(NoteEditDialog, ScheduleToggleFoldsTheDialogAndTicksShowOnCalendar) {
  FakeEditHost host;
  NOTE_PAD fresh;
  CNoteEditDlg dlg(host, fresh, true);
  ASSERT_TRUE(dlg.CreateModeless(nullptr));
  const HWND h = dlg;
  EXPECT_FALSE(dlg.scheduleShown()) << "a new note without a preset starts folded";
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(h, IDOK))) << "no text, no OK";
  const RECT folded = WindowRect(h);
  const RECT okFolded = WindowRect(::GetDlgItem(h, IDOK));
  EXPECT_GT(okFolded.top, WindowRect(::GetDlgItem(h, IDC_NOTE_LINK)).bottom) << "the buttons sit below the link";

  Click(h, IDC_SCHEDULE_TOGGLE);
  EXPECT_TRUE(dlg.scheduleShown());
  EXPECT_EQ(::IsDlgButtonChecked(h, IDC_SHOW_ON_CALENDAR), BST_CHECKED);
  const RECT unfolded = WindowRect(h);
  const RECT okUnfolded = WindowRect(::GetDlgItem(h, IDOK));
  EXPECT_EQ(okUnfolded.top - okFolded.top, (unfolded.bottom - unfolded.top) - (folded.bottom - folded.top));
  for (int id : {IDC_SCHEDULE_GROUP, IDC_START_DATE, IDC_RECUR_SETTINGS, IDC_SOUND_LIST, IDC_LAUNCH_LINK})
    EXPECT_TRUE(test::Shown(h, id)) << id;

  Click(h, IDC_SCHEDULE_TOGGLE);
  EXPECT_EQ(WindowRect(h).bottom - WindowRect(h).top, folded.bottom - folded.top);
  EXPECT_EQ(::IsDlgButtonChecked(h, IDC_SHOW_ON_CALENDAR), BST_UNCHECKED);
  test::Type(h, IDC_NOTE_TEXT, L"  x ");
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(h, IDOK)));
  dlg.DestroyWindow();
}

TEST(NoteEditDialog, WeeklyRuleWithoutWeekdayIsRefused) {
  FakeEditHost host;
  CNoteEditDlg dlg(host, ScheduledNote(), false);
  ASSERT_TRUE(dlg.CreateModeless(nullptr));
  const HWND h = dlg;
  std::wstring shown;
  DialogScript script({[&] {
                         HWND repeat = FindDialog(L"Recurrence", h);
                         if (!repeat) return false;
                         Click(repeat, IDC_FAMILY_WEEKLY);
                         for (int id = IDC_WEEKDAY_FIRST; id <= IDC_WEEKDAY_LAST; ++id)
                           ::CheckDlgButton(repeat, id, BST_UNCHECKED);
                         Click(repeat, IDOK);
                         return true;
                       },
                       test::AnswerMessageBox(L"Error", h, shown)});
  test::PostClick(h, IDC_RECUR_SETTINGS);
  ASSERT_TRUE(test::PumpUntil([&] { return ItemText(h, IDC_RECUR_TEXT) == L"Every"; }));
  ::SendMessageW(h, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(shown, L"No possible occurrence.\nCheck recurrence settings.");
  EXPECT_TRUE(::IsWindow(h)) << "the dialog stays open";
  dlg.DestroyWindow();
}

TEST(NoteEditDialog, CategoryIconAndSoundChoices) {
  FakeEditHost host;
  NOTE_PAD note = ScheduledNote();
  note.flags = kNoteOwnPaperColor;
  note.paperColor = RGB(1, 2, 3);
  CNoteEditDlg dlg(host, note, false);
  ASSERT_TRUE(dlg.CreateModeless(nullptr));
  const HWND h = dlg;
  const auto selected = [&](int id) { return static_cast<int>(::SendDlgItemMessageW(h, id, CB_GETCURSEL, 0, 0)); };
  EXPECT_EQ(selected(IDC_NOTE_ICON), 2) << "Unsorted's icon";
  test::Choose(h, IDC_NOTE_CATEGORY, 1);
  EXPECT_EQ(selected(IDC_NOTE_ICON), 5) << "Work's icon";
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(h, IDC_ICON_RESET)));
  test::Choose(h, IDC_NOTE_ICON, 3);
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(h, IDC_ICON_RESET)));
  Click(h, IDC_ICON_RESET);
  EXPECT_EQ(selected(IDC_NOTE_ICON), 5);
  test::Choose(h, IDC_SOUND_LIST, 0);
  EXPECT_EQ(host.previews, std::vector<std::wstring>{L"C:\\work.wav"}) << "(Inherit) plays the category's sound";

  // The pad's filter form of the category list.
  CCateComboBoxEx filter;
  HWND box = ::CreateWindowExW(0, WC_COMBOBOXEXW, L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 200, h, nullptr,
                               nullptr, nullptr);
  ASSERT_TRUE(filter.SubclassWindow(box));
  filter.FillFilter(host.categories);
  EXPECT_EQ(filter.ShowFilter(10001), 10001);
  EXPECT_EQ(::SendMessageW(box, CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(filter.ShowFilter(777), 10001) << "an unknown filter keeps the row";
  filter.FillFilter(CategoryList{});
  EXPECT_EQ(filter.ShowFilter(777), CCateComboBoxEx::kAllCategories) << "kept within the shorter list";

  ::SendMessageW(h, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(dlg.modified());
  EXPECT_EQ(dlg.note().category, 10001);
  EXPECT_EQ(dlg.note().paperColor, RGB(1, 2, 3));
  EXPECT_FALSE(dlg.note().flags & kNoteOwnIcon);
}

TEST(NoteEditDialog, PastingACopiedNoteOrFilesIntoTheLinkBox) {
  FakeEditHost host;
  NOTE_PAD fresh;
  CNoteEditDlg dlg(host, fresh, true);
  ASSERT_TRUE(dlg.CreateModeless(nullptr));
  const HWND h = dlg;
  const HWND link = ::GetDlgItem(h, IDC_NOTE_LINK);
  NOTE_PAD copied;
  copied.id = 4711;
  copied.text = u"Copied";
  HGLOBAL idData = nullptr;
  ASSERT_TRUE(CopyNoteToClipboard(h, copied, kCopyText | kCopyNoteId, &idData));
  ::SendMessageW(link, WM_PASTE, 0, 0);
  EXPECT_EQ(ItemText(h, IDC_NOTE_LINK), L"note:4711");

  const std::wstring files = std::wstring(L"C:\\a b.txt") + L'\0' + L"C:\\c.txt" + L'\0' + L'\0';
  HGLOBAL drop = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(DROPFILES) + files.size() * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(::GlobalLock(drop));
  *header = DROPFILES{sizeof(DROPFILES), {}, FALSE, TRUE};
  std::copy(files.begin(), files.end(), reinterpret_cast<wchar_t*>(header + 1));
  ::GlobalUnlock(drop);
  ASSERT_TRUE(::OpenClipboard(h));
  ::EmptyClipboard();
  ::SetClipboardData(CF_HDROP, drop);
  ::CloseClipboard();
  if (idData) ::GlobalFree(idData);
  ::SendMessageW(link, WM_PASTE, 0, 0);
  EXPECT_EQ(ItemText(h, IDC_NOTE_LINK), L"\"C:\\a b.txt\"");
  dlg.DestroyWindow();
}

TEST(RecurrenceDialog, MondayFirstWeekAndRangeChecksOfVisibleFieldsOnly) {
  FakeEditHost host;
  const int64_t start = DayNumber(2026, 5, 4);
  CScheRepeatDlg weekly({start, start, true, kRepeatWeekly, 1 << 1 | 1 << 4, 2}, host.names, 1);
  ASSERT_TRUE(weekly.CreateModeless(nullptr));
  HWND h = weekly;
  EXPECT_EQ(ItemText(h, IDC_WEEKDAY_FIRST), L"Monday");
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(::IsDlgButtonChecked(h, IDC_WEEKDAY_FIRST + i), i == 0 || i == 3 ? BST_CHECKED : BST_UNCHECKED) << i;
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(h, IDC_END_DATE))) << "no end date";
  EXPECT_FALSE(test::Shown(h, IDC_MONTH_LIST));
  Click(h, IDC_FAMILY_YEARLY);
  EXPECT_TRUE(test::Shown(h, IDC_MONTH_LIST));
  EXPECT_FALSE(test::Shown(h, IDC_WEEKDAY_FIRST));
  EXPECT_EQ(ItemText(h, IDC_UNIT_LABEL), L"year(s),");
  Click(h, IDC_FAMILY_NONE);
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(h, IDC_END_DATE))) << "no recurrence has a last day";

  Click(h, IDC_FAMILY_DAILY);
  ::SetDlgItemTextW(h, IDC_INTERVAL, L"0");
  std::wstring shown;
  {
    DialogScript script({test::AnswerMessageBox(L"Error", h, shown)});
    ::SendMessageW(h, WM_COMMAND, IDOK, 0);
  }
  EXPECT_EQ(shown, L"Enter an integer between 1 and 200.");
  EXPECT_TRUE(::IsWindow(h));
  weekly.DestroyWindow();

  // A stored interval of 0 under "No Recurrence" is not the user's to fix.
  CScheRepeatDlg none({start, start + 2, false, kRepeatNone, 0, 0}, host.names, 0);
  ASSERT_TRUE(none.CreateModeless(nullptr));
  h = none;
  ::SendMessageW(h, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_EQ(none.schedule().interval, 0);
  EXPECT_EQ(none.schedule().endDay, start + 2);
}

TEST(SkinChooser, NoneAndInheritAreDifferentChoices) {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring skins = std::wstring(temp) + L"zavra-skinchooser-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
  for (const wchar_t* sub : {L"", L"Plain", L".hidden"}) ::CreateDirectoryW((skins + sub).c_str(), nullptr);
  // Rows: (Inherit), (None), Plain. A name is found only exactly; the folder starting with a dot is no skin.
  const struct {
    const char16_t* current;
    int shown, chosen;
    SkinChoice expected;
  } cases[] = {{u"Plain", 2, 0, {true, u""}}, {u"plain", 1, 1, {false, u""}}, {u"", 1, 2, {false, u"Plain"}}};
  for (const auto& c : cases) {
    CSkinOpenDlg dlg(skins, true, SkinChoice{false, c.current});
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_SKIN_LIST, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_SKIN_LIST, CB_GETCURSEL, 0, 0), c.shown);
    ::SendDlgItemMessageW(dlg, IDC_SKIN_LIST, CB_SETCURSEL, c.chosen, 0);
    ::SendMessageW(dlg, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dlg.choice(), c.expected) << c.chosen;
  }
  for (const wchar_t* sub : {L"Plain", L".hidden", L""}) ::RemoveDirectoryW((skins + sub).c_str());
}

// The dialogs on the screen, the note dialog unfolded and folded, saved for a person to look at.
TEST(NoteDialogScreenshots, FoldedUnfoldedAndRecurrence) {
  const auto shoot = [](CDialog& dlg, const wchar_t* file, const std::function<void()>& change = nullptr) {
    ::SetWindowPos(dlg, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::ShowWindow(dlg, SW_SHOW);
    if (change) change();
    test::Pump(400);
    EXPECT_TRUE(test::SaveScreenshot(test::ScreenshotPath(file))) << file;
  };
  FakeEditHost host;
  NOTE_PAD note = ScheduledNote();
  note.text = u"Dentist at ten\r\nBring the insurance card.";
  note.link = u"\"C:\\Documents\\Insurance card.pdf\"";
  note.repeatKind = kRepeatYearlyByWeekday;
  note.repeatParam = 0x0345;
  note.flags |= kNoteOnCalendar | kNoteOwnPaperColor;
  note.paperColor = RGB(255, 240, 150);
  CNoteEditDlg dlg(host, note, false);
  ASSERT_TRUE(dlg.CreateModeless(nullptr));
  shoot(dlg, L"note_edit_unfolded.png");
  shoot(dlg, L"note_edit_folded.png", [&] { Click(dlg, IDC_SCHEDULE_TOGGLE); });
  dlg.DestroyWindow();
  CSkinOpenDlg skin(L"", true, SkinChoice{true, u""});
  ASSERT_TRUE(skin.CreateModeless(nullptr));
  shoot(skin, L"skin_chooser.png");
  skin.DestroyWindow();
  const int64_t start = DayNumber(2026, 3, 27);
  for (const auto& [kind, param, file] : {std::tuple{kRepeatYearlyByWeekday, 0x0345, L"recurrence_yearly.png"},
                                          std::tuple{kRepeatWeekly, 0x12, L"recurrence_weekly.png"}}) {
    CScheRepeatDlg repeat({start, start, true, kind, param, 1}, host.names, 0);
    ASSERT_TRUE(repeat.CreateModeless(nullptr));
    shoot(repeat, file);
    repeat.DestroyWindow();
  }
}

}  // namespace
}  // namespace zavra
