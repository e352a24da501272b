// The designer's main dialog in this process: the layer list, the shortcuts, saving, Save As
// and the preview, each page on the screen.
#include "DesignerTestSupport.h"

#include "designer/SkinFiles_win.h"
#include "skin/LayersFile_win.h"

namespace zavra::test {
namespace {

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
  EXPECT_EQ(LoadLayersFile(folder, layers), kLayersOk) << "no readable layers in the skin folder";
  return layers;
}

SLAYER Picture(const std::wstring& name, int32_t flags = kImageOriginalSize, int32_t anchor = kAnchorTopLeft) {
  SLAYER layer = MakeLayer(kLayerImage);
  layer.u.image.flags = flags;
  layer.u.image.anchor = anchor;
  SetLayerText(layer.u.image.picture, std::u16string(name.begin(), name.end()));
  return layer;
}

// A 24-bit BMP in two colours: `left` on the left half, `right` on the right.
std::vector<uint8_t> TwoColourBmp(int w, int h, COLORREF left, COLORREF right) {
  const int row = (w * 3 + 3) & ~3;
  std::vector<uint8_t> b(54 + static_cast<size_t>(row) * h, 0);
  auto put32 = [&](size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i)); };
  b[0] = 'B', b[1] = 'M';
  put32(2, static_cast<uint32_t>(b.size()));
  put32(10, 54), put32(14, 40), put32(18, static_cast<uint32_t>(w)), put32(22, static_cast<uint32_t>(h));
  b[26] = 1, b[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF c = x < w / 2 ? left : right;
      uint8_t* p = &b[54 + static_cast<size_t>(y) * row + x * 3];
      p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
    }
  return b;
}

using DesignerDialog = DesignerTest;

