#pragma once
// A main window in the test process, on a private data folder and private registry keys, with
// a clock the test can drive.
#include <gtest/gtest.h>
#include "app/MainWnd_win.h"
#include "framework/Text.h"
#include "store/StoreWin.h"
#include <shellapi.h>
#include <shlwapi.h>
#include <memory>
#include <string>
#include <vector>

namespace zavra::test {

inline std::wstring BinDir() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  ::PathRemoveFileSpecW(path);
  return std::wstring(path) + L"\\";
}

inline void RemoveTree(const std::wstring& folder) {
  std::wstring from = folder;
  if (!from.empty() && from.back() == L'\\') from.pop_back();
  from.push_back(L'\0');
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  ::SHFileOperationW(&op);
}

class MainWindowFixture : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    data_ = std::wstring(temp) + L"zavra-mainwnd-test\\";
    RemoveTree(data_);
    ::CreateDirectoryW(data_.c_str(), nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\ZavraTest");
    registry_ = std::make_unique<Win32Registry>(u"SOFTWARE\\ZavraTest\\Ids", u"SOFTWARE\\ZavraTest\\Settings");
    store_ = std::make_unique<NoteStore>(files_, *registry_, ToU16(data_), [this] { return Now(); });
  }
  void TearDown() override {
    main_.reset();
    RemoveTree(data_);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\ZavraTest");
    // The destroyed main window asked the loop to end; this test's loop goes on.
    MSG m;
    while (::PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  // The real time unless the test set its own.
  int64_t Now() const { return now_ ? now_ : static_cast<int64_t>(std::time(nullptr)); }

  CMainWnd& Start(bool firstRun = false) {
    MainEnvironment env;
    env.folders.program = BinDir();
    env.folders.data = data_;
    env.folders.iconStrip = BinDir() + L"icons.bmp";
    env.files = &files_;
    env.registry = registry_.get();
    env.firstRun = firstRun;
    env.clock = [this] { return Now(); };
    main_ = std::make_unique<CMainWnd>(std::move(env));
    EXPECT_TRUE(main_->Create());
    return *main_;
  }

  uint32_t AddCategory(uint32_t id, const char16_t* name, uint16_t icon = 0, uint32_t flags = kCateAutoDelete) {
    NOTE_CATE c;
    c.id = id;
    c.name = name;
    c.icon = icon;
    c.flags = flags;
    EXPECT_TRUE(store_->SaveCategory(c, false));
    return c.id;
  }
  uint32_t AddNote(const char16_t* text, uint16_t category) {
    NOTE_PAD n;
    n.text = text;
    n.category = category;
    EXPECT_TRUE(store_->SaveNote(n));
    return n.id;
  }
  void SetList(const char16_t* name, const std::vector<uint32_t>& ids) {
    std::vector<uint8_t> b;
    for (uint32_t id : ids)
      for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(id >> (8 * i)));
    registry_->OpenSettingsKey()->SetBinary(name, b);
  }
  void SetDword(const char16_t* name, uint32_t v) { registry_->OpenSettingsKey()->SetDword(name, v); }
  std::vector<NOTE_PAD> AllNotes() {
    std::vector<NOTE_PAD> notes;
    store_->ScanNotes(NoteFilter{}, [&](const NOTE_PAD& n) { notes.push_back(n); });
    return notes;
  }

  int64_t now_ = 0;
  std::wstring data_;
  Win32FileSystem files_;
  std::unique_ptr<Win32Registry> registry_;
  std::unique_ptr<NoteStore> store_;
  std::unique_ptr<CMainWnd> main_;
};

}  // namespace zavra::test
