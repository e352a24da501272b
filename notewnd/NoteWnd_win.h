#pragma once
// CNoteWnd: the window of one open note. It keeps its own copy of the note with the category's
// look merged in, draws the text under a schedule header, scrolls it line by line, snaps to the
// other notes, counts down to the next occurrence and asks its host for everything else.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The skin headers first: they name the system's COLORREF, which the store's own COLORREF in
// this namespace would otherwise hide, giving their functions other signatures.
#include "skin/BkgWnd_win.h"
// (keep the line above first)
#include "framework/Handles.h"
#include "notewnd/NoteWindowHost.h"
#include "notewnd/ScheduleHeader.h"
#include "store/NoteRecord.h"

namespace zavra {

inline constexpr UINT_PTR kScheduleTimer = 9937;
inline constexpr UINT kNoteMenu = 130;

// The skin's inactive border for a paper colour: the paper's luminance and saturation at 84%.
::COLORREF InactiveBorderColor(::COLORREF paper);

// The displays and their work areas, for a host to hand to its note windows.
std::vector<MonitorArea> SystemMonitors();

// Short date and time without seconds in the user's locale.
class LocaleOccurrenceFormat final : public OccurrenceFormat {
 public:
  std::u16string DateText(int64_t time) const override;
  std::u16string TimeText(int64_t time) const override;
};

class CNoteWnd : public CBkgWnd {
 public:
  static constexpr const wchar_t* kTitle = L"QZ[Note]";
  using Clock = std::function<int64_t()>;  // seconds since 1970-01-01 UTC

  explicit CNoteWnd(INoteWindowHost& host);
  ~CNoteWnd() override;

  // Tests drive the countdown through their own clock; the default is the system's.
  void SetClock(Clock clock) { clock_ = std::move(clock); }

  // `mode` is the main window's open mode; `topmost` 1 or 0, -1 for the "NoteOnTop" setting.
  bool Create(const NOTE_PAD& note, int mode, int topmost);
  // Alarm and pre-open modes mark the window, also when it is open already.
  void ApplyOpenMode(int mode);
  // Takes a saved record (creation and note_changed).
  void LoadRecord(const NOTE_PAD& note);
  // At the program's end and at log-off: keeps a moved or resized paper in the note file.
  void SaveState();
  // The note settings changed (opacity, margins, alignment): lay the text out and draw again.
  void SettingsChanged();

  uint32_t noteId() const { return note_.id; }
  const NOTE_PAD& note() const { return note_; }
  uint32_t categoryFlags() const { return cateFlags_; }
  bool topmost() const;
  uint32_t exStyle() const;
  const ScheduleHeader& header() const { return header_; }
  size_t firstLine() const { return firstLine_; }
  // The start of every line of the text as last laid out, then the text's end.
  const std::vector<size_t>& lineStarts() const { return lineStarts_; }
  HWND alarmTip() const { return tip_; }
  HICON linkIcon() const { return linkIcon_.get(); }
  // The context menu while it is tracked (tests look at it from inside the menu loop).
  HMENU trackedMenu() const { return trackedMenu_; }
  // The interval the schedule timer was last set to (ms), or -1 when it is stopped.
  int64_t scheduleInterval() const { return scheduleInterval_; }

  // For the message loop, before TranslateMessage: a note window's keys (Space, arrows, pages,
  // Delete, Ctrl+C) are handled here, so Space never becomes a character. True when handled.
  static bool PreTranslateKey(const MSG& msg);

  // Scrolling by one line; false when there is nowhere to go.
  bool ScrollDown();
  bool ScrollUp();

 protected:
  BYTE GetOpacity() override;
  HICON GetLayerIcon(int32_t kind) override;
  void DrawTextArea(HDC dc, const RECT& text) override;
  void AdjustRect(int zone, RECT& paper) override;
  void OnSizeChanged() override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void PostNcDestroy() override;

 private:
  // Taken before a modal call (menu, dialog, message box): a note deleted from another window
  // meanwhile destroys this window and deletes this object, which the check then tells.
  class LifeCheck {
   public:
    explicit LifeCheck(const CNoteWnd& window) : window_(&window), life_(window.life_) {}
    bool Exists() const { return !life_.expired(); }
    bool Survived() const { return Exists() && window_->GetSafeHwnd(); }

   private:
    const CNoteWnd* window_;
    std::weak_ptr<const bool> life_;
  };

  bool transient() const { return (note_.flags & kNoteTransient) != 0; }
  // The category's name and flags, and with `withLook` its defaults for what the note does not
  // set itself, with fonts, colours, icons and skin reloaded.
  void ApplyCategory(const NOTE_CATE& cate, bool withLook = true);
  void LoadFonts();
  void LoadIcons();
  void EvaluateSchedule(bool forced);
  void ScheduleTimerStep();
  void SetScheduleTimer(const TimerRequest& request);
  void StopScheduleTimer();
  void OnNoteNotify(WPARAM code, LPARAM lp);
  void OnCategoriesChanged();
  void ShowAlarmTip();
  void DestroyAlarmTip();
  void OnWheel(int delta);
  // One line without drawing; false when there is nowhere to go.
  bool StepLine(bool down);
  void ScrollByKey(bool down);
  bool OnKey(UINT key);
  // Whether the point lies on a Link Icon layer's 16 x 16 box, edges included.
  bool OnLinkBox(POINT client) const;
  void ShowContextMenu(POINT client);
  void Close();
  void Reopen(int minutes);
  void SaveRecord(NOTE_PAD& record);
  void ForgetLayout();
  void DrawBody(HDC dc, RECT area);
  RECT32 PlaceNew(RECT32 rect);
  RECT32 WorkAreaOf(const RECT32& rect);

  INoteWindowHost& host_;
  Clock clock_;
  LocaleOccurrenceFormat format_;
  NOTE_PAD note_;
  uint32_t cateFlags_ = 0;
  std::u16string categoryName_;
  RECT loadedPaper_{};
  FontHandle headerFont_;
  FontHandle textFont_;
  int headerLine_ = 16;
  int textLine_ = 16;
  IconHandle noteIcon_;
  IconHandle linkIcon_;
  ScheduleHeader header_;
  int64_t scheduleInterval_ = -1;
  size_t firstLine_ = 0;
  std::vector<size_t> lineStarts_{0};
  int layoutWidth_ = -1;  // the width lineStarts_ was laid out for; -1 when it must be again
  int wheel_ = 0;
  bool scrollNotDrawn_ = false;  // scrolled by a key while more keys waited
  HWND tip_ = nullptr;
  HMENU trackedMenu_ = nullptr;
  std::wstring tipText_;  // the balloon's tool points at it
  bool closingWithoutSaving_ = false;
  bool destroying_ = false;
  bool inDestructor_ = false;  // the host is deleting us: no NoteWindowGone
  std::shared_ptr<const bool> life_ = std::make_shared<const bool>(true);
};

}  // namespace zavra
