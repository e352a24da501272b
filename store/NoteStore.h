#pragma once
// The notes and categories of the data folder: one "%lu.qnf" per note, one "%lu.qcf" per
// category, ids from the counters in the identifier key. Saves go to a temporary file that
// replaces the old one only when complete, so a failed save never costs the stored version.
// Scans go through the derived index "notes.idx" (NoteIndex.h), which the store keeps in memory
// and writes only when asked to.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "store/Category.h"
#include "store/FileSystem.h"
#include "store/NoteFile.h"
#include "store/NoteIndex.h"
#include "store/NoteRecord.h"
#include "store/Registry.h"
#include "store/StoreNames.h"
#include "store/StoreObserver.h"

namespace zavra {

inline constexpr char16_t kNoteNextIdValue[] = u"NoteNextId";
inline constexpr char16_t kNoteCreatedValue[] = u"NoteCreated";
inline constexpr char16_t kCateNextIdValue[] = u"NoteCateNextId";

// No note or category comes near this; a larger file is treated as unreadable rather than
// exhausting memory.
inline constexpr size_t kMaxStoreFileBytes = size_t{64} << 20;
// Every note file is read whole this often, for changes that kept a file's size and time.
inline constexpr int64_t kFullReadInterval = 86400;

// The current time as the store records it: seconds since 1970-01-01 UTC.
int64_t SystemClockSeconds();

class NoteStore {
 public:
  using Clock = std::function<int64_t()>;  // seconds since 1970-01-01 UTC

  // `dataFolder` ends with a path separator.
  NoteStore(IFileSystem& files, IRegistry& registry, std::u16string dataFolder, Clock now = SystemClockSeconds,
            NoteIndex::FileClock fileClock = FileTimeNow);
  NoteStore(const NoteStore&) = delete;
  NoteStore& operator=(const NoteStore&) = delete;

  const std::u16string& DataFolder() const { return folder_; }
  std::u16string PathOf(StoreKind kind, uint32_t id) const { return folder_ + StoreFileName(kind, id); }

  void Subscribe(StoreObserver* observer);
  void Unsubscribe(StoreObserver* observer);

  // --- notes ---
  // Reads one note file; with a filter only header and fixed part are read for rejected notes.
  int ReadNoteFile(const std::u16string& path, NOTE_PAD& note, const NoteFilter* filter = nullptr);
  // Reads "%lu.qnf"; a truncated file is set aside and the note announced as deleted.
  int LoadNote(uint32_t id, NOTE_PAD& note);
  // Calls `onNote` for every readable note the filter accepts. Damaged files are skipped; the
  // index decides which files are read whole.
  void ScanNotes(const NoteFilter& filter, const std::function<void(const NOTE_PAD&)>& onNote);
  // Header and fixed part of every readable note, with the file's path; cheaper than a full scan
  // for callers that read only some notes whole (ReadNoteFile) or delete some.
  void ScanNoteHeads(const std::function<void(const NOTE_PAD_FIXED&, const std::u16string& path)>& onNote);
  // What the index keeps of every readable note, brought up to date with the folder first: the
  // listing of the notes at about the cost of a folder listing. The full record, for the text
  // or the link, is LoadNote's.
  void ScanNoteSummaries(const std::function<void(const NoteSummary&)>& onNote);

  // --- the index ---
  // Lists the folder and reads the note files that changed since the index saw them.
  NoteIndex::RefreshResult RefreshIndex();
  // The index knows something its file does not.
  bool IndexNeedsWrite() const { return index_.dirty(); }
  // Writes "notes.idx" through a temporary file. Never part of a save: callers debounce it.
  bool WriteIndex();
  // A day has passed since every note file was last read whole (or the clock went back).
  bool FullReadDue() const;
  // Takes in what a full read of the folder found; returns the entries that differed although
  // their files were listed alike (changed without a new size or write time).
  std::vector<NoteIndexEntry> MergeFullRead(const NoteFolderRead& read);
  // Deletes a note's file without announcing it (expired notes at start-up).
  bool DeleteNoteQuietly(uint32_t id);
  // Gives a new note its id and created time. Announces the saved record on success only.
  bool SaveNote(NOTE_PAD& note);
  bool DeleteNote(uint32_t id);
  // Claims the next free id by creating its file empty; advances the counters.
  bool AllocateNoteId(NOTE_PAD& note);

  // --- categories ---
  // Name and font of the "Unsorted" category this store creates when it is missing.
  void SetUnsortedDefaults(std::u16string name, const LOGFONTW& font);
  NOTE_CATE DefaultUnsorted() const;

  int ReadCategoryFile(const std::u16string& path, NOTE_CATE& cate);
  // Always a usable category: its own file, else "1.qcf", else the default "Unsorted".
  NOTE_CATE LoadCategory(uint32_t id);
  // Every category in display order; "Unsorted" is created when missing.
  CategoryList LoadCategoryList();
  bool SaveCategory(NOTE_CATE& cate, bool notify);
  // Makes the category files exactly `list` (ids given to new ones), announced once. Every
  // category is written before any leftover file goes; the names of those that could not be
  // written are added to `failed` (their old files, if any, stay).
  bool SaveAllCategories(std::vector<NOTE_CATE>& list, std::vector<std::u16string>* failed = nullptr);
  bool AllocateCategoryId(NOTE_CATE& cate);
  // First run: writes "Unsorted" into a new data folder.
  bool CreateFirstCategory();

 private:
  bool ReadWhole(const std::u16string& path);
  bool WriteReplacing(StoreKind kind, uint32_t id, const std::vector<uint8_t>& bytes);
  bool SetAside(StoreKind kind, const std::u16string& fileName);
  void LoadIndexOnce();
  int LoadCategoryFile(uint32_t id, NOTE_CATE& cate);
  void Notify(const std::function<void(StoreObserver&)>& call);

  IFileSystem& files_;
  IRegistry& registry_;
  std::u16string folder_;
  Clock now_;
  std::vector<StoreObserver*> observers_;
  std::vector<uint8_t> buffer_;  // reused by every read, so scans do not allocate per file
  NoteIndex index_;
  bool indexLoaded_ = false;
  int scanning_ = 0;  // ScanNoteSummaries callbacks under way
  std::u16string unsortedName_ = u"Unsorted";
  LOGFONTW unsortedFont_{};
};

}  // namespace zavra
