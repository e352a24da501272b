#include "app/CommandLine.h"

namespace zavra {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Reads the decimal number at `pos`; saturates instead of overflowing.
int ReadNumber(std::u16string_view s, size_t pos) {
  int64_t v = 0;
  for (; pos < s.size() && IsDigit(s[pos]); ++pos) {
    v = v * 10 + (s[pos] - u'0');
    if (v > INT32_MAX) return INT32_MAX;
  }
  return static_cast<int>(v);
}

}  // namespace

Command ParseCommandLine(std::u16string_view line) {
  Command cmd;
  size_t i = 0;
  while (i < line.size() && line[i] == u' ') ++i;
  if (i >= line.size()) return cmd;

  if (line[i] == u'/') {
    if (i + 1 >= line.size()) return cmd;  // a lone "/" names no switch
    cmd.kind = Command::Kind::Switch;
    cmd.letter = line[i + 1];
    const size_t after = i + 2;
    if (after < line.size() && IsDigit(line[after])) cmd.number = ReadNumber(line, after);
    if (cmd.letter == u'n') {
      const size_t blank = line.find(u' ', after);
      if (blank != std::u16string_view::npos && blank + 1 < line.size())
        cmd.text = std::u16string(line.substr(blank + 1));
    }
    return cmd;
  }

  std::u16string_view rest = line.substr(i);
  if (rest.front() == u'"') rest.remove_prefix(1);
  const size_t quote = rest.find(u'"');
  if (quote != std::u16string_view::npos) rest = rest.substr(0, quote);
  if (rest.empty()) return cmd;
  cmd.kind = Command::Kind::Path;
  cmd.path = std::u16string(rest);
  return cmd;
}

std::optional<uint32_t> ParseNoteLink(std::u16string_view link) {
  constexpr std::u16string_view prefix = u"note:";
  if (link.substr(0, prefix.size()) != prefix) return std::nullopt;
  uint64_t id = 0;
  for (size_t i = prefix.size(); i < link.size() && IsDigit(link[i]); ++i) {
    id = id * 10 + (link[i] - u'0');
    if (id > UINT32_MAX) return std::nullopt;
  }
  if (id == 0) return std::nullopt;
  return static_cast<uint32_t>(id);
}

}  // namespace zavra
