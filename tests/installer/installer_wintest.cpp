// The setup program on a machine that never saw Note Zavra: tools/test-installer.sh runs this in
// a Wine prefix made for the run. The steps build on each other and run in order.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "e2e/Programs.h"
#include "framework/Text.h"
#include "framework/VersionInfo.h"
#include "store/NoteFile.h"
#include "store/StoreWin.h"
#include "wizard/ShellLink_win.h"
#include "wizard/WizardEnvironment_win.h"
#include "zavra_version.h"
#include <optional>
#include <shlobj.h>
#include <shlwapi.h>

namespace zavra::test {
namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\NoteZavra";
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring Known(int csidl) {
  wchar_t path[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path);
  return path;
}
std::wstring InstallDir() { return Known(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Note Zavra"; }
std::wstring Group() { return Known(CSIDL_PROGRAMS) + L"\\Note Zavra"; }

std::optional<std::wstring> RegString(HKEY root, const wchar_t* key, const wchar_t* value) {
  wchar_t text[1024] = {};
  DWORD bytes = sizeof text;
  if (::RegGetValueW(root, key, value, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS) return std::nullopt;
  return std::wstring(text);
}

long RunSetup(const std::wstring& exe) {
  Process setup = Process::Start(exe, L"/S");
  return setup.Wait(120000);
}

DWORD ProcessOf(HWND window) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(window, &id);
  return id;
}

std::vector<NOTE_PAD> Notes() {
  Win32FileSystem files;
  Win32Registry registry;
  NoteStore store(files, registry, ToU16(DataDir()));
  std::vector<NOTE_PAD> notes;
  store.ScanNotes(NoteFilter{}, [&](const NOTE_PAD& n) { notes.push_back(n); });
  return notes;
}

TEST(Installer, SilentInstallPutsProgramsKeysAndShortcutsInPlace) {
  wchar_t setup[MAX_PATH] = {};
  ASSERT_TRUE(::GetEnvironmentVariableW(L"ZAVRA_SETUP", setup, MAX_PATH)) << "run by tools/test-installer.sh";
  EXPECT_EQ(ReadProgramVersion(setup).version, L"" ZAVRA_VERSION_TEXT);
  EXPECT_EQ(ReadProgramVersion(setup).copyright, L"" ZAVRA_COPYRIGHT);
  ASSERT_EQ(RunSetup(setup), 0);
  const std::wstring dir = InstallDir(), program = dir + L"\\notezavra.exe";
  for (const wchar_t* file : {L"notezavra.exe", L"ZavraNd.exe", L"ZavraSwiz.exe", L"ZavraL.exe", L"feedzavra.exe",
                              L"icons.bmp", L"snd\\clock.wav", L"uninstall.exe"})
    EXPECT_TRUE(::PathFileExistsW((dir + L"\\" + file).c_str())) << file;

  const struct {
    HKEY root;
    const wchar_t *key, *value;
    std::wstring expected;
  } values[] = {
      {HKEY_CURRENT_USER, L"SOFTWARE\\noteZaVRA", nullptr, dir},
      {HKEY_CURRENT_USER, L"Software\\Classes\\.zpn", nullptr, L"ZaVRA.zpn"},
      {HKEY_CLASSES_ROOT, L".zpn", nullptr, L"ZaVRA.zpn"},
      {HKEY_CLASSES_ROOT, L"ZaVRA.zpn\\shell\\open\\command", nullptr, L"\"" + program + L"\" \"%1\""},
      {HKEY_CLASSES_ROOT, L"note", nullptr, L"ZaVRA Note Protocol"},
      {HKEY_CURRENT_USER, kRunKey, L"Note Zavra", L"\"" + program + L"\""},
      {HKEY_CURRENT_USER, kUninstallKey, L"DisplayName", L"Note Zavra"},
      {HKEY_CURRENT_USER, kUninstallKey, L"UninstallString", L"\"" + dir + L"\\uninstall.exe\""},
  };
  for (const auto& v : values) EXPECT_EQ(RegString(v.root, v.key, v.value), v.expected) << v.key;

  // The shortcut wizard's default location is the program group the setup made.
  EXPECT_EQ(DefaultWizardEnvironment().programGroup, Group());
  ComInit com;
  for (const wchar_t* name : {L"Skin Designer", L"Shortcut Wizard", L"Uninstall Note Zavra"})
    EXPECT_TRUE(::PathFileExistsW((Group() + L"\\" + name + L".lnk").c_str())) << name;
  const auto link = LoadShellLink(Group() + L"\\Note Zavra.lnk");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->target, program);
}

TEST(Installer, StartMenuShortcutStartsTheProgram) {
  const std::wstring shortcut = Group() + L"\\Note Zavra.lnk";
  EXPECT_GT((INT_PTR)::ShellExecuteW(nullptr, L"open", shortcut.c_str(), nullptr, nullptr, SW_SHOWNORMAL), 32);
  HWND main = WaitForMainWindow(30000);
  ASSERT_TRUE(main);
  KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(main)));
  wchar_t image[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  ASSERT_TRUE(::QueryFullProcessImageNameW(process.get(), 0, image, &size));
  EXPECT_EQ(::lstrcmpiW(image, (InstallDir() + L"\\notezavra.exe").c_str()), 0) << image;
}

TEST(Installer, PortableNoteOpensThroughTheAssociation) {
  NOTE_PAD note;
  note.id = 4711;
  note.text = u"From a mail";
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(SerializeNote(note, bytes));
  const std::wstring path = Known(CSIDL_PERSONAL) + L"\\From a mail.zpn";
  auto file = Win32FileSystem().Create(ToU16(path), CreateMode::kAlways, nullptr);
  ASSERT_TRUE(file && file->Write(bytes.data(), bytes.size()) && file->Commit());
  EXPECT_GT((INT_PTR)::ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL), 32);
  std::vector<NOTE_PAD> notes;
  PumpUntil([&] { return !(notes = Notes()).empty(); }, 20000);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].text, u"From a mail");
}

