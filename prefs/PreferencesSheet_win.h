#pragma once
// The preferences sheet: its pages in their fixed order, run modally, with the flags the
// opener reads afterwards.
#include <memory>

#include "framework/PropertySheet.h"
#include "prefs/PreferencesHost.h"

namespace zavra {

class CPropNotePage;
class CPropCatePage;
class CPropCalPage;
class CPropMiscPage;
class CPropAboutPage;

// Start pages callers ask for.
enum PreferencesPage : int { kPrefNote = 0, kPrefCategory = 1, kPrefCalendar = 2, kPrefFeed = 3, kPrefMisc = 4, kPrefAbout = 5 };

class CPreferencesSheet {
 public:
  explicit CPreferencesSheet(IPreferencesHost& host);
  ~CPreferencesSheet();
  CPreferencesSheet(const CPreferencesSheet&) = delete;
  CPreferencesSheet& operator=(const CPreferencesSheet&) = delete;

  // Runs the sheet; IDOK or IDCANCEL.
  INT_PTR Run(int startPage, HWND parent);
  // The sheet window while it runs.
  HWND window() const { return sheet_.GetSafeHwnd(); }
  // Ends a running sheet as Cancel (the program is ending).
  void EndWithCancel() { sheet_.EndWithCancel(); }
  // Whether the calendar must read its settings again: the Note or Calendar page wrote them.
  bool CalendarSettingsChanged() const;

  CPropNotePage& notePage() { return *note_; }
  CPropCatePage& categoryPage() { return *category_; }
  CPropCalPage& calendarPage() { return *calendar_; }
  CPropMiscPage& miscPage() { return *misc_; }

 private:
  IPreferencesHost& host_;
  CPropertySheet sheet_;
  std::unique_ptr<CPropNotePage> note_;
  std::unique_ptr<CPropCatePage> category_;
  std::unique_ptr<CPropCalPage> calendar_;
  std::unique_ptr<CPropMiscPage> misc_;
  std::unique_ptr<CPropAboutPage> about_;
};

}  // namespace zavra
