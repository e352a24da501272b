#pragma once
// What the note edit dialog asks of the program that runs it. The main window implements it;
// tests give their own.
#include <cstdint>
#include <string>

#include "framework/Win.h"
#include "schedule/RecurrenceText.h"
#include "store/Category.h"

namespace zavra {

class INoteEditHost {
 public:
  // The categories in display order, "Unsorted" among them.
  virtual CategoryList Categories() = 0;
  // "icons.bmp" of the program folder.
  virtual std::wstring IconStripPath() = 0;
  // The calendar name tables and the first day of the week (Sunday-based).
  virtual const CalendarNames& Names() = 0;
  virtual int FirstDayOfWeek() = 0;
  virtual int64_t Now() = 0;
  // Plays a sound file once; an empty path plays the program's chime.
  virtual void PreviewSound(const std::wstring& path) = 0;
  // "Manage...": the preferences on their category page; the dialog reloads its categories after.
  virtual bool CanManageCategories() = 0;
  virtual void ManageCategories(HWND owner) = 0;

 protected:
  ~INoteEditHost() = default;
};

}  // namespace zavra
