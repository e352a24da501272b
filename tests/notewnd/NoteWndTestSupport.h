#pragma once
// Note windows hosted by a fake program: real store in a private data folder, settings and
// monitors the test chooses, and every host operation recorded.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "notewnd/NoteWnd_win.h"  // first: see there
#include "WinTestUtil.h"
#include "app/MainWnd_win.h"
#include "framework/GdiPlus.h"
#include "framework/Text.h"
#include "notewnd/NoteWindowHost.h"
#include "notewnd/NoteWnd_win.h"
#include "skin/SkinLists_win.h"
#include "store/MemoryRegistry.h"
#include "store/NoteStore.h"
#include "store/StoreWin.h"

namespace zavra::test {

// GDI+ and the skin lists for the whole process, on a private skins folder.
inline const std::wstring& NoteTestSkins() {
  static const std::wstring folder = [] {
    static ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring f = std::wstring(temp) + L"zavra-notewnd-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ::CreateDirectoryW(f.c_str(), nullptr);
    f += L"skins\\";
    ::CreateDirectoryW(f.c_str(), nullptr);
    InitSkinLists(f);
    return f;
  }();
  return folder;
}

// A fresh private data folder for one test.
inline std::wstring FreshDataFolder() {
  static int counter = 0;
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring f = std::wstring(temp) + L"zavra-notewnd-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
  ::CreateDirectoryW(f.c_str(), nullptr);
  f += L"data" + std::to_wstring(++counter) + L"\\";
  ::CreateDirectoryW(f.c_str(), nullptr);
  return f;
}

inline bool FileExists(const std::u16string& path) {
  return ::GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES;
}

class FakeHost : public INoteWindowHost, private StoreObserver {
 public:
  FakeHost() : store(files, registry, ToU16(FreshDataFolder())) {
    NoteTestSkins();
    store.Subscribe(this);
    store.CreateFirstCategory();
  }
  ~FakeHost() {
    closing = true;
    windows.clear();
    store.Unsubscribe(this);
  }

  // Opens a window on a saved copy of `note`.
  CNoteWnd* Open(NOTE_PAD note, int mode = kOpenRestore, int topmost = 0, CNoteWnd::Clock clock = nullptr) {
    if (!note.id) {
      EXPECT_TRUE(store.SaveNote(note));
    }
    auto window = std::make_unique<CNoteWnd>(*this);
    if (clock) window->SetClock(std::move(clock));
    CNoteWnd* w = window.get();
    windows.push_back(std::move(window));
    if (!w->Create(note, mode, topmost)) {
      ADD_FAILURE() << "note window not created";
      return nullptr;
    }
    return w;
  }
  bool IsOpen(const CNoteWnd* w) const {
    return std::any_of(windows.begin(), windows.end(), [&](const auto& p) { return p.get() == w; });
  }

