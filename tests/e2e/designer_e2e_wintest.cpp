// The skin designer and the main program together: a skin designed and saved in ZavraNd
// dresses a note of notezavra.
#include <gtest/gtest.h>
#include <shlobj.h>
#include "WinTestUtil.h"
#include "e2e/Programs.h"
#include "framework/Text.h"
#include "resources/ZavraNd_res.h"
#include "store/StoreWin.h"
#include <vector>

namespace zavra::test {
namespace {

std::wstring SkinsFolder() {
  wchar_t documents[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, 0, documents);
  return std::wstring(documents) + L"\\ZaVRA Skins\\";
}

// A control of the designer or of one of its pages, by id.
HWND Control(HWND designer, int id) {
  struct Find {
    int id;
    HWND found;
  } find{id, nullptr};
  ::EnumChildWindows(designer, [](HWND h, LPARAM lp) -> BOOL {
    auto* f = reinterpret_cast<Find*>(lp);
    if (::GetDlgCtrlID(h) != f->id || !::IsWindowVisible(h)) return TRUE;
    f->found = h;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

// The enabled dialog of another program owned by `owner` that has control `id`.
HWND WaitForDialog(HWND owner, int id) {
  HWND found = nullptr;
  PumpUntil([&] {
    for (HWND h = nullptr; (h = ::FindWindowExW(nullptr, h, L"#32770", nullptr));)
      if (::GetWindow(h, GW_OWNER) == owner && ::IsWindowEnabled(h) && ::IsWindowVisible(h) && ::GetDlgItem(h, id))
        return (found = h) != nullptr;
    return false;
  }, 15000);
  return found;
}

void Check(HWND designer, int id, bool on) {
  ::SendMessageW(Control(designer, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetText(HWND h, const std::wstring& text) { ::SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }

// A 24-bit BMP: red and blue halves.
void WriteBand(const std::wstring& path) {
  const int w = 40, h = 20, row = w * 3;
  std::vector<uint8_t> b(54 + row * h, 0);
  auto put32 = [&](size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i)); };
  b[0] = 'B', b[1] = 'M', b[26] = 1, b[28] = 24;
  put32(2, static_cast<uint32_t>(b.size())), put32(10, 54), put32(14, 40), put32(18, w), put32(22, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b[54 + y * row + x * 3 + (x < w / 2 ? 2 : 0)] = 220;
  FileHandle f(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD n = 0;
  ::WriteFile(f.get(), b.data(), static_cast<DWORD>(b.size()), &n, nullptr);
}

class DesignerEndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    StartFromUnsortedOnly();
    std::wstring skin = SkinsFolder() + L"E2E Skin";
    skin.push_back(L'\0');
    SHFILEOPSTRUCTW op{nullptr, FO_DELETE, skin.c_str(), nullptr, FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI};
    ::SHFileOperationW(&op);
  }
  void TearDown() override {
    designer_.Kill();
    StopResidentCopy();
  }
  Process designer_;
};

TEST_F(DesignerEndToEnd, ASkinDesignedAndSavedDressesANote) {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring band = std::wstring(temp) + L"e2e band.bmp";
  WriteBand(band);

  designer_ = Process::Start(BinDir() + L"ZavraNd.exe", L"");
  HWND d = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (d = ::FindWindowW(nullptr, L"Untitled - Note Designer")) != nullptr; }, 15000));
  // Paper: a fixed 200 x 120.
  Check(d, IDC_SIZE_FREE, false);
  Check(d, IDC_SIZE_FIXED, true);
  SetText(Control(d, IDC_WIDTH), L"200");
  SetText(Control(d, IDC_HEIGHT), L"120");
  // With the paper selected, "Add" puts a picture just over it and asks for the file.
  ::PostMessageW(d, WM_COMMAND, IDC_ADD, 0);
  HWND open = WaitForDialog(d, 0x47C);
  ASSERT_TRUE(open) << "no file dialog";
  SetText(::GetDlgItem(open, 0x47C), band);
  ::PostMessageW(open, WM_COMMAND, IDOK, 0);
  HWND list = Control(d, IDC_LAYERS);
  ASSERT_TRUE(PumpUntil([&] { return ::SendMessageW(list, LB_GETCOUNT, 0, 0) == 6; }, 10000));
  wchar_t entry[64] = {};
  PumpUntil([&] { ::SendMessageW(list, LB_GETTEXT, 4, reinterpret_cast<LPARAM>(entry)); return std::wstring(entry) != L"(Image)"; }, 10000);
  EXPECT_EQ(std::wstring(entry), L"e2e band.bmp");
  // Tiled across the top.
  Check(d, IDC_DISPLAY_ORIGINAL, false);
  Check(d, IDC_DISPLAY_TILE, true);
  Check(d, IDC_ADJUST_X, true);
  ::SendMessageW(Control(d, IDC_POSITION), CB_SETCURSEL, 1, 0);

  ::PostMessageW(d, WM_COMMAND, ID_FILE_SAVE, 0);
  HWND saveAs = WaitForDialog(d, IDC_TITLE);
  ASSERT_TRUE(saveAs) << "no Save As dialog for an untitled skin";
  SetText(::GetDlgItem(saveAs, IDC_TITLE), L"E2E Skin");
  ::PostMessageW(saveAs, WM_COMMAND, IDOK, 0);
  const std::wstring layers = SkinsFolder() + L"E2E Skin\\layers";
  ASSERT_TRUE(PumpUntil([&] { return ::GetFileAttributesW(layers.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000));
  EXPECT_TRUE(PumpUntil([&] { return ::FindWindowW(nullptr, L"E2E Skin - Note Designer") != nullptr; }, 5000));
  ::PostMessageW(d, WM_CLOSE, 0, 0);
  EXPECT_EQ(designer_.Wait(10000), 0) << "the designer ends with its window";

  // A note of the main program takes the skin through its record.
  Process main = Process::Start(BinDir() + L"notezavra.exe", L"");
  ASSERT_TRUE(WaitForMainWindow());
  EXPECT_EQ(Process::Start(BinDir() + L"ZavraL.exe", L"/n1 Skinned by the designer").Wait(5000), 0);
  Win32FileSystem files;
  Win32Registry registry;
  NoteStore store(files, registry, ToU16(DataDir()));
  std::vector<NOTE_PAD> notes;
  ASSERT_TRUE(PumpUntil([&] {
    notes.clear();
    store.ScanNotes(NoteFilter{}, [&](const NOTE_PAD& n) { notes.push_back(n); });
    return notes.size() == 1;
  }, 10000));
  StopResidentCopy();
  notes[0].skin = u"E2E Skin";
  notes[0].flags |= kNoteOwnSkin;
  ASSERT_TRUE(store.SaveNote(notes[0]));
  main = Process::Start(BinDir() + L"notezavra.exe", L"");
  ASSERT_TRUE(WaitForMainWindow());
  HWND note = nullptr;
  ASSERT_TRUE(PumpUntil([&] { note = ::FindWindowW(nullptr, L"QZ[Note]"); return note && ::IsWindowVisible(note); }, 10000));
  Pump(1500);
  RECT r{};
  ::GetWindowRect(note, &r);
  EXPECT_EQ(r.right - r.left, 200) << "the fixed paper size of the designed skin";
  EXPECT_EQ(r.bottom - r.top, 120);
  (void)SaveScreenshot(ScreenshotPath(L"e2e_designer_skin_note.png"));
  HDC screen = ::GetDC(nullptr);
  const COLORREF red = ::GetPixel(screen, r.left + 5, r.top + 5), blue = ::GetPixel(screen, r.left + 25, r.top + 5);
  ::ReleaseDC(nullptr, screen);
  // Notes are a little translucent: the colours come out darker over the black screen.
  EXPECT_TRUE(GetRValue(red) > 150 && GetGValue(red) < 30 && GetBValue(red) < 30)
      << std::hex << red << ": the band's red half, drawn by the main program";
  EXPECT_TRUE(GetBValue(blue) > 150 && GetGValue(blue) < 30 && GetRValue(blue) < 30) << std::hex << blue << ": and its blue half";
}

}  // namespace
}  // namespace zavra::test
