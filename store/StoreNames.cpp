#include "store/StoreNames.h"

#include "store/PortableFileSystem.h"

namespace zavra {

namespace {

std::u16string Decimal(uint32_t id) {
  std::u16string s;
  do {
    s.insert(s.begin(), static_cast<char16_t>(u'0' + id % 10));
    id /= 10;
  } while (id != 0);
  return s;
}

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

}  // namespace

std::u16string StoreFileName(StoreKind kind, uint32_t id) {
  return Decimal(id) + (kind == StoreKind::kNote ? kNoteExtension : kCategoryExtension);
}

std::optional<uint32_t> StoreFileId(std::u16string_view name, StoreKind kind) {
  const std::u16string_view extension = kind == StoreKind::kNote ? kNoteExtension : kCategoryExtension;
  if (!EndsWithNoCase(name, extension)) return std::nullopt;
  name.remove_suffix(extension.size());
  if (name.empty() || name.size() > 10 || (name.size() > 1 && name[0] == u'0')) return std::nullopt;
  uint64_t id = 0;
  for (char16_t c : name) {
    if (c < u'0' || c > u'9') return std::nullopt;
    id = id * 10 + static_cast<uint64_t>(c - u'0');
  }
  if (id == 0 || id > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(id);
}

std::u16string StoreTempName(StoreKind kind, uint32_t id) {
  return Decimal(id) + (kind == StoreKind::kNote ? u".tmp-qnf" : u".tmp-qcf");
}

std::u16string StoreSetAsideName(StoreKind kind, std::u16string_view fileName, int attempt) {
  const std::u16string_view extension = kind == StoreKind::kNote ? kNoteExtension : kCategoryExtension;
  if (EndsWithNoCase(fileName, extension)) fileName.remove_suffix(extension.size());
  std::u16string name(fileName);
  name += kind == StoreKind::kNote ? u".damaged-note" : u".damaged-cate";
  if (attempt > 1) name += u"-" + Decimal(static_cast<uint32_t>(attempt));
  return name;
}

bool HiddenFromStoreListings(std::u16string_view name) {
  if (EndsWithNoCase(name, kNoteExtension) || EndsWithNoCase(name, kCategoryExtension)) return false;
  // A short name's extension keeps the first three characters that are legal there; assume the
  // worst and skip everything that is not a letter or digit.
  const size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos) return true;
  std::u16string shortExt;
  for (size_t i = dot + 1; i < name.size() && shortExt.size() < 3; ++i) {
    const char16_t c = Lower(name[i]);
    if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')) shortExt.push_back(c);
  }
  return shortExt != u"qnf" && shortExt != u"qcf";
}

}  // namespace zavra
