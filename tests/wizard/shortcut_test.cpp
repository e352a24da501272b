#include <gtest/gtest.h>

#include "store/CategoryFile.h"
#include "tests/store/StoreTestSupport.h"
#include "wizard/HotKeys.h"
#include "wizard/InstallFolder.h"
#include "wizard/ShortcutNames.h"
#include "wizard/WizardCategories.h"

namespace zavra {
namespace {

TEST(ShortcutName, CleanedForUseAsFileName) {
  const std::pair<std::u16string, std::optional<std::u16string>> cases[] = {
      {u"  My.Notes...", u"My"},  {u"a\tb", u"a b"},         {u"\t\" *./:<>?\\|Name", u"Name"},
      {u"two\nlines", u"two"},    {u"Work: today", u"Work"}, {u"Quick Paste - Work", u"Quick Paste - Work"},
      {u"", std::nullopt},        {u"\"*./:<>?\\|", std::nullopt}, {u" \t...\n", std::nullopt},
      {u"CON", std::nullopt},     {u"lpt1 ", std::nullopt},  {u"COM10", u"COM10"},
  };
  for (const auto& [typed, file] : cases) EXPECT_EQ(CleanShortcutName(typed), file) << typed.size();
}

TEST(ShortcutName, ArgumentsAndProposal) {
  EXPECT_EQ(ShortcutArguments(kQuickPaste, 1), u"/f1");
  EXPECT_EQ(ShortcutArguments(kNewNote, 10002), u"/n10002");
  EXPECT_EQ(ShortcutArguments(kOpenPad, 4294967295u), u"/p4294967295");
  EXPECT_EQ(ShortcutArguments(kOpenCalendar, 10002), u"/c");
  EXPECT_EQ(ProposeShortcutName(kQuickLaunch, u"Act", u"Cat"), u"Act - Cat");
  EXPECT_EQ(ProposeShortcutName(kOpenCalendar, u"Act", u"Cat"), u"Act");
}

TEST(WizardCategories, OrderedAndReadWithoutWriting) {
  test::TempFolder temp;
  PortableFileSystem disk;
  for (auto [id, name] : {std::pair<uint32_t, std::u16string>{2, u"zeta"}, {10003, u"Alpha"}, {10001, u"beta"}}) {
    NOTE_CATE c;
    c.name = name;
    test::Bytes bytes;
    ASSERT_TRUE(SerializeCategory(c, bytes));
    temp.Write(std::to_string(id) + ".qcf", bytes);
    if (id == 2) temp.Write("copy of 2.qcf", bytes);
  }
  test::Bytes truncated = temp.Read("2.qcf");
  truncated.resize(60);
  temp.Write("10004.qcf", truncated);
  const auto before = temp.Names();
  std::vector<std::pair<uint32_t, std::u16string>> rows;
  for (const NOTE_CATE& c : ReadWizardCategories(disk, temp.folder(), u"Unsorted")) rows.emplace_back(c.id, c.name);
  const decltype(rows) expected = {{1, u"Unsorted"}, {2, u"zeta"}, {10003, u"Alpha"}, {10001, u"beta"}};
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(temp.Names(), before);  // the damaged file is neither set aside nor "Unsorted" created
}

TEST(WizardHotKey, RulesAndOwners) {
  constexpr uint16_t kN = 'N', kCtrlAlt = (kHotKeyControl | kHotKeyAlt) << 8, kExt = kHotKeyExtended << 8;
  constexpr uint16_t kCtrlShiftN = (kHotKeyControl | kHotKeyShift) << 8 | kN;
  const std::pair<uint16_t, uint16_t> rules[] = {
      {0, 0}, {kN, kCtrlAlt | kN}, {kHotKeyShift << 8 | kN, kCtrlAlt | kN}, {kHotKeyAlt << 8 | kN, kCtrlAlt | kN},
      {kExt | 0x2E, kExt | kCtrlAlt | 0x2E}, {kCtrlShiftN, kCtrlShiftN}};
  for (const auto& [typed, stored] : rules) EXPECT_EQ(ApplyHotKeyRules(typed), stored) << typed;

  const std::vector<ShortcutHotKey> shortcuts = {{u"C:\\D\\Mine.lnk", kCtrlAlt | kN},
                                                 {u"C:\\G\\K.lnk", kExt | kCtrlAlt | 'K'}};
  EXPECT_EQ(FindHotKeyOwner(shortcuts, kCtrlAlt | kN, u"C:\\G\\New.lnk"), &shortcuts[0]);
  EXPECT_EQ(FindHotKeyOwner(shortcuts, kCtrlAlt | kN, u"c:\\d\\MINE.lnk"), nullptr);  // the one being replaced
  EXPECT_EQ(FindHotKeyOwner(shortcuts, kCtrlAlt | 'K', u""), &shortcuts[1]);
  EXPECT_EQ(FindHotKeyOwner(shortcuts, kCtrlShiftN, u""), nullptr);
}

TEST(WizardInstallFolder, RegisteredFolderElseOwnFolder) {
  const std::u16string tooLong(260, u'x');
  const struct {
    std::optional<std::u16string> registered;
    bool launcherThere, launcherBesideWizard;
    std::optional<std::u16string> chosen;
  } cases[] = {{u"C:\\Inst", true, true, u"C:\\Inst"}, {tooLong, false, true, u"D:\\Copy"},
               {u"C:\\Gone", false, true, u"D:\\Copy"}, {u"C:\\Gone", false, false, u"C:\\Gone"},
               {std::nullopt, false, false, std::nullopt}};
  for (const auto& c : cases) {
    const auto exists = [&](const std::u16string& path) {
      return path == u"D:\\Copy\\ZavraL.exe" ? c.launcherBesideWizard : c.launcherThere;
    };
    EXPECT_EQ(ChooseInstallFolder(c.registered, u"D:\\Copy", exists), c.chosen);
  }
}

}  // namespace
}  // namespace zavra
