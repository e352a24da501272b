#include "pad/PadFrame_win.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "app/Geometry.h"
#include "app/MainWnd_win.h"
#include "framework/Dpi.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "notewnd/NoteIcons_win.h"
#include "notewnd/NoteWnd_win.h"
#include "pad/PadText.h"
#include "resources/pad_res.h"
#include "schedule/WeekStart_win.h"
#include "skin/IconStrip_win.h"
#include "store/StoreWin.h"

namespace zavra {

namespace {

const wchar_t kPadClass[] = L"QZPad";
constexpr UINT kListId = 0xE900;
constexpr UINT kRebarId = 0xE81B;
constexpr UINT kToolbarId = 0xE800;
constexpr char16_t kPadRectValue[] = u"PadRect";

struct ToolButton {
  int image;  // -1: a separator
  UINT command;
  UINT tip;
};
constexpr ToolButton kToolButtons[] = {
    {0, ID_PAD_PREVIOUS_TERM, IDS_PAD_TIP_PREVIOUS},
    {1, ID_PAD_NEXT_TERM, IDS_PAD_TIP_NEXT},
    {-1, 0, 0},
    {2, ID_PAD_DAY_VIEW, IDS_PAD_TIP_DAY},
    {3, ID_PAD_WEEK_VIEW, IDS_PAD_TIP_WEEK},
    {4, ID_PAD_MONTH_VIEW, IDS_PAD_TIP_MONTH},
    {5, ID_PAD_VIEW_ALL, IDS_PAD_TIP_ALL},
    {-1, 0, 0},
    {6, ID_PAD_TODAY, IDS_PAD_TIP_TODAY},
};

bool IsViewCommand(UINT id) { return id >= ID_PAD_DAY_VIEW && id <= ID_PAD_VIEW_ALL; }

PadCaptionTexts LoadCaptionTexts() {
  PadCaptionTexts t;
  const auto take = [](std::u16string& target, UINT id) {
    const std::wstring s = LoadResString(id);
    if (!s.empty()) target = ToU16(s);
  };
  take(t.caption, IDS_PAD_CAPTION);
  take(t.title, IDS_PAD_TITLE);
  take(t.all, IDS_PAD_ALL);
  take(t.week, IDS_PAD_WEEK);
  take(t.oneNote, IDS_PAD_ONE_NOTE);
  take(t.notes, IDS_PAD_NOTES);
  return t;
}

// Height of "Odqp|" in the list's font: ascenders and descenders of the texts it shows.
int MeasureTextHeight(HWND hwnd, HFONT font) {
  WindowDC dc(hwnd);
  SelectObjectScope select(dc.get(), font);
  SIZE size{};
  if (!::GetTextExtentPoint32W(dc.get(), L"Odqp|", 5, &size) || size.cy <= 0) return 13;
  return size.cy;
}

}  // namespace

// ---------------------------------------------------------------- the notes

void MainPadSource::ForEachNote(const NoteFilter& hint, const std::function<void(const NoteSummary&)>& onNote) {
  main_.store().ScanNoteSummaries([&](const NoteSummary& s) {
    if (NotePassesFilter(s.fixed, hint)) onNote(s);
  });
}

std::optional<NOTE_PAD> MainPadSource::LoadNote(uint32_t id) {
  NOTE_PAD note;
  if (main_.store().LoadNote(id, note) != kFileOk) return std::nullopt;
  return note;
}

std::vector<REOPEN_ITEM> MainPadSource::Reopens() { return main_.savedState().reopens; }

// ---------------------------------------------------------------- life cycle

CPadFrame::CPadFrame(CMainWnd& main)
    : main_(main), source_(main), texts_(LoadCaptionTexts()), model_(UserFirstDayOfWeek()), view_(*this), bar_(*this) {}

CPadFrame::~CPadFrame() {
  *alive_ = false;
  // While the object is whole: its WM_DESTROY keeps "PadRect".
  if (GetSafeHwnd()) DestroyWindow();
}

RECT32 CPadFrame::WorkAreaFor(const RECT32& r) const {
  std::vector<RECT32> monitors, work;
  for (const MonitorArea& m : SystemMonitors()) {
    monitors.push_back(m.monitor);
    work.push_back(m.work);
  }
  if (monitors.empty()) {
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return FromWinRect(area);
  }
  return zavra::WorkAreaFor(r, monitors, work);
}

bool CPadFrame::Create(int64_t time, const NOTE_PAD* note, int categoryArgument) {
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  if (!RegisterWindowClass(kPadClass, CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                           ::LoadIconW(inst, MAKEINTRESOURCEW(IDR_PAD))))
    return false;
  RECT primary{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
  std::optional<std::vector<uint8_t>> saved;
  if (auto key = main_.environment().registry->OpenSettingsKey()) saved = key->GetBinary(kPadRectValue, 16);
  RECT32 place = PadRectFromBytes(saved, FromWinRect(primary), SystemDpi());
  place = ClampInto(place, WorkAreaFor(place));
  HMENU menu = ::LoadMenuW(inst, MAKEINTRESOURCEW(IDR_PAD));
  if (!CreateEx(0, kPadClass, ToWide(texts_.title).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, ToWinRect(place),
                nullptr, menu)) {
    if (menu) ::DestroyMenu(menu);
    return false;
  }
  ShowInPad(time, note, categoryArgument);
  ::ShowWindow(*this, SW_SHOW);
  ::SetForegroundWindow(*this);
  FocusList();
  return true;
}

int CPadFrame::OnCreate() {
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  accelerators_ = ::LoadAcceleratorsW(inst, MAKEINTRESOURCEW(IDR_PAD));
  dpi_ = WindowDpi(*this);
  CreateBars();
  if (!view_.Create(*this, kListId)) return -1;
  LoadLook();
  LoadCategories();
  Layout();
  return 0;
}

void CPadFrame::LoadLook() {
  font_ = NoteFont(nullptr, main_.settings().clearType, dpi_);
  textHeight_ = MeasureTextHeight(*this, font_.get());
  icons_ = LoadIconStrip(main_.environment().folders.iconStrip, IconSizeAt(dpi_));
  ImageListHandle tools = LoadResourceStrip(::GetModuleHandleW(nullptr), IDR_PAD, RGB(255, 0, 255), IconSizeAt(dpi_));
  ::SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(tools.get()));
  toolbarImages_ = std::move(tools);
  view_.SetDpi(dpi_);
  view_.SetRowHeight(2 * textHeight_ + PadCardMetricsAt(dpi_).rowExtra);
  SizeBands();
}

void CPadFrame::SizeBands() {
  if (!rebar_) return;
  ::SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
  SIZE size{};
  ::SendMessageW(toolbar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  REBARBANDINFOW band{};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE;
  band.cxMinChild = static_cast<UINT>(size.cx);
  band.cyMinChild = static_cast<UINT>(size.cy);
  band.cx = static_cast<UINT>(size.cx);
  ::SendMessageW(rebar_, RB_SETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band));
  if (!bar_.GetSafeHwnd()) return;
  band.cxMinChild = static_cast<UINT>(ScaleToDpi(120, dpi_));
  band.cyMinChild = static_cast<UINT>(bar_.height());
  band.cx = static_cast<UINT>(ScaleToDpi(200, dpi_));
  ::SendMessageW(rebar_, RB_SETBANDINFOW, 1, reinterpret_cast<LPARAM>(&band));
}

void CPadFrame::OnDpiChanged(uint32_t dpi, const RECT& suggested) {
  dpi_ = dpi;
  view_.CloseTip();
  LoadLook();
  LoadCategories();  // the filter's icons
  ::SetWindowPos(*this, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
  view_.Reload(true);
}

void CPadFrame::CreateBars() {
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  rebar_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, REBARCLASSNAMEW, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                                 RBS_BANDBORDERS | CCS_NODIVIDER,
                             0, 0, 0, 0, *this, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kRebarId)), inst, nullptr);
  REBARINFO info{sizeof info};
  ::SendMessageW(rebar_, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));

  toolbar_ = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE |
                                   CCS_NODIVIDER | CCS_NOPARENTALIGN,
                               0, 0, 0, 0, rebar_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kToolbarId)), inst,
                               nullptr);
  ::SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  toolbarImages_ = LoadResourceStrip(inst, IDR_PAD, RGB(255, 0, 255), IconSizeAt(dpi_));
  ::SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbarImages_.get()));
  // The buttons' texts are their tips only.
  ::SendMessageW(toolbar_, TB_SETMAXTEXTROWS, 0, 0);
  std::vector<std::wstring> tips;
  for (const ToolButton& b : kToolButtons) tips.push_back(b.tip ? LoadResString(b.tip) : std::wstring());
  std::vector<TBBUTTON> buttons;
  for (size_t i = 0; i < std::size(kToolButtons); ++i) {
    const ToolButton& b = kToolButtons[i];
    TBBUTTON t{};
    t.iBitmap = b.image < 0 ? 6 : b.image;
    t.idCommand = static_cast<int>(b.command);
    t.fsState = TBSTATE_ENABLED;
    t.fsStyle = static_cast<BYTE>(b.image < 0 ? BTNS_SEP : IsViewCommand(b.command) ? BTNS_CHECKGROUP : BTNS_BUTTON);
    t.iString = b.image < 0 ? -1 : reinterpret_cast<INT_PTR>(tips[i].c_str());
    buttons.push_back(t);
  }
  ::SendMessageW(toolbar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  ::SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
  SIZE size{};
  ::SendMessageW(toolbar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));

  REBARBANDINFOW band{};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
  band.fStyle = RBBS_CHILDEDGE | RBBS_NOGRIPPER;
  band.hwndChild = toolbar_;
  band.cxMinChild = static_cast<UINT>(size.cx);
  band.cyMinChild = static_cast<UINT>(size.cy);
  band.cx = static_cast<UINT>(size.cx);
  ::SendMessageW(rebar_, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));

  if (!bar_.Create(rebar_)) return;
  band.fStyle = RBBS_CHILDEDGE | RBBS_NOGRIPPER | RBBS_BREAK;
  band.hwndChild = bar_.GetSafeHwnd();
  band.cxMinChild = static_cast<UINT>(ScaleToDpi(120, dpi_));
  band.cyMinChild = static_cast<UINT>(bar_.height());
  band.cx = static_cast<UINT>(ScaleToDpi(200, dpi_));
  ::SendMessageW(rebar_, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

void CPadFrame::LoadCategories() {
  CategoryList list = main_.store().LoadCategoryList();
  bar_.FillCategories(list, icons_.get());
  model_.SetCategories(std::move(list));
  bar_.ShowFilter(model_.filter());
}

void CPadFrame::Layout() {
  if (!rebar_) return;
  RECT client{};
  ::GetClientRect(*this, &client);
  ::SendMessageW(rebar_, WM_SIZE, 0, 0);
  RECT bar{};
  ::GetWindowRect(rebar_, &bar);
  const int top = bar.bottom - bar.top;
  if (view_.GetSafeHwnd())
    ::SetWindowPos(view_, nullptr, 0, top, client.right, std::max<int>(0, client.bottom - top),
                   SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceNowLabel();
}

void CPadFrame::OnDestroy() {
  closing_ = true;
  ::KillTimer(*this, kSearchTimer);
  SaveState();
  view_.CloseTip();
  nowLabel_.Destroy();
}

void CPadFrame::SaveState() {
  if (!GetSafeHwnd() || ::IsIconic(*this)) return;
  RECT r{};
  ::GetWindowRect(*this, &r);
  if (auto key = main_.environment().registry->OpenSettingsKey()) key->SetBinary(kPadRectValue, PadRectBytes(FromWinRect(r)));
}

void CPadFrame::Raise() {
  if (!GetSafeHwnd()) return;
  if (::IsIconic(*this)) ::ShowWindow(*this, SW_RESTORE);
  RECT r{};
  ::GetWindowRect(*this, &r);
  const RECT32 now = FromWinRect(r);
  const RECT32 kept = ClampInto(now, WorkAreaFor(now));
  if (kept.left != now.left || kept.top != now.top)
    ::SetWindowPos(*this, nullptr, kept.left, kept.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ::ShowWindow(*this, SW_SHOW);
  ::SetForegroundWindow(*this);
}

// ---------------------------------------------------------------- what the pad shows

void CPadFrame::ShowInPad(int64_t time, const NOTE_PAD* note, int categoryArgument) {
  // The caller's record may be a notification's, gone when the call returns.
  NOTE_PAD copy;
  if (note) copy = *note;
  const PadModel::ShowOutcome outcome =
      model_.Show(time, note ? &copy : nullptr, categoryArgument, main_.Now(), opened_, source_);
  opened_ = true;
  if (!GetSafeHwnd()) return;
  if (outcome.onlySelected) {
    view_.ShowSelection(model_.selected());
    return;
  }
  if (outcome.searchCleared) bar_.ClearSearch();
  if (outcome.filterChanged) bar_.ShowFilter(model_.filter());
  Refresh(false);
}

void CPadFrame::Refresh(bool keepTop) {
  view_.Reload(keepTop);
  UpdateCaption();
  UpdateNowLabel();
  UpdateToolbar();
}

void CPadFrame::UpdateCaption() {
  ::SetWindowTextW(*this, ToWide(PadCaption(model_.term(), model_.RowCount(), texts_, format_)).c_str());
}

void CPadFrame::UpdateNowLabel() {
  if (!model_.ShowsNowMarker()) {
    nowLabel_.Destroy();
    return;
  }
  if (!nowLabel_.GetSafeHwnd()) {
    if (!nowLabel_.Create(*this, model_.now())) return;
  } else if (nowLabel_.time() != model_.now()) {
    nowLabel_.SetTime(model_.now());
  }
  PlaceNowLabel();
}

void CPadFrame::PlaceNowLabel() {
  if (!nowLabel_.GetSafeHwnd() || !view_.GetSafeHwnd() || ::IsIconic(*this)) return;
  RECT client{};
  ::GetClientRect(view_, &client);
  const int y = (model_.NowMarkerRow() + 1 - view_.TopRow()) * view_.RowHeight();
  if (y < 0 || y > client.bottom) {
    // Out of sight: moved away rather than hidden, which costs more than a move.
    ::SetWindowPos(nowLabel_, nullptr, -32000, -32000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  // The point touches the list's left edge from outside, or from inside where the screen ends.
  POINT at{0, y};
  ::ClientToScreen(view_, &at);
  const RECT32 work = WorkAreaFor({at.x - 1, at.y - 1, at.x + 1, at.y + 1});
  if (at.x - nowLabel_.layout().width < work.left) at.x += nowLabel_.layout().width - 1;
  nowLabel_.PointAt(at);
}

void CPadFrame::ListScrolled() { PlaceNowLabel(); }

// ---------------------------------------------------------------- commands

bool CPadFrame::CanDo(UINT command) const {
  const PadEntry* e = model_.SelectedEntry();
  switch (command) {
    case ID_PAD_PREVIOUS_TERM:
    case ID_PAD_NEXT_TERM:
      return !model_.term().all();
    case ID_PAD_TODAY:
      return !model_.term().current();
    case ID_PAD_OPEN:
    case ID_PAD_EDIT:
    case ID_PAD_DUPLICATE:
    case ID_PAD_DELETE:
    case ID_PAD_TRACK:
    case ID_PAD_COPY:
    case ID_PAD_SAVE_COPY:
      return e != nullptr;
    case ID_PAD_LAUNCH_LINK:
    case ID_PAD_COPY_LINK:
      return e && e->HasLink();
    case ID_PAD_ROW_CALENDAR:
      return e && (e->note.flags & kNoteOnCalendar);
    default:
      return true;
  }
}

void CPadFrame::UpdateCommands(HMENU menu) {
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    const UINT id = ::GetMenuItemID(menu, i);
    if (id == 0 || id == static_cast<UINT>(-1)) continue;
    ::EnableMenuItem(menu, id, MF_BYCOMMAND | (CanDo(id) ? MF_ENABLED : MF_GRAYED));
  }
  const UINT current = ID_PAD_DAY_VIEW + static_cast<UINT>(model_.term().kind);
  ::CheckMenuRadioItem(menu, ID_PAD_DAY_VIEW, ID_PAD_VIEW_ALL, current, MF_BYCOMMAND);
}

void CPadFrame::UpdateToolbar() {
  for (UINT id : {ID_PAD_PREVIOUS_TERM, ID_PAD_NEXT_TERM, ID_PAD_TODAY})
    ::SendMessageW(toolbar_, TB_ENABLEBUTTON, id, MAKELONG(CanDo(id) ? TRUE : FALSE, 0));
  const UINT current = ID_PAD_DAY_VIEW + static_cast<UINT>(model_.term().kind);
  for (UINT id = ID_PAD_DAY_VIEW; id <= ID_PAD_VIEW_ALL; ++id)
    ::SendMessageW(toolbar_, TB_CHECKBUTTON, id, MAKELONG(id == current ? TRUE : FALSE, 0));
}

void CPadFrame::TermCommand(UINT command) {
  const int64_t now = main_.Now();
  switch (command) {
    case ID_PAD_PREVIOUS_TERM:
      model_.Step(-1, now, source_);
      break;
    case ID_PAD_NEXT_TERM:
      model_.Step(+1, now, source_);
      break;
    case ID_PAD_TODAY:
      model_.GoToToday(now, source_);
      break;
    default:
      model_.SetKind(static_cast<PadTermKind>(command - ID_PAD_DAY_VIEW), now, source_);
      break;
  }
  Refresh(false);
}

bool CPadFrame::OnCommand(UINT id, UINT code, HWND control) {
  if (control && control == view_.GetSafeHwnd()) {
    if (code == LBN_SELCHANGE)
      model_.Select(static_cast<int>(::SendMessageW(view_, LB_GETCURSEL, 0, 0)));
    return true;
  }
  if (!CanDo(id)) return true;
  switch (id) {
    case ID_PAD_PREVIOUS_TERM:
    case ID_PAD_NEXT_TERM:
    case ID_PAD_DAY_VIEW:
    case ID_PAD_WEEK_VIEW:
    case ID_PAD_MONTH_VIEW:
    case ID_PAD_VIEW_ALL:
    case ID_PAD_TODAY:
      TermCommand(id);
      return true;
    case ID_PAD_FIND:
      FocusSearch();
      return true;
    case ID_PAD_EXIT:
      ::PostMessageW(*this, WM_CLOSE, 0, 0);
      return true;
    case ID_PAD_NEW_NOTE: {
      const int category = model_.filter() > 0 ? model_.filter() : static_cast<int>(kUnsortedCategory);
      const int64_t day = model_.term().current() ? main_.Now() : model_.term().start;
      // A modal dialog: nothing of this object is touched once it has run.
      main_.NewNoteWithDialog(category, false, day, *this);
      return true;
    }
    case ID_PAD_OPEN_CALENDAR:
      if (const PadEntry* e = model_.SelectedEntry()) {
        const PadEntry entry = *e;
        main_.OpenCalendarWith(&entry.note, entry.listed);
      } else {
        main_.OpenCalendarWith(nullptr, model_.term().start);
      }
      return true;
    case ID_PAD_OPEN:
    case ID_PAD_LAUNCH_LINK:
    case ID_PAD_DUPLICATE:
    case ID_PAD_EDIT:
    case ID_PAD_DELETE:
    case ID_PAD_ROW_CALENDAR:
    case ID_PAD_TRACK:
    case ID_PAD_COPY:
    case ID_PAD_COPY_LINK:
    case ID_PAD_SAVE_COPY:
      RowCommand(id);
      return true;
    default:
      return false;
  }
}

void CPadFrame::RowCommand(UINT command) {
  const PadEntry* e = model_.SelectedEntry();
  if (!e || !CanDo(command)) return;
  const int64_t listed = e->listed;
  // The note file is the truth; a note deleted behind the pad's back is left alone.
  const std::optional<NOTE_PAD> stored = source_.LoadNote(e->note.id);
  if (!stored) return;
  const NOTE_PAD note = *stored;
  HWND self = GetSafeHwnd();
  // Each call may run a modal loop or notify the pad: no member is used after it.
  switch (command) {
    case ID_PAD_OPEN:
      main_.OpenNoteWindow(note, kOpenUser, -1);
      break;
    case ID_PAD_LAUNCH_LINK:
      main_.LaunchLink(note);
      break;
    case ID_PAD_DUPLICATE:
      main_.DuplicateNote(note);
      break;
    case ID_PAD_EDIT:
      main_.EditNote(note, self);
      break;
    case ID_PAD_DELETE:
      main_.DeleteNote(note, self);
      break;
    case ID_PAD_ROW_CALENDAR:
      main_.OpenCalendarWith(&note, listed);
      break;
    case ID_PAD_TRACK:
      main_.TrackNote(note);
      break;
    case ID_PAD_COPY:
      main_.CopyNote(note, 5);  // the text and the note's id
      break;
    case ID_PAD_COPY_LINK:
      main_.CopyNote(note, 2);
      break;
    case ID_PAD_SAVE_COPY:
      main_.SaveCopyAs(note, self);
      break;
    default:
      break;
  }
}

void CPadFrame::ShowRowMenu(POINT screen, bool linkMenu) {
  MenuHandle root(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_PAD_CONTEXT)));
  HMENU menu = root ? ::GetSubMenu(root.get(), linkMenu ? 1 : 0) : nullptr;
  if (!menu) return;
  ::SetMenuDefaultItem(menu, linkMenu ? ID_PAD_LAUNCH_LINK : ID_PAD_OPEN, FALSE);
  UpdateCommands(menu);
  const std::shared_ptr<bool> alive = alive_;
  HWND self = GetSafeHwnd();
  trackedMenu_ = menu;
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, self, nullptr));
  if (!*alive || !::IsWindow(self)) return;
  trackedMenu_ = nullptr;
  ::PostMessageW(self, WM_NULL, 0, 0);
  if (command) OnCommand(command, 0, nullptr);
}

