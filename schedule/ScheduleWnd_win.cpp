// The calendar window's life: creation, the month and its layout, settings, fonts, the note
// notifications and the state kept across runs. Drawing and input live beside this file.
#include "schedule/ScheduleWnd_win.h"

#include <windowsx.h>

#include <algorithm>
#include <ctime>

#include "app/Geometry.h"
#include "app/MainWnd_win.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "notewnd/LocaleText_win.h"
#include "resources/calendar_res.h"
#include "schedule/Recurrence.h"
#include "schedule/WeekStart_win.h"
#include "store/StoreWin.h"

namespace zavra {

namespace {

// Below this client size the header and the cells no longer fit.
constexpr SIZE kMinimumClient{300, 230};

RECT32 WorkArea() {
  RECT r{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return FromWinRect(r);
}

POINT PointOf(LPARAM lp) { return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

std::wstring MonthTitle(const CalendarMonth& month, const CalendarNames& names) {
  LocalFields first;
  first.year = month.year;
  first.month = month.month;
  first.day = 1;
  first.weekday = month.firstWeekday;
  if (month.year >= 1601) {
    const std::u16string title = LocaleDate(first, DATE_YEARMONTH);
    if (!title.empty()) return ToWide(title);
  }
  // Before the years the system formats: the month's name and the year.
  return ToWide(names.monthNames[static_cast<size_t>(month.month - 1)]) + L" " + std::to_wstring(month.year);
}

}  // namespace

CScheduleWnd::CScheduleWnd(std::unique_ptr<ICalendarHost> host)
    : host_(std::move(host)), random_(static_cast<uint32_t>(::GetTickCount() ^ std::time(nullptr))) {}

CScheduleWnd::~CScheduleWnd() = default;

void CScheduleWnd::Release() {
  if (modalDepth_ > 0) {
    releaseRequested_ = true;
    return;
  }
  delete this;
}

bool CScheduleWnd::Create() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  auto* icon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_CALENDAR), IMAGE_ICON, 0, 0,
                                               LR_DEFAULTSIZE | LR_SHARED));
  if (!RegisterWindowClass(kClassName, CS_DBLCLKS, nullptr, nullptr, icon)) return false;
  LoadSettings();
  // Back inside the work area, and no smaller than the window can be.
  RECT32 r = settings_.rect;
  RECT frame{0, 0, kMinimumClient.cx, kMinimumClient.cy};
  ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  r.right = std::max(r.right, r.left + static_cast<int32_t>(frame.right - frame.left));
  r.bottom = std::max(r.bottom, r.top + static_cast<int32_t>(frame.bottom - frame.top));
  RECT wanted = ToWinRect(r);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  const RECT32 work = ::GetMonitorInfoW(::MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)
                          ? FromWinRect(monitor.rcWork)
                          : WorkArea();
  r = ClampInto(r, work);
  return CreateEx(0, kClassName, L"", WS_OVERLAPPEDWINDOW, ToWinRect(r));
}

void CScheduleWnd::LoadSettings() {
  const auto key = host_->SettingsKey();
  settings_ = LoadCalendarSettings(key.get(), WorkArea());
  LoadCalendarPicture(settings_, random_, picture_);
  accent_ = CalendarAccentColor();
  backgroundDirty_ = true;
}

void CScheduleWnd::SaveState() {
  if (lastRect_.right <= lastRect_.left || lastRect_.bottom <= lastRect_.top) return;
  const auto key = host_->SettingsKey();
  WriteCalendarRect(key.get(), FromWinRect(lastRect_));
}

void CScheduleWnd::LoadFonts() {
  ::LOGFONTW lf{};
  ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0);
  if (host_->AppSettings().clearType) lf.lfQuality = CLEARTYPE_QUALITY;
  font_.reset(::CreateFontIndirectW(&lf));
  WindowDC screen(nullptr);
  ::LOGFONTW title = lf;
  title.lfWeight = FW_BOLD;
  title.lfHeight = -::MulDiv(13, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
  titleFont_.reset(::CreateFontIndirectW(&title));
  SelectObjectScope select(screen.get(), font_.get());
  TEXTMETRICW tm{};
  ::GetTextMetricsW(screen.get(), &tm);
  entryHeight_ = std::max<int>(1, tm.tmHeight) + 4;
}

void CScheduleWnd::LoadCategories() { categories_ = host_->Store().LoadCategoryList(); }

