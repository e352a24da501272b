#include "store/NoteText.h"

#include <string_view>

namespace zavra {

namespace {

constexpr std::u16string_view kLeadingSpace = u" \t\r\n";
// The characters a file name cannot hold; a note's text often starts with a quote or a date.
constexpr std::u16string_view kNotInFileName = u"\"*./:<>?\\|";

// A caption longer than this ends in an ellipsis: a note of one long paragraph would otherwise
// make a menu row or a message box measure and draw all of it.
constexpr size_t kCaptionLimit = 256;

// True (and the caption ended with an ellipsis) when `out` is full; never cuts a surrogate pair.
bool Full(std::u16string& out, size_t limit) {
  if (out.size() < limit) return false;
  if (out.size() > 1 && out.back() >= 0xD800 && out.back() <= 0xDBFF) out.pop_back();
  out.push_back(u'\u2026');
  return true;
}

bool IsSentenceEnd(const std::u16string& text, size_t at) {
  const char16_t c = text[at];
  return (c == u'.' || c == u';') && at + 1 < text.size() && (text[at + 1] == u' ' || text[at + 1] == u'\t');
}

}  // namespace

// The text comes from a file and may hold a zero; like the C string it once was, it ends there.
std::u16string FirstLine(const std::u16string& text) {
  size_t at = text.find_first_not_of(kLeadingSpace);
  std::u16string line;
  if (at == std::u16string::npos) return line;
  for (; at < text.size(); ++at) {
    const char16_t c = text[at];
    if (c == u'\n' || c == u'\r' || c == u'\0' || Full(line, kCaptionLimit)) break;
    line.push_back(c == u'\t' ? u' ' : c);
    if (IsSentenceEnd(text, at)) break;
  }
  return line;
}

std::u16string Summary(const std::u16string& text) {
  size_t at = text.find_first_not_of(kLeadingSpace);
  std::u16string summary;
  if (at == std::u16string::npos) return summary;
  int ends = 0;
  for (; at < text.size(); ++at) {
    const char16_t c = text[at];
    if (c == u'\0') break;
    if (c == u'\r') continue;
    if (c == u'\n') {
      if (++ends == 2 || Full(summary, 2 * kCaptionLimit)) break;
      summary.push_back(u' ');
      continue;
    }
    if (Full(summary, 2 * kCaptionLimit)) break;
    summary.push_back(c == u'\t' ? u' ' : c);
    if (IsSentenceEnd(text, at) && ++ends == 2) break;
  }
  return summary;
}

std::u16string FileNameStem(const std::u16string& text) {
  std::u16string stem;
  size_t at = 0;
  while (at < text.size() &&
         (kLeadingSpace.find(text[at]) != std::u16string_view::npos ||
          kNotInFileName.find(text[at]) != std::u16string_view::npos))
    ++at;
  for (; at < text.size(); ++at) {
    const char16_t c = text[at];
    if (c == u'\r' || c == u'\n' || c == u'\0' || kNotInFileName.find(c) != std::u16string_view::npos) break;
    stem.push_back(c == u'\t' ? u' ' : c);
  }
  return stem;
}

std::u16string FirstWord(const std::u16string& text) {
  const size_t end = text.find_first_of(u" \t\r\n\0", 0, 5);
  return text.substr(0, end == std::u16string::npos ? text.size() : end);
}

}  // namespace zavra
