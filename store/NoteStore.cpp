#include "store/NoteStore.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <utility>

namespace zavra {

namespace {
uint32_t NextNoteId(uint32_t id) { return id == UINT32_MAX ? 1 : id + 1; }
}  // namespace

int64_t SystemClockSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

NoteStore::NoteStore(IFileSystem& files, IRegistry& registry, std::u16string dataFolder, Clock now,
                     NoteIndex::FileClock fileClock)
    : files_(files),
      registry_(registry),
      folder_(std::move(dataFolder)),
      now_(std::move(now)),
      index_(std::move(fileClock)) {}

void NoteStore::Subscribe(StoreObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) observers_.push_back(observer);
}

void NoteStore::Unsubscribe(StoreObserver* observer) { std::erase(observers_, observer); }

// Observers may come and go while being told (a window closing on a delete); each is called
// only while it is still subscribed.
void NoteStore::Notify(const std::function<void(StoreObserver&)>& call) {
  const std::vector<StoreObserver*> snapshot = observers_;
  for (StoreObserver* observer : snapshot)
    if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end()) call(*observer);
}

int NoteStore::ReadNoteFile(const std::u16string& path, NOTE_PAD& note, const NoteFilter* filter) {
  note = NOTE_PAD{};
  if (!files_.Read(path, buffer_, kNoteHeadSize)) return kFileIoError;
  NOTE_PAD_FIXED& fixed = note;
  const int head = ParseNoteHead(buffer_.data(), buffer_.size(), fixed);
  if (head != kFileOk) {
    note = NOTE_PAD{};
    return head;
  }
  if (filter && !NotePassesFilter(fixed, *filter)) return kFileFiltered;
  if (!ReadWhole(path)) return kFileIoError;
  return ParseNoteFile(buffer_.data(), buffer_.size(), note);
}

int NoteStore::LoadNote(uint32_t id, NOTE_PAD& note) {
  const int result = ReadNoteFile(PathOf(StoreKind::kNote, id), note);
  if (result == kFileOk) note.id = id;
  if (result == kFileTruncated && SetAside(StoreKind::kNote, StoreFileName(StoreKind::kNote, id))) {
    index_.Forget(id);
    Notify([id](StoreObserver& o) { o.OnNoteDeleted(id); });
  }
  return result;
}

void NoteStore::ScanNotes(const NoteFilter& filter, const std::function<void(const NOTE_PAD&)>& onNote) {
  // The callback may save or delete notes; the accepted files are known before it runs.
  std::vector<std::pair<uint32_t, std::u16string>> accepted;
  RefreshIndex();
  index_.ForEach([&](const NoteIndexEntry& e) {
    if (e.result == kFileOk && NotePassesFilter(e.note.fixed, filter))
      accepted.emplace_back(e.note.fixed.id, folder_ + e.name);
  });
  NOTE_PAD note;
  for (const auto& [id, path] : accepted) {
    if (ReadNoteFile(path, note, &filter) != kFileOk) continue;
    note.id = id;
    onNote(note);
  }
}

void NoteStore::ScanNoteHeads(
    const std::function<void(const NOTE_PAD_FIXED&, const std::u16string& path)>& onNote) {
  RefreshIndex();
  std::vector<std::pair<NOTE_PAD_FIXED, std::u16string>> heads;
  heads.reserve(index_.size());
  index_.ForEach([&](const NoteIndexEntry& e) {
    if (e.result == kFileOk) heads.emplace_back(e.note.fixed, folder_ + e.name);
  });
  for (const auto& [fixed, path] : heads) onNote(fixed, path);
}

void NoteStore::ScanNoteSummaries(const std::function<void(const NoteSummary&)>& onNote) {
  RefreshIndex();
  // Saves and deletes in the callback only mark entries; a scan inside it does not refresh
  // (RefreshIndex), so the entries handed out stay where they are.
  struct Scanning {
    int& depth;
    explicit Scanning(int& d) : depth(++d) {}
    ~Scanning() { --depth; }
  } scanning(scanning_);
  index_.ForEach([&](const NoteIndexEntry& e) {
    if (e.result == kFileOk) onNote(e.note);
  });
}

void NoteStore::LoadIndexOnce() {
  if (indexLoaded_) return;
  indexLoaded_ = true;
  std::vector<uint8_t> bytes;
  if (files_.Read(folder_ + kNoteIndexName, bytes, kMaxNoteIndexBytes + 1) && bytes.size() <= kMaxNoteIndexBytes)
    index_.Load(bytes.data(), bytes.size());
  else
    index_.Load(nullptr, 0);
}

NoteIndex::RefreshResult NoteStore::RefreshIndex() {
  LoadIndexOnce();
  if (scanning_ > 0) return {};
  const NoteIndex::RefreshResult result = index_.Refresh(files_, folder_, buffer_);
  if (result.read == result.listed) index_.SetLastFullRead(now_());
  return result;
}

