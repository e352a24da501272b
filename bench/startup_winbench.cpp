// Start-up of notezavra.exe with 10 000 note files (1 000 of them scheduled) until it is ready
// (tray icon added, alarm scan done, command pipe open), beside a raw open/read/close scan of the
// same files and the start-up with an empty data folder, all measured in the same run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "app/PipeClient_win.h"
#include "framework/Handles.h"
#include "framework/Text.h"
#include "store/NoteFile.h"
#include "store/StoreWin.h"
#include <shlobj.h>
#include <shlwapi.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kNotes = 10000;

std::wstring DataFolder() {
  wchar_t appData[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData);
  return std::wstring(appData) + L"\\noteZaVRA\\";
}

void EmptyFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  zavra::FindHandle find(::FindFirstFileW((folder + L"*").c_str(), &data));
  if (!find) return;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileW((folder + data.cFileName).c_str());
  } while (::FindNextFileW(find.get(), &data));
}

bool WriteCategory(const std::wstring& folder) {
  zavra::Win32FileSystem files;
  zavra::Win32Registry registry;
  zavra::NoteStore store(files, registry, zavra::ToU16(folder));
  zavra::NOTE_CATE unsorted;
  unsorted.id = 1;
  unsorted.name = u"Unsorted";
  return store.SaveCategory(unsorted, false);
}

bool WriteNotes(const std::wstring& folder) {
  const int64_t now = static_cast<int64_t>(std::time(nullptr));
  std::vector<uint8_t> bytes;
  for (int i = 1; i <= kNotes; ++i) {
    zavra::NOTE_PAD note;
    note.id = static_cast<uint32_t>(i);
    note.created = now - 3600;  // young: nothing expires
    note.text = zavra::ToU16(L"Note number " + std::to_wstring(i) + L"\r\nwith a second line of text");
    if (i % 10 == 0) {
      // A daily reminder later today or in the coming hours.
      note.flags = zavra::kNoteScheduled | zavra::kNoteOpenEnded | zavra::kNoteNoWindow | zavra::kNoteNoSound |
                   zavra::kNoteLaunchLink;
      note.start = now - 86400 * 10 - (now % 86400);
      note.end = note.start;
      note.timeFrom = static_cast<int32_t>((now + 3600 + i) % 86400);
      note.repeatKind = zavra::kRepeatDaily;
    }
    zavra::SerializeNote(note, bytes);
    zavra::FileHandle f(::CreateFileW((folder + std::to_wstring(i) + L".qnf").c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!f || !::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return false;
  }
  return true;
}

double RawScan(const std::wstring& folder) {
  const auto start = Clock::now();
  uint8_t head[zavra::kNoteHeadSize];
  WIN32_FIND_DATAW data;
  zavra::FindHandle find(::FindFirstFileW((folder + L"*.qnf").c_str(), &data));
  if (!find) return 0;
  do {
    zavra::FileHandle f(::CreateFileW((folder + data.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD got = 0;
    if (f) ::ReadFile(f.get(), head, sizeof head, &got, nullptr);
  } while (::FindNextFileW(find.get(), &data));
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Ends the resident copy and waits for its process, so its pipe is gone before the next start.
void StopMain() {
  for (int i = 0; i < 100; ++i) {
    HWND w = ::FindWindowW(nullptr, L"Qel note ZaVRA");
    if (!w) return;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    zavra::KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    ::PostMessageW(w, WM_CLOSE, 0, 0);
    if (process) ::WaitForSingleObject(process.get(), 10000);
    else ::Sleep(50);
  }
}

// From process start until the command pipe answers: the pipe server starts after the tray icon
// and the first alarm scan.
double StartUp(const std::wstring& exe) {
  std::wstring line = L"\"" + exe + L"\"";
  std::vector<wchar_t> buf(line.begin(), line.end());
  buf.push_back(0);
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  const auto start = Clock::now();
  if (!::CreateProcessW(exe.c_str(), buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  while (!::WaitNamedPipeW(zavra::kCommandPipeName, 1)) {
    if (Clock::now() - start > std::chrono::seconds(60)) return -1;
    ::Sleep(1);
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  StopMain();
  return ms;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int wmain() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  ::PathRemoveFileSpecW(self);
  const std::wstring exe = std::wstring(self) + L"\\..\\bin\\notezavra.exe";
  const std::wstring folder = DataFolder();
  StopMain();
  ::CreateDirectoryW(folder.c_str(), nullptr);
  EmptyFolder(folder);
  if (!WriteCategory(folder)) {
    std::printf("cannot write the data folder\n");
    return 1;
  }
  std::vector<double> empty;
  for (int i = 0; i < 3; ++i) empty.push_back(StartUp(exe));
  if (!WriteNotes(folder)) {
    std::printf("cannot write the notes\n");
    return 1;
  }
  std::vector<double> full, raw;
  for (int i = 0; i < 3; ++i) {
    raw.push_back(RawScan(folder));
    full.push_back(StartUp(exe));
  }
  const double e = Median(empty), f = Median(full), r = Median(raw);
  std::printf("raw open/read/close scan of %d files:   %8.1f ms\n", kNotes, r);
  std::printf("start-up with an empty data folder:      %8.1f ms\n", e);
  std::printf("start-up with %d notes (%d scheduled): %8.1f ms\n", kNotes, kNotes / 10, f);
  std::printf("occurrence scan at start-up (difference): %8.1f ms, %.2f x the raw scan (target <= 1.50)\n", f - e,
              (f - e) / r);
  std::printf("start-up beyond the scan:                %8.1f ms (target < 500)\n", f - (f - e));
  EmptyFolder(folder);
  return 0;
}
