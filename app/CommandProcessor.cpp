#include "app/CommandProcessor.h"

namespace zavra {

namespace {

// Returns whether the command asked for the start-up balloon.
bool Execute(const Command& cmd, bool atStartup, ICommandTarget& target) {
  switch (cmd.kind) {
    case Command::Kind::None:
      return false;
    case Command::Kind::Switch:
      switch (cmd.letter) {
        case u'c':
          target.OpenCalendar();
          return false;
        case u'f':
        case u'q':
          target.PostQuickMenu(cmd.letter, cmd.number);
          return false;
        case u'i':
          return atStartup;
        case u'n':
          target.NewNoteFromCommand(cmd.number, cmd.text ? &*cmd.text : nullptr);
          return false;
        case u'p':
          target.OpenPadFromCommand(cmd.number);
          return false;
        default:
          return false;
      }
    case Command::Kind::Path:
      if (target.IsUrl(cmd.path)) {
        // Only "note:" links are ours; any other URL is ignored.
        if (auto id = ParseNoteLink(cmd.path)) target.OpenNoteById(*id);
        return false;
      }
      target.ImportNoteFile(cmd.path);
      return false;
  }
  return false;
}

}  // namespace

void ProcessCommandLine(std::u16string_view line, bool atStartup, ICommandTarget& target) {
  const bool balloon = Execute(ParseCommandLine(line), atStartup, target);
  // The running copy already shows the icon, so this add simply fails there.
  target.AddTrayIcon();
  if (balloon) target.ShowStartupBalloon();
}

}  // namespace zavra
