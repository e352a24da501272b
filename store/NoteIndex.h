#pragma once
// "notes.idx": a derived index of the note files. For every note file it keeps the name, size
// and last-write time the folder listing reports, and what scans, menus and listings need of
// the note: its fixed part, first line, whether it has a link, and its excluded dates. A file
// whose listing differs from its entry is read again, so a start or a rescan costs a listing
// and the files that changed instead of an open per note. The note files stay the only truth:
// a missing, damaged or foreign index is rebuilt, and nothing is lost with it.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/FileSystem.h"
#include "store/NoteFile.h"
#include "store/NoteRecord.h"

namespace zavra {

// Longer first lines are cut; the whole note is read when all of it is needed.
inline constexpr size_t kSummaryTitleChars = 256;
// An index file larger than this is not read.
inline constexpr size_t kMaxNoteIndexBytes = size_t{256} << 20;
// A file written this close to the moment it was read may change again within the same
// write time (coarse clocks of FAT and network folders); its entry is not trusted.
inline constexpr int64_t kStampUncertainTicks = 3 * 10000000LL;

// What the index keeps of one note. Not a record: nothing of it may be saved as a note.
struct NoteSummary {
  NOTE_PAD_FIXED fixed;  // id from the file name
  std::u16string title;  // first line of the text (leading blanks skipped, tabs as blanks)
  bool titleCut = false; // the first line goes on beyond kSummaryTitleChars
  bool hasLink = false;
  std::vector<uint32_t> excludes;  // only of scheduled notes
  bool operator==(const NoteSummary& other) const;

  // Fixed part and excluded dates without text: what the occurrence searches read.
  NOTE_PAD ScheduleRecord() const;
};

// The summary of a whole note, and of a note file's bytes (kFileOk, kFileTruncated or kFileForeign).
NoteSummary SummarizeNote(const NOTE_PAD& note);
int SummarizeNoteFile(const uint8_t* data, size_t size, NoteSummary& out);

struct NoteIndexEntry {
  std::u16string name;  // as the listing spelled it
  FileStamp stamp;
  int result = kFileOk;  // a damaged file (kFileTruncated, kFileForeign) is not read again unchanged
  NoteSummary note;
  bool operator==(const NoteIndexEntry&) const = default;
};

struct NoteIndexContent {
  int64_t lastFullRead = 0;  // when every note file was last read whole; seconds since 1970 UTC
  std::vector<NoteIndexEntry> entries;
};

// "QNI", version 1, a fixed part, one tagged record per entry and a closing record with a
// checksum of everything before it.
std::vector<uint8_t> SerializeNoteIndex(const NoteIndexContent& index);
// kFileOk; kFileForeign for another magic or version or a checksum that does not match (a
// partly written or damaged index); kFileTruncated when it ends early.
int ParseNoteIndex(const uint8_t* data, size_t size, NoteIndexContent& out);
// The same without the checksum (what the fuzz target reaches through).
int ParseNoteIndexRecords(const uint8_t* data, size_t size, NoteIndexContent& out);

// Every note file of `folder` read whole, for the daily check of files that changed without a
// new size or write time. Stops early (complete = false) when `stop` is set.
struct NoteFolderRead {
  std::vector<NoteIndexEntry> entries;
  bool complete = false;
};
NoteFolderRead ReadNoteFolder(IFileSystem& files, const std::u16string& folder, const std::atomic<bool>& stop);

// The index in memory, kept up to date by the store.
class NoteIndex {
 public:
  using FileClock = std::function<int64_t()>;  // now as a Windows file time
  explicit NoteIndex(FileClock clock);

  // Takes an index file's content; false (and empty) when it is none.
  bool Load(const uint8_t* data, size_t size);

  struct RefreshResult {
    size_t listed = 0;
    size_t read = 0;  // listed files that were read because their entry did not match
  };
  // Lists `folder`: a file whose name, size and write time match its trusted entry keeps it,
  // any other is read and its entry replaced; entries of files no longer listed go.
  RefreshResult Refresh(IFileSystem& files, const std::u16string& folder, std::vector<uint8_t>& buffer);

  // The note's file was written or removed through the store: its entry is read again.
  void Forget(uint32_t id);

  // Entries of the last refresh in listing order, readable or not.
  void ForEach(const std::function<void(const NoteIndexEntry&)>& onEntry) const;
  size_t size() const { return order_.size(); }

  // Entries the full read found to differ from the index although listed alike; they replace
  // the index's. Entries whose file has changed since are left to the next refresh.
  std::vector<NoteIndexEntry> MergeFullRead(const NoteFolderRead& read);

  int64_t lastFullRead() const { return lastFullRead_; }
  void SetLastFullRead(int64_t when);

  // Something changed since the index file was last written.
  bool dirty() const { return dirty_; }
  void MarkWritten() { dirty_ = false; }
  // Trusted entries only: an uncertain one is read again at the next start anyway.
  NoteIndexContent Content() const;

 private:
  struct Slot {
    NoteIndexEntry entry;
    bool trusted = false;
    uint32_t pass = 0;  // the last refresh that listed its file
  };
  FileClock clock_;
  std::unordered_map<uint32_t, Slot> slots_;
  std::vector<uint32_t> order_;
  uint32_t pass_ = 0;
  int64_t lastFullRead_ = 0;
  bool dirty_ = false;
};

}  // namespace zavra
