#include <gtest/gtest.h>

#include <cstring>

#include "store/CategoryFile.h"
#include "tests/store/StoreTestSupport.h"

namespace zavra {
namespace {

using test::Bytes;

int Parse(const Bytes& b, NOTE_CATE& cate) { return ParseCategoryFile(b.data(), b.size(), cate); }

NOTE_CATE Sample() {
  NOTE_CATE c;
  c.id = 10042;
  c.icon = 9;
  c.flags = kCateTemporary | kCateNotOfInterest | 2;
  c.textColor = 0x00112233;
  c.paperColor = 0x00AABBCC;
  c.variation = 0xDEAD0020;
  c.font.lfHeight = -16;
  c.font.lfWeight = 700;
  std::memcpy(c.font.lfFaceName, u"Marlett", 8 * sizeof(char16_t));
  c.name = u"Work \U0001F4BC";
  c.sound = u"D:\\ding.wav";
  c.skin = u"Paper";
  return c;
}

TEST(CategoryFile, EveryFieldSurvivesWriteAndRead) {
  const NOTE_CATE original = Sample();
  Bytes bytes;
  ASSERT_TRUE(SerializeCategory(original, bytes));
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 5), (Bytes{'Q', 'C', 'F', 1, 0}));
  NOTE_CATE read;
  ASSERT_EQ(Parse(bytes, read), kFileOk);
  EXPECT_EQ(0, std::memcmp(static_cast<const NOTE_CATE_FIXED*>(&original), static_cast<const NOTE_CATE_FIXED*>(&read),
                           sizeof(NOTE_CATE_FIXED)));
  EXPECT_EQ(read.name, original.name);
  EXPECT_EQ(read.sound, original.sound);
  EXPECT_EQ(read.skin, original.skin);
}

TEST(CategoryFile, WriterEmitsNameSoundSkinAndOmitsEmptyStrings) {
  NOTE_CATE c;
  c.name = u"n";
  c.skin = u"s";
  Bytes bytes;
  ASSERT_TRUE(SerializeCategory(c, bytes));
  ASSERT_EQ(bytes.size(), kCategoryHeadSize + 2 * (8 + 2));
  EXPECT_EQ(bytes[kCategoryHeadSize], kCateTagName);
  EXPECT_EQ(bytes[kCategoryHeadSize + 10], kCateTagSkin);
}

TEST(CategoryFile, HeaderChecksLookAtMagicAndFourthByteOnly) {
  Bytes good;
  ASSERT_TRUE(SerializeCategory(Sample(), good));
  struct Case { const char* what; size_t at; uint8_t value; int expected; };
  const Case cases[] = {
      {"fifth byte 2 is not examined", 4, 2, kFileOk},
      {"fifth byte 0xFF is not examined", 4, 0xFF, kFileOk},
      {"fourth byte 2", 3, 2, kFileForeign},
      {"note magic", 1, 'N', kFileForeign},
  };
  for (const Case& c : cases) {
    Bytes b = good;
    b[c.at] = c.value;
    NOTE_CATE read;
    EXPECT_EQ(Parse(b, read), c.expected) << c.what;
  }
}

TEST(CategoryFile, TruncationAndSkippedRecords) {
  Bytes b{'Q', 'C', 'F', 1, 7};
  b.resize(kCategoryHeadSize, 0);
  test::PutRecord(b, 0x4242, {1, 2, 3});
  test::PutRecord(b, kCateTagName, {});
  test::PutRecord(b, kCateTagName, test::Utf16Bytes(u"Name"));
  NOTE_CATE read;
  ASSERT_EQ(Parse(b, read), kFileOk);
  EXPECT_EQ(read.name, u"Name");
  for (size_t cut = 0; cut < b.size(); ++cut) {
    if (cut == kCategoryHeadSize || cut == kCategoryHeadSize + 11 || cut == kCategoryHeadSize + 19) continue;
    const Bytes part(b.begin(), b.begin() + static_cast<long>(cut));
    EXPECT_EQ(Parse(part, read), kFileTruncated) << "cut after " << cut << " bytes";
  }
}

}  // namespace
}  // namespace zavra
