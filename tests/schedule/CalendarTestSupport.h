#pragma once
// A calendar window hosted by the test: a real store in a private data folder, settings in
// memory, a clock the test sets, and every host operation recorded. The store's announcements
// reach the calendar as the main window would pass them on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WinTestUtil.h"
#include <shellapi.h>
#include "app/CalendarNames_win.h"
#include "app/MainWnd_win.h"
#include "framework/GdiPlus.h"
#include "framework/Text.h"
#include "schedule/ScheduleWnd_win.h"
#include "store/MemoryRegistry.h"
#include "store/StoreWin.h"

namespace zavra::test {

inline std::wstring CalendarTestFolder(const wchar_t* name) {
  static const bool gdiplus = [] {
    static ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  EXPECT_TRUE(gdiplus);
  static int counter = 0;
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring f = std::wstring(temp) + L"zavra-calendar-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
  ::CreateDirectoryW(f.c_str(), nullptr);
  f += name + std::to_wstring(++counter) + L"\\";
  // Process ids come round again: a folder of an earlier run must not leave its notes here.
  std::wstring from = f.substr(0, f.size() - 1) + L'\0' + L'\0';
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  ::SHFileOperationW(&op);
  ::CreateDirectoryW(f.c_str(), nullptr);
  return f;
}

inline std::wstring ProgramDir() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.rfind(L'\\') + 1);
}

class CalendarFixture : public testing::Test, private StoreObserver {
 protected:
  CalendarFixture() : store(files, registry, ToU16(CalendarTestFolder(L"data")), [this] { return now; }) {
    store.Subscribe(this);
    store.CreateFirstCategory();
    names = LoadCalendarNames(::GetModuleHandleW(nullptr));
  }
  ~CalendarFixture() override {
    Close();
    store.Unsubscribe(this);
  }

  class Host final : public ICalendarHost {
   public:
    explicit Host(CalendarFixture& f) : f_(f) {}
    NoteStore& Store() override { return f_.store; }
    const Settings& AppSettings() override { return f_.settings; }
    std::unique_ptr<IRegistryKey> SettingsKey() override { return f_.registry.OpenSettingsKey(); }
    const CalendarNames& Names() override { return f_.names; }
    std::wstring IconStripPath() override { return ProgramDir() + L"icons.bmp"; }
    int64_t Now() override { return f_.now; }
    void OpenNote(const NOTE_PAD& n) override { f_.Record("open", n.id); }
    void LaunchLink(const NOTE_PAD& n) override { f_.Record("launch", n.id); }
    void DuplicateNote(const NOTE_PAD& n) override { f_.Record("duplicate", n.id); }
    void CopyNote(const NOTE_PAD& n) override { f_.Record("copy", n.id); }
    void SaveCopyAs(const NOTE_PAD& n, HWND) override { f_.Record("saveCopyAs", n.id); }
    void EditNote(const NOTE_PAD& n, HWND) override { f_.Record("edit", n.id); }
    bool DeleteNote(const NOTE_PAD& n, HWND) override {
      f_.Record("delete", n.id);
      return f_.store.DeleteNote(n.id);
    }
    void NewNoteOn(int64_t day, HWND) override { f_.Record("new", day); }
    void OpenPadAt(int64_t time, const NOTE_PAD* n) override { f_.Record("pad", n ? n->id : 0); }
    void CalendarGone() override { f_.Record("gone", 0); }

   private:
    CalendarFixture& f_;
  };

  // A calendar showing the month of `at` (0: now), visible and painted.
  CScheduleWnd* Open(int64_t at = 0, const NOTE_PAD* note = nullptr) {
    window = new CScheduleWnd(std::make_unique<Host>(*this));
    if (!window->Create()) {
      ADD_FAILURE() << "calendar not created";
      return nullptr;
    }
    window->ShowInCalendar(note, at);
    ::ShowWindow(*window, SW_SHOWNOACTIVATE);
    ::UpdateWindow(*window);
    return window;
  }
  void Close() {
    if (!window) return;
    if (window->GetSafeHwnd()) window->DestroyWindow();
    window->Release();
    window = nullptr;
  }

  void Record(const char* what, int64_t value) { calls.push_back(std::string(what) + ":" + std::to_string(value)); }
  bool Called(const std::string& what) const { return std::find(calls.begin(), calls.end(), what) != calls.end(); }

  int64_t DayStart(int64_t y, int m, int d) const { return MachineLocalTime().DayStart(DayNumber(y, m, d)); }
  // A note shown on the calendar, saved: one-time from day `d1` to `d2` (of `endMonth`, when
  // given), or every `weeks` weeks on the weekday of `d`.
  uint32_t AddEvent(const std::u16string& text, int64_t y, int m, int d1, int d2, int hour = 9,
                    COLORREF paper = 0x00A0E0FF, int endMonth = 0, int weeks = 0) {
    NOTE_PAD n;
    n.text = text;
    n.flags = kNoteOnCalendar | kNoteScheduled | kNoteOwnPaperColor | (weeks ? uint32_t{kNoteOpenEnded} : 0u);
    n.paperColor = paper;
    n.start = DayStart(y, m, d1);
    n.end = DayStart(y, endMonth ? endMonth : m, d2);
    n.timeFrom = hour * 3600;
    if (weeks) {
      n.repeatKind = kRepeatWeekly;
      n.repeatInterval = static_cast<uint8_t>(weeks);
      n.repeatParam = static_cast<uint16_t>(1u << WeekdayOfDay(DayNumber(y, m, d1)));
    }
    EXPECT_TRUE(store.SaveNote(n));
    return n.id;
  }
  uint32_t AddWeekly(const std::u16string& text, int64_t y, int m, int d, int weeks, int hour = 8,
                     COLORREF paper = 0x00F0B070) {
    return AddEvent(text, y, m, d, d, hour, paper, 0, weeks);
  }

  // A pixel of the client area as the window draws it (0x00BBGGRR).
  COLORREF PixelAt(int x, int y) {
    RECT client{};
    ::GetClientRect(*window, &client);
    WindowDC screen(nullptr);
    MemoryDC dc(::CreateCompatibleDC(screen.get()));
    BitmapHandle bitmap(::CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    SelectObjectScope select(dc.get(), bitmap.get());
    window->PaintTo(dc.get());
    return ::GetPixel(dc.get(), x, y);
  }

  int64_t now = 0;
  Settings settings;
  MemoryRegistry registry;
  Win32FileSystem files;
  NoteStore store;
  CalendarNames names;
  std::vector<std::string> calls;
  CScheduleWnd* window = nullptr;

 private:
  void OnNoteChanged(const NOTE_PAD& note) override {
    if (window && window->GetSafeHwnd())
      ::SendMessageW(*window, WM_NOTE_NOTIFY, kNotifyNoteChanged, reinterpret_cast<LPARAM>(&note));
  }
  void OnNoteDeleted(uint32_t id) override {
    if (window && window->GetSafeHwnd()) ::SendMessageW(*window, WM_NOTE_NOTIFY, kNotifyNoteDeleted, id);
  }
};

}  // namespace zavra::test
