#pragma once
// Runs one command line: routes the parsed command to the main window's operations, then
// (always) adds the tray icon and, for /i at start-up, shows the balloon.
#include "app/CommandLine.h"

namespace zavra {

// The operations a command can reach; the main window implements them.
class ICommandTarget {
 public:
  virtual ~ICommandTarget() = default;
  virtual void OpenCalendar() = 0;
  // letter 'f' quick paste or 'q' quick launch, with the category number.
  virtual void PostQuickMenu(char16_t letter, int category) = 0;
  // New note in `category` (kNoSwitchNumber or unknown: category 1); no text: from the clipboard.
  virtual void NewNoteFromCommand(int category, const std::u16string* text) = 0;
  virtual void OpenPadFromCommand(int categoryArgument) = 0;
  virtual bool IsUrl(const std::u16string& path) = 0;
  virtual void OpenNoteById(uint32_t id) = 0;
  // Imports a note file as a new portable note; unreadable files are ignored.
  virtual void ImportNoteFile(const std::u16string& path) = 0;
  virtual void AddTrayIcon() = 0;
  virtual void ShowStartupBalloon() = 0;
};

void ProcessCommandLine(std::u16string_view line, bool atStartup, ICommandTarget& target);

}  // namespace zavra
