// The tracker window: loading a note, measuring, drawing the floating text, the countdown and
// alarm, the mouse and the context menu.
#include "notewnd/NoteWnd_win.h"  // first: see there
#include "notewnd/TrackWnd_win.h"

#include <windowsx.h>

#include <algorithm>

#include "app/MainWnd_win.h"
#include "app/MenuModel.h"
#include "framework/Text.h"
#include "notewnd/NoteIcons_win.h"
#include "notewnd/TrackerLayout.h"
#include "resources/notezavra_res.h"
#include "store/Category.h"
#include "store/Clipboard_win.h"
#include "store/NoteText.h"
#include "store/StoreWin.h"

namespace zavra {

namespace {

constexpr int kTrackerSubmenu = 1;  // of the note menu
// Two lines never hold more, and measuring long text is slow.
constexpr size_t kMaxShownChars = 512;
constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;

enum TrackerCommand : UINT {
  kCmdOpenNote = 32774,
  kCmdLaunchLink = 32775,
  kCmdDuplicate = 32776,
  kCmdEdit = 32777,
  kCmdDelete = 32778,
  kCmdClose = 32779,
  kCmdAlwaysOnTop = 32805,
  kCmdPadOnCategory = 32849,
  kCmdNewNoteHere = 32773,
  kCmdSaveCopyAs = 57611,
  kCmdCopy = 57634,
};

uint32_t ToPixel(::COLORREF c) { return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

// Height of one line of `font`, measured on a sample with ascenders and descenders.
int SampleHeight(HFONT font) {
  WindowDC screen(nullptr);
  SelectObjectScope select(screen.get(), font);
  RECT r{0, 0, 1000, 0};
  ::DrawTextW(screen.get(), L"Odqp|", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return r.bottom > r.top ? r.bottom - r.top : 16;
}

std::wstring MenuText(HMENU menu, UINT id) {
  wchar_t buf[256] = {};
  ::GetMenuStringW(menu, id, buf, 256, MF_BYCOMMAND);
  return buf;
}

}  // namespace

RECT32 TrackAreaOnScreen(const RECT32& stored, std::vector<MonitorArea> monitors) {
  if (monitors.empty()) monitors = SystemMonitors();
  RECT primary{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
  std::vector<RECT32> full, work;
  for (const MonitorArea& m : monitors) {
    full.push_back(m.monitor);
    work.push_back(m.work);
  }
  return TrackArea(stored, FromWinRect(primary), full, work);
}

CTrackWnd::CTrackWnd(INoteWindowHost& host, ITrackerHost& trackers)
    : host_(host), trackers_(trackers), clock_(SystemClockSeconds) {}

CTrackWnd::~CTrackWnd() {
  inDestructor_ = true;
  if (GetSafeHwnd()) DestroyWindow();
}

bool CTrackWnd::animate() const { return host_.NoteSettings().alarmAnimation; }

bool CTrackWnd::topmost() const {
  return GetSafeHwnd() && (::GetWindowLongPtrW(*this, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// --- loading and measuring ---

void CTrackWnd::Load(const NOTE_PAD& note, bool alarm) {
  StopScheduleTimer();
  note_ = note;
  const NOTE_CATE cate = host_.Store().LoadCategory(note_.category);
  categoryName_ = cate.name;
  ApplyCategoryDefaults(note_, cate, true);
  LoadFonts();
  firstLine_ = FirstLine(note_.text);
  if (firstLine_.size() > kMaxShownChars) firstLine_.resize(kMaxShownChars);
  noteIcon_ = StripIcon(host_.ProgramFolder(), note_.icon);
  alarm_ = alarm;
  schedule_.Clear();
  shake_ = 0;
  EvaluateSchedule(false);
  Measure();
}

void CTrackWnd::LoadFonts() {
  const bool clearType = host_.NoteSettings().clearType;
  headerFont_ = NoteFont(nullptr, clearType);
  textFont_ = NoteFont(&note_.font, clearType);
  headerLine_ = SampleHeight(headerFont_.get());
  textLine_ = SampleHeight(textFont_.get());
}

void CTrackWnd::Measure() {
  const RECT32 area = TrackAreaOnScreen(host_.NoteSettings().trackRect, host_.Monitors());
  const int32_t width = area.right - area.left;
  RECT text{0, 0, TrackerTextWidth(width), 0};
  {
    WindowDC screen(nullptr);
    SelectObjectScope select(screen.get(), textFont_.get());
    const std::wstring line = ToWide(firstLine_);
    ::DrawTextW(screen.get(), line.c_str(), static_cast<int>(line.size()), &text, DT_CALCRECT | kTextFormat);
  }
  const int measured = std::max<int>(0, text.bottom - text.top);
  textHeight_ = std::min(measured, 2 * textLine_);
  const int32_t oldHeight = rect_.bottom - rect_.top;
  const int32_t height = TrackerHeight(measured, textLine_, headerLine_, schedule_.occurrence() != 0);
  rect_.right = rect_.left + width;
  rect_.bottom = rect_.top + height;
  // A taller or shorter tracker, or one that moves in the order, needs the stack laid out again.
  if (GetSafeHwnd() && (height != oldHeight || schedule_.occurrence() != laidOutOccurrence_))
    trackers_.PostTrackerLayout();
  laidOutOccurrence_ = schedule_.occurrence();
}

void CTrackWnd::MoveTo(int32_t x, int32_t y) {
  if (x == rect_.left && y == rect_.top) return;
  rect_ = {x, y, x + (rect_.right - rect_.left), y + (rect_.bottom - rect_.top)};
  if (GetSafeHwnd())
    ::SetWindowPos(*this, nullptr, x + shake_, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTrackWnd::Refresh() {
  Measure();
  Render();
}

bool CTrackWnd::Create() {
  if (!RegisterWindowClass(kClassName, CS_DBLCLKS)) return false;
  const bool onTop = host_.NoteSettings().trackOnTop || (alarm_ && !trackers_.HoldingPopups());
  if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_LAYERED | (onTop ? WS_EX_TOPMOST : 0), kClassName, L"", WS_POPUP,
                ToWinRect(rect_)))
    return false;
  *alive_ = true;
  EvaluateSchedule(false);
  Render();
  ApplyZOrder();
  ::ShowWindow(*this, SW_SHOWNOACTIVATE);
  return true;
}

void CTrackWnd::ApplyZOrder() {
  if (!GetSafeHwnd()) return;
  const bool onTop = host_.NoteSettings().trackOnTop || (alarm_ && !trackers_.HoldingPopups());
  ::SetWindowPos(*this, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CTrackWnd::SetAlarm(bool on) {
  if (alarm_ == on) return;
  alarm_ = on;
  shake_ = 0;
  // Switched off, the occurrence that rang counts as passed, or it would ring again at once.
  EvaluateSchedule(!on);
  Measure();
  Render();
  ApplyZOrder();
  trackers_.TrackersChanged();
}

// --- schedule ---

void CTrackWnd::SetScheduleTimer(const TimerRequest& request) {
  if (!request.run || !GetSafeHwnd()) {
    StopScheduleTimer();
    return;
  }
  scheduleInterval_ = request.milliseconds;
  ::SetTimer(*this, kScheduleTimer, request.milliseconds ? request.milliseconds : USER_TIMER_MINIMUM, nullptr);
}

void CTrackWnd::StopScheduleTimer() {
  if (GetSafeHwnd() && scheduleInterval_ >= 0) ::KillTimer(*this, kScheduleTimer);
  scheduleInterval_ = -1;
}

void CTrackWnd::EvaluateSchedule(bool forced) {
  const LocaleOccurrenceFormat format;
  SetScheduleTimer(schedule_.Evaluate(note_, clock_(), alarm_, animate(), forced, format));
}

void CTrackWnd::ScheduleTimerStep() {
  const LocaleOccurrenceFormat format;
  const int64_t before = schedule_.occurrence();
  const TrackerSchedule::Step step = schedule_.OnTimer(note_, clock_(), animate(), format);
  if (step.alarmDue) {
    SetAlarm(true);
    return;
  }
  SetScheduleTimer(step.timer);
  if (schedule_.alarmState()) {
    // Shaking only moves the window; the picture stays.
    shake_ = step.shake;
    ::SetWindowPos(*this, nullptr, rect_.left + shake_, rect_.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  if (schedule_.occurrence() != before) Measure();
  Render();
}

// --- drawing ---

bool CTrackWnd::Paint() {
  const int width = rect_.right - rect_.left, height = rect_.bottom - rect_.top;
  if (width <= 0 || height <= 0 || !canvas_.Resize(width, height)) return false;
  const uint32_t paper = ToPixel(TrackerColor(note_.paperColor));
  uint32_t* pixels = canvas_.pixels();
  const size_t count = static_cast<size_t>(width) * height;
  std::fill_n(pixels, count, paper);
  {
    HDC dc = canvas_.dc();
    ::SetBkMode(dc, TRANSPARENT);
    const int textWidth = TrackerTextWidth(width);
    int y = kTrackerTextTop;
    const ScheduleHeader& header = schedule_.header();
    if (header.shown()) {
      SelectObjectScope select(dc, headerFont_.get());
      ::SetTextColor(dc, TrackerColor(header.color()));
      RECT band{kTrackerTextLeft, y, kTrackerTextLeft + textWidth, y + headerLine_};
      const std::wstring text = ToWide(header.text());
      ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &band, kTextFormat);
      y += headerLine_;
    }
    SelectObjectScope select(dc, textFont_.get());
    ::SetTextColor(dc, TrackerColor(note_.textColor));
    RECT band{kTrackerTextLeft, y, kTrackerTextLeft + textWidth, y + textHeight_};
    const std::wstring text = ToWide(firstLine_);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &band, kTextFormat);
    ::GdiFlush();
  }
  OutlineInk({pixels, count}, width, height, paper, kTrackerKey);
  if (noteIcon_) {
    ::DrawIconEx(canvas_.dc(), 0, (height - kIconStripCell) / 2, noteIcon_.get(), kIconStripCell, kIconStripCell, 0,
                 nullptr, DI_NORMAL);
    ::GdiFlush();
  }
  // The key shows the desktop (and lets clicks through); everything else is opaque.
  for (size_t i = 0; i < count; ++i)
    pixels[i] = (pixels[i] & 0xFFFFFF) == kTrackerKey ? 0 : pixels[i] | 0xFF000000u;
  return true;
}

void CTrackWnd::Render() {
  if (!GetSafeHwnd() || !Paint()) return;
  POINT origin{rect_.left + shake_, rect_.top};
  SIZE size{canvas_.width(), canvas_.height()};
  POINT source{0, 0};
  const uint32_t opacity = host_.NoteSettings().noteOpacity;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::min<uint32_t>(opacity, 255)), AC_SRC_ALPHA};
  WindowDC screen(nullptr);
  ::UpdateLayeredWindow(*this, screen.get(), &origin, &size, canvas_.dc(), &source, 0, &blend, ULW_ALPHA);
}

// --- notifications ---

void CTrackWnd::OnNoteNotify(WPARAM code, LPARAM lp) {
  if (closing_) return;
  switch (code) {
    case kNotifyNoteChanged:
      if (const auto* saved = reinterpret_cast<const NOTE_PAD*>(lp); saved && saved->id == note_.id) {
        const bool wasOn = alarm_;
        Load(*saved, false);
        Render();
        ApplyZOrder();
        if (wasOn) trackers_.TrackersChanged();
      }
      break;
    case kNotifyNoteDeleted:
      DestroyWindow();
      break;
    case kNotifyCategoriesChanged: {
      // The record already holds the old category's look; the new one overwrites what the
      // note does not set itself.
      const NOTE_PAD record = note_;
      Load(record, alarm_);
      Render();
      break;
    }
    case kNotifyDayChanged:
      schedule_.Recompute(clock_(), note_.paperColor);
      Render();
      break;
    case kNotifyAlarmFired:
      SetAlarm(true);
      break;
    default:
      break;
  }
}

// --- menu and commands ---

void CTrackWnd::ShowContextMenu(POINT screen) {
  MenuHandle root(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kNoteMenu)));
  HMENU menu = root ? ::GetSubMenu(root.get(), kTrackerSubmenu) : nullptr;
  if (!menu) return;
  ::EnableMenuItem(menu, kCmdLaunchLink, MF_BYCOMMAND | (note_.link.empty() ? MF_GRAYED : MF_ENABLED));
  ::SetMenuDefaultItem(menu, kCmdEdit, FALSE);
  ::EnableMenuItem(menu, kCmdOpenCalendar, MF_BYCOMMAND | ((note_.flags & kNoteOnCalendar) ? MF_ENABLED : MF_GRAYED));
  const UINT cosmetics = (note_.flags & kNoteOwnCosmetics) ? MF_ENABLED : MF_GRAYED;
  ::EnableMenuItem(menu, kCmdLoadDefault, MF_BYCOMMAND | cosmetics);
  ::EnableMenuItem(menu, kCmdSaveAsDefault, MF_BYCOMMAND | cosmetics);
  ::CheckMenuItem(menu, kCmdAlwaysOnTop,
                  MF_BYCOMMAND | (host_.NoteSettings().trackOnTop ? MF_CHECKED : MF_UNCHECKED));
  const std::wstring suffix = L" (" + ToWide(categoryName_) + L")";
  const std::wstring pad = MenuText(menu, kCmdOpenPad) + suffix;
  ::InsertMenuW(menu, kCmdOpenCalendar, MF_BYCOMMAND | MF_STRING, kCmdPadOnCategory, pad.c_str());
  const std::wstring newNote = MenuText(menu, kCmdNewNoteHere) + suffix;
  ::ModifyMenuW(menu, kCmdNewNoteHere, MF_BYCOMMAND | MF_STRING, kCmdNewNoteHere, newNote.c_str());
  if (screen.x == -1 && screen.y == -1) screen = {rect_.left, rect_.top};  // from the keyboard

  const HWND self = *this;
  const std::shared_ptr<bool> alive = alive_;
  ::SetForegroundWindow(self);
  trackedMenu_ = menu;
  const UINT command = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, self, nullptr);
  ::PostMessageW(self, WM_NULL, 0, 0);
  // The note may have been deleted elsewhere while the menu was up.
  if (!*alive) return;
  trackedMenu_ = nullptr;
  if (command) OnCommand(command, 0, nullptr);
}

bool CTrackWnd::OnCommand(UINT id, UINT, HWND) {
  // Dialogs and store calls below may end this tracker (its note deleted or changed): they get
  // copies, and nothing of the tracker is touched after them.
  const NOTE_PAD note = note_;
  const HWND self = GetSafeHwnd();
  INoteWindowHost& host = host_;
  switch (id) {
    case kCmdOpenNote:
      trackers_.OpenNote(note);
      return true;
    case kCmdLaunchLink:
      host.LaunchLink(note);
      return true;
    case kCmdCopy:
      host.CopyNote(note, kCopyText | kCopyNoteId);
      return true;
    case kCmdEdit:
      host.EditNote(note, self);
      return true;
    case kCmdDuplicate:
      host.DuplicateNote(note);
      return true;
    case kCmdSaveCopyAs:
      host.SaveCopyAs(note, self);
      return true;
    case kCmdDelete:
      // The deletion closes this tracker through the note notification.
      host.DeleteNote(note, self);
      return true;
    case kCmdOpenPad:
      host.OpenPad(-1);
      return true;
    case kCmdPadOnCategory:
      host.OpenPad(note.category);
      return true;
    case kCmdOpenCalendar:
      host.OpenCalendarAt(schedule_.occurrence());
      return true;
    case kCmdNewNoteHere:
      host.NewNoteIn(note.category);
      return true;
    case kCmdPaperColor:
    case kCmdTextColor:
    case kCmdTextFont:
    case kCmdSaveAsDefault:
    case kCmdLoadDefault:
      host.CosmeticsCommand(id, note, self);
      return true;
    case kCmdAlwaysOnTop:
      trackers_.ToggleTrackersOnTop();
      return true;
    case kCmdClose:
      DestroyWindow();
      return true;
    default:
      return false;
  }
}

// --- messages ---

LRESULT CTrackWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NOTE_NOTIFY:
      OnNoteNotify(wp, lp);
      return 0;
    case WM_TIMER:
      if (wp == kScheduleTimer) {
        ScheduleTimerStep();
        return 0;
      }
      break;
    case WM_TIMECHANGE:
      EvaluateSchedule(false);
      Measure();
      Render();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SetAlarm(false);
      return 0;
    case WM_MBUTTONUP:
      DestroyWindow();
      return 0;
    case WM_LBUTTONDBLCLK: {
      const NOTE_PAD note = note_;
      host_.EditNote(note, *this);
      return 0;
    }
    case WM_CONTEXTMENU:
      ShowContextMenu(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_PAINT:
      // Layered: the system keeps the image; there is nothing to paint.
      ::ValidateRect(*this, nullptr);
      return 0;
    case WM_DESTROY:
      *alive_ = false;
      closing_ = true;
      StopScheduleTimer();
      if (!inDestructor_) trackers_.PostTrackerClosed(this);
      break;
    default:
      break;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

}  // namespace zavra