// ---------------------------------------------------------------- the bar and the list

void CPadFrame::FocusList() {
  if (view_.GetSafeHwnd()) ::SetFocus(view_);
}

void CPadFrame::FocusSearch() {
  if (bar_.searchBox()) ::SetFocus(bar_.searchBox());
}

void CPadFrame::SearchEdited() { ::SetTimer(*this, kSearchTimer, kSearchDelayMs, nullptr); }

void CPadFrame::ApplySearch() {
  if (!GetSafeHwnd() || closing_) return;
  ::KillTimer(*this, kSearchTimer);
  if (model_.SetSearch(ToU16(bar_.SearchText()), source_)) Refresh(false);
}

void CPadFrame::FilterChosen() {
  model_.ChooseFilter(bar_.ChosenFilter(), main_.Now(), source_);
  Refresh(false);
}

void CPadFrame::SelectRow(int row) {
  model_.Select(row);
  view_.ShowSelection(model_.selected());
}

// ---------------------------------------------------------------- messages

void CPadFrame::OnNoteNotify(WPARAM code, LPARAM lp) {
  switch (code) {
    case kNotifyNoteChanged:
      if (!lp) return;
      model_.OnNoteChanged(*reinterpret_cast<const NOTE_PAD*>(lp));
      break;
    case kNotifyNoteDeleted:
      model_.OnNoteDeleted(static_cast<uint32_t>(lp));
      break;
    case kNotifyReopensChanged:
      model_.OnReopensChanged(source_);
      break;
    case kNotifyCategoriesChanged: {
      CategoryList list = main_.store().LoadCategoryList();
      bar_.FillCategories(list, icons_.get());
      const bool filterChanged = model_.OnCategoriesChanged(std::move(list), main_.Now(), source_);
      bar_.ShowFilter(model_.filter());
      Refresh(!filterChanged);
      return;
    }
    case kNotifyDayChanged:
      Refresh(!model_.OnDayChanged(main_.Now(), source_));
      return;
    default:
      return;
  }
  Refresh(true);
}

