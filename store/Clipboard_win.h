#pragma once
// Notes on the clipboard: copying a note's text, link and id, and reading what a new note is
// made from. Each function opens and closes the clipboard itself for the given owner window,
// so no caller has to remember to open it first or to close it on every path.
#include <string>

#include "framework/Win.h"
#include "store/NewNoteContent.h"
#include "store/NoteRecord.h"

namespace zavra {

// The private format (CF_PRIVATEFIRST) that carries a copied note's id, 4 bytes.
inline constexpr UINT kNoteIdClipboardFormat = 0x200;

// Copy modes: quick paste kCopyText, "Cop&y" kCopyText | kCopyNoteId, "Cop&y Link" kCopyLink.
enum CopyMode : unsigned {
  kCopyText = 1,
  kCopyLink = 2,    // the link instead of the text
  kCopyNoteId = 4,  // also the id in the private format
};

// How the copy gets its memory; tests inject failures.
using GlobalAllocFn = HGLOBAL(WINAPI*)(UINT flags, SIZE_T bytes);

// Empties the clipboard and puts the note there as `mode` says, owned by `owner` (which must
// be a window). False when the clipboard could not be opened or filled; a failure after
// emptying leaves it empty rather than half filled.
// The system never frees data in a private format: `noteIdData` receives the id's memory,
// which the owner frees when WM_DESTROYCLIPBOARD tells it the clipboard was emptied.
bool CopyNoteToClipboard(HWND owner, const NOTE_PAD& note, unsigned mode, HGLOBAL* noteIdData = nullptr,
                         GlobalAllocFn alloc = ::GlobalAlloc);

// Quick paste: the note's text alone.
inline bool QuickPaste(HWND owner, const NOTE_PAD& note) { return CopyNoteToClipboard(owner, note, kCopyText); }

// Reads the formats a new note is made from. False when the clipboard holds neither text nor
// dropped files, or cannot be opened.
bool ReadClipboardContent(HWND owner, ClipboardContent& out);

// The URL of an Internet shortcut file (".url"); empty when it cannot be read.
std::u16string InternetShortcutUrl(const std::u16string& path);

// PathIsURLW.
bool IsUrl(const std::u16string& text);

// Text and link of a new note: `text` when given (may be null), else from the clipboard, and
// "<New Note>" from the string table of `strings` (this program when null) when still empty.
void NewNoteContent(NOTE_PAD& note, const std::u16string* text, HWND owner, HINSTANCE strings = nullptr);

}  // namespace zavra
