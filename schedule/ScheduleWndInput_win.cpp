// The calendar's mouse, keys, context menus and commands.
#include "schedule/ScheduleWnd_win.h"

#include <windowsx.h>

#include "framework/Strings.h"
#include "framework/Text.h"
#include "notewnd/LocaleText_win.h"
#include "resources/calendar_res.h"
#include "schedule/Recurrence.h"

namespace zavra {

namespace {

constexpr UINT kDayMenuActions = 4;  // open, edit, delete, exclude

std::u16string Str(UINT id) { return ToU16(LoadResString(id)); }

std::u16string TimeText(int64_t time) { return LocaleTime(MachineLocalTime().FieldsOf(time).secondOfDay, false); }

}  // namespace

template <class Call>
bool CScheduleWnd::RunModal(Call&& call) {
  const HWND self = GetSafeHwnd();
  ++modalDepth_;
  call(self);
  const bool alive = ::IsWindow(self) && CWnd::FromHandle(self) == this;
  if (--modalDepth_ == 0 && releaseRequested_) {
    delete this;
    return false;
  }
  return alive;
}

// ---------------------------------------------------------------- mouse

void CScheduleWnd::OnButtonDown(POINT client) {
  HideTip();
  if (::GetFocus() != GetSafeHwnd()) ::SetFocus(*this);
  const CalendarHit hit = HitTest(geometry_, layout_, month_, leading_, scroll_, client.x, client.y);
  Select(hit.day, hit.slot);
  InvalidateGrid();
}

void CScheduleWnd::OnDoubleClick(POINT client) {
  OnButtonDown(client);
  if (::GetKeyState(VK_CONTROL) < 0)
    OnCommand(ID_CAL_OPEN_PAD, 0, nullptr);
  else if (SelectedEntry())
    OnCommand(ID_CAL_OPEN, 0, nullptr);
  else if (selectedDay_)
    OnCommand(ID_CAL_NEW_NOTE, 0, nullptr);
}

void CScheduleWnd::OnMouseMove(POINT client) {
  // The system repeats the last position when windows move or close; only real moves count.
  if (client.x == lastMouse_.x && client.y == lastMouse_.y) return;
  lastMouse_ = client;
  HideTip();
  TRACKMOUSEEVENT track{sizeof track, TME_HOVER, *this, HOVER_DEFAULT};
  ::TrackMouseEvent(&track);
}

void CScheduleWnd::OnHover(POINT client) {
  const CalendarHit hit = HitTest(geometry_, layout_, month_, leading_, scroll_, client.x, client.y);
  if (hit.entry >= 0) ShowTip(layout_.entries()[static_cast<size_t>(hit.entry)], client);
}

void CScheduleWnd::OnWheel(int delta) {
  HideTip();
  wheel_ += delta;
  if (wheel_ >= WHEEL_DELTA) {
    wheel_ = 0;
    ScrollBy(-1);
  } else if (wheel_ <= -WHEEL_DELTA) {
    wheel_ = 0;
    ScrollBy(1);
  }
}

// ---------------------------------------------------------------- keys

bool CScheduleWnd::OnKeyDown(UINT key, bool system, LPARAM lp) {
  HideTip();
  if (!system) {
    switch (key) {
      case VK_LEFT:
        MoveSelection(-1);
        return true;
      case VK_RIGHT:
        MoveSelection(1);
        return true;
      case VK_UP:
        MoveSelection(-kGridColumns);
        return true;
      case VK_DOWN:
        MoveSelection(kGridColumns);
        return true;
      default:
        break;
    }
  }
  if (!accelerators_) return false;
  MSG msg{*this, system ? static_cast<UINT>(WM_SYSKEYDOWN) : static_cast<UINT>(WM_KEYDOWN), key, lp};
  return ::TranslateAcceleratorW(*this, accelerators_, &msg) != 0;
}

// ---------------------------------------------------------------- menus

void CScheduleWnd::ShowContextMenu(POINT client) {
  if (SelectedEntry()) {
    MenuHandle resource(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CALENDAR)));
    if (HMENU menu = resource ? BuildEntryMenu(resource.get()) : nullptr) TrackMenu(menu, client);
  } else if (selectedDay_) {
    ShowDayMenu(client);
  }
}

