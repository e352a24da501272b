#pragma once
// Short forms of a note's text for captions and questions.
#include <string>

namespace zavra {

// The text up to its first line break or sentence end ("." or ";" before a blank or tab, kept),
// leading blanks and breaks skipped, tabs shown as blanks.
std::u16string FirstLine(const std::u16string& text);

}  // namespace zavra
