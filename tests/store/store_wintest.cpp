// The Win32 side of the store under Wine: the kernel file system, the registry key, the
// short-name rule of the work files, the delete question and the Unsorted font.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "framework/Handles.h"
#include "framework/Text.h"
#include "store/CategoryFile.h"
#include "store/NoteStore.h"
#include "store/StoreNames.h"
#include "store/StoreWin.h"

namespace zavra {
namespace {

namespace fs = std::filesystem;

class WinTempFolder {
 public:
  WinTempFolder() {
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    path_ = fs::path(temp) / (L"zavra-store-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(counter++));
    fs::create_directories(path_);
  }
  WinTempFolder(const WinTempFolder&) = delete;
  WinTempFolder& operator=(const WinTempFolder&) = delete;
  ~WinTempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::u16string folder() const { return ToU16(path_.wstring()) + u"\\"; }
  std::u16string file(const wchar_t* name) const { return folder() + ToU16(name); }
  void Touch(const wchar_t* name) const {
    FileHandle h(::CreateFileW(AsWide(file(name)), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  std::vector<std::wstring> FindAll(const wchar_t* pattern) const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    FindHandle find(::FindFirstFileW(AsWide(folder() + ToU16(pattern)), &data));
    if (!find) return names;
    do names.push_back(data.cFileName);
    while (::FindNextFileW(find.get(), &data));
    return names;
  }

 private:
  fs::path path_;
};

// A registry key of this test process alone, removed afterwards.
class PrivateKey {
 public:
  PrivateKey() : path_(u"Software\\ZavraTests\\Store" + ToU16(std::to_wstring(::GetCurrentProcessId()))) {}
  PrivateKey(const PrivateKey&) = delete;
  PrivateKey& operator=(const PrivateKey&) = delete;
  ~PrivateKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(path_)); }
  const std::u16string& path() const { return path_; }

 private:
  std::u16string path_;
};

class StoreWinTest : public testing::Test {
 protected:
  NoteStore MakeStore() { return NoteStore(files, registry, temp.folder(), [] { return int64_t{1780000000}; }); }

  WinTempFolder temp;
  PrivateKey key;
  Win32FileSystem files;
  Win32Registry registry{key.path()};
};

TEST_F(StoreWinTest, RegistryKeepsDwordsAndIgnoresOtherTypes) {
  auto k = registry.OpenIdKey();
  ASSERT_TRUE(k);
  EXPECT_FALSE(k->GetDword(u"NoteNextId").has_value());
  ASSERT_TRUE(k->SetDword(u"NoteNextId", 0xFFFFFFFFu));
  EXPECT_EQ(k->GetDword(u"NoteNextId"), 0xFFFFFFFFu);
  RegKey raw;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, AsWide(key.path()), 0, KEY_SET_VALUE, raw.put()), ERROR_SUCCESS);
  ::RegSetValueExW(raw.get(), L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"12"), 6);
  EXPECT_FALSE(k->GetDword(u"Text").has_value()) << "a string is not a counter";
}

TEST_F(StoreWinTest, FileCallsBehaveAsTheStoreExpects) {
  CreateError error = CreateError::kNone;
  auto file = files.Create(temp.file(L"a.bin"), CreateMode::kNew, &error);
  ASSERT_TRUE(file);
  const uint8_t data[] = {1, 2, 3, 4, 5};
  ASSERT_TRUE(file->Write(data, sizeof data));
  ASSERT_TRUE(file->Commit());
  EXPECT_FALSE(files.Create(temp.file(L"a.bin"), CreateMode::kNew, &error));
  EXPECT_EQ(error, CreateError::kExists);
  EXPECT_FALSE(files.Create(temp.file(L"missing\\a.bin"), CreateMode::kNew, &error));
  EXPECT_EQ(error, CreateError::kFailed);

  std::vector<uint8_t> out;
  ASSERT_TRUE(files.Read(temp.file(L"a.bin"), out, 3));
  EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 3}));
  ASSERT_TRUE(files.Read(temp.file(L"a.bin"), out, SIZE_MAX));
  EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 3, 4, 5}));
  EXPECT_FALSE(files.Read(temp.file(L"none.bin"), out, SIZE_MAX));

  temp.Touch(L"b.bin");
  EXPECT_FALSE(files.Rename(temp.file(L"b.bin"), temp.file(L"a.bin"))) << "rename must not replace";
  ASSERT_TRUE(files.Replace(temp.file(L"b.bin"), temp.file(L"a.bin")));
  ASSERT_TRUE(files.Read(temp.file(L"a.bin"), out, SIZE_MAX));
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(files.Exists(temp.file(L"b.bin")));
  EXPECT_TRUE(files.Remove(temp.file(L"a.bin")));
  EXPECT_FALSE(files.Remove(temp.file(L"a.bin")));

  EXPECT_TRUE(files.CreateFolders(temp.folder() + u"x\\y\\z\\"));
  EXPECT_TRUE(files.CreateFolders(temp.folder() + u"x\\y\\z"));
  temp.Touch(L"plain");
  EXPECT_FALSE(files.CreateFolders(temp.folder() + u"plain\\sub\\"));
}

