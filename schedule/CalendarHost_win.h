#pragma once
// What the calendar window asks of the program that owns it. The main window implements it;
// tests host the calendar with their own.
#include <cstdint>
#include <memory>
#include <string>

#include "app/Settings.h"
#include "framework/Win.h"
#include "schedule/RecurrenceText.h"
#include "store/NoteRecord.h"
#include "store/NoteStore.h"

namespace zavra {

class ICalendarHost {
 public:
  virtual ~ICalendarHost() = default;

  // --- what the window reads ---
  virtual NoteStore& Store() = 0;
  // "NoteOpacity" and "ClearType".
  virtual const Settings& AppSettings() = 0;
  // The settings key, for the calendar's own values; null when it cannot be opened.
  virtual std::unique_ptr<IRegistryKey> SettingsKey() = 0;
  virtual const CalendarNames& Names() = 0;
  // "icons.bmp" beside the program.
  virtual std::wstring IconStripPath() = 0;
  // Seconds since 1970-01-01 UTC.
  virtual int64_t Now() = 0;

  // --- operations on a note (the record is a copy the callee may keep) ---
  virtual void OpenNote(const NOTE_PAD& note) = 0;
  virtual void LaunchLink(const NOTE_PAD& note) = 0;
  virtual void DuplicateNote(const NOTE_PAD& note) = 0;
  virtual void CopyNote(const NOTE_PAD& note) = 0;
  virtual void SaveCopyAs(const NOTE_PAD& note, HWND owner) = 0;
  virtual void EditNote(const NOTE_PAD& note, HWND owner) = 0;
  // Asks first; true when the note was deleted.
  virtual bool DeleteNote(const NOTE_PAD& note, HWND owner) = 0;
  // A new note with the edit dialog, scheduled on the day of `day`.
  virtual void NewNoteOn(int64_t day, HWND owner) = 0;
  // The pad at `time` with `note` selected when given.
  virtual void OpenPadAt(int64_t time, const NOTE_PAD* note) = 0;

  // --- lifetime ---
  // After the window's last message: its owner may now free the window object.
  virtual void CalendarGone() = 0;
};

}  // namespace zavra
