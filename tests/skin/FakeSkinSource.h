#pragma once
// An in-memory skins folder for the portable skin tests: files by path, pictures by path.
#include <map>
#include <string>

#include "skin/Skin.h"

namespace zavra::test {

struct FakePicture {
  int width = 0;
  int height = 0;
  uint32_t frames = 1;
  std::vector<uint32_t> delays;
};

class FakeSkinSource : public SkinSource {
 public:
  std::map<std::u16string, std::vector<uint8_t>> files;
  std::map<std::u16string, FakePicture> pictures;
  int fileReads = 0;
  int pictureLoads = 0;

  std::optional<std::vector<uint8_t>> ReadFile(const std::u16string& path) override {
    ++fileReads;
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  std::unique_ptr<DecodedPicture> LoadPicture(const std::u16string& path) override {
    ++pictureLoads;
    auto it = pictures.find(path);
    if (it == pictures.end()) return nullptr;
    const FakePicture& p = it->second;
    return std::make_unique<DecodedPicture>(p.width, p.height, p.frames, p.delays);
  }
};

inline SLAYER ImageLayer(std::u16string_view picture, int32_t flags = kImageOriginalSize, int32_t anchor = kAnchorCenter,
                         int32_t condition = 0) {
  SLAYER l = MakeLayer(kLayerImage, condition);
  l.u.image.flags = flags;
  l.u.image.anchor = anchor;
  SetLayerText(l.u.image.picture, picture);
  return l;
}

inline SLAYER PaperLayer(int32_t condition = 0) { return MakeLayer(kLayerPaper, condition); }

}  // namespace zavra::test
