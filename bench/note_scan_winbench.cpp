// The filtered note scan as the program runs it, over the kernel file calls, beside a bare
// FindFirstFile/CreateFile/ReadFile loop over the same 10 000 files in the same run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "framework/Text.h"
#include "store/MemoryRegistry.h"
#include "store/NoteStore.h"
#include "store/StoreWin.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kNotes = 10000;
constexpr int64_t kRangeFrom = 1780000000;
constexpr int64_t kRangeTo = kRangeFrom + 17 * 3600;

bool WriteNotes(const std::wstring& folder) {
  std::vector<uint8_t> bytes;
  for (int i = 1; i <= kNotes; ++i) {
    zavra::NOTE_PAD note;
    note.id = static_cast<uint32_t>(i);
    note.created = kRangeFrom - 86400 * 30;
    note.text = zavra::ToU16(L"Note number " + std::to_wstring(i) + L"\r\nwith a second line of text");
    if (i % 20 == 0) {
      note.flags = zavra::kNoteScheduled;
      note.start = kRangeFrom - 3600;
      note.end = kRangeFrom + 3600;
      note.timeFrom = 1800;
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

double RawLoop(const std::wstring& folder, int& files) {
  const auto start = Clock::now();
  uint8_t head[zavra::kNoteHeadSize];
  files = 0;
  WIN32_FIND_DATAW data;
  zavra::FindHandle find(::FindFirstFileW((folder + L"*.qnf").c_str(), &data));
  if (!find) return 0;
  do {
    zavra::FileHandle f(::CreateFileW((folder + data.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD got = 0;
    if (f && ::ReadFile(f.get(), head, sizeof head, &got, nullptr) && got == sizeof head) ++files;
  } while (::FindNextFileW(find.get(), &data));
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double StoreScan(zavra::NoteStore& store, int& accepted) {
  zavra::NoteFilter filter;
  filter.requiredFlags = zavra::kNoteScheduled;
  filter.useRange = true;
  filter.rangeFrom = kRangeFrom;
  filter.rangeTo = kRangeTo;
  const auto start = Clock::now();
  accepted = 0;
  store.ScanNotes(filter, [&](const zavra::NOTE_PAD&) { ++accepted; });
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int wmain() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"zavra-scan-winbench-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  if (!WriteNotes(folder)) {
    std::fprintf(stderr, "cannot write the note files\n");
    return 1;
  }
  zavra::Win32FileSystem files;
  zavra::MemoryRegistry registry;
  zavra::NoteStore store(files, registry, zavra::ToU16(folder), [] { return kRangeFrom; });

  int rawFiles = 0, accepted = 0;
  RawLoop(folder, rawFiles);
  double raw = 1e300, scan = 1e300;
  for (int round = 0; round < 5; ++round) {
    raw = std::min(raw, RawLoop(folder, rawFiles));
    scan = std::min(scan, StoreScan(store, accepted));
  }
  for (int i = 1; i <= kNotes; ++i) ::DeleteFileW((folder + std::to_wstring(i) + L".qnf").c_str());
  ::RemoveDirectoryW(folder.c_str());

  std::printf("note files:             %d\n", rawFiles);
  std::printf("raw Win32 read loop:    %.2f ms\n", raw);
  std::printf("filtered store scan:    %.2f ms (%d notes accepted)\n", scan, accepted);
  std::printf("scan / raw:             %.2f (target <= 1.30)\n", scan / raw);
  return rawFiles == kNotes && accepted == kNotes / 20 ? 0 : 1;
}
