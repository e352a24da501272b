#pragma once
// What a note window asks of the program that owns it. The main window implements it; the note
// window never reaches into the main window itself, so tests can host note windows alone.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "framework/Win.h"
#include "schedule/PickerLists.h"
#include "store/NoteRecord.h"
#include "store/NoteStore.h"

namespace zavra {

class CNoteWnd;

// One display: its full rectangle and its work area (screen coordinates).
struct MonitorArea {
  RECT32 monitor;
  RECT32 work;
};

// The alarm balloon's settings ("NoteTip", "NoteTipText"); empty text means the built-in one.
struct AlarmTipSettings {
  bool show = true;
  std::wstring text;
};

class INoteWindowHost {
 public:
  // --- what the window reads ---
  virtual const Settings& NoteSettings() const = 0;
  virtual AlarmTipSettings AlarmTip() const = 0;
  virtual NoteStore& Store() = 0;
  // Paper rectangles of the open note windows other than `self`.
  virtual std::vector<RECT32> OtherNoteRects(const CNoteWnd* self) = 0;
  // Every display; empty means the primary work area alone.
  virtual std::vector<MonitorArea> Monitors() = 0;
  // Folder of "icons.bmp", ending with a backslash.
  virtual std::wstring ProgramFolder() = 0;

  // --- operations on the note ---
  virtual bool DeleteNote(const NOTE_PAD& note, HWND owner) = 0;  // asks first
  virtual void DuplicateNote(const NOTE_PAD& note) = 0;
  virtual void SaveCopyAs(const NOTE_PAD& note, HWND owner) = 0;
  virtual void LaunchLink(const NOTE_PAD& note) = 0;  // files, URLs and "note:" links
  // "Cop&y" and "Cop&y Link": the clipboard copy modes.
  virtual void CopyNote(const NOTE_PAD& note, unsigned mode) = 0;
  virtual void EditNote(const NOTE_PAD& note, HWND owner) = 0;
  virtual void TrackNote(const NOTE_PAD& note) = 0;
  // Colour, font, save and load default (the menu model's cosmetics commands).
  virtual void CosmeticsCommand(UINT command, const NOTE_PAD& note, HWND owner) = 0;
  // The skin chooser: nothing when cancelled. The window may be gone when it returns.
  virtual std::optional<SkinChoice> ChooseSkin(const NOTE_PAD& note, HWND owner) = 0;
  // The custom reopen dialog: minutes, 0 or less when cancelled.
  virtual int ChooseReopenMinutes(HWND owner) = 0;
  virtual void ReopenAfter(uint32_t noteId, int64_t seconds) = 0;
  virtual void AddToRecent(uint32_t noteId) = 0;

  // --- program-wide operations ---
  virtual void OpenPad(int category) = 0;  // -1: as last shown
  virtual void OpenCalendarAt(int64_t time) = 0;
  virtual void NewNoteIn(int category) = 0;  // -1: the default category
  // "NoteSize" and "NotePos2" (the centre of new notes).
  virtual void SaveDefaultSizeAndPos(int32_t width, int32_t height, int32_t centreX, int32_t centreY) = 0;
  virtual void NotesOnTopChanged() = 0;

  // --- lifetime ---
  // From WM_DESTROY: drop the window from the lists (it still exists).
  virtual void NoteWindowClosed(CNoteWnd* window) = 0;
  // After the last message: the owner may now delete the object.
  virtual void NoteWindowGone(CNoteWnd* window) = 0;

 protected:
  ~INoteWindowHost() = default;
};

}  // namespace zavra