TEST_F(DesignerDialog, StartsUntitledWithTheNewSkinAndEditsTheList) {
  EXPECT_EQ(ListTexts(), (std::vector<std::wstring>{L"Note Icon", L"Link Icon", L"Text", L"Border", L"Paper"}));
  EXPECT_EQ(Selected(), 4);
  EXPECT_EQ(WindowText(designer), L"Untitled - Note Designer");
  EXPECT_FALSE(::IsWindowEnabled(Item(IDC_REMOVE)));
  // "Add" with "Text" selected asks for the picture at once; cancelled, "(Image)" stays above Text.
  SelectEntry(2);
  {
    ModalScript script({{L"Open", 0x47C, ModalScript::Press(IDCANCEL)}});
    Command(IDC_ADD);
    EXPECT_TRUE(script.Finish());
  }
  EXPECT_EQ(ListTexts(),
            (std::vector<std::wstring>{L"Note Icon", L"Link Icon", L"(Image)", L"Text", L"Border", L"Paper"}));
  EXPECT_EQ(Selected(), 2);
  EXPECT_TRUE(::IsWindowEnabled(Item(IDC_REMOVE)));
  EXPECT_TRUE(::IsWindowVisible(PageItem(IDC_IMAGE_BROWSE)));
  Command(IDC_DOWN);
  EXPECT_EQ(ListTexts()[3], L"(Image)");
  Command(IDC_REMOVE);
  EXPECT_EQ(ListTexts().size(), 5u);
  EXPECT_EQ(Selected(), 3) << "the entry now at the removed one's place";
  // Escape and Enter leave the designer open.
  ::SendMessageW(designer, WM_COMMAND, IDCANCEL, 0);
  ::SendMessageW(designer, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(::IsWindow(designer));
}

TEST_F(DesignerDialog, CtrlSSavesFromAPageAndCtrlAltSDoesNothing) {
  HWND comment = PageItem(IDC_COMMENT);
  ASSERT_TRUE(comment);
  ::SetWindowTextW(comment, std::wstring(300, L'c').c_str());
  HoldKeys(true, false);
  {
    ModalScript script({{L"Save As", IDC_TITLE, ModalScript::TypeAndPress(IDC_TITLE, L"Blue", IDOK)}});
    EXPECT_TRUE(dlg->PreTranslateMessage(KeyDown(comment, 'S')));
    EXPECT_TRUE(script.Finish());
  }
  const std::vector<SLAYER> saved = SavedLayers(SkinFolder(L"Blue"));
  ASSERT_EQ(saved.size(), 5u);
  EXPECT_EQ(saved[0].kind, kLayerPaper);
  EXPECT_EQ(LayerText(saved[0].u.paper.comment).size(), 259u) << "a comment is cut to 259 characters";
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
  {
    ModalScript script({{L"Save As", IDC_TITLE, ModalScript::TypeAndPress(IDC_TITLE, L"Keep", IDOK)}});
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(script.Finish());
  }
  const std::wstring path = SkinFolder(L"Keep") + L"layers";
  const std::vector<uint8_t> before = ReadFileBytes(path);
  ASSERT_FALSE(before.empty());
  ::SetWindowTextW(PageItem(IDC_COMMENT), L"changed");
  {
    // Another program holds the file: it cannot be replaced.
    FileHandle held(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    ModalScript script({{L"Note Designer", 0, ModalScript::Press(IDOK)}});
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(script.Finish());
    EXPECT_EQ(script.texts[0], L"Save failed.");
  }
  EXPECT_EQ(ReadFileBytes(path), before) << "the previous skin is intact";
  EXPECT_EQ(ListSkinTitles(skins).size(), 1u);
  WIN32_FIND_DATAW data;
  FindHandle find(::FindFirstFileW((SkinFolder(L"Keep") + L"*.tmp").c_str(), &data));
  EXPECT_FALSE(find) << "no temporary file is left behind";
  Command(ID_FILE_SAVE);
  EXPECT_EQ(LayerText(SavedLayers(SkinFolder(L"Keep"))[0].u.paper.comment), u"changed");
}

TEST_F(DesignerDialog, SaveAsRefusesUnusableTitlesAndCarriesPicturesAlong) {
  const std::wstring art = FreshFolder(L"art");
  ::CreateDirectoryW(SkinFolder(L"A").c_str(), nullptr);
  ::CreateDirectoryW(SkinFolder(L"C").c_str(), nullptr);
  WriteFileBytes(SkinFolder(L"A") + L"p.png", {1, 2, 3});
  WriteFileBytes(SkinFolder(L"C") + L"p.png", {9});
  WriteFileBytes(art + L"q.png", {4});
  std::vector<SLAYER> layers = DefaultLayers();
  layers.push_back(Picture(L"p.png"));
  layers.push_back(Picture(art + L"q.png"));
  ASSERT_EQ(SaveLayersFile(SkinFolder(L"A"), layers), kLayersOk);
  ASSERT_TRUE(dlg->OpenByTitle(L"A"));
  EXPECT_EQ(ListTexts()[0], L"q.png") << "the list shows a picture by its file name";
  {
    using S = ModalScript;
    ModalScript script({
        {L"Save As", IDC_TITLE, S::TypeAndPress(IDC_TITLE, L"..", IDOK, IDC_OVERWRITE)},
        {L"Note Designer", 0, S::Press(IDOK)},
        {L"Save As", IDC_TITLE, S::TypeAndPress(IDC_TITLE, L"a:b", IDOK)},
        {L"Note Designer", 0, S::Press(IDOK)},
        {L"Save As", IDC_TITLE, S::TypeAndPress(IDC_TITLE, L"C", IDOK, IDC_OVERWRITE, false)},
        {L"Note Designer", 0, S::Press(IDOK)},
        {L"Save As", IDC_TITLE, S::TypeAndPress(IDC_TITLE, L"C", IDOK, IDC_OVERWRITE)},
    });
    Command(ID_FILE_SAVE_AS);
    ASSERT_TRUE(script.Finish());
    EXPECT_NE(script.texts[1].find(L"folder name"), std::wstring::npos) << "\"..\" is no skin";
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
  ::CreateDirectoryW(SkinFolder(L"Shot").c_str(), nullptr);
  WriteFileBytes(SkinFolder(L"Shot") + L"band.bmp", TwoColourBmp(40, 30, RGB(200, 30, 30), RGB(30, 30, 200)));
  std::vector<SLAYER> layers = DefaultLayers();
  layers[0].u.paper.sizeMode = 1;
  layers[0].u.paper.fixedWidth = 160;
  layers[0].u.paper.fixedHeight = 100;
  layers.insert(layers.begin() + 2, Picture(L"band.bmp", kImageTile | kImageAdjustWidth, kAnchorTop));
  ASSERT_EQ(SaveLayersFile(SkinFolder(L"Shot"), layers), kLayersOk);
  ASSERT_TRUE(dlg->OpenByTitle(L"Shot"));
  const wchar_t* names[] = {L"note_icon", L"link_icon", L"text", L"image", L"border", L"paper"};
  for (int i = 0; i < 6; ++i) {
    SelectEntry(i);
    Pump(300);
    EXPECT_TRUE(SaveScreenshot(ScreenshotPath(std::wstring(L"designer_page_") + names[i] + L".png")));
  }
  EXPECT_TRUE(::IsWindowVisible(PageItem(IDC_SIZE_FIXED)));
  Command(IDC_PREVIEW);
  CPreviewWnd* preview = dlg->preview();
  ASSERT_TRUE(preview && ::IsWindowVisible(*preview));
  EXPECT_EQ(WindowText(*preview), L"Preview");
  RECT designerRect{}, previewRect{};
  ::GetWindowRect(designer, &designerRect);
  ::GetWindowRect(*preview, &previewRect);
  EXPECT_LE(previewRect.right, designerRect.left) << "left of the designer";
  const CBkgWnd::Image image = preview->RenderToImage();
  EXPECT_EQ(image.width, 160);
  EXPECT_EQ(image.at(5, 5), 0xFFC81E1Eu) << "the band's left colour, tiled across the top";
  EXPECT_EQ(image.at(155, 5), 0xFF1E1EC8u) << "its right colour";
  EXPECT_EQ(image.at(80, 60), 0xFFFFFFFFu) << "white paper";
  const uint32_t border = image.at(0, 60);
  EXPECT_TRUE((border & 0xFF) == (border >> 8 & 0xFF) && (border & 0xFF) > 150 && (border & 0xFF) < 240)
      << std::hex << border << ": the border of an inactive preview is light grey";
  Pump(500);
  EXPECT_TRUE(SaveScreenshot(ScreenshotPath(L"designer_preview.png")));
  // Escape closes the preview; the next Preview makes a new one.
  ::SendMessageW(*preview, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(dlg->preview()->GetSafeHwnd());
  Command(IDC_PREVIEW);
  EXPECT_TRUE(dlg->preview()->GetSafeHwnd());
}

}  // namespace
}  // namespace zavra::test