// Another program reading a note at the moment it is replaced must not make the save fail.
TEST_F(StoreWinTest, ReplaceAndRemoveWaitForAReaderToLetGo) {
  auto write = [&](const wchar_t* name, const char* text) {
    auto file = files.Create(temp.file(name), CreateMode::kAlways, nullptr);
    return file && file->Write(reinterpret_cast<const uint8_t*>(text), std::strlen(text)) && file->Commit();
  };
  auto openForReading = [&](const wchar_t* name) {
    return ::CreateFileW(AsWide(temp.file(name)), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  };
  auto closeLater = [](HANDLE h, int ms) {
    return std::thread([h, ms] {
      ::Sleep(ms);
      ::CloseHandle(h);
    });
  };
  ASSERT_TRUE(write(L"7.qnf", "old"));
  ASSERT_TRUE(write(L"7.tmp-qnf", "new"));
  HANDLE reader = openForReading(L"7.qnf");
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  std::thread release = closeLater(reader, 300);
  EXPECT_TRUE(files.Replace(temp.file(L"7.tmp-qnf"), temp.file(L"7.qnf")));
  release.join();
  std::vector<uint8_t> out;
  ASSERT_TRUE(files.Read(temp.file(L"7.qnf"), out, SIZE_MAX));
  EXPECT_EQ(std::string(out.begin(), out.end()), "new");

  reader = openForReading(L"7.qnf");
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  release = closeLater(reader, 300);
  EXPECT_TRUE(files.Remove(temp.file(L"7.qnf")));
  release.join();
  EXPECT_FALSE(files.Exists(temp.file(L"7.qnf")));
}

TEST_F(StoreWinTest, ALockThatStaysMakesTheReplaceFailAndKeepsBothFiles) {
  temp.Touch(L"8.qnf");
  temp.Touch(L"8.tmp-qnf");
  FileHandle reader(::CreateFileW(AsWide(temp.file(L"8.qnf")), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  0, nullptr));
  ASSERT_TRUE(reader);
  const ULONGLONG start = ::GetTickCount64();
  EXPECT_FALSE(files.Replace(temp.file(L"8.tmp-qnf"), temp.file(L"8.qnf")));
  EXPECT_LT(::GetTickCount64() - start, 5000u) << "the wait is bounded";
  EXPECT_TRUE(files.Exists(temp.file(L"8.qnf")));
  EXPECT_TRUE(files.Exists(temp.file(L"8.tmp-qnf")));
}

TEST_F(StoreWinTest, LargeFilesReadWhole) {
  std::vector<uint8_t> big(3 * 1024 * 1024 + 17);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 31);
  auto file = files.Create(temp.file(L"big.bin"), CreateMode::kAlways, nullptr);
  ASSERT_TRUE(file && file->Write(big.data(), big.size()) && file->Commit());
  std::vector<uint8_t> out;
  ASSERT_TRUE(files.Read(temp.file(L"big.bin"), out, SIZE_MAX));
  EXPECT_TRUE(out == big) << "read " << out.size() << " of " << big.size() << " bytes";
}