bool CPadFrame::PreTranslateKey(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  CMainWnd* main = CMainWnd::Get();
  CPadFrame* pad = main ? main->pad() : nullptr;
  if (!pad || !pad->GetSafeHwnd() || !pad->accelerators_) return false;
  HWND frame = pad->GetSafeHwnd();
  if (msg.hwnd != frame && !::IsChild(frame, msg.hwnd)) return false;
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) pad->view_.CloseTip();
  // Keys go to the focus. The search box keeps every key; the category list its plain keys
  // but Tab.
  if (msg.hwnd == pad->bar_.searchBox()) return false;
  HWND category = pad->bar_.categoryBox();
  const bool modified = ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0;
  if (category && (msg.hwnd == category || ::IsChild(category, msg.hwnd)) && !modified && msg.wParam != VK_TAB)
    return false;
  return ::TranslateAcceleratorW(frame, pad->accelerators_, &msg) != 0;
}

LRESULT CPadFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      return OnCreate();
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_NCDESTROY: {
      const LRESULT result = CWnd::WindowProc(msg, wp, lp);
      // The main window frees this object when it reads the report.
      if (HWND main = main_.GetSafeHwnd())
        ::PostMessageW(main, WM_WINDOW_CLOSED, kClosedPad, reinterpret_cast<LPARAM>(this));
      return result;
    }
    case WM_SIZE:
      Layout();
      return 0;
    case WM_MOVE:
      PlaceNowLabel();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(*this, focus)) lastFocus_ = focus;
      } else if (lastFocus_ && ::IsWindow(lastFocus_) && ::IsChild(*this, lastFocus_)) {
        ::SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      FocusList();
      return 0;
    case WM_TIMER:
      if (wp == kSearchTimer) {
        ApplySearch();
        return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lp);
      if (header && header->hwndFrom == rebar_ && header->code == RBN_HEIGHTCHANGE) Layout();
      break;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (item->CtlType == ODT_LISTBOX && item->CtlID == kListId) {
        item->itemHeight = static_cast<UINT>(2 * textHeight_ + PadCardMetricsAt(dpi_).rowExtra);
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (item->CtlType == ODT_LISTBOX && item->CtlID == kListId) {
        view_.DrawItem(*item);
        return TRUE;
      }
      break;
    }
    case WM_INITMENUPOPUP:
      UpdateCommands(reinterpret_cast<HMENU>(wp));
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      const PadCardMetrics m = PadCardMetricsAt(dpi_);
      info->ptMinTrackSize = {m.minWidth, m.minHeight};
      return 0;
    }
    case WM_DPICHANGED:
      OnDpiChanged(DpiOfMessage(wp), SuggestedRect(lp));
      return 0;
    case WM_NOTE_NOTIFY:
      OnNoteNotify(wp, lp);
      return 0;
    default:
      break;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

}  // namespace zavra
