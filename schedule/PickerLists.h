#pragma once
// The rows of the small pickers the note dialogs, the pad's bar and the preferences share: the
// sound list, the skin list and the category filter. Which row is selected and what a choice
// means are decided here; the controls only show the rows.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zavra {

// The sound list: the "(Inherit)" row (no file of its own), the note's own file when it has
// one, and "Browse...".
class SoundList {
 public:
  explicit SoundList(std::u16string path = {});

  size_t RowCount() const { return custom_.empty() ? 2 : 3; }
  size_t BrowseRow() const { return RowCount() - 1; }
  // The file row's text; empty while there is none.
  const std::u16string& customPath() const { return custom_; }
  size_t selected() const { return selected_; }
  // The chosen file; empty for "(Inherit)".
  const std::u16string& path() const { return path_; }

  enum class Step { kPreview, kBrowse, kNothing };
  // The user chose a row: preview what it plays, or ask for a file.
  Step Choose(size_t row);
  // The file dialog's answer. A file becomes the file row and is previewed; without one the
  // selection goes back to the row chosen before "Browse...".
  Step BrowseEnded(const std::optional<std::u16string>& file);

 private:
  std::u16string custom_;
  std::u16string path_;
  size_t selected_ = 0;
  size_t beforeBrowse_ = 0;
};

// The skin a note or category follows: its category's ("(Inherit)"), the built-in one (no
// title, "(None)") or a skin folder's.
struct SkinChoice {
  bool inherit = false;
  std::u16string title;
  bool operator==(const SkinChoice&) const = default;
};

// Folders beginning with a dot are not skins.
bool IsSkinFolderName(std::u16string_view name);
// Rows: "(Inherit)" when allowed, "(None)", then the folders in the order given.
size_t SkinRowFor(const std::vector<std::u16string>& folders, bool allowInherit, const SkinChoice& current);
SkinChoice SkinChoiceAt(const std::vector<std::u16string>& folders, bool allowInherit, size_t row);

// The category filter's row for `filterId` among rows carrying `rowIds`: its own row, else the
// row selected before (-1: none) kept within the list. -1 for an empty list.
int FilterRow(const std::vector<int>& rowIds, int filterId, int previousRow);

}  // namespace zavra
