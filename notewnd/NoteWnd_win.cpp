#include "notewnd/NoteWnd_win.h"

#include <commctrl.h>
#include <shlwapi.h>
#include <windowsx.h>

#include "app/Geometry.h"
#include "app/MainWnd_win.h"
#include "framework/Dpi.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "notewnd/LocaleText_win.h"
#include "notewnd/NoteIcons_win.h"
#include "notewnd/Snapping.h"
#include "resources/notezavra_res.h"
#include "skin/SkinLists_win.h"
#include "store/Links_win.h"
#include "store/StoreWin.h"

namespace zavra {

namespace {

RECT32 From(const RECT& r) { return RECT32{r.left, r.top, r.right, r.bottom}; }
RECT To(const RECT32& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

SYSTEMTIME LocalSystemTime(int64_t t) { return ToSystemTime(MachineLocalTime().FieldsOf(ClampTime(t))); }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (::GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back({From(info.rcMonitor), From(info.rcWork)});
  return TRUE;
}

}  // namespace

::COLORREF InactiveBorderColor(::COLORREF paper) {
  WORD hue = 0, luminance = 0, saturation = 0;
  ::ColorRGBToHLS(paper, &hue, &luminance, &saturation);
  return ::ColorHLSToRGB(hue, static_cast<WORD>(luminance * 84 / 100), static_cast<WORD>(saturation * 84 / 100));
}

std::vector<MonitorArea> SystemMonitors() {
  std::vector<MonitorArea> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

std::u16string LocaleOccurrenceFormat::DateText(int64_t time) const {
  const SYSTEMTIME st = LocalSystemTime(time);
  wchar_t buf[128] = {};
  ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, 128);
  return ToU16(buf);
}

std::u16string LocaleOccurrenceFormat::TimeText(int64_t time) const {
  const SYSTEMTIME st = LocalSystemTime(time);
  wchar_t buf[128] = {};
  ::GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, buf, 128);
  return ToU16(buf);
}

CNoteWnd::CNoteWnd(INoteWindowHost& host) : host_(host), clock_(SystemClockSeconds) {}

CNoteWnd::~CNoteWnd() {
  inDestructor_ = true;
  if (GetSafeHwnd()) {
    closingWithoutSaving_ = true;
    DestroyWindow();
  }
}

bool CNoteWnd::Create(const NOTE_PAD& note, int mode, int topmost) {
  const bool onTop = topmost < 0 ? host_.NoteSettings().noteOnTop : topmost != 0;
  const RECT paper = To(PlaceNew(note.rect));
  // Fonts and icons are made for the monitor the note will stand on.
  SetDpi(RectDpi(paper));
  LoadRecord(note);
  // The drop shadow is a class style, so shadowed notes have a class of their own.
  const bool shadow = host_.NoteSettings().noteShadow;
  if (!CBkgWnd::Create(paper, nullptr, onTop ? WS_EX_TOPMOST : 0, shadow ? L"QZNoteShadow" : L"QZNote",
                       CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | (shadow ? CS_DROPSHADOW : 0)))
    return false;
  ::SetWindowTextW(*this, kTitle);
  ApplyOpenMode(mode);
  EvaluateSchedule(false);
  Render();
  StartAnimations();
  ::ShowWindow(*this, mode == kOpenUser ? SW_SHOW : SW_SHOWNOACTIVATE);
  return true;
}

void CNoteWnd::ApplyOpenMode(int mode) {
  if (mode == kOpenAlarm || mode == 3) SetState(kStateAlarm, true);
  if (mode >= kOpenFeed) SetState(kStatePopup, true);
}

void CNoteWnd::LoadRecord(const NOTE_PAD& note) {
  StopScheduleTimer();
  note_ = note;
  ApplyCategory(host_.Store().LoadCategory(note_.category));
  header_.Clear();
  // A window standing elsewhere than the record says (placed, clamped, moved before the save)
  // writes its place when it closes.
  loadedPaper_ = To(note_.rect);
  if (GetSafeHwnd()) EvaluateSchedule(false);
}

void CNoteWnd::ApplyCategory(const NOTE_CATE& cate, bool withLook) {
  cateFlags_ = cate.flags;
  categoryName_ = cate.name;
  if (!withLook) return;
  ApplyCategoryDefaults(note_, cate, true);
  LoadFonts();
  ForgetLayout();
  SetColors(note_.paperColor, note_.textColor, InactiveBorderColor(note_.paperColor));
  LoadIcons();
  SetSkin(GetSkinByTitle(AsWide(note_.skin)));
}

void CNoteWnd::LoadFonts() {
  const bool clearType = host_.NoteSettings().clearType;
  headerFont_ = NoteFont(nullptr, clearType, dpi());
  textFont_ = NoteFont(&note_.font, clearType, dpi());
  headerLine_ = LineHeight(headerFont_.get());
  textLine_ = LineHeight(textFont_.get());
}

void CNoteWnd::LoadIcons() {
  linkIcon_ = LinkIcon(note_.link, host_.Store().DataFolder());
  noteIcon_ = StripIcon(host_.ProgramFolder(), note_.icon, IconSizeAt(dpi()));
}

bool CNoteWnd::topmost() const {
  return GetSafeHwnd() && (::GetWindowLongPtrW(*this, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

uint32_t CNoteWnd::exStyle() const {
  return GetSafeHwnd() ? static_cast<uint32_t>(::GetWindowLongPtrW(*this, GWL_EXSTYLE)) : 0;
}

// --- placement and snapping ---

RECT32 CNoteWnd::WorkAreaOf(const RECT32& rect) {
  std::vector<MonitorArea> monitors = host_.Monitors();
  if (monitors.empty()) monitors = SystemMonitors();
  if (monitors.empty()) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return From(work);
  }
  std::vector<RECT32> full, work;
  for (const MonitorArea& m : monitors) {
    full.push_back(m.monitor);
    work.push_back(m.work);
  }
  return WorkAreaFor(rect, full, work);
}

RECT32 CNoteWnd::PlaceNew(RECT32 rect) {
  // A damaged record's empty or absurd rectangle gets the default size.
  const Settings& s = host_.NoteSettings();
  if (Width(rect) < kMinPaperSize || Width(rect) > kMaxPaperSize) rect.right = rect.left + s.noteWidth;
  if (Height(rect) < kMinPaperSize || Height(rect) > kMaxPaperSize) rect.bottom = rect.top + s.noteHeight;
  // The monitor that holds the note, not the primary one: notes on a second display stay there.
  const RECT32 work = WorkAreaOf(rect);
  rect = ClampInto(rect, work);
  const std::vector<RECT32> others = host_.OtherNoteRects(this);
  const int32_t gap = ScaleToDpi(static_cast<int32_t>(std::min<uint32_t>(s.noteGap, kMaxNoteGap)), RectDpi(To(rect)));
  return PlaceClearOfNotes(rect, others, gap, work);
}

BYTE CNoteWnd::GetOpacity() {
  const uint32_t opacity = host_.NoteSettings().noteOpacity;
  return static_cast<BYTE>(opacity > 255 ? 255 : opacity);
}

HICON CNoteWnd::GetLayerIcon(int32_t kind) {
  if (kind == kLayerNoteIcon) return noteIcon_.get();
  if (kind == kLayerLinkIcon) return linkIcon_.get();
  return nullptr;
}

void CNoteWnd::AdjustRect(int zone, RECT& paper) {
  const Settings& s = host_.NoteSettings();
  if (!s.noteSnap || ::GetKeyState(VK_SHIFT) < 0) return;
  const std::vector<RECT32> others = host_.OtherNoteRects(this);
  const DpiScale px(dpi());
  const int32_t gap = px(static_cast<int32_t>(std::min<uint32_t>(s.noteGap, kMaxNoteGap)));
  paper = To(SnapRect(zone, From(paper), others, gap, px(kSnapReach)));
}

void CNoteWnd::SettingsChanged() {
  OnSizeChanged();
  Render();
}

void CNoteWnd::OnSizeChanged() { ForgetLayout(); }

void CNoteWnd::OnDpiChanged() {
  LoadFonts();
  LoadIcons();
  ForgetLayout();
}

// --- schedule ---

void CNoteWnd::SetScheduleTimer(const TimerRequest& request) {
  if (!request.run) {
    StopScheduleTimer();
    return;
  }
  scheduleInterval_ = request.milliseconds;
  ::SetTimer(*this, kScheduleTimer, request.milliseconds ? request.milliseconds : USER_TIMER_MINIMUM, nullptr);
}

void CNoteWnd::StopScheduleTimer() {
  if (GetSafeHwnd() && scheduleInterval_ >= 0) ::KillTimer(*this, kScheduleTimer);
  scheduleInterval_ = -1;
}

void CNoteWnd::EvaluateSchedule(bool forced) {
  SetScheduleTimer(header_.Evaluate(note_, clock_(), forced, format_));
}

void CNoteWnd::ScheduleTimerStep() {
  SetScheduleTimer(header_.OnTimer(note_, clock_(), format_));
  Render();
}

// --- notifications ---

void CNoteWnd::OnNoteNotify(WPARAM code, LPARAM lp) {
  if (destroying_) return;
  switch (code) {
    case kNotifyNoteChanged:
      if (const auto* saved = reinterpret_cast<const NOTE_PAD*>(lp); saved && saved->id == note_.id) {
        LoadRecord(*saved);
        Render();
        StartAnimations();
        ::RedrawWindow(*this, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      }
      break;
    case kNotifyNoteDeleted:
      closingWithoutSaving_ = true;
      DestroyWindow();
      break;
    case kNotifyCategoriesChanged:
      OnCategoriesChanged();
      break;
    case kNotifyDayChanged:
      header_.Recompute(clock_(), note_.paperColor);
      Render();
      break;
    case kNotifyAlarmFired:
      ShowAlarmTip();
      break;
    default:
      break;
  }
}

void CNoteWnd::OnCategoriesChanged() {
  constexpr uint32_t kOwnLook = kNoteOwnIcon | kNoteOwnPaperColor | kNoteOwnFont | kNoteOwnTextColor;
  const bool inheritsSomething = (note_.flags & kOwnLook) != kOwnLook;
  ApplyCategory(host_.Store().LoadCategory(note_.category), inheritsSomething);
  if (inheritsSomething) header_.Recompute(clock_(), note_.paperColor);
  Render();
}

// --- the alarm balloon ---

void CNoteWnd::DestroyAlarmTip() {
  if (tip_) ::DestroyWindow(tip_);
  tip_ = nullptr;
}

void CNoteWnd::ShowAlarmTip() {
  DestroyAlarmTip();
  const AlarmTipSettings settings = host_.AlarmTip();
  if (!settings.show) return;
  tipText_ = settings.text.empty() ? LoadResString(IDS_SCHEDULED_TIME) : settings.text;
  tip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_BALLOON | TTS_CLOSE | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, *this, nullptr, nullptr, nullptr);
  if (!tip_) return;
  const std::wstring title = LoadResString(IDS_NOTICE);
  ::SendMessageW(tip_, TTM_SETTITLEW, TTI_INFO, reinterpret_cast<LPARAM>(title.c_str()));
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_CENTERTIP;
  tool.hwnd = *this;
  tool.uId = 1;
  tool.lpszText = tipText_.data();
  ::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  RECT window{};
  ::GetWindowRect(*this, &window);
  LONG y = (window.top + window.bottom) / 2 + (header_.visible() ? headerLine_ / 2 : 0);
  if (y > window.bottom) y = window.bottom;
  ::SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM((window.left + window.right) / 2, y));
  ::SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

// --- closing ---

void CNoteWnd::SaveRecord(NOTE_PAD& record) { host_.Store().SaveNote(record); }

void CNoteWnd::SaveState() {
  // A note that was never stored (id 0) would be stored anew: nothing to keep.
  if (!GetSafeHwnd() || note_.id == 0) return;
  const RECT paper = PaperScreenRect();
  if (::EqualRect(&paper, &loadedPaper_)) return;
  note_.rect = From(paper);
  loadedPaper_ = paper;
  NOTE_PAD copy = note_;
  SaveRecord(copy);
}

void CNoteWnd::Close() {
  if (transient()) return;
  if (cateFlags_ & kCateTemporary) {
    const LifeCheck life(*this);
    if (host_.Store().DeleteNote(note_.id) && life.Survived()) {
      closingWithoutSaving_ = true;
      DestroyWindow();
    }
    return;
  }
  host_.AddToRecent(note_.id);
  DestroyWindow();
}

void CNoteWnd::Reopen(int minutes) {
  if (transient() || minutes <= 0) return;
  // The host may delete this window while it is destroyed: keep what is needed after.
  INoteWindowHost& host = host_;
  const uint32_t id = note_.id;
  host.AddToRecent(id);
  DestroyWindow();
  host.ReopenAfter(id, static_cast<int64_t>(minutes) * 60);
}

void CNoteWnd::PostNcDestroy() {
  if (!inDestructor_) host_.NoteWindowGone(this);
}

// --- mouse and keys ---

bool CNoteWnd::OnLinkBox(POINT client) const {
  if (!skin()) return false;
  for (size_t i = 0; i < skin()->size(); ++i) {
    if (skin()->layer(i).kind != kLayerLinkIcon) continue;
    const LAYERINFO& box = layerInfo(i);
    const int32_t size = layout().iconSize;
    if (client.x >= box.left && client.x <= box.left + size && client.y >= box.top && client.y <= box.top + size)
      return true;
  }
  return false;
}

bool CNoteWnd::PreTranslateKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  auto* note = dynamic_cast<CNoteWnd*>(CWnd::FromHandle(msg.hwnd));
  return note && note->OnKey(static_cast<UINT>(msg.wParam));
}

bool CNoteWnd::OnKey(UINT key) {
  switch (key) {
    case VK_SPACE:
      OnCommand(32777, 0, nullptr);
      return true;
    case VK_PRIOR:
    case VK_UP:
    case VK_NEXT:
    case VK_DOWN:
      ScrollByKey(key == VK_NEXT || key == VK_DOWN);
      return true;
    case VK_DELETE:
      if (!transient()) OnCommand(32778, 0, nullptr);
      return true;
    case 'C':
      if (::GetKeyState(VK_CONTROL) < 0) {
        OnCommand(57634, 0, nullptr);
        return true;
      }
      return false;
    default:
      return false;
  }
}

LRESULT CNoteWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
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
      ScheduleTimerStep();
      break;
    case WM_LBUTTONDBLCLK: {
      const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      // The host gets copies: its dialogs may outlive this window.
      const NOTE_PAD note = note_;
      if (transient() || (linkIcon_ && OnLinkBox(pt)))
        host_.LaunchLink(note);
      else
        host_.EditNote(note, *this);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      DestroyAlarmTip();
      break;
    case WM_MBUTTONDOWN:
      ::SendMessageW(*this, WM_CANCELMODE, 0, 0);
      return 0;
    case WM_MBUTTONUP:
      if (!transient()) Close();
      return 0;
    case WM_RBUTTONUP:
      if (!transient()) ShowContextMenu(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_MOUSEWHEEL:
      OnWheel(GET_WHEEL_DELTA_WPARAM(wp));
      return 0;
    case WM_KEYDOWN:
      if (OnKey(static_cast<UINT>(wp))) return 0;
      break;
    case WM_DESTROY: {
      destroying_ = true;
      StopScheduleTimer();
      DestroyAlarmTip();
      host_.NoteWindowClosed(this);
      if (!closingWithoutSaving_) SaveState();
      break;
    }
    default:
      break;
  }
  return CBkgWnd::WindowProc(msg, wp, lp);
}

}  // namespace zavra
