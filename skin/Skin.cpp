#include "skin/Skin.h"

#include "skin/SkinNames.h"

namespace zavra {

uint32_t SkinImage::FrameDelay(uint32_t frame) const {
  const auto& delays = picture_->delays();
  return frame < delays.size() ? delays[frame] : 50;
}

void SkinImage::Release() {
  if (--refs_ > 0) return;
  if (owner_) owner_->Forget(this);
  delete this;
}

void Skin::Release() {
  if (--refs_ > 0) return;
  if (owner_) owner_->Forget(this);
  delete this;
}

SkinLibrary::SkinLibrary(std::u16string skinsFolder, SkinSource& source)
    : skinsFolder_(std::move(skinsFolder)), source_(source) {}

SkinLibrary::~SkinLibrary() {
  for (auto& [key, skin] : skins_) skin->owner_ = nullptr;
  for (auto& [key, image] : pictures_) image->owner_ = nullptr;
  for (Skin* skin : made_) skin->owner_ = nullptr;
}

void SkinLibrary::Forget(Skin* skin) {
  auto it = skins_.find(FoldCase(skin->title_));
  if (it != skins_.end() && it->second == skin) skins_.erase(it);
  std::erase(made_, skin);
}

void SkinLibrary::Forget(SkinImage* image) {
  auto it = pictures_.find(FoldCase(image->path_));
  if (it != pictures_.end() && it->second == image) pictures_.erase(it);
}

SkinPtr SkinLibrary::Adopt(Skin* skin) {
  skins_[FoldCase(skin->title_)] = skin;
  return SkinPtr(skin);
}

SkinImagePtr SkinLibrary::GetPicture(std::u16string_view path) {
  std::u16string key = FoldCase(path);
  if (auto it = pictures_.find(key); it != pictures_.end()) {
    it->second->AddRef();
    return SkinImagePtr(it->second);
  }
  std::u16string full(path);
  std::unique_ptr<DecodedPicture> picture = source_.LoadPicture(full);
  if (!picture || picture->width() <= 0 || picture->height() <= 0) return {};
  auto* image = new SkinImage(this, std::move(full), std::move(picture));
  pictures_[std::move(key)] = image;
  return SkinImagePtr(image);
}

SkinPtr SkinLibrary::GetSkin(std::u16string_view title) {
  if (auto it = skins_.find(FoldCase(title)); it != skins_.end()) {
    it->second->AddRef();
    return SkinPtr(it->second);
  }
  if (!title.empty()) {
    if (SkinPtr skin = Load(title)) return skin;
  }
  if (auto it = skins_.find(std::u16string()); it != skins_.end()) {
    it->second->AddRef();
    return SkinPtr(it->second);
  }
  auto* skin = new Skin(this, std::u16string());
  Build(*skin, DefaultLayers(), u"");
  return Adopt(skin);
}

SkinPtr SkinLibrary::Load(std::u16string_view title) {
  // A title from a damaged note record must not lead out of the skins folder.
  if (!IsValidSkinTitle(title) || skinsFolder_.empty() || skinsFolder_.back() != u'\\') return {};
  std::u16string folder = skinsFolder_;
  folder += title;
  folder += u'\\';
  std::optional<std::vector<uint8_t>> file = source_.ReadFile(folder + u"layers");
  if (!file) return {};
  std::vector<SLAYER> records;
  if (ReadLayers(*file, records) != kLayersOk) return {};
  auto* skin = new Skin(this, std::u16string(title));
  if (!Build(*skin, records, folder)) {
    delete skin;
    return {};
  }
  return Adopt(skin);
}

SkinPtr SkinLibrary::MakeSkin(std::u16string title, const std::vector<SLAYER>& records, std::u16string_view folder) {
  auto* skin = new Skin(this, std::move(title));
  if (!Build(*skin, records, folder)) {
    delete skin;
    return {};
  }
  made_.push_back(skin);
  return SkinPtr(skin);
}

bool SkinLibrary::Build(Skin& skin, const std::vector<SLAYER>& records, std::u16string_view folder) {
  bool havePaper = false;
  for (const SLAYER& record : records) {
    SkinImagePtr image;
    if (record.kind == kLayerPaper) {
      skin.paper_ = skin.layers_.size();
      havePaper = true;
    } else if (record.condition == kConditionSense) {
      continue;  // "Hide Unless:" with no state ticked never shows
    } else if (record.kind == kLayerBorder) {
      // The border's colour follows activation.
      if ((record.condition & kConditionSense) == 0) skin.stateMask_ |= kStateActive;
    } else if (record.kind == kLayerImage) {
      const std::u16string name = LayerText(record.u.image.picture);
      // Without a folder a bare name would be taken relative to the current folder.
      if (folder.empty() && name.find(u'\\') == std::u16string::npos) continue;
      std::optional<std::u16string> path = ResolvePicturePath(folder, name);
      if (!path) continue;
      image = GetPicture(*path);
      if (!image) continue;
      if (image->animated()) skin.stateMask_ |= static_cast<uint32_t>(record.u.image.animCondition) & kStateBits;
    }
    skin.stateMask_ |= static_cast<uint32_t>(record.condition) & kStateBits;
    skin.layers_.push_back(record);
    skin.images_.push_back(std::move(image));
  }
  // The renderer needs a paper; a file without one is treated as unreadable.
  return havePaper;
}

}  // namespace zavra
