// The category half of the note store.
#include <algorithm>
#include <set>

#include "store/CategoryFile.h"
#include "store/NoteStore.h"

namespace zavra {

void NoteStore::SetUnsortedDefaults(std::u16string name, const LOGFONTW& font) {
  unsortedName_ = std::move(name);
  unsortedFont_ = font;
}

NOTE_CATE NoteStore::DefaultUnsorted() const {
  NOTE_CATE cate;
  cate.id = kUnsortedCategory;
  cate.name = unsortedName_;
  cate.font = unsortedFont_;
  return cate;
}

int NoteStore::ReadCategoryFile(const std::u16string& path, NOTE_CATE& cate) {
  if (!ReadWhole(path)) {
    cate = NOTE_CATE{};
    return kFileIoError;
  }
  return ParseCategoryFile(buffer_.data(), buffer_.size(), cate);
}

int NoteStore::LoadCategoryFile(uint32_t id, NOTE_CATE& cate) {
  const int result = ReadCategoryFile(PathOf(StoreKind::kCategory, id), cate);
  if (result == kFileOk) cate.id = id;
  if (result == kFileTruncated) SetAside(StoreKind::kCategory, StoreFileName(StoreKind::kCategory, id));
  return result;
}

NOTE_CATE NoteStore::LoadCategory(uint32_t id) {
  NOTE_CATE cate;
  if (LoadCategoryFile(id, cate) == kFileOk) return cate;
  if (id != kUnsortedCategory && LoadCategoryFile(kUnsortedCategory, cate) == kFileOk) return cate;
  return DefaultUnsorted();
}

CategoryList NoteStore::LoadCategoryList() {
  std::vector<std::u16string> names;
  files_.List(folder_, kCategoryExtension, [&](const std::u16string& name) { names.push_back(name); });

  CategoryList list;
  bool haveUnsorted = false;
  for (const std::u16string& name : names) {
    const auto id = StoreFileId(name, StoreKind::kCategory);
    if (!id) continue;
    NOTE_CATE cate;
    const int result = ReadCategoryFile(folder_ + name, cate);
    if (result == kFileOk) {
      cate.id = *id;
      haveUnsorted = haveUnsorted || cate.id == kUnsortedCategory;
      list.items.push_back(std::move(cate));
    } else if (result == kFileTruncated) {
      SetAside(StoreKind::kCategory, name);
    }
  }
  SortCategories(list.items);
  if (!haveUnsorted) {
    NOTE_CATE unsorted = DefaultUnsorted();
    files_.CreateFolders(folder_);
    SaveCategory(unsorted, false);
    list.items.insert(list.items.begin(), std::move(unsorted));
  }
  list.RebuildIndex();
  return list;
}

bool NoteStore::SaveCategory(NOTE_CATE& cate, bool notify) {
  const bool isNew = cate.id == 0;
  if (isNew) {
    files_.CreateFolders(folder_);
    if (!AllocateCategoryId(cate)) return false;
  }
  std::vector<uint8_t> bytes;
  if (!SerializeCategory(cate, bytes) || !WriteReplacing(StoreKind::kCategory, cate.id, bytes)) {
    if (isNew) {
      files_.Remove(PathOf(StoreKind::kCategory, cate.id));
      cate.id = 0;
    }
    return false;
  }
  if (notify) Notify([](StoreObserver& o) { o.OnCategoriesChanged(); });
  return true;
}

// Saving first and removing the left-over files afterwards means a failure half-way never
// leaves fewer categories than before.
bool NoteStore::SaveAllCategories(std::vector<NOTE_CATE>& list, std::vector<std::u16string>* failed) {
  bool ok = true;
  std::set<std::u16string> keep;
  for (NOTE_CATE& cate : list) {
    if (!SaveCategory(cate, false)) {
      ok = false;
      if (failed) failed->push_back(cate.name);
    }
    if (cate.id != 0) keep.insert(StoreFileName(StoreKind::kCategory, cate.id));
  }
  std::vector<std::u16string> stale;
  files_.List(folder_, kCategoryExtension, [&](const std::u16string& name) {
    std::u16string lower = name;
    for (char16_t& c : lower)
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    if (!keep.count(lower)) stale.push_back(name);
  });
  for (const std::u16string& name : stale) ok = files_.Remove(folder_ + name) && ok;
  Notify([](StoreObserver& o) { o.OnCategoriesChanged(); });
  return ok;
}

bool NoteStore::AllocateCategoryId(NOTE_CATE& cate) {
  const auto key = registry_.OpenIdKey();
  if (!key) return false;
  uint32_t next = key->GetDword(kCateNextIdValue).value_or(kFirstUserCategory);
  constexpr uint32_t kIdCount = kLastCategory - kFirstUserCategory + 1;
  for (uint32_t tries = 0;; ++tries, ++next) {
    if (tries == kIdCount) return false;  // every user category id is taken
    if (next < kFirstUserCategory || next > kLastCategory) next = kFirstUserCategory;
    CreateError error = CreateError::kNone;
    auto file = files_.Create(PathOf(StoreKind::kCategory, next), CreateMode::kNew, &error);
    if (file) {
      if (!file->Commit()) {
        files_.Remove(PathOf(StoreKind::kCategory, next));
        return false;
      }
      break;
    }
    if (error != CreateError::kExists) return false;
  }
  cate.id = next;
  key->SetDword(kCateNextIdValue, next + 1);
  return true;
}

bool NoteStore::CreateFirstCategory() {
  NOTE_CATE unsorted = DefaultUnsorted();
  files_.CreateFolders(folder_);
  return SaveCategory(unsorted, false);
}

}  // namespace zavra
