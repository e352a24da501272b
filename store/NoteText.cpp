#include "store/NoteText.h"

namespace zavra {

std::u16string FirstLine(const std::u16string& text) {
  size_t at = text.find_first_not_of(u" \t\r\n");
  std::u16string line;
  if (at == std::u16string::npos) return line;
  for (; at < text.size(); ++at) {
    const char16_t c = text[at];
    if (c == u'\n' || c == u'\r' || c == u'\0') break;
    line.push_back(c == u'\t' ? u' ' : c);
    if ((c == u'.' || c == u';') && at + 1 < text.size() && (text[at + 1] == u' ' || text[at + 1] == u'\t')) break;
  }
  return line;
}

}  // namespace zavra
