// Fuzz target: the ".zps" reader, which takes files from anywhere. Whatever it accepts names
// only plain pictures inside the file and writes back to the same layers and pictures.
#include <cstring>
#include <stdexcept>

#include "designer/SkinPackage.h"
#include "tests/fuzz/FuzzTarget.h"

#ifndef ZAVRA_LIBFUZZER
#include <gtest/gtest.h>

#include "tests/fuzz/Mutator.h"
#endif

namespace zavra {

int FuzzSkinPackage(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  ZpsContents read;
  const int result = ReadZps(bytes, read);
  if (result != kLayersOk) {
    if (!read.layers.empty() || !read.pictures.empty()) throw std::logic_error("contents handed out on failure");
    return 0;
  }
  if (read.layers.empty() || read.layers.size() > kMaxZpsLayers) throw std::logic_error("layer count out of bounds");
  for (const ZpsPicture& picture : read.pictures) {
    if (!IsExtractableName(picture.name)) throw std::logic_error("a picture name that leaves the folder");
    if (picture.data.data() < data || picture.data.data() + picture.data.size() > data + size)
      throw std::logic_error("picture data outside the file");
  }
  ZpsContents again;
  if (ReadZps(WriteZps(read), again) != kLayersOk || again.layers.size() != read.layers.size() ||
      std::memcmp(again.layers.data(), read.layers.data(), read.layers.size() * sizeof(SLAYER)) != 0)
    throw std::logic_error("written package does not read back the same layers");
  return 0;
}

ZAVRA_FUZZ_ENTRY(FuzzSkinPackage)

#ifndef ZAVRA_LIBFUZZER
TEST(SkinPackageFuzz, BoundedMutationRunNeverCrashes) {
  ZpsContents seed{DefaultLayers(), {}};
  SLAYER image = MakeLayer(kLayerImage);
  SetLayerText(image.u.image.picture, u"wood.png");
  seed.layers.push_back(image);
  const fuzz::Bytes picture = {0x89, 'P', 'N', 'G', 1, 2, 3};
  seed.pictures.push_back({u"wood.png", picture});
  fuzz::RunMutations({WriteZps(seed), {'Z', 'P', 'S', 1, 0}}, 60000, 20261209, [](const fuzz::Bytes& b) {
    ASSERT_NO_THROW(FuzzSkinPackage(b.data(), b.size())) << "input of " << b.size() << " bytes";
  });
}
#endif

}  // namespace zavra
