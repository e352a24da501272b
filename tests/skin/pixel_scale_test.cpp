#include <gtest/gtest.h>

#include "skin/PixelScale.h"

namespace zavra {
namespace {

constexpr uint32_t kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kClear = 0;

TEST(PixelScale, WholeNumberEnlargementRepeatsPixels) {
  const std::vector<uint32_t> source{kRed, kBlue, kClear, kRed};
  const std::vector<uint32_t> out = ScalePixels(source, 2, 2, 4, 4);
  ASSERT_EQ(out.size(), 16u);
  EXPECT_EQ(out[0], kRed);
  EXPECT_EQ(out[1], kRed);
  EXPECT_EQ(out[2], kBlue);
  EXPECT_EQ(out[8], kClear) << "a transparent pixel stays transparent";
  EXPECT_EQ(out[15], kRed);
}

TEST(PixelScale, OtherEnlargementsBlendNeighboursAndKeepTheEdges) {
  // Two pixels to three: the ends stay, the middle is halfway (premultiplied, so alpha too).
  const std::vector<uint32_t> out = ScalePixels(std::vector<uint32_t>{kRed, kClear}, 2, 1, 3, 1);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0], kRed);
  EXPECT_EQ(out[1], 0x80800000u);
  EXPECT_EQ(out[2], kClear);
}

TEST(PixelScale, ReductionAveragesWhatEachPixelCovers) {
  const std::vector<uint32_t> out = ScalePixels(std::vector<uint32_t>{kRed, kRed, kBlue, kBlue}, 4, 1, 2, 1);
  EXPECT_EQ(out, (std::vector<uint32_t>{kRed, kBlue}));
  const std::vector<uint32_t> one = ScalePixels(std::vector<uint32_t>{kRed, kClear}, 2, 1, 1, 1);
  EXPECT_EQ(one, std::vector<uint32_t>{0x80800000u});
}

TEST(PixelScale, NothingToScaleGivesNothing) {
  EXPECT_TRUE(ScalePixels({}, 0, 0, 4, 4).empty());
  EXPECT_TRUE(ScalePixels(std::vector<uint32_t>{kRed}, 1, 1, 0, 3).empty());
  EXPECT_TRUE(ScalePixels(std::vector<uint32_t>{kRed}, 2, 2, 4, 4).empty()) << "fewer pixels than the size says";
}

}  // namespace
}  // namespace zavra
