// Skins moved out and in as ".zps" files, through the designer's menu and on their own.
#include "DesignerTestSupport.h"

#include "designer/SkinFiles_win.h"
#include "designer/SkinPackage.h"
#include "skin/LayersFile_win.h"

namespace zavra::test {
namespace {

std::vector<uint8_t> Noise(size_t n, uint32_t seed) {
  std::vector<uint8_t> b(n);
  for (auto& x : b) x = static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 16);
  return b;
}

SLAYER Picture(const std::wstring& name) {
  SLAYER layer = MakeLayer(kLayerImage);
  SetLayerText(layer.u.image.picture, std::u16string(name.begin(), name.end()));
  return layer;
}

// Everything in a folder, sub-folders included, as relative paths.
void ListTree(const std::wstring& folder, const std::wstring& prefix, std::vector<std::wstring>& out) {
  WIN32_FIND_DATAW data;
  FindHandle find(::FindFirstFileW((folder + L"*").c_str(), &data));
  if (!find) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    out.push_back(prefix + name);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ListTree(folder + name + L"\\", prefix + name + L"\\", out);
  } while (::FindNextFileW(find.get(), &data));
}

// Selects the skin `title` in the skin manager's list and presses `button`.
std::function<void(HWND)> PickSkin(std::wstring title, int button) {
  return [=](HWND manager) {
    HWND list = ::GetDlgItem(manager, IDC_SKINS);
    LVFINDINFOW find{LVFI_STRING, title.c_str()};
    const LRESULT item = ::SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
    ::PostMessageW(manager, WM_COMMAND, button, 0);
  };
}

using SkinFilesTest = DesignerTest;

TEST_F(SkinFilesTest, SkinManagerListsOpensAndDeletesSkins) {
  for (const wchar_t* folder : {L"Good", L"Empty", L".hidden"}) ::CreateDirectoryW(SkinFolder(folder).c_str(), nullptr);
  std::vector<SLAYER> layers = DefaultLayers();
  layers.push_back(Picture(L"x.png"));
  ASSERT_EQ(SaveLayersFile(SkinFolder(L"Good"), layers), kLayersOk);
  size_t listed = 0;
  {
    ModalScript script({{L"Skin Manager", IDC_SKINS,
                         [&](HWND manager) {
                           listed = static_cast<size_t>(::SendDlgItemMessageW(manager, IDC_SKINS, LVM_GETITEMCOUNT, 0, 0));
                           PickSkin(L"Empty", IDOK)(manager);
                         }},
                        {L"Note Designer", ModalScript::kMessageText, ModalScript::Press(IDOK)}});
    Command(ID_FILE_OPEN);
    ASSERT_TRUE(script.Finish());
    EXPECT_EQ(script.texts[1], L"Open failed.") << "a folder without a layers file";
  }
  EXPECT_EQ(listed, 2u) << "folders starting with a dot are not skins";
  EXPECT_EQ(WindowText(designer), L"Untitled - Note Designer");
  {
    ModalScript script({{L"Skin Manager", IDC_SKINS, PickSkin(L"Good", IDOK)}});
    Command(ID_FILE_SKIN_MANAGER);
    ASSERT_TRUE(script.Finish());
  }
  EXPECT_EQ(WindowText(designer), L"Good - Note Designer");
  EXPECT_EQ(ListTexts()[0], L"x.png");
  {
    ModalScript script({{L"Skin Manager", IDC_SKINS, PickSkin(L"Good", IDC_DELETE)},
                        {L"Note Designer", ModalScript::kMessageText, ModalScript::Press(IDYES)},
                        {L"Skin Manager", IDC_SKINS, ModalScript::Press(IDCANCEL)}});
    Command(ID_FILE_OPEN);
    ASSERT_TRUE(script.Finish());
    EXPECT_EQ(script.texts[1], L"Delete the selected skin?");
  }
  EXPECT_FALSE(Exists(SkinFolder(L"Good")));
  EXPECT_EQ(WindowText(designer), L"Good - Note Designer") << "the open document stays";
  Command(ID_FILE_SAVE);
  EXPECT_TRUE(Exists(SkinFolder(L"Good") + L"layers")) << "saving recreates the deleted skin";
}

