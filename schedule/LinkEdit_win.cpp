#include "schedule/LinkEdit_win.h"

#include <cstring>
#include <optional>
#include <string>

#include "framework/Text.h"
#include "schedule/NoteEdit.h"
#include "store/Clipboard_win.h"

namespace zavra {

namespace {

std::u16string FirstDroppedFile(HDROP drop) {
  const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
  if (length == 0 || length >= 32768) return {};
  std::wstring path(length + 1, L'\0');
  const UINT got = ::DragQueryFileW(drop, 0, path.data(), length + 1);
  path.resize(got <= length ? got : 0);
  return ToU16(path);
}

}  // namespace

bool CLinkEdit::Attach(HWND dialog, int id) {
  if (!SubclassDlgItem(static_cast<UINT>(id), dialog)) return false;
  ::DragAcceptFiles(GetSafeHwnd(), TRUE);
  return true;
}

void CLinkEdit::SetLink(const std::u16string& link) {
  ::SetWindowTextW(GetSafeHwnd(), AsWide(link));
  ::SendMessageW(GetSafeHwnd(), EM_SETSEL, link.size(), link.size());
}

bool CLinkEdit::PasteLink() {
  std::optional<uint32_t> noteId;
  std::u16string file;
  if (!::OpenClipboard(GetSafeHwnd())) return false;
  if (HANDLE h = ::GetClipboardData(kNoteIdClipboardFormat)) {
    if (const void* p = ::GlobalLock(h)) {
      if (::GlobalSize(h) == sizeof(uint32_t)) {
        uint32_t id = 0;
        std::memcpy(&id, p, sizeof id);
        noteId = id;
      }
      ::GlobalUnlock(h);
    }
  }
  if (!noteId)
    if (HANDLE h = ::GetClipboardData(CF_HDROP)) file = FirstDroppedFile(static_cast<HDROP>(h));
  ::CloseClipboard();
  const std::optional<std::u16string> link = PastedLink(noteId, file);
  if (!link) return false;
  SetLink(*link);
  return true;
}

LRESULT CLinkEdit::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PASTE:
      if (PasteLink()) return 0;
      break;
    case WM_DROPFILES: {
      const auto drop = reinterpret_cast<HDROP>(wp);
      const std::u16string file = FirstDroppedFile(drop);
      ::DragFinish(drop);
      if (!file.empty()) SetLink(QuotedPath(file));
      return 0;
    }
    default:
      break;
  }
  return CTextEdit::WindowProc(msg, wp, lp);
}

}  // namespace zavra
