#pragma once
// The command-line grammar shared by the program's own command line, the command pipe and
// the shell associations. A line carries at most one command.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zavra {

inline constexpr int kNoSwitchNumber = -1000;

struct Command {
  enum class Kind { None, Switch, Path };
  Kind kind = Kind::None;
  // Switch: its letter, its number (kNoSwitchNumber when none) and, for /n, the note text
  // (absent when no text follows, so the content comes from the clipboard).
  char16_t letter = 0;
  int number = kNoSwitchNumber;
  std::optional<std::u16string> text;
  // Path: a file path or a link, without its quotes.
  std::u16string path;
};

Command ParseCommandLine(std::u16string_view line);

// "note:" followed by a decimal id (exact case); nullopt for anything else, for id 0 and for
// an id that does not fit 32 bits.
std::optional<uint32_t> ParseNoteLink(std::u16string_view link);

}  // namespace zavra
