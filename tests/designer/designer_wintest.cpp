// The designer's main dialog in this process: the layer list, the shortcuts, saving, Save As
// and the preview, and each page on the screen.
#include "DesignerTestSupport.h"

#include "designer/SkinFiles_win.h"
#include "skin/LayersFile_win.h"

namespace zavra::test {
namespace {

using S = ModalScript;
using DesignerDialog = DesignerTest;

void HoldKeys(bool ctrl, bool alt) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
  keys[VK_MENU] = keys[VK_RMENU] = alt ? 0x80 : 0;
  ::SetKeyboardState(keys);
}

MSG KeyDown(HWND to, WPARAM key) { return MSG{to, WM_KEYDOWN, key, 1, 0, {}}; }

std::vector<SLAYER> SavedLayers(const std::wstring& folder) {
  std::vector<SLAYER> layers;
  return LoadLayersFile(folder, layers) == kLayersOk ? layers : std::vector<SLAYER>{};
}

TEST_F(DesignerDialog, StartsUntitledWithTheNewSkinAndAsksForTheNewImageAtOnce) {
  EXPECT_EQ(ListTexts(), (std::vector<std::wstring>{L"Note Icon", L"Link Icon", L"Text", L"Border", L"Paper"}));
  EXPECT_EQ(WindowText(designer), L"Untitled - Note Designer");
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(designer, IDC_REMOVE))) << "the paper is selected";
  SelectEntry(2);
  {
    ModalScript script({{L"Open", 0x47C, S::Press(IDCANCEL)}});
    Command(IDC_ADD);
    EXPECT_TRUE(script.Finish());
  }
  EXPECT_EQ(ListTexts()[2], L"(Image)") << "above Text, without a picture";
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(designer, IDC_REMOVE)));
  Command(IDCANCEL);  // Escape
  Command(IDOK);      // Enter
  EXPECT_TRUE(::IsWindow(designer));
}

TEST_F(DesignerDialog, CtrlSSavesFromAPageAndCtrlAltSDoesNothing) {
  HWND comment = PageItem(IDC_COMMENT);
  ::SetWindowTextW(comment, std::wstring(300, L'c').c_str());
  HoldKeys(true, false);
  {
    ModalScript script({{L"Save As", IDC_TITLE, S::Type(IDC_TITLE, L"Blue", IDOK)}});
    EXPECT_TRUE(dlg->PreTranslateMessage(KeyDown(comment, 'S')));
    EXPECT_TRUE(script.Finish());
  }
  const std::vector<SLAYER> saved = SavedLayers(SkinFolder(L"Blue"));
  ASSERT_EQ(saved.size(), 5u);
  EXPECT_EQ(LayerText(saved[0].u.paper.comment).size(), 259u) << "the paper first, its comment cut";
  EXPECT_EQ(WindowText(designer), L"Blue - Note Designer");

  // AltGr (Ctrl+Alt) types letters on many keyboards: no command runs.
  const std::wstring layers = SkinFolder(L"Blue") + L"layers";
  ASSERT_TRUE(::DeleteFileW(layers.c_str()));
  HoldKeys(true, true);
  EXPECT_FALSE(dlg->PreTranslateMessage(KeyDown(comment, 'S')));
  EXPECT_FALSE(dlg->PreTranslateMessage(KeyDown(comment, 'N')));
  EXPECT_FALSE(Exists(layers));
  HoldKeys(true, false);
  EXPECT_TRUE(dlg->PreTranslateMessage(KeyDown(comment, 'S')));
  HoldKeys(false, false);
  EXPECT_TRUE(Exists(layers)) << "a titled skin is saved without a question";
}