// ---------------------------------------------------------------- month and layout

void CScheduleWnd::LoadMonth(const CalendarMonth& month) {
  month_ = month;
  monthLoaded_ = true;
  leading_ = LeadingCells(month_, firstDayOfWeek_);
  selectedDay_ = selectedSlot_ = 0;
  selectedId_ = 0;
  scroll_ = 0;
  UpdateCaption();
  ReadNotes();
  Relayout();
  InvalidateAll();
}

void CScheduleWnd::UpdateCaption() {
  title_ = MonthTitle(month_, host_->Names());
  const std::u16string caption =
      FormatText(ToU16(LoadResString(IDS_CAL_CAPTION)), {ToU16(title_), ToU16(LoadResString(IDS_CAL_NAME))});
  if (GetSafeHwnd()) ::SetWindowTextW(*this, ToWide(caption).c_str());
}

void CScheduleWnd::ReadNotes() {
  notes_.clear();
  NoteFilter filter;
  filter.requiredFlags = kNoteOnCalendar;
  host_->Store().ScanNotes(filter, [&](const NOTE_PAD& note) {
    if (OverlapsRange(note, month_.start, month_.end)) notes_.push_back(note);
  });
}

void CScheduleWnd::Relayout() {
  layout_.Build(notes_, month_, categories_);
  scroll_ = ClampScroll(scroll_, layout_);
  // The same note stays selected on the same day when it is still there.
  selectedSlot_ = selectedId_ ? layout_.SlotOf(selectedDay_, selectedId_) : 0;
  if (!selectedSlot_) selectedId_ = 0;
}

void CScheduleWnd::Select(int day, int slot) {
  selectedDay_ = day;
  selectedSlot_ = day ? slot : 0;
  const SlotCell& cell = layout_.Cell(day, selectedSlot_);
  selectedId_ = cell.entry >= 0 ? layout_.entries()[static_cast<size_t>(cell.entry)].note.id : 0;
  if (!selectedId_) selectedSlot_ = 0;
}

void CScheduleWnd::SelectNoteOn(int day, uint32_t noteId) { Select(day, layout_.SlotOf(day, noteId)); }

const CalendarEntry* CScheduleWnd::SelectedEntry() const {
  if (!selectedSlot_) return nullptr;
  const SlotCell& cell = layout_.Cell(selectedDay_, selectedSlot_);
  return cell.entry >= 0 ? &layout_.entries()[static_cast<size_t>(cell.entry)] : nullptr;
}

std::optional<NOTE_PAD> CScheduleWnd::SelectedNote() const {
  const CalendarEntry* entry = SelectedEntry();
  if (!entry) return std::nullopt;
  return entry->note;
}

uint32_t CScheduleWnd::selectedNoteId() const { return SelectedEntry() ? selectedId_ : 0; }

bool CScheduleWnd::selectedExcluded() const { return SelectedEntry() && layout_.Cell(selectedDay_, selectedSlot_).excluded; }

int64_t CScheduleWnd::SelectedDayStart() const {
  return MachineLocalTime().DayStart(month_.firstDay + selectedDay_ - 1);
}

void CScheduleWnd::ScrollBy(int slots) {
  const int scroll = ClampScroll(scroll_ + slots, layout_);
  if (scroll == scroll_) return;
  scroll_ = scroll;
  InvalidateGrid();
}

void CScheduleWnd::MoveSelection(int step) {
  Select(MoveDay(selectedDay_, step, month_.days), 0);
  InvalidateGrid();
}

void CScheduleWnd::ShowInCalendar(const NOTE_PAD* note, int64_t time) {
  const int64_t now = host_->Now();
  int64_t at = time ? time : now;
  uint32_t shownId = 0;
  NOTE_PAD stored;
  if (note && note->id && host_->Store().LoadNote(note->id, stored) == kFileOk && (stored.flags & kNoteOnCalendar)) {
    shownId = stored.id;
    if (!(stored.flags & kNoteScheduled)) {
      at = stored.created;
    } else if (int64_t occurrence = 0; OccurrenceFrom(stored, at, &occurrence)) {
      at = occurrence;
    }
  }
  const CalendarMonth month = MonthOf(at, now);
  if (!monthLoaded_ || month.year != month_.year || month.month != month_.month || month.today != month_.today)
    LoadMonth(month);
  if (note || time) {
    SelectNoteOn(month_.DayOf(MachineLocalTime().FieldsOf(at).dayNumber), shownId);
    InvalidateGrid();
  }
}