TEST_F(StoreWinTest, NotesRoundTripAndIdsComeFromTheRegistry) {
  {
    auto k = registry.OpenIdKey();
    ASSERT_TRUE(k && k->SetDword(kNoteNextIdValue, 7));
  }
  temp.Touch(L"7.qnf");
  temp.Touch(L"8.qnf");
  NoteStore store = MakeStore();
  NOTE_PAD note;
  note.text = u"Under Wine \U0001F600";
  note.flags = kNoteScheduled;
  note.excludes = {DateKey(2026, 12, 8)};
  ASSERT_TRUE(store.SaveNote(note));
  EXPECT_EQ(note.id, 9u);
  EXPECT_EQ(registry.OpenIdKey()->GetDword(kNoteNextIdValue), 10u);
  EXPECT_EQ(registry.OpenIdKey()->GetDword(kNoteCreatedValue), 1u);
  note.text += u" again";
  ASSERT_TRUE(store.SaveNote(note));
  NOTE_PAD loaded;
  ASSERT_EQ(store.LoadNote(9, loaded), kFileOk);
  EXPECT_EQ(loaded.text, note.text);
  EXPECT_EQ(loaded.excludes, note.excludes);
  EXPECT_EQ(store.LoadNote(7, loaded), kFileTruncated) << "the empty 7.qnf";
  EXPECT_TRUE(files.Exists(temp.file(L"7.damaged-note")));
  EXPECT_EQ(temp.FindAll(L"*.tmp-qnf").size(), 0u) << "no work file left after a save";

  const CategoryList list = store.LoadCategoryList();
  ASSERT_EQ(list.items.size(), 1u);
  EXPECT_TRUE(files.Exists(temp.file(L"1.qcf")));
}

// Wildcards also match 8.3 short names; the work files must stay out of "*.qnf" and "*.qcf".
TEST_F(StoreWinTest, WorkFilesStayOutOfTheWildcardListings) {
  for (StoreKind kind : {StoreKind::kNote, StoreKind::kCategory}) {
    const std::u16string real = StoreFileName(kind, 1);
    for (const std::u16string& name :
         {real, StoreTempName(kind, 1), StoreSetAsideName(kind, real, 1), StoreSetAsideName(kind, real, 2)})
      temp.Touch(AsWide(name));
  }
  temp.Touch(L"notes.idx");
  temp.Touch(L"notes.tmp-idx");
  EXPECT_EQ(temp.FindAll(L"*.qnf"), std::vector<std::wstring>{L"1.qnf"});
  EXPECT_EQ(temp.FindAll(L"*.qcf"), std::vector<std::wstring>{L"1.qcf"});
  for (const wchar_t* name :
       {L"1.tmp-qnf", L"1.tmp-qcf", L"1.damaged-note", L"1.damaged-cate-2", L"notes.idx", L"notes.tmp-idx"}) {
    wchar_t shortPath[MAX_PATH] = {};
    if (::GetShortPathNameW(AsWide(temp.file(name)), shortPath, MAX_PATH) == 0) continue;
    const std::u16string shortName = ToU16(fs::path(shortPath).filename().wstring());
    EXPECT_TRUE(HiddenFromStoreListings(shortName)) << "short name of " << fs::path(name).string();
  }
}

TEST_F(StoreWinTest, ListingTakesOnlyLongNamesWithTheExtension) {
  temp.Touch(L"5.qnf");
  temp.Touch(L"6.QNF");
  temp.Touch(L"user.qnfold");  // could match "*.qnf" through a short name
  ::CreateDirectoryW(AsWide(temp.file(L"dir.qnf")), nullptr);
  std::vector<std::u16string> names;
  files.List(temp.folder(), kNoteExtension, [&](const std::u16string& n) { names.push_back(n); });
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::u16string>{u"5.qnf", u"6.QNF"}));

  // The stamped listing names the same files, with the sizes and times the kernel reports.
  {
    FileHandle h(::CreateFileW(AsWide(temp.file(L"5.qnf")), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(h.get(), "12345", 5, &written, nullptr));
    const FILETIME past{0x12345678, 0x01D00000};
    ASSERT_TRUE(::SetFileTime(h.get(), nullptr, nullptr, &past));
  }
  std::vector<std::u16string> stamped;
  files.ListStamped(temp.folder(), kNoteExtension, [&](const std::u16string& n, const FileStamp& stamp) {
    stamped.push_back(n);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(::GetFileAttributesExW(AsWide(temp.folder() + n), GetFileExInfoStandard, &data));
    EXPECT_EQ(stamp.size, data.nFileSizeLow);
    EXPECT_EQ(stamp.writeTime, static_cast<int64_t>(uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32 |
                                                    data.ftLastWriteTime.dwLowDateTime));
  });
  EXPECT_EQ(stamped.size(), names.size());
}