TEST(Installer, InstallingOverTheRunningProgramRestartsIt) {
  HWND before = WaitForMainWindow(1000);
  ASSERT_TRUE(before);
  const DWORD oldProcess = ProcessOf(before);
  wchar_t setup[MAX_PATH] = {};
  ::GetEnvironmentVariableW(L"ZAVRA_SETUP", setup, MAX_PATH);
  EXPECT_EQ(RunSetup(setup), 0);
  HWND after = nullptr;
  const auto restarted = [&] {
    return (after = ::FindWindowW(nullptr, L"Qel note ZaVRA")) != nullptr && ProcessOf(after) != oldProcess;
  };
  EXPECT_TRUE(PumpUntil(restarted, 30000));
  EXPECT_EQ(Notes().size(), 1u);
}

TEST(Installer, SilentUninstallRemovesTheProgramButKeepsTheNotes) {
  const std::wstring dir = InstallDir();
  Process uninstall = Process::Start(dir + L"\\uninstall.exe", L"/S");
  EXPECT_EQ(uninstall.Wait(60000), 0);
  // The uninstaller goes on from a copy of itself, so wait for its work to show.
  const auto removed = [&] {
    return !::PathFileExistsW(dir.c_str()) && !RegString(HKEY_CURRENT_USER, kUninstallKey, L"DisplayName");
  };
  EXPECT_TRUE(PumpUntil(removed, 60000));
  EXPECT_FALSE(::FindWindowW(nullptr, L"Qel note ZaVRA"));
  EXPECT_FALSE(::PathFileExistsW(Group().c_str()));
  EXPECT_FALSE(RegString(HKEY_CURRENT_USER, L"SOFTWARE\\noteZaVRA", nullptr));
  EXPECT_FALSE(RegString(HKEY_CURRENT_USER, L"Software\\Classes\\.zpn", nullptr));
  EXPECT_FALSE(RegString(HKEY_CLASSES_ROOT, L".zpn", nullptr));
  EXPECT_FALSE(RegString(HKEY_CLASSES_ROOT, L"note", nullptr));
  EXPECT_FALSE(RegString(HKEY_CURRENT_USER, kRunKey, L"Note Zavra"));
  const auto notes = Notes();
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].text, u"From a mail");
  EXPECT_TRUE(::PathFileExistsW((DataDir() + L"1.qcf").c_str()));
}

}  // namespace
}  // namespace zavra::test
