// Launching links under Wine with argdump.exe standing in for a program, "note:" links through
// the opener, and the icons of quick-launch rows.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "store/Links_win.h"
#include "tests/store/LinksWinTestSupport.h"

namespace zavra {
namespace {

std::string Narrow(std::wstring_view s) {
  std::string out;
  for (wchar_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

std::wstring ToolPath(const wchar_t* name) {
  return (std::filesystem::path(test::ProgramFolder()).parent_path() / L"tools" / name).wstring();
}

// What argdump.exe wrote: its own path, a line break, its command line (UTF-16).
std::wstring WaitForDump(const test::WinTemp& temp, const std::wstring& name) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (std::chrono::steady_clock::now() < end) {
    if (temp.Exists(name)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));  // let it finish writing
      const std::vector<uint8_t> b = temp.Read(name);
      std::wstring s(b.size() / 2, L'\0');
      for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<wchar_t>(b[2 * i] | b[2 * i + 1] << 8);
      return s;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return L"";
}

class LinksWinTest : public testing::Test {
 protected:
  test::WinTemp temp;
};

TEST_F(LinksWinTest, PathWithArgumentsStartsTheProgramWithThem) {
  const std::wstring argdump = ToolPath(L"argdump.exe");
  ASSERT_TRUE(std::filesystem::exists(argdump)) << Narrow(argdump);
  // A program in a folder with a blank, so the link must quote it.
  const std::wstring folder = ToWide(temp.file(L"My Tools"));
  std::filesystem::create_directories(folder);
  const std::wstring program = folder + L"\\argdump.exe";
  ASSERT_TRUE(::CopyFileW(argdump.c_str(), program.c_str(), FALSE));

  struct Case {
    std::wstring link, dump, args;
  };
  const Case cases[] = {
      {L"\"" + program + L"\" /x \"two words\" 3", L"quoted.txt", L"/x \"two words\" 3"},
      {argdump + L" -flag", L"plain.txt", L"-flag"},
  };
  for (const Case& c : cases) {
    ::SetEnvironmentVariableW(L"ZAVRA_ARGDUMP", ToWide(temp.file(c.dump)).c_str());
    const intptr_t result = LaunchLink(ToU16(c.link), nullptr);
    EXPECT_GT(result, 32) << Narrow(c.link);
    const std::wstring dump = WaitForDump(temp, c.dump);
    ASSERT_FALSE(dump.empty()) << "the program did not start for " << Narrow(c.link);
    const std::wstring line = dump.substr(dump.find(L'\n') + 1);
    EXPECT_GE(line.size(), c.args.size());
    EXPECT_EQ(Narrow(line.substr(line.size() - std::min(line.size(), c.args.size()))), Narrow(c.args))
        << "command line " << Narrow(line);
  }
  ::SetEnvironmentVariableW(L"ZAVRA_ARGDUMP", nullptr);
}

TEST_F(LinksWinTest, NoteLinksGoToTheOpener) {
  std::vector<uint32_t> opened;
  const OpenNoteFn open = [&](uint32_t id) { opened.push_back(id); };
  EXPECT_EQ(LaunchLink(u"note:42", open), kNoteLinkLaunched);
  EXPECT_EQ(LaunchLink(u"note:0", open), kNoteLinkLaunched);
  EXPECT_EQ(LaunchLink(u"note:abc", open), kNoteLinkLaunched);
  EXPECT_EQ(opened, std::vector<uint32_t>{42});
  EXPECT_TRUE(OpenNoteLink(u"note:0", open));
  EXPECT_TRUE(OpenNoteLink(u"note:abc", open));
  EXPECT_FALSE(OpenNoteLink(u"https://example.org/", open));
  EXPECT_EQ(opened, std::vector<uint32_t>{42}) << "note:0 and note:abc open nothing";
}

TEST_F(LinksWinTest, IgnoredLinks) {
  std::vector<uint32_t> opened;
  const OpenNoteFn open = [&](uint32_t id) { opened.push_back(id); };
  EXPECT_EQ(LaunchLink(u"", open), 0);
  EXPECT_EQ(LaunchLink(u"note:" + std::u16string(255, u'7'), open), 0) << "260 characters";
  EXPECT_EQ(LaunchLink(u"C:\\" + std::u16string(300, u'x') + u".exe", open), 0);
  EXPECT_TRUE(opened.empty());
}

TEST_F(LinksWinTest, QuickLaunchOpensTheNoteWithoutALink) {
  std::vector<uint32_t> opened;
  const OpenNoteFn open = [&](uint32_t id) { opened.push_back(id); };
  NOTE_PAD note;
  note.id = 8;
  QuickLaunch(note, open);
  note.link = u"note:9";
  EXPECT_EQ(QuickLaunch(note, open), kNoteLinkLaunched);
  EXPECT_EQ(opened, (std::vector<uint32_t>{8, 9}));
}

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return SIZE{};
  BITMAP bm{};
  ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  SIZE size{bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  return size;
}

// A registry class written for the test and removed afterwards (HKCR writes land in HKLM here).
}  // namespace
class TestScheme {
 public:
  TestScheme(const wchar_t* scheme, const std::wstring& iconValue, DWORD type = REG_SZ) : scheme_(scheme) {
    HKEY key = nullptr;
    const std::wstring path = scheme_ + L"\\DefaultIcon";
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
      ::RegSetValueExW(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(iconValue.c_str()),
                       static_cast<DWORD>((iconValue.size() + 1) * sizeof(wchar_t)));
      ::RegCloseKey(key);
    }
  }
  ~TestScheme() { ::RegDeleteTreeW(HKEY_CLASSES_ROOT, scheme_.c_str()); }
  TestScheme(const TestScheme&) = delete;
  TestScheme& operator=(const TestScheme&) = delete;

