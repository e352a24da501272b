#pragma once
// What the preference pages ask of the program. The main window implements it; tests host the
// sheet with their own.
#include <cstdint>
#include <memory>
#include <string>

#include "app/Settings.h"
#include "framework/Win.h"
#include "prefs/PageValues.h"
#include "store/NoteStore.h"

namespace zavra {

class IPreferencesHost {
 public:
  virtual const Settings& CurrentSettings() const = 0;
  virtual std::unique_ptr<IRegistryKey> OpenSettingsKey() = 0;
  // Takes the Note page's values: written as a group; trackers, note windows and the alarm
  // scan follow them.
  virtual void ApplyNotePage(const NotePageValues& values) = 0;
  // Takes the Misc. page's values: written as a group; the recent list is cut to size.
  virtual void ApplyMiscPage(const MiscPageValues& values) = 0;
  virtual NoteStore& Store() = 0;
  // "icons.bmp" and the skins folder (ending with a backslash).
  virtual std::wstring IconStripPath() = 0;
  virtual std::wstring SkinsFolder() = 0;
  virtual void PreviewSound(const std::wstring& path) = 0;
  virtual int64_t Now() = 0;
  // The full name of a weekday, Sunday = 0, in the user's language.
  virtual std::wstring WeekdayName(int weekday) = 0;
  // The feed page, when the program has feeds; null otherwise.
  virtual class CPropertyPage* FeedPage() { return nullptr; }

 protected:
  ~IPreferencesHost() = default;
};

}  // namespace zavra
