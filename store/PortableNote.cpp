#include "store/PortableNote.h"

#include <vector>

#include "store/NoteText.h"

namespace zavra {

std::u16string DefaultCopyFileName(const std::u16string& text) {
  std::u16string stem = FileNameStem(text);
  if (stem.size() > kCopyNameStemLength) {
    stem.resize(kCopyNameStemLength);
    // Half a surrogate pair is no valid name.
    if (stem.back() >= 0xD800 && stem.back() <= 0xDBFF) stem.pop_back();
  }
  // Windows drops trailing blanks from names; a name of blanks only is none.
  if (stem.find_first_not_of(u' ') == std::u16string::npos) return {};
  return stem + std::u16string(kPortableNoteExtension);
}

bool WriteNoteFileTo(IFileSystem& files, const std::u16string& path, const NOTE_PAD& note) {
  std::vector<uint8_t> bytes;
  if (!SerializeNote(note, bytes)) return false;
  const std::u16string part = path + u".part";
  auto file = files.Create(part, CreateMode::kAlways, nullptr);
  if (!file) return false;
  const bool written = file->Write(bytes.data(), bytes.size()) && file->Commit();
  file.reset();
  if (written && files.Replace(part, path)) return true;
  files.Remove(part);
  return false;
}

NOTE_PAD PrepareImport(const NOTE_PAD& source, ImportKind kind, const NotePlacement& placement, uint16_t category) {
  NOTE_PAD note = source;
  note.id = 0;
  note.rect = PlaceNewNote(placement);
  if (kind == ImportKind::kPortable) {
    note.flags &= kNotePortableFlags;
    note.category = 1;
    note.sound.clear();
    note.skin.clear();
  } else {
    note.category = category;
  }
  return note;
}

std::optional<NOTE_PAD> ImportNote(NoteStore& store, const NOTE_PAD& source, ImportKind kind,
                                   const NotePlacement& placement) {
  uint16_t category = 1;
  if (kind == ImportKind::kDuplicate) category = static_cast<uint16_t>(store.LoadCategory(source.category).id);
  NOTE_PAD note = PrepareImport(source, kind, placement, category);
  if (!store.SaveNote(note)) return std::nullopt;
  return note;
}

std::optional<NOTE_PAD> ImportNoteFile(NoteStore& store, const std::u16string& path, const NotePlacement& placement) {
  NOTE_PAD source;
  if (store.ReadNoteFile(path, source) != kFileOk) return std::nullopt;
  return ImportNote(store, source, ImportKind::kPortable, placement);
}

}  // namespace zavra
