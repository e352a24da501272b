// Fuzz target: the "layers" reader, and everything a damaged skin folder reaches after it
// (building the skin with its pictures, laying it out).
#include <cstring>
#include <stdexcept>

#include "skin/Skin.h"
#include "skin/SkinLayout.h"
#include "tests/fuzz/FuzzTarget.h"

#ifndef ZAVRA_LIBFUZZER
#include <gtest/gtest.h>

#include "tests/fuzz/Mutator.h"
#endif

namespace zavra {

namespace {

// Any picture name the resolver lets through decodes to a small animated picture.
class AnyPictureSource : public SkinSource {
 public:
  std::vector<uint8_t> file;
  std::optional<std::vector<uint8_t>> ReadFile(const std::u16string&) override { return file; }
  std::unique_ptr<DecodedPicture> LoadPicture(const std::u16string& path) override {
    if (path.size() % 3 == 0) return nullptr;
    return std::make_unique<DecodedPicture>(static_cast<int>(path.size()), 7, 2, std::vector<uint32_t>{3});
  }
};

}  // namespace

int FuzzSkinLayers(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  std::vector<SLAYER> layers;
  const int result = ReadLayers(bytes, layers);
  if (result != kLayersOk && !layers.empty()) throw std::logic_error("layers handed out on failure");
  if (result == kLayersOk) {
    std::vector<SLAYER> again;
    if (ReadLayers(WriteLayers(layers), again) != kLayersOk || again.size() != layers.size() ||
        std::memcmp(again.data(), layers.data(), layers.size() * sizeof(SLAYER)) != 0)
      throw std::logic_error("written layers do not read back the same");
  }
  AnyPictureSource source;
  source.file.assign(data, data + size);
  SkinLibrary library(u"C:\\Skins\\", source);
  SkinPtr skin = library.GetSkin(u"Fuzzed");
  std::vector<LAYERINFO> infos;
  for (int32_t paper : {1, 200}) {
    const SkinLayout layout = LayOutSkin(*skin, paper, paper, infos);
    if (layout.windowWidth() <= 0 || layout.windowHeight() <= 0 ||
        layout.windowWidth() > kMaxPaperSize + kMaxBoxSize + 2 * kMaxOffset ||
        layout.windowHeight() > kMaxPaperSize + kMaxBoxSize + 2 * kMaxOffset)
      throw std::logic_error("window size out of bounds");
    if (!layout.paper.contains(layout.paper.left, layout.paper.top) || layout.paper.left < 0 || layout.paper.top < 0)
      throw std::logic_error("paper outside the window");
  }
  return 0;
}

ZAVRA_FUZZ_ENTRY(FuzzSkinLayers)

#ifndef ZAVRA_LIBFUZZER
TEST(SkinLayersFuzz, BoundedMutationRunNeverCrashes) {
  std::vector<SLAYER> seedLayers = DefaultLayers();
  SLAYER image = MakeLayer(kLayerImage, 0x90);
  image.u.image.flags = kImageCanvasMar | kImageAdjustWidth | kImageAdjustPercent;
  image.u.image.anchor = kAnchorTopLeft;
  image.u.image.offsetX = -10;
  SetLayerText(image.u.image.picture, u"pic.png");
  seedLayers.push_back(image);
  SLAYER full = image;
  SetLayerText(full.u.image.picture, u"C:\\pics\\a.gif");
  seedLayers.push_back(full);
  std::vector<fuzz::Bytes> seeds = {WriteLayers(seedLayers), WriteLayers(DefaultLayers()), {'Q', 'S', 'L', 1, 0}};
  fuzz::Bytes odd = {'Q', 'S', 'L', 1, 0, 2, 0, 0, 0, 100, 0, 0, 0};
  odd.resize(odd.size() + 100, 0x41);
  seeds.push_back(odd);
  fuzz::RunMutations(seeds, 100000, 20261208, [](const fuzz::Bytes& b) {
    ASSERT_NO_THROW(FuzzSkinLayers(b.data(), b.size())) << "input of " << b.size() << " bytes";
  });
}
#endif

}  // namespace zavra