TEST(StoreWinFonts, ConversionsKeepEveryFieldAndUnsortedIsBold) {
  zavra::LOGFONTW font;
  font.lfHeight = -12;
  font.lfWidth = 3;
  font.lfEscapement = 900;
  font.lfOrientation = 450;
  font.lfWeight = 300;
  font.lfItalic = 1;
  font.lfUnderline = 1;
  font.lfStrikeOut = 1;
  font.lfCharSet = 2;
  font.lfOutPrecision = 3;
  font.lfClipPrecision = 4;
  font.lfQuality = 5;
  font.lfPitchAndFamily = 6;
  const std::u16string face = u"Tahoma";
  std::copy(face.begin(), face.end(), font.lfFaceName);
  const ::LOGFONTW win = ToWinFont(font);
  EXPECT_EQ(std::wstring(win.lfFaceName), L"Tahoma");
  EXPECT_EQ(0, std::memcmp(&win, &font, sizeof win)) << "the layouts are one";
  const zavra::LOGFONTW back = FromWinFont(win);
  EXPECT_EQ(0, std::memcmp(&back, &font, sizeof back));

  EXPECT_GE(UnsortedCategoryFont().lfWeight, 700);
  ::LOGFONTW system{};
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof system, &system, 0));
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(UnsortedCategoryFont().lfFaceName)),
            std::wstring(system.lfFaceName));
}

// The string table of the main program, beside this test program in the build.
HMODULE MainProgramStrings() {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const fs::path exe = fs::path(self).parent_path() / L"notezavra.exe";
  return ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

struct BoxSeen {
  std::wstring text, caption;
  bool found = false;
};

// Finds the message box owned by `owner`, notes its texts and presses `button`.
void AnswerBox(HWND owner, int button, BoxSeen& seen) {
  for (int i = 0; i < 200 && !seen.found; ++i) {
    ::Sleep(50);
    HWND box = nullptr;
    while ((box = ::FindWindowExW(nullptr, box, L"#32770", nullptr))) {
      if (::GetWindow(box, GW_OWNER) != owner || !::IsWindowVisible(box)) continue;
      wchar_t buffer[512] = {};
      ::GetWindowTextW(box, buffer, 512);
      seen.caption = buffer;
      ::GetDlgItemTextW(box, 0xFFFF, buffer, 512);
      seen.text = buffer;
      seen.found = true;
      ::PostMessageW(box, WM_COMMAND, button, 0);
      break;
    }
  }
}

TEST_F(StoreWinTest, DeleteAsksFirstAndDeletesOnlyOnYes) {
  HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(owner) << "needs a display";
  HMODULE strings = MainProgramStrings();
  ASSERT_TRUE(strings) << "notezavra.exe is built beside the tests and holds the texts";
  NoteStore store = MakeStore();
  NOTE_PAD note;
  note.text = u"\r\n\tBuy milk. Then eggs";
  ASSERT_TRUE(store.SaveNote(note));

  BoxSeen no;
  std::thread noThread([&] { AnswerBox(owner, IDNO, no); });
  EXPECT_FALSE(DeleteNoteWithConfirmation(store, note, owner, strings));
  noThread.join();
  ASSERT_TRUE(no.found) << "no box owned by the window";
  EXPECT_TRUE(files.Exists(store.PathOf(StoreKind::kNote, note.id))) << "No keeps the note";
  EXPECT_EQ(no.text, L"Are you sure you want to delete this note?\r\nBuy milk.");
  EXPECT_EQ(no.caption, L"Confirm");

  BoxSeen yes;
  std::thread yesThread([&] { AnswerBox(owner, IDYES, yes); });
  EXPECT_TRUE(DeleteNoteWithConfirmation(store, note, owner, strings));
  yesThread.join();
  EXPECT_TRUE(yes.found);
  EXPECT_FALSE(files.Exists(store.PathOf(StoreKind::kNote, note.id)));
  ::FreeLibrary(strings);
  ::DestroyWindow(owner);
}

}  // namespace
}  // namespace zavra
