#pragma once
// The text and link of a new note made from what is on the clipboard. The Win32 layer reads
// the clipboard into a ClipboardContent; the choice between its formats is made here.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/NoteRecord.h"

namespace zavra {

struct ClipboardContent {
  bool hasDrop = false;
  std::u16string dropPath;      // the first dropped file
  std::u16string dropUrl;       // the URL of that file when it is an Internet shortcut
  std::vector<uint8_t> html;    // "HTML Format", UTF-8; empty when absent
  bool hasText = false;
  std::u16string text;          // CF_UNICODETEXT
  std::optional<uint32_t> noteId;  // the private format when it held exactly 4 bytes
};

// PathIsURLW in the program; tests give their own.
using IsUrlFn = std::function<bool(const std::u16string&)>;

// Text and link for a new note from the clipboard: a dropped file (its title, and its
// shortcut's URL or its quoted path), else the anchor of an HTML fragment, else the plain text
// with the copied note's "note:" link or the text's first word when that is a URL. The text
// stays empty when nothing gave one.
void ContentFromClipboard(const ClipboardContent& clip, const IsUrlFn& isUrl, std::u16string& text,
                          std::u16string& link);

// The whole rule: a given text wins (no link); else the clipboard when it could be read; an
// empty text becomes `newNoteText` ("<New Note>").
void FillNewNoteContent(NOTE_PAD& note, const std::u16string* givenText, const ClipboardContent* clip,
                        const IsUrlFn& isUrl, const std::u16string& newNoteText);

}  // namespace zavra