  // --- INoteWindowHost ---
  const Settings& NoteSettings() const override { return settings; }
  AlarmTipSettings AlarmTip() const override { return tip; }
  NoteStore& Store() override { return store; }
  std::vector<RECT32> OtherNoteRects(const CNoteWnd* self) override {
    std::vector<RECT32> out = extraRects;
    for (const auto& w : windows)
      if (w.get() != self && w->GetSafeHwnd()) out.push_back(FromWinRect(w->PaperScreenRect()));
    return out;
  }
  std::vector<MonitorArea> Monitors() override { return monitors; }
  std::wstring ProgramFolder() override {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    return p.substr(0, p.rfind(L'\\') + 1);
  }
  bool DeleteNote(const NOTE_PAD& note, HWND) override {
    calls.push_back("delete");
    return store.DeleteNote(note.id);
  }
  void DuplicateNote(const NOTE_PAD&) override { calls.push_back("duplicate"); }
  void SaveCopyAs(const NOTE_PAD&, HWND) override { calls.push_back("saveCopyAs"); }
  void LaunchLink(const NOTE_PAD& note) override { calls.push_back("launch:" + Narrow(note.link)); }
  void CopyNote(const NOTE_PAD& note, unsigned mode) override {
    calls.push_back("copy:" + std::to_string(mode) + ":" + std::to_string(note.id));
  }
  void EditNote(const NOTE_PAD&, HWND) override { calls.push_back("edit"); }
  void TrackNote(const NOTE_PAD&) override { calls.push_back("track"); }
  void CosmeticsCommand(UINT command, const NOTE_PAD&, HWND) override {
    calls.push_back("cosmetics:" + std::to_string(command));
  }
  std::optional<SkinChoice> ChooseSkin(const NOTE_PAD&, HWND) override { return skinChoice; }
  int ChooseReopenMinutes(HWND) override { return customMinutes; }
  void ReopenAfter(uint32_t id, int64_t seconds) override {
    calls.push_back("reopen:" + std::to_string(id) + ":" + std::to_string(seconds));
  }
  void AddToRecent(uint32_t id) override { calls.push_back("recent:" + std::to_string(id)); }
  void OpenPad(int category) override { calls.push_back("pad:" + std::to_string(category)); }
  void OpenCalendarAt(int64_t time) override { calls.push_back("calendar:" + std::to_string(time)); }
  void NewNoteIn(int category) override { calls.push_back("new:" + std::to_string(category)); }
  void SaveDefaultSizeAndPos(int32_t w, int32_t h, int32_t x, int32_t y) override {
    calls.push_back("sizepos:" + std::to_string(w) + "x" + std::to_string(h));
  }
  void NotesOnTopChanged() override { calls.push_back("ontop"); }
  void NoteWindowClosed(CNoteWnd*) override { calls.push_back("closed"); }
  void NoteWindowGone(CNoteWnd* window) override {
    if (closing) return;  // the list is being emptied
    auto it = std::find_if(windows.begin(), windows.end(), [&](const auto& p) { return p.get() == window; });
    if (it != windows.end()) {
      // Kept until the host ends: a test may still hold the pointer.
      goneOwned.push_back(std::move(*it));
      windows.erase(it);
    }
  }

  static std::string Narrow(const std::u16string& s) {
    std::string out;
    for (char16_t c : s) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
  }
  bool Called(const std::string& what) const { return std::find(calls.begin(), calls.end(), what) != calls.end(); }

  Settings settings;
  AlarmTipSettings tip;
  MemoryRegistry registry;
  Win32FileSystem files;
  NoteStore store;
  std::vector<MonitorArea> monitors;
  std::vector<RECT32> extraRects;
  std::optional<SkinChoice> skinChoice;
  int customMinutes = 0;
  std::vector<std::string> calls;
  std::vector<std::unique_ptr<CNoteWnd>> windows;
  std::vector<std::unique_ptr<CNoteWnd>> goneOwned;
  bool closing = false;

 private:
  // The main window's part: the store's announcements reach the open windows.
  void OnNoteChanged(const NOTE_PAD& note) override {
    for (size_t i = 0; i < windows.size(); ++i)
      if (windows[i]->GetSafeHwnd() && windows[i]->noteId() == note.id)
        ::SendMessageW(*windows[i], WM_NOTE_NOTIFY, kNotifyNoteChanged, reinterpret_cast<LPARAM>(&note));
  }
  void OnNoteDeleted(uint32_t id) override {
    for (size_t i = 0; i < windows.size(); ++i)
      if (windows[i]->GetSafeHwnd() && windows[i]->noteId() == id) {
        ::SendMessageW(*windows[i], WM_NOTE_NOTIFY, kNotifyNoteDeleted, 0);
        break;  // the window left the list
      }
  }
};

inline NOTE_PAD PlainNote(const std::u16string& text, RECT32 rect = {100, 100, 260, 200}) {
  NOTE_PAD note;
  note.text = text;
  note.rect = rect;
  return note;
}

}  // namespace zavra::test
