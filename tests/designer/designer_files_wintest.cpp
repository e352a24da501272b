// Skins in the skin manager, and moved out and in as ".zps" files.
#include "DesignerTestSupport.h"

#include "designer/SkinFiles_win.h"
#include "designer/SkinPackage.h"
#include "skin/LayersFile_win.h"

namespace zavra::test {
namespace {

using S = ModalScript;
using SkinFilesTest = DesignerTest;

std::vector<uint8_t> Noise(size_t n, uint32_t seed) {
  std::vector<uint8_t> b(n);
  for (auto& x : b) x = static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 16);
  return b;
}

// Everything under a folder, as relative paths.
void ListTree(const std::wstring& folder, const std::wstring& prefix, std::vector<std::wstring>& out) {
  WIN32_FIND_DATAW data;
  FindHandle find(::FindFirstFileW((folder + L"*").c_str(), &data));
  for (bool more = static_cast<bool>(find); more; more = ::FindNextFileW(find.get(), &data)) {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    out.push_back(prefix + name);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ListTree(folder + name + L"\\", prefix + name + L"\\", out);
  }
}

// Selects skin `title` in the skin manager and presses `button`.
std::function<void(HWND)> PickSkin(std::wstring title, int button) {
  return [=](HWND manager) {
    LVFINDINFOW find{LVFI_STRING, title.c_str()};
    const LRESULT item = ::SendDlgItemMessageW(manager, IDC_SKINS, LVM_FINDITEMW, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(&find));
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendDlgItemMessageW(manager, IDC_SKINS, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
    S::Press(button)(manager);
  };
}

TEST_F(SkinFilesTest, SkinManagerListsOpensAndDeletesSkins) {
  ASSERT_TRUE(SaveSkinFolder(SkinFolder(L"Good"), DefaultLayers()));
  for (const wchar_t* folder : {L"Empty", L".hidden"}) ::CreateDirectoryW(SkinFolder(folder).c_str(), nullptr);
  {
    ModalScript script({{L"Skin Manager", IDC_SKINS, PickSkin(L"Good", IDOK)}});
    Command(ID_FILE_SKIN_MANAGER);
    ASSERT_TRUE(script.Finish());
  }
  EXPECT_EQ(WindowText(designer), L"Good - Note Designer");
  LRESULT listed = 0;
  {
    ModalScript script({{L"Skin Manager", IDC_SKINS, PickSkin(L"Good", IDC_DELETE)},
                        {L"Note Designer", S::kMessageText, S::Press(IDYES)},
                        {L"Skin Manager", IDC_SKINS, [&](HWND manager) {
                           listed = ::SendDlgItemMessageW(manager, IDC_SKINS, LVM_GETITEMCOUNT, 0, 0);
                           PickSkin(L"Empty", IDOK)(manager);
                         }},
                        {L"Note Designer", S::kMessageText, S::Press(IDOK)}});
    Command(ID_FILE_OPEN);
    ASSERT_TRUE(script.Finish());
    EXPECT_EQ(script.texts[1], L"Delete the selected skin?");
    EXPECT_EQ(script.texts[3], L"Open failed.") << "a folder without a layers file";
  }
  EXPECT_EQ(listed, 1) << "refilled after the delete; folders starting with a dot are not skins";
  EXPECT_EQ(WindowText(designer), L"Good - Note Designer") << "the open document stays";
  Command(ID_FILE_SAVE);
  EXPECT_TRUE(Exists(SkinFolder(L"Good") + L"layers")) << "saving recreates the deleted skin";
  for (const wchar_t* title : {L"", L"..", L"."}) EXPECT_FALSE(DeleteSkinFolder(skins, title, nullptr)) << title;
}

TEST_F(SkinFilesTest, ExportThenImportUnderANewNameKeepsEveryPictureByteForByte) {
  const std::wstring art = FreshFolder(L"art"), out = FreshFolder(L"out"), zps = out + L"Copy.zps";
  const std::vector<uint8_t> own = Noise(3000, 1), other = Noise(70000, 2);
  std::vector<SLAYER> layers = DefaultLayers();
  layers.push_back(PictureLayer(L"a.png"));
  layers.push_back(PictureLayer(art + L"a.png"));
  ASSERT_TRUE(SaveSkinFolder(SkinFolder(L"Src"), layers));
  WriteFileBytes(SkinFolder(L"Src") + L"a.png", own);
  WriteFileBytes(art + L"a.png", other);
  ASSERT_TRUE(dlg->OpenByTitle(L"Src"));
  SelectEntry(6);
  ::SetWindowTextW(PageItem(IDC_COMMENT), L"exported");  // not committed by any selection change
  {
    ModalScript script({{L"Save As", 0x47C, S::FileName(zps)}});
    Command(ID_FILE_EXPORT);
    ASSERT_TRUE(script.Finish());
  }
  const std::vector<uint8_t> exported = ReadFileBytes(zps);
  EXPECT_EQ(exported.size(), 5 + 7 * 568 + 8 + own.size() + 8 + other.size());
  {
    ModalScript script({{L"Open", 0x47C, S::FileName(zps)}});
    Command(ID_FILE_IMPORT);
    ASSERT_TRUE(script.Finish());
  }
  EXPECT_EQ(WindowText(designer), L"Copy - Note Designer");
  EXPECT_EQ(ReadFileBytes(SkinFolder(L"Copy") + L"a.png"), own);
  EXPECT_EQ(ReadFileBytes(SkinFolder(L"Copy") + L"a (2).png"), other) << "same name, other file: a name of its own";
  std::vector<SLAYER> imported;
  ASSERT_EQ(LoadLayersFile(SkinFolder(L"Copy"), imported), kLayersOk);
  EXPECT_EQ(LayerText(imported[0].u.paper.comment), u"exported");
  EXPECT_EQ(ListSkinTitles(skins), (std::vector<std::wstring>{L"Copy", L"Src"})) << "no import folder is left";

  // A picture that has gone makes the export fail, and the earlier export stays as it was.
  ASSERT_TRUE(::DeleteFileW((SkinFolder(L"Copy") + L"a (2).png").c_str()));
  {
    ModalScript script({{L"Save As", 0x47C, S::FileName(zps)},
                        {L"", S::kMessageText, S::Press(IDYES)},  // replace it?
                        {L"Note Designer", S::kMessageText, S::Press(IDOK)}});
    Command(ID_FILE_EXPORT);
    ASSERT_TRUE(script.Finish());
    EXPECT_EQ(script.texts[2], L"Export failed.");
  }
  EXPECT_EQ(ReadFileBytes(zps), exported);
  std::vector<std::wstring> left;
  ListTree(out, L"", left);
  EXPECT_EQ(left, (std::vector<std::wstring>{L"Copy.zps"}));
}

TEST_F(SkinFilesTest, AHostileOrDamagedPackageWritesNothing) {
  ASSERT_TRUE(SaveSkinFolder(SkinFolder(L"Keep"), DefaultLayers()));
  WriteFileBytes(SkinFolder(L"Keep") + L"p.png", {5});
  auto package = [](const std::wstring& name, size_t cut) {
    ZpsContents contents{DefaultLayers(), {}};
    contents.layers.push_back(PictureLayer(name));
    const std::vector<uint8_t> data = Noise(500, 3);
    contents.pictures.push_back({std::u16string(name.begin(), name.end()), data});
    std::vector<uint8_t> file = WriteZps(contents);
    file.resize(file.size() - cut);
    return file;
  };
  const struct {
    const char* what;
    std::vector<uint8_t> file;
    const wchar_t* title;
    int result;
  } cases[] = {
      {"climbing name", package(L"..\\..\\evil.png", 0), L"Evil", kLayersBadFormat},
      {"drive name", package(L"C:\\evil.png", 0), L"Evil", kLayersBadFormat},
      {"cut picture into an existing skin", package(L"p.png", 100), L"Keep", kLayersTruncated},
      {"no layer", {'Z', 'P', 'S', 1, 0}, L"Empty", kLayersBadFormat},
  };
  // The skins folder's parent: where "..\..\evil.png" of a new skin would land.
  const std::wstring in = FreshFolder(L"in") + L"in.zps", around = skins + L"..\\";
  std::vector<std::wstring> before;
  ListTree(around, L"", before);
  for (const auto& c : cases) {
    WriteFileBytes(in, c.file);
    std::vector<SLAYER> layers;
    EXPECT_EQ(ImportSkinFile(in, skins, c.title, layers), c.result) << c.what;
    std::vector<std::wstring> after;
    ListTree(around, L"", after);
    EXPECT_EQ(after, before) << c.what << ": something was written";
  }
  EXPECT_EQ(ReadFileBytes(SkinFolder(L"Keep") + L"p.png"), (std::vector<uint8_t>{5}));
}

}  // namespace
}  // namespace zavra::test