TEST_F(DesignerDialog, AFailedSaveKeepsTheOldLayersAndSaysSo) {
  ASSERT_TRUE(SaveSkinFolder(SkinFolder(L"Keep"), DefaultLayers()));
  ASSERT_TRUE(dlg->OpenByTitle(L"Keep"));
  const std::wstring path = SkinFolder(L"Keep") + L"layers";
  const std::vector<uint8_t> before = ReadFileBytes(path);
  ::SetWindowTextW(PageItem(IDC_COMMENT), L"changed");
  {
    // Another program holds the file: it cannot be replaced.
    FileHandle held(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    ModalScript script({{L"Note Designer", S::kMessageText, S::Press(IDOK)}});
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(script.Finish());
    EXPECT_EQ(script.texts[0], L"Save failed.");
  }
  EXPECT_EQ(ReadFileBytes(path), before) << "the previous skin is intact";
  WIN32_FIND_DATAW data;
  EXPECT_FALSE(FindHandle(::FindFirstFileW((SkinFolder(L"Keep") + L"*.tmp").c_str(), &data))) << "no file left behind";
  Command(ID_FILE_SAVE);
  EXPECT_EQ(LayerText(SavedLayers(SkinFolder(L"Keep"))[0].u.paper.comment), u"changed");
}

TEST_F(DesignerDialog, SaveAsRefusesUnusableTitlesAndCarriesPicturesAlong) {
  const std::wstring art = FreshFolder(L"art");
  WriteFileBytes(art + L"q.png", {4});
  std::vector<SLAYER> layers = DefaultLayers();
  layers.push_back(PictureLayer(L"p.png"));
  layers.push_back(PictureLayer(art + L"q.png"));
  ASSERT_TRUE(SaveSkinFolder(SkinFolder(L"A"), layers));
  ASSERT_TRUE(SaveSkinFolder(SkinFolder(L"C"), DefaultLayers()));
  WriteFileBytes(SkinFolder(L"A") + L"p.png", {1, 2, 3});
  WriteFileBytes(SkinFolder(L"C") + L"p.png", {9});
  ASSERT_TRUE(dlg->OpenByTitle(L"A"));
  EXPECT_EQ(ListTexts()[0], L"q.png") << "the list shows a picture by its file name";
  {
    ModalScript script({
        {L"Save As", IDC_TITLE, S::Type(IDC_TITLE, L"..", IDOK, IDC_OVERWRITE)},
        {L"Note Designer", S::kMessageText, S::Press(IDOK)},
        {L"Save As", IDC_TITLE, S::Type(IDC_TITLE, L"a:b", IDOK)},
        {L"Note Designer", S::kMessageText, S::Press(IDOK)},
        {L"Save As", IDC_TITLE, S::Type(IDC_TITLE, L"C", IDOK, IDC_OVERWRITE, false)},
        {L"Note Designer", S::kMessageText, S::Press(IDOK)},
        {L"Save As", IDC_TITLE, S::Type(IDC_TITLE, L"C", IDOK, IDC_OVERWRITE)},
    });
    Command(ID_FILE_SAVE_AS);
    ASSERT_TRUE(script.Finish());
    EXPECT_NE(script.texts[1].find(L"folder name"), std::wstring::npos) << "\"..\" is refused even to overwrite";
    EXPECT_EQ(script.texts[3], L"The following chracters are not allowed:\n< > : \" / \\ | ? *");
    EXPECT_EQ(script.texts[5], L"Title already exists.");
  }
  EXPECT_EQ(WindowText(designer), L"C - Note Designer");
  EXPECT_EQ(ReadFileBytes(SkinFolder(L"C") + L"p.png"), (std::vector<uint8_t>{1, 2, 3}))
      << "with \"Overwrite existing\" the skin's own pictures replace the old ones";
  EXPECT_FALSE(Exists(SkinFolder(L"C") + L"q.png")) << "pictures stored by path stay where they are";
  EXPECT_EQ(SavedLayers(SkinFolder(L"C")).size(), 7u);
  EXPECT_FALSE(Exists(skins + L"layers")) << "nothing was written for \"..\"";
}

TEST_F(DesignerDialog, EachPageAndThePreviewOnTheScreen) {
  std::vector<SLAYER> layers = DefaultLayers();
  layers[0].u.paper = {1, 160, 100};
  layers.insert(layers.begin() + 2, PictureLayer(L"band.bmp", kImageTile | kImageAdjustWidth, kAnchorTop));
  ASSERT_TRUE(SaveSkinFolder(SkinFolder(L"Shot"), layers));
  WriteFileBytes(SkinFolder(L"Shot") + L"band.bmp", TwoColourBmp(40, 30, RGB(200, 30, 30), RGB(30, 30, 200)));
  ASSERT_TRUE(dlg->OpenByTitle(L"Shot"));
  const wchar_t* names[] = {L"note_icon", L"link_icon", L"text", L"image", L"border", L"paper"};
  for (int i = 0; i < 6; ++i) {
    SelectEntry(i);
    Pump(300);
    EXPECT_TRUE(SaveScreenshot(ScreenshotPath(std::wstring(L"designer_page_") + names[i] + L".png")));
  }
  Command(IDC_PREVIEW);
  CPreviewWnd* preview = dlg->preview();
  ASSERT_TRUE(preview && ::IsWindowVisible(*preview));
  RECT designerRect{}, previewRect{};
  ::GetWindowRect(designer, &designerRect);
  ::GetWindowRect(*preview, &previewRect);
  EXPECT_EQ(previewRect.right, designerRect.left - 3) << "beside the designer, whatever the paper's size";
  const CBkgWnd::Image image = preview->RenderToImage();
  EXPECT_EQ(image.width, 160);
  EXPECT_EQ(image.at(5, 5), 0xFFC81E1Eu) << "the band's left colour, tiled across the top";
  EXPECT_EQ(image.at(155, 5), 0xFF1E1EC8u) << "its right colour";
  EXPECT_EQ(image.at(80, 60), 0xFFFFFFFFu) << "white paper";
  Pump(500);
  EXPECT_TRUE(SaveScreenshot(ScreenshotPath(L"designer_preview.png")));
  ::SendMessageW(*preview, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(dlg->preview()->GetSafeHwnd()) << "Escape closes the preview";
  Command(IDC_PREVIEW);
  EXPECT_TRUE(dlg->preview()->GetSafeHwnd()) << "and the next Preview makes a new one";
}

}  // namespace
}  // namespace zavra::test
