#include <gtest/gtest.h>

#include <cstring>

#include "skin/SkinLayer.h"
#include "tests/skin/FakeSkinSource.h"

namespace zavra {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Header() { return {'Q', 'S', 'L', 0x01, 0x00}; }

void AppendRecord(Bytes& file, uint16_t kind, uint32_t length, const void* body, size_t bodySize) {
  const uint8_t h[8] = {static_cast<uint8_t>(kind), static_cast<uint8_t>(kind >> 8), 0, 0,
                        static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                        static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
  file.insert(file.end(), h, h + 8);
  const auto* p = static_cast<const uint8_t*>(body);
  file.insert(file.end(), p, p + bodySize);
}

void AppendLayer(Bytes& file, const SLAYER& layer) { AppendRecord(file, 1, sizeof layer, &layer, sizeof layer); }

bool SameBytes(const SLAYER& a, const SLAYER& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(SkinLayer, FieldsSitAtTheirFileOffsets) {
  SLAYER l = MakeLayer(kLayerImage, 0x191);
  l.u.image.flags = 0x55;
  l.u.image.animCondition = 0x80;
  SetLayerText(l.u.image.picture, u"a.png");
  const auto* b = reinterpret_cast<const uint8_t*>(&l);
  EXPECT_EQ(b[0], kLayerImage);
  EXPECT_EQ(b[4], 0x91);
  EXPECT_EQ(b[5], 0x01);
  EXPECT_EQ(b[8], 0x55);
  EXPECT_EQ(b[32], 0x80);
  EXPECT_EQ(b[40], 'a');
  EXPECT_EQ(b[42], '.');
  SLAYER p = MakeLayer(kLayerPaper);
  p.u.paper.fixedWidth = 300;
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(&p)[12] | reinterpret_cast<const uint8_t*>(&p)[13] << 8, 300);
}

TEST(SkinLayer, LayerTextStopsAtTheFieldEndWithoutTerminator) {
  SLAYER l = MakeLayer(kLayerImage);
  std::fill(std::begin(l.u.image.picture), std::end(l.u.image.picture), u'x');
  EXPECT_EQ(LayerText(l.u.image.picture).size(), kLayerTextChars);
  SetLayerText(l.u.image.picture, std::u16string(400, u'y'));
  EXPECT_EQ(LayerText(l.u.image.picture), std::u16string(259, u'y'));
}

TEST(SkinLayer, ConditionsFollowTheirSense) {
  struct Case {
    int32_t condition;
    uint32_t state;
    bool holds;
  } cases[] = {
      {0, 0, true},           {0, kStateBits, true},        {1, 0, false},          {1, kStateBits, false},
      {0x10, 0, true},        {0x10, kStateActive, false},  {0x10, kStatePopup, true},
      {0x11, kStateActive, true}, {0x11, kStatePopup, false}, {0x191, kStateAlarm, true},
      {0x190, kStateAlarm | kStatePopup, false},           {0x181, 0, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ConditionHolds(c.condition, c.state), c.holds) << "condition " << c.condition << " state " << c.state;
}

TEST(SkinLayer, DefaultSkinHasTheFiveLayers) {
  const std::vector<SLAYER> d = DefaultLayers();
  ASSERT_EQ(d.size(), 5u);
  EXPECT_EQ(d[0].kind, kLayerPaper);
  EXPECT_EQ(d[0].u.paper.sizeMode, 0);
  EXPECT_EQ(d[0].u.paper.fixedWidth, 125);
  EXPECT_EQ(d[0].u.paper.fixedHeight, 75);
  EXPECT_EQ(d[0].u.paper.reservedColor1, 0x00FFFFFFu);
  EXPECT_EQ(d[0].u.paper.reservedColor2, 0x00FEEFFFu);
  EXPECT_EQ(d[1].kind, kLayerBorder);
  EXPECT_EQ(d[2].kind, kLayerText);
  EXPECT_EQ(d[2].u.text.left + d[2].u.text.top + d[2].u.text.right + d[2].u.text.bottom, 4);
  EXPECT_EQ(d[3].kind, kLayerLinkIcon);
  EXPECT_EQ(d[3].u.icon.anchor, kAnchorBottomRight);
  EXPECT_EQ(d[3].u.icon.offsetX, -3);
  EXPECT_EQ(d[3].u.icon.offsetY, -3);
  EXPECT_EQ(d[4].kind, kLayerNoteIcon);
  EXPECT_EQ(d[4].u.icon.anchor, kAnchorBottomLeft);
  EXPECT_EQ(d[4].u.icon.offsetX, 3);
  EXPECT_EQ(d[4].u.icon.offsetY, -3);
  for (const SLAYER& l : d) EXPECT_EQ(l.condition, 0);
}

TEST(SkinLayersFile, WriterLaysOutHeaderAndNumberedRecords) {
  const std::vector<SLAYER> layers = DefaultLayers();
  const Bytes file = WriteLayers(layers);
  ASSERT_EQ(file.size(), 5 + layers.size() * 568);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 5), Header());
  for (size_t i = 0; i < layers.size(); ++i) {
    const uint8_t* h = file.data() + 5 + i * 568;
    EXPECT_EQ(h[0] | h[1] << 8, 1) << "record " << i;
    EXPECT_EQ(static_cast<size_t>(h[2] | h[3] << 8), i) << "ordinal of record " << i;
    EXPECT_EQ(h[4] | h[5] << 8 | h[6] << 16 | h[7] << 24, 560) << "record " << i;
    EXPECT_EQ(std::memcmp(h + 8, &layers[i], 560), 0) << "body of record " << i;
  }
}

TEST(SkinLayersFile, RoundTripKeepsEveryByte) {
  std::vector<SLAYER> layers = DefaultLayers();
  layers.push_back(test::ImageLayer(u"C:\\pics\\x.gif", kImageCanvasMar | kImageAdjustWidth, kAnchorTopLeft, 0x191));
  SetLayerText(layers[0].u.paper.comment, u"comment \u00e9");
  std::vector<SLAYER> back;
  ASSERT_EQ(ReadLayers(WriteLayers(layers), back), kLayersOk);
  ASSERT_EQ(back.size(), layers.size());
  for (size_t i = 0; i < layers.size(); ++i) EXPECT_TRUE(SameBytes(back[i], layers[i])) << "layer " << i;
}

TEST(SkinLayersFile, HeaderProblemsGiveTheirCodes) {
  std::vector<SLAYER> out;
  const Bytes valid = WriteLayers(DefaultLayers());
  EXPECT_EQ(ReadLayers({}, out), kLayersTruncated);
  EXPECT_EQ(ReadLayers(Bytes(valid.begin(), valid.begin() + 4), out), kLayersTruncated);
  Bytes bad = valid;
  bad[0] = 'X';
  EXPECT_EQ(ReadLayers(bad, out), kLayersBadFormat);
  bad = valid;
  bad[3] = 0x02;
  EXPECT_EQ(ReadLayers(bad, out), kLayersBadFormat);
  bad = valid;
  bad[4] = 0x7F;  // the high byte of the version is not looked at
  EXPECT_EQ(ReadLayers(bad, out), kLayersOk);
  EXPECT_TRUE(out.size() == 5);
}

TEST(SkinLayersFile, HeaderOnlyFileHasNoLayers) {
  std::vector<SLAYER> out;
  EXPECT_EQ(ReadLayers(Header(), out), kLayersBadFormat);
  EXPECT_TRUE(out.empty());
  Bytes partialHeader = Header();
  partialHeader.insert(partialHeader.end(), {1, 0, 0, 0});
  EXPECT_EQ(ReadLayers(partialHeader, out), kLayersBadFormat) << "a short header ends the list";
}

TEST(SkinLayersFile, OtherKindsAndEmptyBodiesAreSkipped) {
  Bytes file = Header();
  Bytes junk(100, 0xAB);
  AppendRecord(file, 2, 100, junk.data(), junk.size());
  AppendRecord(file, 1, 0, nullptr, 0);
  SLAYER text = MakeLayer(kLayerText);
  text.u.text = {7, 8, 9, 10};
  AppendLayer(file, text);
  std::vector<SLAYER> out;
  ASSERT_EQ(ReadLayers(file, out), kLayersOk);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_TRUE(SameBytes(out[0], text));
}

TEST(SkinLayersFile, LongBodyIsCutShortBodyZeroFilled) {
  Bytes body(600, 0);
  SLAYER image = test::ImageLayer(u"p.png");
  std::memcpy(body.data(), &image, sizeof image);
  std::fill(body.begin() + 560, body.end(), 0xEE);
  SLAYER after = MakeLayer(kLayerBorder, 0x10);
  Bytes file = Header();
  AppendRecord(file, 1, 600, body.data(), body.size());
  AppendLayer(file, after);
  SLAYER shortPaper = MakeLayer(kLayerPaper, 0x80);
  AppendRecord(file, 1, 8, &shortPaper, 8);
  std::vector<SLAYER> out;
  ASSERT_EQ(ReadLayers(file, out), kLayersOk);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_TRUE(SameBytes(out[0], image)) << "the first 560 bytes are kept";
  EXPECT_TRUE(SameBytes(out[1], after)) << "the excess 40 bytes were skipped";
  EXPECT_TRUE(SameBytes(out[2], shortPaper)) << "an 8-byte body is zero-filled";
}

TEST(SkinLayersFile, TruncatedBodyIsAReadError) {
  Bytes file = WriteLayers(DefaultLayers());
  file.resize(file.size() - 1);
  std::vector<SLAYER> out;
  EXPECT_EQ(ReadLayers(file, out), kLayersIoError);
  EXPECT_TRUE(out.empty()) << "nothing is handed out on failure";
  // A body longer than 560 whose first 560 bytes are there is fine: the rest is a seek.
  Bytes longTail = Header();
  SLAYER paper = MakeLayer(kLayerPaper);
  AppendRecord(longTail, 1, 0xFFFFFFFFu, &paper, sizeof paper);
  EXPECT_EQ(ReadLayers(longTail, out), kLayersOk);
  EXPECT_EQ(out.size(), 1u);
}

}  // namespace
}  // namespace zavra
