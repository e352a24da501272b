// Start-up of notezavra.exe with 10 000 note files (1 000 of them scheduled) until it is ready
// (tray icon added, alarm scan done, command pipe open), without and with a valid note index,
// beside the floors it is measured against, all in the same run: a bare listing of the folder
// (FindFirstFile loop), a raw open/read/close of every note file, reading the index file, and
// the start-up with an empty data folder.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "app/PipeClient_win.h"
#include "framework/Handles.h"
#include "framework/Text.h"
#include "store/MemoryRegistry.h"
#include "store/NoteFile.h"
#include "store/NoteIndex.h"
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
  FILETIME past;
  ::GetSystemTimeAsFileTime(&past);
  ULARGE_INTEGER t{{past.dwLowDateTime, past.dwHighDateTime}};
  t.QuadPart -= 2ull * 86400 * 10000000;
  past = {t.LowPart, t.HighPart};
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
    // Notes of a folder that has been in use: written days ago, not in the last seconds.
    ::SetFileTime(f.get(), nullptr, nullptr, &past);
  }
  return true;
}

double Listing(const std::wstring& folder, int& files) {
  const auto start = Clock::now();
  WIN32_FIND_DATAW data;
  files = 0;
  zavra::FindHandle find(::FindFirstFileExW((folder + L"*.qnf").c_str(), FindExInfoBasic, &data,
                                            FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return 0;
  do ++files;
  while (::FindNextFileW(find.get(), &data));
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Reading and checking the index file as a start does, in this process.
double IndexRead(const std::wstring& folder, size_t& entries, size_t& bytes) {
  const auto start = Clock::now();
  zavra::Win32FileSystem files;
  std::vector<uint8_t> data;
  zavra::NoteIndexContent content;
  entries = bytes = 0;
  if (!files.Read(zavra::ToU16(folder) + zavra::kNoteIndexName, data, zavra::kMaxNoteIndexBytes)) return -1;
  if (zavra::ParseNoteIndex(data.data(), data.size(), content) != zavra::kFileOk) return -1;
  entries = content.entries.size();
  bytes = data.size();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The occurrence scan's walk over the notes as the program makes it, in this process: with the
// index in place its cost is the listing plus reading the index.
double StoreScan(const std::wstring& folder, size_t& notes) {
  zavra::Win32FileSystem files;
  zavra::MemoryRegistry registry;
  zavra::NoteStore store(files, registry, zavra::ToU16(folder));
  const auto start = Clock::now();
  notes = 0;
  store.ScanNoteSummaries([&](const zavra::NoteSummary&) { ++notes; });
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
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
  constexpr int kRuns = 5;
  std::vector<double> empty;
  for (int i = 0; i < kRuns; ++i) empty.push_back(StartUp(exe));
  if (!WriteNotes(folder)) {
    std::printf("cannot write the notes\n");
    return 1;
  }
  const std::wstring index = folder + zavra::ToWide(zavra::kNoteIndexName);
  std::vector<double> listing, raw, cold, warm, indexRead, scanCold, scanWarm;
  int listed = 0;
  size_t scanned = 0;
  for (int i = 0; i < kRuns; ++i) {
    listing.push_back(Listing(folder, listed));
    raw.push_back(RawScan(folder));
    ::DeleteFileW(index.c_str());
    scanCold.push_back(StoreScan(folder, scanned));
    cold.push_back(StartUp(exe));  // builds the index from the files and writes it at exit
  }
  size_t entries = 0, indexBytes = 0;
  for (int i = 0; i < kRuns; ++i) {
    indexRead.push_back(IndexRead(folder, entries, indexBytes));
    scanWarm.push_back(StoreScan(folder, scanned));
    warm.push_back(StartUp(exe));
  }
  const double l = Median(listing), r = Median(raw), e = Median(empty), c = Median(cold), w = Median(warm),
               x = Median(indexRead), sc = Median(scanCold), sw = Median(scanWarm);
  std::printf("notes listed: %d (%d scheduled); index: %zu entries, %zu bytes; medians of %d runs\n", listed,
              kNotes / 10, entries, indexBytes, kRuns);
  std::printf("listing floor (FindFirstFile loop):        %8.1f ms\n", l);
  std::printf("raw open/read/close of every note file:    %8.1f ms\n", r);
  std::printf("start-up without an index:                 %8.1f ms\n", c);
  std::printf("start-up with a valid index:               %8.1f ms\n", w);
  std::printf("  start-up with an empty data folder:      %8.1f ms\n", e);
  std::printf("  reading and checking the index:          %8.1f ms\n", x);
  std::printf("  start-up's note walk without the index:  %8.1f ms in process, %8.1f ms by start-up difference\n", sc,
              c - e);
  std::printf("  start-up's note walk with the index:     %8.1f ms in process, %8.1f ms by start-up difference\n", sw,
              w - e);
  std::printf("  with the index: %.2f x (listing + index read) (target <= 1.50), %.2f x the raw read loop"
              " (target <= 0.20)\n",
              std::max(sw, w - e) / (l + x), std::max(sw, w - e) / r);
  if (scanned != static_cast<size_t>(kNotes)) std::printf("the store saw %zu notes, not %d\n", scanned, kNotes);
  EmptyFolder(folder);
  return 0;
}
