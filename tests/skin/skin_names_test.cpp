#include <gtest/gtest.h>

#include <string>

#include "skin/SkinNames.h"

namespace zavra {
namespace {

std::string Narrow(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

TEST(SkinNames, PictureNamesResolveOnlyInsideTheSkinOrAsFullLocalPaths) {
  const std::u16string folder = u"C:\\Users\\me\\Documents\\ZaVRA Skins\\Wood\\";
  struct Case {
    std::u16string_view name;
    bool allowed;
  } cases[] = {
      {u"grain.png", true},
      {u"My Picture (2).jpeg", true},
      {u".hidden.png", true},
      {u"D:\\Art\\grain.png", true},
      {u"c:\\a b\\c.d\\e.gif", true},
      {u"", false},
      {u"..", false},
      {u".", false},
      {u". .", false},
      {u"..\\..\\secret.png", false},
      {u"sub\\grain.png", false},
      {u"\\grain.png", false},
      {u"C:grain.png", false},
      {u"C:\\", false},
      {u"C:\\Art\\..\\Windows\\x.png", false},
      {u"C:\\Art\\.\\x.png", false},
      {u"C:\\Art\\.. \\x.png", false},
      {u"C:\\Art\\\\x.png", false},
      {u"C:\\Art\\", false},
      {u"\\\\server\\share\\x.png", false},
      {u"\\\\?\\C:\\x.png", false},
      {u"\\\\.\\PhysicalDrive0", false},
      {u"../x.png", false},
      {u"C:/Art/x.png", false},
      {u"a/b.png", false},
      {u"CON", false},
      {u"nul.png", false},
      {u"Com1.gif", false},
      {u"LPT9", false},
      {u"C:\\Art\\aux.bmp", false},
      {u"console.png", true},
      {u"com10.png", true},
      {u"x.png:stream", false},
      {u"x?.png", false},
      {u"x*.png", false},
      {u"x|y.png", false},
      {u"x\x01.png", false},
      {u"1:\\x.png", false},
  };
  for (const Case& c : cases) {
    std::optional<std::u16string> path = ResolvePicturePath(folder, c.name);
    EXPECT_EQ(path.has_value(), c.allowed) << "picture name \"" << Narrow(c.name) << "\"";
    if (!path) continue;
    const std::u16string expected = c.name.find(u'\\') == std::u16string_view::npos ? folder + std::u16string(c.name)
                                                                                     : std::u16string(c.name);
    EXPECT_EQ(*path, expected) << "picture name \"" << Narrow(c.name) << "\"";
  }
}

TEST(SkinNames, TitlesAreSingleFolderNames) {
  struct Case {
    std::u16string_view title;
    bool valid;
  } cases[] = {
      {u"Wood", true},        {u"Blue Sky 2", true}, {u"caf\u00e9", true},   {u"", false},
      {u"..", false},         {u"...", false},       {u"a\\b", false},       {u"..\\Windows", false},
      {u"a/b", false},        {u"C:", false},        {u"x<y", false},        {u"x>y", false},
      {u"\"q\"", false},      {u"a|b", false},       {u"what?", false},      {u"st*r", false},
      {u"PRN", false},        {u"aux.skin", false},  {u"tab\there", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidSkinTitle(c.title), c.valid) << "title \"" << Narrow(c.title) << "\"";
}

TEST(SkinNames, FoldingMatchesLettersOfBothCases) {
  // Every ASCII letter against the obvious reference, and a few from other scripts.
  for (char16_t c = 0; c < 0x80; ++c) {
    const char16_t expected = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    EXPECT_EQ(FoldCase(std::u16string(1, c)), std::u16string(1, expected)) << "character " << int(c);
  }
  EXPECT_EQ(FoldCase(u"\u00c9T\u00c9"), u"\u00e9t\u00e9");
  EXPECT_EQ(FoldCase(u"\u00d7"), u"\u00d7") << "the multiplication sign has no lower case";
  EXPECT_EQ(FoldCase(u"\u0410\u0401\u03a3"), u"\u0430\u0451\u03c3");
  EXPECT_EQ(FoldCase(u"\u0141\u0104\u017d\u0178"), u"\u0142\u0105\u017e\u00ff");
  EXPECT_EQ(FoldCase(u"\u0142\u0105\u017e"), u"\u0142\u0105\u017e") << "lower case stays";
}

}  // namespace
}  // namespace zavra
