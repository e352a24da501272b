#include "wizard/WizardCategories.h"

#include <algorithm>

#include "store/Category.h"
#include "store/CategoryFile.h"
#include "store/NoteStore.h"
#include "store/StoreNames.h"

namespace zavra {

std::vector<NOTE_CATE> ReadWizardCategories(IFileSystem& files, const std::u16string& dataFolder,
                                            const std::u16string& unsortedName) {
  std::vector<std::u16string> names;
  files.List(dataFolder, kCategoryExtension, [&](const std::u16string& name) { names.push_back(name); });

  std::vector<NOTE_CATE> list;
  std::vector<uint8_t> bytes;
  for (const std::u16string& name : names) {
    const auto id = StoreFileId(name, StoreKind::kCategory);
    if (!id) continue;
    if (!files.Read(dataFolder + name, bytes, kMaxStoreFileBytes + 1) || bytes.size() > kMaxStoreFileBytes) continue;
    NOTE_CATE read;
    if (ParseCategoryFile(bytes.data(), bytes.size(), read) != kFileOk) continue;
    NOTE_CATE cate;
    cate.id = *id;
    cate.name = std::move(read.name);
    list.push_back(std::move(cate));
  }
  SortCategories(list);
  if (std::none_of(list.begin(), list.end(), [](const NOTE_CATE& c) { return c.id == kUnsortedCategory; })) {
    NOTE_CATE unsorted;
    unsorted.id = kUnsortedCategory;
    unsorted.name = unsortedName;
    list.insert(list.begin(), std::move(unsorted));
  }
  return list;
}

}  // namespace zavra
