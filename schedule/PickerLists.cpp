#include "schedule/PickerLists.h"

#include <algorithm>

namespace zavra {

SoundList::SoundList(std::u16string path) : custom_(path), path_(std::move(path)), selected_(custom_.empty() ? 0 : 1) {}

SoundList::Step SoundList::Choose(size_t row) {
  if (row >= RowCount()) return Step::kNothing;
  if (row == BrowseRow()) {
    beforeBrowse_ = selected_;
    selected_ = row;
    return Step::kBrowse;
  }
  selected_ = row;
  path_ = row == 0 ? std::u16string() : custom_;
  return Step::kPreview;
}

SoundList::Step SoundList::BrowseEnded(const std::optional<std::u16string>& file) {
  if (!file || file->empty()) {
    selected_ = std::min(beforeBrowse_, BrowseRow() - 1);
    return Step::kNothing;
  }
  custom_ = path_ = *file;
  selected_ = 1;
  return Step::kPreview;
}

bool IsSkinFolderName(std::u16string_view name) { return !name.empty() && name.front() != u'.'; }

size_t SkinRowFor(const std::vector<std::u16string>& folders, bool allowInherit, const SkinChoice& current) {
  const size_t none = allowInherit ? 1 : 0;
  if (current.inherit && allowInherit) return 0;
  const auto it = std::find(folders.begin(), folders.end(), current.title);
  if (current.title.empty() || it == folders.end()) return none;
  return none + 1 + static_cast<size_t>(it - folders.begin());
}

SkinChoice SkinChoiceAt(const std::vector<std::u16string>& folders, bool allowInherit, size_t row) {
  if (allowInherit) {
    if (row == 0) return {true, {}};
    --row;
  }
  if (row == 0 || row > folders.size()) return {};
  return {false, folders[row - 1]};
}

int FilterRow(const std::vector<int>& rowIds, int filterId, int previousRow) {
  if (rowIds.empty()) return -1;
  const auto it = std::find(rowIds.begin(), rowIds.end(), filterId);
  if (it != rowIds.end()) return static_cast<int>(it - rowIds.begin());
  if (previousRow < 0) return 0;
  return std::min(previousRow, static_cast<int>(rowIds.size()) - 1);
}

}  // namespace zavra