HMENU CScheduleWnd::BuildEntryMenu(HMENU resource) {
  HMENU menu = ::GetSubMenu(resource, IDM_CALENDAR_ENTRY);
  const CalendarEntry* entry = SelectedEntry();
  if (!menu || !entry) return nullptr;
  ::SetMenuDefaultItem(menu, ID_CAL_OPEN, FALSE);
  if (entry->note.link.empty()) ::EnableMenuItem(menu, ID_CAL_LAUNCH_LINK, MF_BYCOMMAND | MF_GRAYED);
  ::CheckMenuItem(menu, ID_CAL_EXCLUDE, MF_BYCOMMAND | (selectedExcluded() ? MF_CHECKED : MF_UNCHECKED));
  if (!(entry->note.flags & kNoteScheduled)) ::EnableMenuItem(menu, ID_CAL_EXCLUDE, MF_BYCOMMAND | MF_GRAYED);
  return menu;
}

void CScheduleWnd::ShowDayMenu(POINT client) {
  MenuHandle resource(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CALENDAR)));
  HMENU menu = resource ? ::GetSubMenu(resource.get(), IDM_CALENDAR_DAY) : nullptr;
  if (!menu || !selectedDay_) return;
  // The rows name their notes by id, so a change while the menu is up cannot shift them.
  dayMenuDay_ = selectedDay_;
  dayMenuRows_ = DayMenuRows(layout_, month_, selectedDay_);
  if (dayMenuRows_.size() > kCalendarSlots) dayMenuRows_.resize(kCalendarSlots);
  DayMenuTexts texts;
  texts.withTime = Str(IDS_CAL_WITH_TIME);
  texts.withMark = Str(IDS_CAL_WITH_MARK);
  texts.endMark = Str(IDS_CAL_END_MARK);
  texts.middleMark = Str(IDS_CAL_MIDDLE_MARK);
  texts.excludedPrefix = Str(IDS_CAL_EXCLUDED);
  const std::wstring open = LoadResString(IDS_CAL_DAY_OPEN), edit = LoadResString(IDS_CAL_DAY_EDIT),
                     del = LoadResString(IDS_CAL_DAY_DELETE), exclude = LoadResString(IDS_CAL_DAY_EXCLUDE);
  UINT position = 0;
  for (const DayMenuRow& row : dayMenuRows_) {
    const UINT first = ID_CAL_DAY_ENTRY_FIRST + position * kDayMenuActions;
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuW(sub, MF_STRING, first + 0, open.c_str());
    ::AppendMenuW(sub, MF_STRING, first + 1, edit.c_str());
    ::AppendMenuW(sub, MF_STRING, first + 2, del.c_str());
    ::AppendMenuW(sub, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(sub, MF_STRING | (row.excluded ? MF_CHECKED : 0) | (row.scheduled ? 0 : MF_GRAYED), first + 3,
                  exclude.c_str());
    const CalendarEntry& entry = layout_.entries()[row.entry];
    const std::u16string label =
        DayMenuLabel(row, entry.title, row.kind == DayMenuRow::Kind::kBegins ? TimeText(row.start) : u"", texts);
    ::InsertMenuW(menu, position++, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                  ToWide(label).c_str());
  }
  if (position) ::InsertMenuW(menu, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  ::SetMenuDefaultItem(menu, ID_CAL_NEW_NOTE, FALSE);
  TrackMenu(menu, client);
}

void CScheduleWnd::TrackMenu(HMENU menu, POINT client) {
  POINT screen = client;
  ::ClientToScreen(*this, &screen);
  const HWND self = *this;
  ::SetForegroundWindow(self);
  trackedMenu_ = menu;
  UINT command = 0;
  if (!RunModal([&](HWND owner) {
        command = static_cast<UINT>(
            ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr));
      }))
    return;
  trackedMenu_ = nullptr;
  ::PostMessageW(self, WM_NULL, 0, 0);
  if (command) OnCommand(command, 0, nullptr);
}

void CScheduleWnd::RunDayMenuCommand(UINT id) {
  const size_t k = (id - ID_CAL_DAY_ENTRY_FIRST) / kDayMenuActions;
  if (k >= dayMenuRows_.size()) return;
  const int slot = layout_.SlotOf(dayMenuDay_, dayMenuRows_[k].noteId);
  if (!slot) return;  // the note left the day meanwhile
  Select(dayMenuDay_, slot);
  InvalidateGrid();
  static constexpr UINT kActions[kDayMenuActions] = {ID_CAL_OPEN, ID_CAL_EDIT, ID_CAL_DELETE, ID_CAL_EXCLUDE};
  OnCommand(kActions[(id - ID_CAL_DAY_ENTRY_FIRST) % kDayMenuActions], 0, nullptr);
}

// ---------------------------------------------------------------- commands