bool NoteStore::WriteIndex() {
  if (!indexLoaded_) return true;
  const std::vector<uint8_t> bytes = SerializeNoteIndex(index_.Content());
  const std::u16string temp = folder_ + kNoteIndexTempName;
  auto file = files_.Create(temp, CreateMode::kAlways, nullptr);
  if (!file) return false;
  bool ok = file->Write(bytes.data(), bytes.size());
  ok = file->Commit() && ok;
  file.reset();
  ok = ok && files_.Replace(temp, folder_ + kNoteIndexName);
  if (!ok) files_.Remove(temp);
  if (ok) index_.MarkWritten();
  return ok;
}

bool NoteStore::FullReadDue() const {
  const int64_t now = now_(), last = index_.lastFullRead();
  return last == 0 || now < last || now - last >= kFullReadInterval;
}

std::vector<NoteIndexEntry> NoteStore::MergeFullRead(const NoteFolderRead& read) {
  LoadIndexOnce();
  if (scanning_ > 0) return {};  // a message pumped inside a scan; the next full read will do
  std::vector<NoteIndexEntry> changed = index_.MergeFullRead(read);
  if (read.complete) index_.SetLastFullRead(now_());
  return changed;
}

bool NoteStore::DeleteNoteQuietly(uint32_t id) {
  index_.Forget(id);
  return files_.Remove(PathOf(StoreKind::kNote, id));
}

bool NoteStore::SaveNote(NOTE_PAD& note) {
  if (note.flags & kNoteTransient) return true;
  const int64_t now = now_();
  const bool isNew = note.id == 0;
  const int64_t createdBefore = note.created;
  if (isNew) {
    files_.CreateFolders(folder_);
    note.created = now;
    if (!AllocateNoteId(note)) {
      note.created = createdBefore;
      return false;
    }
  }
  std::vector<uint8_t> bytes;
  index_.Forget(note.id);
  if (!SerializeNote(note, bytes) || !WriteReplacing(StoreKind::kNote, note.id, bytes)) {
    if (isNew) {
      // The id was claimed with an empty file; leave nothing half-made behind.
      files_.Remove(PathOf(StoreKind::kNote, note.id));
      note.id = 0;
      note.created = createdBefore;
    }
    return false;
  }
  // Observers get a copy: one that rebuilds its list may free the record the caller passed.
  const NOTE_PAD saved = note;
  Notify([&saved](StoreObserver& o) { o.OnNoteChanged(saved); });
  Notify([&saved](StoreObserver& o) { o.OnNoteSaved(saved); });
  return true;
}

bool NoteStore::DeleteNote(uint32_t id) {
  index_.Forget(id);
  if (!files_.Remove(PathOf(StoreKind::kNote, id))) return false;
  Notify([id](StoreObserver& o) { o.OnNoteDeleted(id); });
  return true;
}

bool NoteStore::AllocateNoteId(NOTE_PAD& note) {
  const auto key = registry_.OpenIdKey();
  if (!key) return false;
  uint32_t next = key->GetDword(kNoteNextIdValue).value_or(0);
  if (next == 0) next = 1;
  const uint32_t created = key->GetDword(kNoteCreatedValue).value_or(0);
  // Bounded by the id space, so a folder that answers "exists" forever cannot hang us.
  for (uint32_t tries = 0;; ++tries) {
    if (tries == UINT32_MAX) return false;
    CreateError error = CreateError::kNone;
    auto file = files_.Create(PathOf(StoreKind::kNote, next), CreateMode::kNew, &error);
    if (file) {
      if (!file->Commit()) {
        files_.Remove(PathOf(StoreKind::kNote, next));
        return false;
      }
      break;
    }
    if (error != CreateError::kExists) return false;
    next = NextNoteId(next);
  }
  note.id = next;
  key->SetDword(kNoteNextIdValue, NextNoteId(next));
  if (created != UINT32_MAX) key->SetDword(kNoteCreatedValue, created + 1);
  return true;
}

bool NoteStore::ReadWhole(const std::u16string& path) {
  return files_.Read(path, buffer_, kMaxStoreFileBytes + 1) && buffer_.size() <= kMaxStoreFileBytes;
}

bool NoteStore::WriteReplacing(StoreKind kind, uint32_t id, const std::vector<uint8_t>& bytes) {
  const std::u16string temp = folder_ + StoreTempName(kind, id);
  auto file = files_.Create(temp, CreateMode::kAlways, nullptr);
  if (!file) return false;
  bool ok = file->Write(bytes.data(), bytes.size());
  ok = file->Commit() && ok;
  file.reset();
  ok = ok && files_.Replace(temp, PathOf(kind, id));
  if (!ok) files_.Remove(temp);
  return ok;
}

bool NoteStore::SetAside(StoreKind kind, const std::u16string& fileName) {
  const std::u16string path = folder_ + fileName;
  for (int attempt = 1; attempt <= 100; ++attempt)
    if (files_.Rename(path, folder_ + StoreSetAsideName(kind, fileName, attempt))) return true;
  return false;
}

}  // namespace zavra
