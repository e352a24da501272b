#pragma once
// The skin being designed: its layers in the order the layer list shows them (the top-most
// layer first, the reverse of the drawing order), the current layer, and the rules for adding,
// removing and moving layers. Titles and picture names the designer may store.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/SkinLayer.h"

namespace zavra {

// Kinds the designer lists (and so writes back); records of other kinds are dropped on load.
bool IsListedKind(int32_t kind);

// The file-name part of an Image layer's picture name; empty when it names no picture.
std::u16string PictureDisplayName(const SLAYER& image);

class SkinDocument {
 public:
  size_t size() const { return entries_.size(); }
  const SLAYER& entry(size_t i) const { return *entries_[i]; }
  SLAYER& entry(size_t i) { return *entries_[i]; }

  // Replaces the list by `drawingOrder` (bottom layer first), dropping unlisted kinds; no
  // layer is current afterwards.
  void Load(std::span<const SLAYER> drawingOrder);
  // The layers bottom first, as the "layers" file stores them.
  std::vector<SLAYER> DrawingOrder() const;

  // A new empty Image directly above the selected entry (drawn just over it), or at the end
  // without a selection. Returns its index.
  size_t AddImage(std::optional<size_t> selected);
  // Removes an Image entry (other kinds stay) and returns the entry to select next: the one
  // now at the same index, else the last. Nothing when refused or when the list is now empty.
  std::optional<size_t> RemoveImage(size_t index, bool* removed = nullptr);
  // Moves an entry one place; the new index, or nothing at the ends.
  std::optional<size_t> MoveUp(size_t index);
  std::optional<size_t> MoveDown(size_t index);

  // The layer whose properties are shown. It keeps its identity while entries move.
  SLAYER* current() { return current_; }
  std::optional<size_t> currentIndex() const;
  void SetCurrent(std::optional<size_t> index);

 private:
  std::vector<std::unique_ptr<SLAYER>> entries_;
  SLAYER* current_ = nullptr;
};

// One of the nine characters the Save As dialog names in its refusal message.
bool HasNotAllowedTitleChar(std::u16string_view title);
// A title the designer saves, imports or deletes under: a valid skin title (one plain folder
// name) that does not start with "." (such folders are never listed) and does not end with a
// dot or blank (the system would drop them and use another folder).
bool IsDesignerTitle(std::u16string_view title);

// The picture name the image chooser stores for a chosen file: the bare file name when the
// file is in the skin's folder (compared without regard to case), else the full path.
std::u16string ChosenPictureName(std::u16string_view path, std::u16string_view skinFolder);
// Whether a chosen name can be stored: it fits the record and the skin reader resolves it
// (a local full path or a plain name).
bool IsStorablePictureName(std::u16string_view name, std::u16string_view skinFolder);
// The file the chooser starts at for the current picture name; empty for none.
std::u16string ChooserStartFile(std::u16string_view name, std::u16string_view skinFolder);

// Display choice of the image page: 0 "Original Size", 1 "Canvas Size", 2 "Canvas Size (MAR)",
// 3 "Tile", read from and written into an Image's display flags.
int DisplayChoiceOf(int32_t flags);
int32_t ImageFlagsFor(int displayChoice, bool adjustWidth, bool adjustHeight, bool percent);

}  // namespace zavra