 private:
  std::wstring scheme_;
};

namespace {
TEST_F(LinksWinTest, IconOfANoteLinkIsTheNoteFileIconWhenTheNoteExists) {
  const std::wstring program = test::ProgramFolder() + L"\\notezavra.exe";
  ASSERT_TRUE(std::filesystem::exists(program)) << Narrow(program);
  HMODULE module = ::LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_TRUE(module);
  temp.Write(L"42.qnf", "QNF");
  const IconHandle icon = LinkIcon(u"note:42", temp.folder(), module);
  ASSERT_TRUE(icon) << "note file exists";
  const SIZE size = IconSize(icon.get());
  EXPECT_EQ(size.cx, 16);
  EXPECT_EQ(size.cy, 16);
  EXPECT_FALSE(LinkIcon(u"", temp.folder(), module));
  EXPECT_FALSE(LinkIcon(u"note:" + std::u16string(256, u'1'), temp.folder(), module));
  ::FreeLibrary(module);
}

TEST_F(LinksWinTest, IconOfAUrlComesFromItsScheme) {
  {
    TestScheme scheme(L"zavraicontest", L" \"C:\\windows\\system32\\shell32.dll\" , 3");
    EXPECT_TRUE(LinkIcon(u"zavraicontest://anything", temp.folder()));
  }
  {
    TestScheme expanded(L"zavraicontest", L"%SystemRoot%\\system32\\shell32.dll,3", REG_EXPAND_SZ);
    EXPECT_TRUE(LinkIcon(u"zavraicontest://anything", temp.folder())) << "expandable value";
  }
  {
    TestScheme broken(L"zavraicontest", L"C:\\no\\such\\file.dll,0");
    EXPECT_FALSE(LinkIcon(u"zavraicontest://anything", temp.folder()));
  }
  EXPECT_FALSE(LinkIcon(u"zavraicontest://anything", temp.folder())) << "no DefaultIcon at all";
}

TEST_F(LinksWinTest, IconOfAPathIsTheShells) {
  const std::u16string argdump = ToU16(ToolPath(L"argdump.exe"));
  EXPECT_TRUE(LinkIcon(argdump, temp.folder()));
  EXPECT_TRUE(LinkIcon(u"\"" + argdump + u"\" -a \"b c\"", temp.folder())) << "arguments and quotes stripped";
  EXPECT_FALSE(LinkIcon(u"C:\\no\\such\\program.exe", temp.folder()));
}

}  // namespace
}  // namespace zavra
