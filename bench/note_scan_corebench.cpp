// The occurrence scan reads only the header and fixed part of every note file. This measures
// that filtered scan through the store against a bare open/read/close loop over the same
// files in the same run; the scan should stay within 1.3 times the bare loop.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "store/MemoryRegistry.h"
#include "store/NoteStore.h"
#include "store/PortableFileSystem.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kNotes = 10000;
constexpr int64_t kRangeFrom = 1780000000;
constexpr int64_t kRangeTo = kRangeFrom + 17 * 3600;

bool WriteNotes(const fs::path& folder) {
  std::vector<uint8_t> bytes;
  for (int i = 1; i <= kNotes; ++i) {
    zavra::NOTE_PAD note;
    note.id = static_cast<uint32_t>(i);
    note.created = kRangeFrom - 86400 * 30;
    note.text = u"Note number " + fs::path(std::to_string(i)).u16string() + u"\r\nwith a second line of text";
    if (i % 20 == 0) {  // one in twenty is due within the range
      note.flags = zavra::kNoteScheduled;
      note.start = kRangeFrom - 3600;
      note.end = kRangeFrom + 3600;
      note.timeFrom = 1800;
      note.repeatKind = zavra::kRepeatDaily;
      note.excludes = {zavra::DateKey(2026, 6, 1)};
    }
    zavra::SerializeNote(note, bytes);
    const fs::path file = folder / (std::to_string(i) + ".qnf");
    std::FILE* f = std::fopen(file.string().c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !ok) return false;
  }
  return true;
}

// Lists the folder and reads the first 181 bytes of every "*.qnf", nothing else.
double RawLoop(const fs::path& folder, int& files) {
  const auto start = Clock::now();
  uint8_t head[zavra::kNoteHeadSize];
  files = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".qnf") continue;
    std::FILE* f = std::fopen(entry.path().string().c_str(), "rb");
    if (!f) continue;
    if (std::fread(head, 1, sizeof head, f) == sizeof head) ++files;
    std::fclose(f);
  }
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

int main() {
  const fs::path folder = fs::temp_directory_path() /
                          ("zavra-scan-bench-" + std::to_string(Clock::now().time_since_epoch().count()));
  fs::create_directories(folder);
  if (!WriteNotes(folder)) {
    std::fprintf(stderr, "cannot write the note files into %s\n", folder.string().c_str());
    return 1;
  }
  zavra::PortableFileSystem files;
  zavra::MemoryRegistry registry;
  zavra::NoteStore store(files, registry, (folder / "").u16string(), [] { return kRangeFrom; });

  int rawFiles = 0, accepted = 0;
  RawLoop(folder, rawFiles);  // warm the cache for both
  double raw = 1e300, scan = 1e300;
  for (int round = 0; round < 5; ++round) {
    raw = std::min(raw, RawLoop(folder, rawFiles));
    scan = std::min(scan, StoreScan(store, accepted));
  }
  std::error_code ec;
  fs::remove_all(folder, ec);

  std::printf("note files:             %d\n", rawFiles);
  std::printf("raw open/read/close:    %.2f ms\n", raw);
  std::printf("filtered store scan:    %.2f ms (%d notes accepted)\n", scan, accepted);
  std::printf("scan / raw:             %.2f (target <= 1.30)\n", scan / raw);
  return rawFiles == kNotes && accepted == kNotes / 20 ? 0 : 1;
}
