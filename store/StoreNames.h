#pragma once
// File names in the data folder. Notes and categories are found by listing "*.qnf" and
// "*.qcf", and Windows matches such a pattern against 8.3 short names too, where an extension is
// cut to its first three characters. Temporary and set-aside files therefore get extensions
// whose first three letters are neither "qnf" nor "qcf" ("7.tmp-qnf" lists as "7~1.TMP").
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zavra {

enum class StoreKind { kNote, kCategory };

inline constexpr char16_t kNoteExtension[] = u".qnf";
inline constexpr char16_t kCategoryExtension[] = u".qcf";

// The derived index of the note files and the temporary file it is written through.
inline constexpr char16_t kNoteIndexName[] = u"notes.idx";
inline constexpr char16_t kNoteIndexTempName[] = u"notes.tmp-idx";

std::u16string StoreFileName(StoreKind kind, uint32_t id);       // "7.qnf", "7.qcf"
std::u16string StoreTempName(StoreKind kind, uint32_t id);       // "7.tmp-qnf", "7.tmp-qcf"
// "7.qnf" -> "7.damaged-note"; later attempts "7.damaged-note-2", ... so that no damaged copy
// replaces another.
std::u16string StoreSetAsideName(StoreKind kind, std::u16string_view fileName, int attempt);

// The id a file name stands for: exactly what StoreFileName writes ("7.qnf", extension in any
// case); nothing for any other name. The name, not the record inside, is the note's identity,
// so a damaged record can never make a save or a delete reach another note's file.
std::optional<uint32_t> StoreFileId(std::u16string_view name, StoreKind kind);

// True when neither "*.qnf" nor "*.qcf" can list a file of that name, by its long name or by
// any short name Windows could give it.
bool HiddenFromStoreListings(std::u16string_view name);

}  // namespace zavra