TEST_F(SkinFilesTest, ExportThenImportUnderANewNameKeepsEveryPictureByteForByte) {
  const std::wstring art = FreshFolder(L"art"), out = FreshFolder(L"out");
  const std::vector<uint8_t> own = Noise(3000, 1), other = Noise(70000, 2);
  ::CreateDirectoryW(SkinFolder(L"Src").c_str(), nullptr);
  WriteFileBytes(SkinFolder(L"Src") + L"a.png", own);
  WriteFileBytes(art + L"a.png", other);
  std::vector<SLAYER> layers = DefaultLayers();
  layers.push_back(Picture(L"a.png"));
  layers.push_back(Picture(art + L"a.png"));
  ASSERT_EQ(SaveLayersFile(SkinFolder(L"Src"), layers), kLayersOk);
  ASSERT_TRUE(dlg->OpenByTitle(L"Src"));
  // An edit not yet committed by any selection change is exported too.
  SelectEntry(6);
  ::SetWindowTextW(PageItem(IDC_COMMENT), L"exported");

  const std::wstring zps = out + L"Copy.zps";
  {
    ModalScript script({{L"Save As", 0x47C, ModalScript::FileName(zps)}});
    Command(ID_FILE_EXPORT);
    ASSERT_TRUE(script.Finish());
  }
  const std::vector<uint8_t> exported = ReadFileBytes(zps);
  EXPECT_EQ(exported.size(), 5 + 7 * 568 + 8 + own.size() + 8 + other.size());
  {
    ModalScript script({{L"Open", 0x47C, ModalScript::FileName(zps)}});
    Command(ID_FILE_IMPORT);
    ASSERT_TRUE(script.Finish());
  }
  EXPECT_EQ(WindowText(designer), L"Copy - Note Designer");
  EXPECT_EQ(ReadFileBytes(SkinFolder(L"Copy") + L"a.png"), own);
  EXPECT_EQ(ReadFileBytes(SkinFolder(L"Copy") + L"a (2).png"), other) << "same name, other file: a name of its own";
  std::vector<SLAYER> imported;
  ASSERT_EQ(LoadLayersFile(SkinFolder(L"Copy"), imported), kLayersOk);
  ASSERT_EQ(imported.size(), 7u);
  EXPECT_EQ(LayerText(imported[0].u.paper.comment), u"exported");
  EXPECT_EQ(LayerText(imported[6].u.image.picture), u"a (2).png");
  EXPECT_EQ(ListSkinTitles(skins), (std::vector<std::wstring>{L"Copy", L"Src"})) << "no import folder is left";

  // A picture that has gone makes the export fail, and the earlier export stays as it was.
  ASSERT_TRUE(::DeleteFileW((SkinFolder(L"Copy") + L"a (2).png").c_str()));
  {
    ModalScript script({{L"Save As", 0x47C, ModalScript::FileName(zps)},
                        {L"", ModalScript::kMessageText, ModalScript::Press(IDYES)},  // replace it?
                        {L"Note Designer", 0, ModalScript::Press(IDOK)}});
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
  const std::wstring work = FreshFolder(L"work");
  // An existing skin whose picture a failed import must not touch.
  ::CreateDirectoryW(SkinFolder(L"Keep").c_str(), nullptr);
  WriteFileBytes(SkinFolder(L"Keep") + L"p.png", {5});
  ASSERT_EQ(SaveLayersFile(SkinFolder(L"Keep"), DefaultLayers()), kLayersOk);

  auto package = [](const std::wstring& name, size_t cut) {
    ZpsContents contents;
    contents.layers = DefaultLayers();
    contents.layers.push_back(Picture(name));
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
  // The skins folder's parent: where "..\\..\\evil.png" of a new skin would land.
  const std::wstring around = skins + L"..\\";
  std::vector<std::wstring> before;
  ListTree(around, L"", before);
  for (const auto& c : cases) {
    WriteFileBytes(work + L"in.zps", c.file);
    std::vector<SLAYER> layers;
    EXPECT_EQ(ImportSkinFile(work + L"in.zps", skins, c.title, layers), c.result) << c.what;
    EXPECT_TRUE(layers.empty()) << c.what;
    std::vector<std::wstring> after;
    ListTree(around, L"", after);
    EXPECT_EQ(after, before) << c.what << ": something was written";
  }
  EXPECT_EQ(ReadFileBytes(SkinFolder(L"Keep") + L"p.png"), (std::vector<uint8_t>{5}));

  // Deleting refuses names that are not one skin folder.
  for (const wchar_t* title : {L"", L"..", L"."}) EXPECT_FALSE(DeleteSkinFolder(skins, title, nullptr));
  EXPECT_TRUE(Exists(SkinFolder(L"Keep") + L"p.png"));
  EXPECT_TRUE(DeleteSkinFolder(skins, L"Keep", nullptr));
  EXPECT_FALSE(Exists(SkinFolder(L"Keep")));
}

}  // namespace
}  // namespace zavra::test
