// The skin designer and the main program together: a skin designed and saved in ZavraNd
// dresses a note of notezavra.
#include <gtest/gtest.h>
#include "designer/DesignerTestSupport.h"
#include "designer/SkinFiles_win.h"
#include "e2e/Programs.h"
#include "framework/Text.h"
#include "store/StoreWin.h"

namespace zavra::test {
namespace {

// A visible control of the designer or of its shown page.
HWND Control(HWND designer, int id) {
  std::pair<int, HWND> find{id, nullptr};
  ::EnumChildWindows(designer, [](HWND h, LPARAM lp) -> BOOL {
    auto* f = reinterpret_cast<std::pair<int, HWND>*>(lp);
    if (::GetDlgCtrlID(h) == f->first && ::IsWindowVisible(h)) f->second = h;
    return !f->second;
  }, reinterpret_cast<LPARAM>(&find));
  return find.second;
}

// The enabled dialog that `owner` (of another program) opened, having control `id`.
HWND WaitForDialog(HWND owner, int id) {
  HWND found = nullptr;
  PumpUntil([&] {
    while ((found = ::FindWindowExW(nullptr, found, L"#32770", nullptr)))
      if (::GetWindow(found, GW_OWNER) == owner && ::IsWindowEnabled(found) && ::GetDlgItem(found, id)) return true;
    return false;
  }, 15000);
  return found;
}

LRESULT Send(HWND h, UINT msg, WPARAM wp, const wchar_t* text = nullptr) {
  return ::SendMessageW(h, msg, wp, reinterpret_cast<LPARAM>(text));
}

class DesignerEndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    StartFromUnsortedOnly();
    std::wstring skin = DesignerSkinsFolder() + L"E2E Skin";
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
  const std::wstring band = FreshFolder(L"art") + L"e2e band.bmp";
  WriteFileBytes(band, TwoColourBmp(40, 20, RGB(220, 0, 0), RGB(0, 0, 220)));

  designer_ = Process::Start(BinDir() + L"ZavraNd.exe", L"");
  // Other tests may show a designer of their own: this one is the program's.
  HWND d = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    DWORD pid = 0;
    while ((d = ::FindWindowExW(nullptr, d, nullptr, L"Untitled - Note Designer")))
      if (::GetWindowThreadProcessId(d, &pid) && pid == designer_.id()) return true;
    return false;
  }, 15000));
  // Paper: a fixed 200 x 120, once its page shows (the window may be visible before it).
  ASSERT_TRUE(PumpUntil([&] { return Control(d, IDC_WIDTH) && Control(d, IDC_SIZE_FIXED); }, 10000));
  Send(Control(d, IDC_SIZE_FREE), BM_SETCHECK, BST_UNCHECKED);
  Send(Control(d, IDC_SIZE_FIXED), BM_SETCHECK, BST_CHECKED);
  Send(Control(d, IDC_WIDTH), WM_SETTEXT, 0, L"200");
  Send(Control(d, IDC_HEIGHT), WM_SETTEXT, 0, L"120");
  // With the paper selected, "Add" puts a picture just over it and asks for the file.
  ::PostMessageW(d, WM_COMMAND, IDC_ADD, 0);
  HWND open = WaitForDialog(d, 0x47C);
  ASSERT_TRUE(open) << "no file dialog";
  Send(::GetDlgItem(open, 0x47C), WM_SETTEXT, 0, band.c_str());
  ::PostMessageW(open, WM_COMMAND, IDOK, 0);
  HWND list = Control(d, IDC_LAYERS);
  ASSERT_TRUE(PumpUntil([&] { return Send(list, LB_GETCOUNT, 0) == 6; }, 10000));
  // Tiled across the top.
  Send(Control(d, IDC_DISPLAY_ORIGINAL), BM_SETCHECK, BST_UNCHECKED);
  Send(Control(d, IDC_DISPLAY_TILE), BM_SETCHECK, BST_CHECKED);
  Send(Control(d, IDC_ADJUST_X), BM_SETCHECK, BST_CHECKED);
  Send(Control(d, IDC_POSITION), CB_SETCURSEL, 1);

  ::PostMessageW(d, WM_COMMAND, ID_FILE_SAVE, 0);
  HWND saveAs = WaitForDialog(d, IDC_TITLE);
  ASSERT_TRUE(saveAs) << "no Save As dialog for an untitled skin";
  Send(::GetDlgItem(saveAs, IDC_TITLE), WM_SETTEXT, 0, L"E2E Skin");
  ::PostMessageW(saveAs, WM_COMMAND, IDOK, 0);
  const std::wstring layers = DesignerSkinsFolder() + L"E2E Skin\\layers";
  ASSERT_TRUE(PumpUntil([&] { return ::GetFileAttributesW(layers.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000));
  EXPECT_TRUE(PumpUntil([&] { return WindowText(d) == L"E2E Skin - Note Designer"; }));
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
  EXPECT_TRUE(GetBValue(blue) > 150 && GetGValue(blue) < 30 && GetRValue(blue) < 30) << std::hex << blue << ": blue half";
}

}  // namespace
}  // namespace zavra::test
