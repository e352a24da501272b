#pragma once
// Short forms of a note's text for captions, the pad, file names and clipboard links.
#include <string>

namespace zavra {

// The text up to its first line break or sentence end ("." or ";" before a blank or tab, kept),
// leading blanks and breaks skipped, tabs shown as blanks. Past 256 characters it is cut and
// ends with an ellipsis.
std::u16string FirstLine(const std::u16string& text);

// At most two lines, each ending at LF or a sentence end as above; the first LF becomes a
// blank, CR is dropped, tabs become blanks. Cut with an ellipsis past 512 characters.
std::u16string Summary(const std::u16string& text);

// A file name from the text: leading blanks, breaks and characters no file name may hold are
// skipped, then copied up to the next break or such character.
std::u16string FileNameStem(const std::u16string& text);

// The text up to its first blank, tab or line break.
std::u16string FirstWord(const std::u16string& text);

}  // namespace zavra
