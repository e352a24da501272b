#include "store/Clipboard_win.h"

#include "framework/Handles.h"  // with <objbase.h>, which the shortcut interface needs first

#include <intshcut.h>
#include <shlwapi.h>

#include <cstring>

#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include "store/NoteLink.h"

// mingw-w64 declares the interface but not its uuid.
#ifdef __MINGW32__
__CRT_UUID_DECL(IUniformResourceLocatorW, 0xCABB0DA0, 0xDA57, 0x11CF, 0x99, 0x74, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x62)
#endif

namespace zavra {

namespace {

// Another program may hold the clipboard for a moment; a few short retries ride that out.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) {
    for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
      if (attempt) ::Sleep(10);
      open_ = ::OpenClipboard(owner) != FALSE;
    }
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  ~ClipboardScope() {
    if (open_) ::CloseClipboard();
  }
  explicit operator bool() const { return open_; }

 private:
  bool open_ = false;
};

class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL h) : h_(h), p_(h ? ::GlobalLock(h) : nullptr), size_(p_ ? ::GlobalSize(h) : 0) {}
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  ~GlobalLockScope() {
    if (p_) ::GlobalUnlock(h_);
  }
  const uint8_t* data() const { return static_cast<const uint8_t*>(p_); }
  uint8_t* data() { return static_cast<uint8_t*>(p_); }
  size_t size() const { return size_; }

 private:
  HGLOBAL h_;
  void* p_;
  size_t size_;
};

HGLOBAL PutData(UINT format, const void* data, size_t bytes, GlobalAllocFn alloc) {
  GlobalMemory memory(alloc(GMEM_MOVEABLE, bytes));
  if (!memory) return nullptr;
  {
    GlobalLockScope lock(memory.get());
    if (!lock.data()) return nullptr;
    std::memcpy(lock.data(), data, bytes);
  }
  if (!::SetClipboardData(format, memory.get())) return nullptr;
  return memory.release();  // the clipboard holds it now
}

std::u16string TextOf(HANDLE h) {
  GlobalLockScope lock(h);
  if (!lock.data()) return {};
  // The terminator is the writer's promise, not ours to rely on.
  const size_t units = lock.size() / 2;
  std::u16string text(units, u'\0');
  std::memcpy(text.data(), lock.data(), units * 2);
  text.resize(std::char_traits<char16_t>::length(text.c_str()));
  return text;
}

}  // namespace

bool CopyNoteToClipboard(HWND owner, const NOTE_PAD& note, unsigned mode, HGLOBAL* noteIdData,
                         GlobalAllocFn alloc) {
  if (noteIdData) *noteIdData = nullptr;
  ClipboardScope clipboard(owner);
  if (!clipboard || !::EmptyClipboard()) return false;
  bool ok = true;
  if (mode & (kCopyText | kCopyLink)) {
    const std::u16string& s = (mode & kCopyLink) ? note.link : note.text;
    ok = PutData(CF_UNICODETEXT, s.c_str(), (s.size() + 1) * sizeof(char16_t), alloc) != nullptr;
  }
  if (ok && (mode & kCopyNoteId)) {
    // Last, so that no failure after it can leave this memory on an emptied clipboard.
    const uint32_t id = note.id;
    HGLOBAL data = PutData(kNoteIdClipboardFormat, &id, sizeof id, alloc);
    ok = data != nullptr;
    if (noteIdData) *noteIdData = data;
  }
  if (!ok) ::EmptyClipboard();
  return ok;
}

bool ReadClipboardContent(HWND owner, ClipboardContent& out) {
  out = ClipboardContent{};
  if (!::IsClipboardFormatAvailable(CF_UNICODETEXT) && !::IsClipboardFormatAvailable(CF_HDROP)) return false;
  {
    ClipboardScope clipboard(owner);
    if (!clipboard) return false;
    if (HANDLE h = ::GetClipboardData(CF_HDROP)) {
      const auto drop = static_cast<HDROP>(h);
      const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
      if (length > 0 && length < 32768) {
        std::wstring path(length + 1, L'\0');
        const UINT got = ::DragQueryFileW(drop, 0, path.data(), length + 1);
        path.resize(got <= length ? got : 0);
        out.dropPath = ToU16(path);
        out.hasDrop = !out.dropPath.empty();
      }
    }
    if (const UINT html = ::RegisterClipboardFormatW(L"HTML Format"); html && ::IsClipboardFormatAvailable(html)) {
      GlobalLockScope lock(::GetClipboardData(html));
      if (lock.data()) out.html.assign(lock.data(), lock.data() + lock.size());
    }
    if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
      out.hasText = true;
      out.text = TextOf(h);
    }
    if (HANDLE h = ::GetClipboardData(kNoteIdClipboardFormat)) {
      GlobalLockScope lock(h);
      if (lock.data() && lock.size() == sizeof(uint32_t)) {
        uint32_t id;
        std::memcpy(&id, lock.data(), sizeof id);
        out.noteId = id;
      }
    }
  }
  // The shortcut is read with the clipboard closed again: loading it may take a while.
  if (out.hasDrop && HasExtension(out.dropPath, u".url")) out.dropUrl = InternetShortcutUrl(out.dropPath);
  return true;
}

std::u16string InternetShortcutUrl(const std::u16string& path) {
  ComInit com;
  ComPtr<IUniformResourceLocatorW> shortcut;
  if (FAILED(::CoCreateInstance(CLSID_InternetShortcut, nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IUniformResourceLocatorW), shortcut.putVoid())))
    return {};
  ComPtr<IPersistFile> file;
  if (FAILED(shortcut.As(file)) || FAILED(file->Load(AsWide(path), STGM_READ))) return {};
  LPWSTR url = nullptr;
  if (FAILED(shortcut->GetURL(&url)) || !url) return {};
  std::u16string result = ToU16(url);
  ::CoTaskMemFree(url);
  return result;
}

bool IsUrl(const std::u16string& text) { return ::PathIsURLW(AsWide(text)) != FALSE; }

void NewNoteContent(NOTE_PAD& note, const std::u16string* text, HWND owner, HINSTANCE strings) {
  ClipboardContent clip;
  const bool read = !text && ReadClipboardContent(owner, clip);
  std::u16string newNote = ToU16(LoadResString(IDS_NEW_NOTE_TEXT, strings));
  if (newNote.empty()) newNote = u"<New Note>";
  FillNewNoteContent(note, text, read ? &clip : nullptr, IsUrl, newNote);
}

}  // namespace zavra