// ---------------------------------------------------------------- notifications

void CScheduleWnd::OnNoteNotify(WPARAM code, LPARAM lp) {
  switch (code) {
    case kNotifyNoteChanged: {
      const auto* saved = reinterpret_cast<const NOTE_PAD*>(lp);
      if (!saved) return;
      std::erase_if(notes_, [&](const NOTE_PAD& n) { return n.id == saved->id; });
      if ((saved->flags & kNoteOnCalendar) && OverlapsRange(*saved, month_.start, month_.end)) notes_.push_back(*saved);
      break;
    }
    case kNotifyNoteDeleted:
      std::erase_if(notes_, [&](const NOTE_PAD& n) { return n.id == static_cast<uint32_t>(lp); });
      break;
    case kNotifyCategoriesChanged:
      LoadCategories();
      break;
    case kNotifySettingsChanged:
      LoadSettings();
      LoadFonts();
      OnSize(geometry_.width, geometry_.height);
      Relayout();
      InvalidateAll();
      return;
    default:
      return;
  }
  Relayout();
  InvalidateGrid();
}

// ---------------------------------------------------------------- window

void CScheduleWnd::OnSize(int width, int height) {
  geometry_ = CalendarGeometry(width, height, entryHeight_);
  backgroundDirty_ = true;
  InvalidateAll();
}

void CScheduleWnd::PostNcDestroy() { host_->CalendarGone(); }

LRESULT CScheduleWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      firstDayOfWeek_ = UserFirstDayOfWeek();
      accelerators_ = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CALENDAR));
      icons_.reset(::ImageList_LoadImageW(nullptr, host_->IconStripPath().c_str(), 16, 10, CLR_DEFAULT, IMAGE_BITMAP,
                                          LR_LOADFROMFILE | LR_CREATEDIBSECTION));
      iconCount_ = icons_ ? ::ImageList_GetImageCount(icons_.get()) : 0;
      LoadFonts();
      LoadCategories();
      CreateButtons();
      RECT client{};
      ::GetClientRect(*this, &client);
      OnSize(client.right, client.bottom);
      LoadMonth(MonthOf(host_->Now(), host_->Now()));
      return 0;
    }
    case WM_SIZE:
      HideTip();
      OnSize(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_WINDOWPOSCHANGED:
      if (!::IsIconic(*this)) ::GetWindowRect(*this, &lastRect_);
      break;
    case WM_GETMINMAXINFO: {
      RECT frame{0, 0, kMinimumClient.cx, kMinimumClient.cy};
      ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      info->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_DRAWITEM:
      if (CCloseButton::ReflectDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_PAINT:
      PaintWindow();
      return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_DWMCOLORIZATIONCOLORCHANGED:
      // The accent, the wallpaper or the system colours may have changed.
      accent_ = CalendarAccentColor();
      for (const auto& button : buttons_) button->SetColors(accent_, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
      if (msg == WM_SETTINGCHANGE && wp == SPI_SETDESKWALLPAPER && settings_.mode == CalendarPictureMode::kWallpaper)
        LoadCalendarPicture(settings_, random_, picture_);
      backgroundDirty_ = true;
      InvalidateAll();
      break;
    case WM_NOTE_NOTIFY:
      OnNoteNotify(wp, lp);
      return 0;
    case WM_DESTROY:
      HideTip();
      SaveState();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      OnButtonDown(PointOf(lp));
      return 0;
    case WM_LBUTTONDBLCLK:
      OnDoubleClick(PointOf(lp));
      return 0;
    case WM_RBUTTONUP:
      HideTip();
      ShowContextMenu(PointOf(lp));
      return 0;
    case WM_CONTEXTMENU:
      // From the keyboard only; the mouse's menu comes with the button's release.
      if (GET_X_LPARAM(lp) == -1 && GET_Y_LPARAM(lp) == -1 && selectedDay_) ShowDayMenu(DayCellOrigin(selectedDay_));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(PointOf(lp));
      return 0;
    case WM_MOUSEHOVER:
      OnHover(PointOf(lp));
      return 0;
    case WM_MOUSEWHEEL:
      OnWheel(GET_WHEEL_DELTA_WPARAM(wp));
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (OnKeyDown(static_cast<UINT>(wp), msg == WM_SYSKEYDOWN, lp)) return 0;
      break;
    default:
      break;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

}  // namespace zavra
