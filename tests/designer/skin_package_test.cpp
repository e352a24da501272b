#include <gtest/gtest.h>

#include "designer/SkinPackage.h"

namespace zavra {
namespace {

using Bytes = std::vector<uint8_t>;

void Record(Bytes& out, uint16_t kind, uint32_t length, const void* data = nullptr, size_t have = 0) {
  const uint8_t header[8] = {static_cast<uint8_t>(kind), 0, 0, 0, static_cast<uint8_t>(length),
                             static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length >> 16),
                             static_cast<uint8_t>(length >> 24)};
  out.insert(out.end(), header, header + 8);
  const auto* p = static_cast<const uint8_t*>(data);
  if (p) out.insert(out.end(), p, p + have);
}

SLAYER Image(std::u16string_view name) {
  SLAYER layer = MakeLayer(kLayerImage);
  SetLayerText(layer.u.image.picture, name);
  return layer;
}

Bytes Header(uint8_t version = 1) { return {'Z', 'P', 'S', version, 0}; }

TEST(SkinPackage, ReaderResults) {
  SLAYER paper = DefaultLayers()[0];
  SetLayerText(paper.u.paper.comment, std::u16string(60, u'c'));
  const SLAYER image = Image(u"wood.png");
  const uint8_t picture[4] = {1, 2, 3, 4};
  const uint8_t pad[40] = {};
  auto with = [&](auto build) {
    Bytes b = Header();
    build(b);
    return b;
  };
  const struct {
    const char* what;
    Bytes file;
    int result;
    size_t layers;
    size_t pictures;
  } cases[] = {
      {"empty", {}, kLayersTruncated, 0, 0},
      {"short header", {'Z', 'P', 'S', 1}, kLayersTruncated, 0, 0},
      {"header only", Header(), kLayersBadFormat, 0, 0},
      {"version 2", with([&](Bytes& b) { b[3] = 2; Record(b, 1, 560, &paper, 560); }), kLayersBadFormat, 0, 0},
      {"7-byte tail", with([&](Bytes& b) { Record(b, 1, 560, &paper, 560); b.resize(b.size() + 7, 9); }), 0, 1, 0},
      {"layer of 600 bytes, then another",
       with([&](Bytes& b) { Record(b, 1, 600, &paper, 560); b.insert(b.end(), pad, pad + 40); Record(b, 1, 560, &image, 560); }),
       0, 2, 0},
      {"layer of 100 bytes", with([&](Bytes& b) { Record(b, 1, 100, &paper, 100); }), 0, 1, 0},
      {"layer cut short", with([&](Bytes& b) { Record(b, 1, 560, &paper, 300); }), kLayersIoError, 0, 0},
      {"picture", with([&](Bytes& b) { Record(b, 1, 560, &image, 560); Record(b, 2, 4, picture, 4); }), 0, 1, 1},
      {"picture data cut short", with([&](Bytes& b) { Record(b, 1, 560, &image, 560); Record(b, 2, 9, picture, 4); }),
       kLayersTruncated, 0, 0},
      {"picture after a paper is skipped",
       with([&](Bytes& b) { Record(b, 1, 560, &paper, 560); Record(b, 2, 4, picture, 4); }), 0, 1, 0},
      {"zero-length and unknown records",
       with([&](Bytes& b) { Record(b, 1, 0); Record(b, 7, 4, picture, 4); Record(b, 1, 560, &paper, 560); }), 0, 1, 0},
  };
  for (const auto& c : cases) {
    ZpsContents read;
    EXPECT_EQ(ReadZps(c.file, read), c.result) << c.what;
    EXPECT_EQ(read.layers.size(), c.layers) << c.what;
    EXPECT_EQ(read.pictures.size(), c.pictures) << c.what;
  }
  // The 600-byte record gave its first 560 bytes; the 100-byte one is zero-filled.
  ZpsContents read;
  ASSERT_EQ(ReadZps(cases[6].file, read), 0);
  EXPECT_EQ(read.layers[0].kind, kLayerPaper);
  EXPECT_EQ(read.layers[0].u.paper.fixedWidth, 125);
  EXPECT_EQ(LayerText(read.layers[0].u.paper.comment).size(), 36u) << "bytes past the record's 100 are zero";
}

TEST(SkinPackage, NamesThatWouldEscapeTheSkinFolderAndTooManyLayersRefuseTheFile) {
  const uint8_t picture[3] = {7, 7, 7};
  for (std::u16string_view name : {u"..\\..\\Startup\\x.exe", u"C:\\Windows\\x.png", u"a:b", u"sub/x.png", u"..",
                                    u"LAYERS", u"CON", u"x.png:stream"}) {
    Bytes b = Header();
    const SLAYER image = Image(name);
    Record(b, 1, 560, &image, 560);
    Record(b, 2, 3, picture, 3);
    ZpsContents read;
    EXPECT_EQ(ReadZps(b, read), kLayersBadFormat) << std::string(name.begin(), name.end());
  }
  const SLAYER border = MakeLayer(kLayerBorder);
  for (size_t count : {kMaxZpsLayers, kMaxZpsLayers + 1}) {
    Bytes b = Header();
    for (size_t i = 0; i < count; ++i) Record(b, 1, 560, &border, 560);
    ZpsContents read;
    EXPECT_EQ(ReadZps(b, read), count > kMaxZpsLayers ? kLayersBadFormat : kLayersOk) << count;
  }
}

TEST(SkinPackage, ExportSizesAndNames) {
  std::vector<ZpsExportLayer> plan;
  ASSERT_TRUE(PlanZpsExport(DefaultLayers(), u"", plan));
  ZpsContents contents{{}, {}};
  for (const auto& p : plan) contents.layers.push_back(p.layer);
  EXPECT_EQ(WriteZps(contents).size(), 2845u) << "the new skin: 5 + 5 x (8 + 560)";
  const Bytes data(1000, 0xAB);
  contents.layers.push_back(Image(u"wood.png"));
  contents.pictures.push_back({u"wood.png", data});
  const Bytes file = WriteZps(contents);
  ASSERT_EQ(file.size(), 2845u + 568 + 8 + 1000);
  EXPECT_EQ(Bytes(file.begin() + 2845 + 568, file.begin() + 2845 + 568 + 8), (Bytes{2, 0, 5, 0, 0xE8, 3, 0, 0}))
      << "file data of kind 2 follows the image layer, with its index and length";

  // Two "wood.png" from different folders, one used twice, and a picture called "layers".
  std::vector<SLAYER> layers;
  for (std::u16string_view n : {u"wood.png", u"D:\\Art\\Wood.png", u"wood.png", u"D:\\Art\\layers"}) layers.push_back(Image(n));
  ASSERT_TRUE(PlanZpsExport(layers, u"C:\\Skins\\Blue\\", plan));
  const char16_t* stored[] = {u"wood.png", u"Wood (2).png", u"wood.png", u"layers (2)"};
  const char16_t* sources[] = {u"C:\\Skins\\Blue\\wood.png", u"D:\\Art\\Wood.png", u"C:\\Skins\\Blue\\wood.png", u"D:\\Art\\layers"};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(LayerText(plan[i].layer.u.image.picture), stored[i]) << i;
    EXPECT_EQ(plan[i].source, sources[i]) << i;
  }
  for (std::u16string_view bad : {u"..\\..\\x.png", u"\\\\server\\x.png", u"sub\\x.png"})
    EXPECT_FALSE(PlanZpsExport(std::vector<SLAYER>{Image(bad)}, u"C:\\Skins\\Blue\\", plan)) << bad.size();
  EXPECT_FALSE(PlanZpsExport(std::vector<SLAYER>{Image(u"wood.png")}, u"", plan)) << "untitled: no folder for bare names";
}

}  // namespace
}  // namespace zavra
