#pragma once
// CScheduleWnd: the month calendar. Every note shown on the calendar is laid into the month's
// day cells (bars for one-time events, a box per occurrence for repeating notes), drawn off
// screen over a cached background with an optional picture, and acted on through the mouse,
// the keys and two context menus.
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "framework/Handles.h"
#include "framework/Window.h"
#include "notewnd/CloseButton_win.h"
#include "notewnd/TipWnd_win.h"
#include "schedule/CalendarBackground_win.h"
#include "schedule/CalendarGeometry.h"
#include "schedule/CalendarHost_win.h"
#include "schedule/CalendarLayout.h"
#include "schedule/CalendarSettings.h"
#include "store/Category.h"

namespace zavra {

class CScheduleWnd : public CWnd {
 public:
  static constexpr const wchar_t* kClassName = L"QelZavraCalendar";
  // The note notification's code for "the calendar settings changed".
  static constexpr WPARAM kNotifySettingsChanged = 12;

  explicit CScheduleWnd(std::unique_ptr<ICalendarHost> host);
  ~CScheduleWnd() override;

  // Creates the window hidden at "CalRect" kept inside the work area, on the current month.
  bool Create();
  // Shows the month of `time` (0: now), or of the note's creation or nearest occurrence; with
  // a note or a time given, that day is selected, and the note's entry in it.
  void ShowInCalendar(const NOTE_PAD* note, int64_t time);
  // Writes "CalRect" (the last rectangle the window had while not minimised).
  void SaveState();
  // The owner's way of freeing the object once its window is destroyed: at once, or when a
  // dialog or menu the window is running returns.
  void Release();

  // Draws the whole client area into `dc` as the window shows it.
  void PaintTo(HDC dc);

  // --- what tests look at ---
  const CalendarMonth& month() const { return month_; }
  const MonthLayout& layout() const { return layout_; }
  const CalendarGeometry& geometry() const { return geometry_; }
  int leading() const { return leading_; }
  int scroll() const { return scroll_; }
  int selectedDay() const { return selectedDay_; }
  int selectedSlot() const { return selectedSlot_; }
  uint32_t selectedNoteId() const;
  bool selectedExcluded() const;
  HMENU trackedMenu() const { return trackedMenu_; }
  HWND tipWindow() const { return tip_.GetSafeHwnd(); }
  const CTipWnd& tip() const { return tip_; }
  ::COLORREF accentColor() const { return accent_; }
  bool hasPicture() const { return picture_.picture != nullptr; }
  // The first visible slot's top and an entry's rectangle, client coordinates.
  std::optional<RECT> EntryRect(int day, uint32_t noteId) const;
  POINT DayCellOrigin(int day) const;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void PostNcDestroy() override;

 private:
  // --- month and layout ---
  void LoadMonth(const CalendarMonth& month);
  void ReadNotes();
  void Relayout();
  void Select(int day, int slot);
  void SelectNoteOn(int day, uint32_t noteId);
  const CalendarEntry* SelectedEntry() const;
  std::optional<NOTE_PAD> SelectedNote() const;
  int64_t SelectedDayStart() const;
  void ScrollBy(int slots);
  void MoveSelection(int step);

  // --- settings, fonts and background ---
  void LoadSettings();
  void LoadFonts();
  void LoadCategories();
  void UpdateCaption();
  void OnSize(int width, int height);

  // --- drawing (ScheduleWndDraw_win.cpp) ---
  void PaintWindow();
  void BuildBackground();
  void DrawTitle(HDC dc);
  void DrawDays(HDC dc);
  void DrawEntries(HDC dc);
  void InvalidateGrid();
  void InvalidateAll();
  ::COLORREF TonedToday() const;

  // --- mouse, keys, menus and commands (ScheduleWndInput_win.cpp) ---
  void OnButtonDown(POINT client);
  void OnDoubleClick(POINT client);
  void OnMouseMove(POINT client);
  void OnHover(POINT client);
  void OnWheel(int delta);
  bool OnKeyDown(UINT key, bool system, LPARAM lp);
  void ShowContextMenu(POINT client);
  void ShowDayMenu(POINT client);
  HMENU BuildEntryMenu(HMENU resource);
  void TrackMenu(HMENU menu, POINT client);
  void RunDayMenuCommand(UINT id);
  void OnNoteNotify(WPARAM code, LPARAM lp);
  void ToggleExclusionOfSelection();
  void CreateButtons();
  void ShowTip(const CalendarEntry& entry, POINT client);
  void HideTip();
  // Runs a call that may run a modal loop (a dialog, a question). False when the window was
  // destroyed meanwhile: the object may be gone too, so the caller touches nothing after.
  template <class Call>
  bool RunModal(Call&& call);

  std::unique_ptr<ICalendarHost> host_;
  CalendarSettings settings_;
  CalendarMonth month_;
  bool monthLoaded_ = false;
  int firstDayOfWeek_ = 0;
  int leading_ = 0;
  std::vector<NOTE_PAD> notes_;
  CategoryList categories_;
  MonthLayout layout_;
  CalendarGeometry geometry_;
  int scroll_ = 0;
  int wheel_ = 0;

  int selectedDay_ = 0;
  int selectedSlot_ = 0;   // 0 = no entry selected
  uint32_t selectedId_ = 0;

  // The day menu's rows as they were when the menu was built.
  int dayMenuDay_ = 0;
  std::vector<DayMenuRow> dayMenuRows_;
  HMENU trackedMenu_ = nullptr;

  FontHandle font_;
  FontHandle titleFont_;
  int entryHeight_ = 16;
  ImageListHandle icons_;
  int iconCount_ = 0;
  HACCEL accelerators_ = nullptr;

  CalendarPicture picture_;
  std::minstd_rand random_;
  ::COLORREF accent_ = 0;
  BitmapHandle background_;
  SIZE backgroundSize_{};
  bool backgroundDirty_ = true;
  BitmapHandle backBuffer_;
  SIZE backBufferSize_{};

  int modalDepth_ = 0;
  bool releaseRequested_ = false;
  std::wstring title_;
  RECT lastRect_{};  // the window's rectangle while not minimised
  POINT lastMouse_{-1, -1};
  CTipWnd tip_;
  std::vector<std::unique_ptr<CCloseButton>> buttons_;
};

}  // namespace zavra
