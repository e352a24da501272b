#include <gtest/gtest.h>

#include "store/StoreNames.h"

namespace zavra {
namespace {

TEST(StoreNames, RecordFilesAreDecimalIdsWithTheirExtension) {
  EXPECT_EQ(StoreFileName(StoreKind::kNote, 7), u"7.qnf");
  EXPECT_EQ(StoreFileName(StoreKind::kNote, 0xFFFFFFFFu), u"4294967295.qnf");
  EXPECT_EQ(StoreFileName(StoreKind::kCategory, 10001), u"10001.qcf");
}

TEST(StoreNames, WorkFilesNeverMatchTheRecordListings) {
  for (StoreKind kind : {StoreKind::kNote, StoreKind::kCategory}) {
    for (uint32_t id : {1u, 7u, 65535u, 0xFFFFFFFFu}) {
      const std::u16string file = StoreFileName(kind, id);
      EXPECT_FALSE(HiddenFromStoreListings(file));
      EXPECT_TRUE(HiddenFromStoreListings(StoreTempName(kind, id))) << "temp name of " << id;
      for (int attempt = 1; attempt <= 3; ++attempt)
        EXPECT_TRUE(HiddenFromStoreListings(StoreSetAsideName(kind, file, attempt))) << "set-aside " << attempt;
    }
  }
  EXPECT_EQ(StoreSetAsideName(StoreKind::kNote, u"7.qnf", 1), u"7.damaged-note");
  EXPECT_EQ(StoreSetAsideName(StoreKind::kCategory, u"7.QCF", 2), u"7.damaged-cate-2");
}

TEST(StoreNames, ShortNameRuleCatchesExtensionsThatStartLikeOurs) {
  struct Case { std::u16string name; bool hidden; };
  const Case cases[] = {
      {u"7.qnf", false},        {u"7.QNF", false},     {u"7.qnf.tmp", true},
      {u"7.qnf-tmp", false},    {u"7.qnftmp", false},  {u"7.q-n-f", false},
      {u"7.qcfx", false},       {u"7.tmp-qnf", true},  {u"7.x.qcf", false},
      {u"7", true},             {u"7.qn", true},       {u"7.damaged-note", true},
  };
  for (const Case& c : cases) EXPECT_EQ(HiddenFromStoreListings(c.name), c.hidden) << "name length " << c.name.size();
}

}  // namespace
}  // namespace zavra

namespace zavra {
namespace {

TEST(StoreFileId, OnlyTheNamesTheStoreWrites) {
  EXPECT_EQ(StoreFileId(u"7.qnf", StoreKind::kNote), 7u);
  EXPECT_EQ(StoreFileId(u"4294967295.QNF", StoreKind::kNote), 4294967295u);
  EXPECT_EQ(StoreFileId(u"10001.qcf", StoreKind::kCategory), 10001u);
  for (const char16_t* name : {u"0.qnf", u"007.qnf", u"4294967296.qnf", u"x7.qnf", u"7 .qnf", u".qnf", u"7.qcf",
                               u"7.qnf.tmp", u"99999999999.qnf", u"-1.qnf"})
    EXPECT_FALSE(StoreFileId(name, StoreKind::kNote)) << std::string(name, name + std::char_traits<char16_t>::length(name));
  EXPECT_FALSE(StoreFileId(u"7.qnf", StoreKind::kCategory));
}

}  // namespace
}  // namespace zavra