void CScheduleWnd::ToggleExclusionOfSelection() {
  std::optional<NOTE_PAD> note = SelectedNote();
  if (!note || !(note->flags & kNoteScheduled)) return;
  // A repeating note loses the chosen day; a one-time event its only occurrence.
  const int64_t dayNumber = note->repeatKind >= kRepeatDaily ? month_.firstDay + selectedDay_ - 1
                                                             : MachineLocalTime().FieldsOf(note->start).dayNumber;
  const CivilDate date = DateOfDay(dayNumber);
  if (ToggleExclusion(*note, date.year, date.month, date.day)) host_->Store().SaveNote(*note);
}

bool CScheduleWnd::OnCommand(UINT id, UINT, HWND control) {
  // A glyph button took the focus with its click; the keys belong to the calendar.
  if (control) ::SetFocus(*this);
  if (id >= ID_CAL_DAY_ENTRY_FIRST && id <= ID_CAL_DAY_ENTRY_LAST) {
    RunDayMenuCommand(id);
    return true;
  }
  const int64_t now = host_->Now();
  const std::optional<NOTE_PAD> note = SelectedNote();
  switch (id) {
    case ID_CAL_PREVIOUS:
      LoadMonth(ShiftMonth(month_, -1, now));
      return true;
    case ID_CAL_NEXT:
      LoadMonth(ShiftMonth(month_, 1, now));
      return true;
    case ID_CAL_TODAY: {
      const CalendarMonth current = MonthOf(now, now);
      if (current.year != month_.year || current.month != month_.month || current.today != month_.today)
        LoadMonth(current);
      Select(month_.today, 0);
      InvalidateGrid();
      return true;
    }
    case ID_CAL_SCROLL_UP:
      ScrollBy(-geometry_.PageSlots());
      return true;
    case ID_CAL_SCROLL_DOWN:
      ScrollBy(geometry_.PageSlots());
      return true;
    case ID_CAL_NEW_NOTE:
      if (selectedDay_) {
        const int64_t day = SelectedDayStart();
        RunModal([&](HWND owner) { host_->NewNoteOn(day, owner); });
      }
      return true;
    case ID_CAL_OPEN_PAD:
      if (selectedDay_) host_->OpenPadAt(SelectedDayStart(), note ? &*note : nullptr);
      return true;
    case ID_CAL_EXIT:
      DestroyWindow();
      return true;
    case ID_CAL_EXCLUDE:
      ToggleExclusionOfSelection();
      return true;
    default:
      break;
  }
  if (!note) return id == ID_CAL_OPEN || id == ID_CAL_LAUNCH_LINK || id == ID_CAL_DUPLICATE || id == ID_CAL_EDIT ||
                    id == ID_CAL_DELETE || id == ID_CAL_COPY || id == ID_CAL_SAVE_COPY_AS;
  switch (id) {
    case ID_CAL_OPEN:
      host_->OpenNote(*note);
      return true;
    case ID_CAL_LAUNCH_LINK:
      if (!note->link.empty()) host_->LaunchLink(*note);
      return true;
    case ID_CAL_DUPLICATE:
      host_->DuplicateNote(*note);
      return true;
    case ID_CAL_COPY:
      host_->CopyNote(*note);
      return true;
    case ID_CAL_EDIT:
      RunModal([&](HWND owner) { host_->EditNote(*note, owner); });
      return true;
    case ID_CAL_DELETE:
      RunModal([&](HWND owner) { host_->DeleteNote(*note, owner); });
      return true;
    case ID_CAL_SAVE_COPY_AS:
      RunModal([&](HWND owner) { host_->SaveCopyAs(*note, owner); });
      return true;
    default:
      return false;
  }
}

// ---------------------------------------------------------------- buttons and tips

void CScheduleWnd::CreateButtons() {
  // Previous and next month beside the title, "Today" after them; the picture shows through.
  const struct {
    int kind;
    UINT command;
    RECT rect;
  } buttons[] = {{kGlyphLeft, ID_CAL_PREVIOUS, {28, 14, 42, 28}},
                 {kGlyphRight, ID_CAL_NEXT, {210, 14, 224, 28}},
                 {kGlyphText, ID_CAL_TODAY, {237, 14, 247, 28}}};
  for (const auto& b : buttons) {
    auto button = std::make_unique<CCloseButton>(b.kind, b.kind == kGlyphText ? LoadResString(IDS_CAL_TODAY) : L"",
                                                 accent_, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    if (button->Create(*this, b.command, b.rect, WS_VISIBLE, WS_EX_TRANSPARENT)) buttons_.push_back(std::move(button));
  }
}

void CScheduleWnd::ShowTip(const CalendarEntry& entry, POINT client) {
  POINT screen{client.x, client.y + 19};
  ::ClientToScreen(*this, &screen);
  tip_.SetNoteSummary(entry.note);
  tip_.ShowAt(screen, *this);
}

void CScheduleWnd::HideTip() { tip_.Hide(); }

}  // namespace zavra
