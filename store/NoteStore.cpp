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

NoteStore::NoteStore(IFileSystem& files, IRegistry& registry, std::u16string dataFolder, Clock now)
    : files_(files), registry_(registry), folder_(std::move(dataFolder)), now_(std::move(now)) {}

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
  if (result == kFileTruncated && SetAside(StoreKind::kNote, StoreFileName(StoreKind::kNote, id)))
    Notify([id](StoreObserver& o) { o.OnNoteDeleted(id); });
  return result;
}

void NoteStore::ScanNotes(const NoteFilter& filter, const std::function<void(const NOTE_PAD&)>& onNote) {
  std::u16string path;
  NOTE_PAD note;
  files_.List(folder_, kNoteExtension, [&](const std::u16string& name) {
    const auto id = StoreFileId(name, StoreKind::kNote);
    if (!id) return;
    path.assign(folder_).append(name);
    if (ReadNoteFile(path, note, &filter) != kFileOk) return;
    note.id = *id;
    onNote(note);
  });
}

void NoteStore::ScanNoteHeads(
    const std::function<void(const NOTE_PAD_FIXED&, const std::u16string& path)>& onNote) {
  std::u16string path;
  NOTE_PAD_FIXED fixed;
  files_.List(folder_, kNoteExtension, [&](const std::u16string& name) {
    const auto id = StoreFileId(name, StoreKind::kNote);
    if (!id) return;
    path.assign(folder_).append(name);
    if (!files_.Read(path, buffer_, kNoteHeadSize)) return;
    if (ParseNoteHead(buffer_.data(), buffer_.size(), fixed) != kFileOk) return;
    fixed.id = *id;
    onNote(fixed, path);
  });
}

bool NoteStore::DeleteNoteQuietly(uint32_t id) { return files_.Remove(PathOf(StoreKind::kNote, id)); }

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
