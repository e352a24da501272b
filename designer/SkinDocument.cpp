#include "designer/SkinDocument.h"

#include <algorithm>

#include "skin/SkinNames.h"

namespace zavra {

bool IsListedKind(int32_t kind) {
  switch (kind) {
    case kLayerPaper:
    case kLayerBorder:
    case kLayerNoteIcon:
    case kLayerLinkIcon:
    case kLayerImage:
    case kLayerText:
      return true;
    default:
      return false;
  }
}

std::u16string PictureDisplayName(const SLAYER& image) {
  const std::u16string name = LayerText(image.u.image.picture);
  const size_t cut = name.find_last_of(u"\\/:");
  return cut == std::u16string::npos ? name : name.substr(cut + 1);
}

void SkinDocument::Load(std::span<const SLAYER> drawingOrder) {
  current_ = nullptr;
  entries_.clear();
  for (auto it = drawingOrder.rbegin(); it != drawingOrder.rend(); ++it)
    if (IsListedKind(it->kind)) entries_.push_back(std::make_unique<SLAYER>(*it));
}

std::vector<SLAYER> SkinDocument::DrawingOrder() const {
  std::vector<SLAYER> out;
  out.reserve(entries_.size());
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) out.push_back(**it);
  return out;
}

size_t SkinDocument::AddImage(std::optional<size_t> selected) {
  const size_t at = selected && *selected < entries_.size() ? *selected : entries_.size();
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), std::make_unique<SLAYER>(MakeLayer(kLayerImage)));
  return at;
}

std::optional<size_t> SkinDocument::RemoveImage(size_t index, bool* removed) {
  if (removed) *removed = false;
  if (index >= entries_.size() || entries_[index]->kind != kLayerImage) return std::nullopt;
  if (current_ == entries_[index].get()) current_ = nullptr;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  if (removed) *removed = true;
  if (entries_.empty()) return std::nullopt;
  return std::min(index, entries_.size() - 1);
}

std::optional<size_t> SkinDocument::MoveUp(size_t index) {
  if (index == 0 || index >= entries_.size()) return std::nullopt;
  std::swap(entries_[index], entries_[index - 1]);
  return index - 1;
}

std::optional<size_t> SkinDocument::MoveDown(size_t index) {
  if (index + 1 >= entries_.size()) return std::nullopt;
  std::swap(entries_[index], entries_[index + 1]);
  return index + 1;
}

std::optional<size_t> SkinDocument::currentIndex() const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].get() == current_) return i;
  return std::nullopt;
}

void SkinDocument::SetCurrent(std::optional<size_t> index) {
  current_ = index && *index < entries_.size() ? entries_[*index].get() : nullptr;
}

bool HasNotAllowedTitleChar(std::u16string_view title) {
  return title.find_first_of(u"<>:\"/\\|?*") != std::u16string_view::npos;
}

bool IsDesignerTitle(std::u16string_view title) {
  if (!IsValidSkinTitle(title) || title.front() == u'.') return false;
  return title.back() != u'.' && title.back() != u' ';
}

namespace {

std::u16string_view FolderPart(std::u16string_view path) {
  const size_t cut = path.rfind(u'\\');
  return cut == std::u16string_view::npos ? std::u16string_view() : path.substr(0, cut + 1);
}

}  // namespace

std::u16string ChosenPictureName(std::u16string_view path, std::u16string_view skinFolder) {
  const std::u16string_view folder = FolderPart(path);
  if (!skinFolder.empty() && FoldCase(folder) == FoldCase(skinFolder)) return std::u16string(path.substr(folder.size()));
  return std::u16string(path);
}

bool IsStorablePictureName(std::u16string_view name, std::u16string_view skinFolder) {
  if (name.size() >= kLayerTextChars) return false;
  // A bare name needs a folder to be found in; an untitled skin stores full paths only.
  if (name.find(u'\\') == std::u16string_view::npos && skinFolder.empty()) return false;
  return ResolvePicturePath(skinFolder.empty() ? u"C:\\" : skinFolder, name).has_value();
}

std::u16string ChooserStartFile(std::u16string_view name, std::u16string_view skinFolder) {
  if (name.empty()) return {};
  if (name.find(u'\\') != std::u16string_view::npos) return std::u16string(name);
  if (skinFolder.empty()) return {};
  return std::u16string(skinFolder) + std::u16string(name);
}

int DisplayChoiceOf(int32_t flags) {
  if (flags & kImageTile) return 3;
  if (!(flags & kImageCanvasSize)) return 0;
  return (flags & 4) ? 2 : 1;
}

int32_t ImageFlagsFor(int displayChoice, bool adjustWidth, bool adjustHeight, bool percent) {
  static constexpr int32_t kModes[] = {kImageOriginalSize, kImageCanvasSize, kImageCanvasMar, kImageTile};
  int32_t flags = kModes[std::clamp(displayChoice, 0, 3)];
  if (adjustWidth) flags |= kImageAdjustWidth;
  if (adjustHeight) flags |= kImageAdjustHeight;
  if (percent) flags |= kImageAdjustPercent;
  return flags;
}

}  // namespace zavra
