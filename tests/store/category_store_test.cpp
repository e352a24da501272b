#include <gtest/gtest.h>

#include "store/CategoryFile.h"
#include "store/MemoryRegistry.h"
#include "store/NoteStore.h"
#include "tests/store/StoreTestSupport.h"

namespace zavra {
namespace {

using test::Bytes;

class CategoryStoreTest : public testing::Test {
 protected:
  NoteStore MakeStore(IFileSystem& files) {
    return NoteStore(files, registry, temp.folder(), [] { return int64_t{1780000000}; });
  }
  void WriteCategory(uint32_t id, const std::u16string& name) {
    NOTE_CATE c;
    c.id = id;
    c.name = name;
    Bytes bytes;
    ASSERT_TRUE(SerializeCategory(c, bytes));
    temp.Write(std::to_string(id) + ".qcf", bytes);
  }
  static std::vector<std::u16string> Names(const CategoryList& list) {
    std::vector<std::u16string> names;
    for (const auto& c : list.items) names.push_back(c.name);
    return names;
  }

  test::TempFolder temp;
  PortableFileSystem disk;
  MemoryRegistry registry;
};

TEST_F(CategoryStoreTest, EmptyFolderGetsExactlyUnsorted) {
  NoteStore store = MakeStore(disk);
  LOGFONTW bold;
  bold.lfWeight = 700;
  store.SetUnsortedDefaults(u"Unsortiert", bold);
  const CategoryList list = store.LoadCategoryList();
  ASSERT_EQ(list.items.size(), 1u);
  EXPECT_EQ(list.items[0].id, 1u);
  EXPECT_EQ(list.items[0].name, u"Unsortiert");
  EXPECT_EQ(list.items[0].font.lfWeight, 700);
  EXPECT_EQ(list.items[0].paperColor, 0xF0F0F0u);
  EXPECT_EQ(temp.Names(), std::set<std::string>{"1.qcf"});
  NOTE_CATE onDisk;
  ASSERT_EQ(store.ReadCategoryFile(temp.folder() + u"1.qcf", onDisk), kFileOk);
  EXPECT_EQ(onDisk.name, u"Unsortiert");
}

TEST_F(CategoryStoreTest, ListIsInDisplayOrderWithUnsortedKept) {
  WriteCategory(10002, u"beta");
  WriteCategory(10001, u"Alpha");
  WriteCategory(5, u"Zeta");
  NoteStore store = MakeStore(disk);
  const CategoryList list = store.LoadCategoryList();
  EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"Unsorted", u"Zeta", u"Alpha", u"beta"}));
  ASSERT_NE(list.Find(10002), nullptr);
  EXPECT_EQ(list.Find(10002)->name, u"beta");
}

TEST_F(CategoryStoreTest, DamagedFilesAreSetAsideOrIgnored) {
  WriteCategory(1, u"Unsorted");
  WriteCategory(10001, u"Good");
  temp.Write("10002.qcf", {'Q', 'C', 'F', 1, 0, 0});
  temp.Write("notes.qcf", {'Q', 'C', 'F', 1, 0});
  temp.Write("10003.qcf", {'Q', 'N', 'F', 1, 0});
  NoteStore store = MakeStore(disk);
  const CategoryList list = store.LoadCategoryList();
  EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"Unsorted", u"Good"}));
  // "notes.qcf" is no name the store writes, so it is left alone like any foreign file.
  EXPECT_EQ(temp.Names(), (std::set<std::string>{"1.qcf", "10001.qcf", "10002.damaged-cate", "notes.qcf",
                                                 "10003.qcf"}));
}

TEST_F(CategoryStoreTest, LoadCategoryFallsBackToUnsorted) {
  NoteStore store = MakeStore(disk);
  EXPECT_EQ(store.LoadCategory(12345).id, 1u) << "no files at all";
  EXPECT_EQ(store.LoadCategory(12345).name, u"Unsorted");
  WriteCategory(1, u"Mine");
  WriteCategory(10001, u"Work");
  EXPECT_EQ(store.LoadCategory(12345).name, u"Mine") << "a missing category shows as category 1";
  EXPECT_EQ(store.LoadCategory(10001).name, u"Work");
  temp.Write("10001.qcf", {'Q', 'C', 'F', 1});
  EXPECT_EQ(store.LoadCategory(10001).name, u"Mine");
  EXPECT_TRUE(temp.Names().count("10001.damaged-cate"));
}

TEST_F(CategoryStoreTest, NewCategoriesCountFrom10001AndWrap) {
  struct Case { std::optional<uint32_t> next; std::vector<uint32_t> taken; uint32_t id, nextAfter; };
  const Case cases[] = {
      {std::nullopt, {}, 10001, 10002},
      {65535u, {65535}, 10001, 10002},
      {65535u, {65535, 10001, 10002}, 10003, 10004},
      {65536u, {}, 10001, 10002},
      {5u, {}, 10001, 10002},
      {65535u, {}, 65535, 65536},
  };
  for (const Case& c : cases) {
    test::TempFolder folder;
    registry.values.clear();
    if (c.next) registry.values[kCateNextIdValue] = *c.next;
    for (uint32_t id : c.taken) folder.Write(std::to_string(id) + ".qcf", {});
    NoteStore store(disk, registry, folder.folder(), [] { return int64_t{0}; });
    NOTE_CATE cate;
    cate.name = u"New";
    ASSERT_TRUE(store.SaveCategory(cate, false));
    EXPECT_EQ(cate.id, c.id) << "starting from " << c.next.value_or(0);
    EXPECT_EQ(registry.values[kCateNextIdValue], c.nextAfter) << "starting from " << c.next.value_or(0);
  }
}

TEST_F(CategoryStoreTest, AllocationFailsWhenEveryIdIsTaken) {
  test::FaultyFileSystem faulty(disk);
  faulty.everyNewExists = true;
  registry.values[kCateNextIdValue] = 30000;
  NoteStore store = MakeStore(faulty);
  NOTE_CATE cate;
  EXPECT_FALSE(store.SaveCategory(cate, true));
  EXPECT_EQ(cate.id, 0u);
  EXPECT_EQ(faulty.createNewCalls, 65535 - 10001 + 1);
  EXPECT_EQ(faulty.createdNew.size(), 65535u - 10001 + 1) << "every id tried once";
  EXPECT_EQ(registry.values[kCateNextIdValue], 30000u);
}

TEST_F(CategoryStoreTest, SaveAnnouncesOnlyWhenAskedAndOnlyOnSuccess) {
  test::FaultyFileSystem faulty(disk);
  NoteStore store = MakeStore(faulty);
  test::RecordingObserver observer;
  store.Subscribe(&observer);
  NOTE_CATE cate;
  cate.name = u"A";
  ASSERT_TRUE(store.SaveCategory(cate, false));
  EXPECT_TRUE(observer.events.empty());
  ASSERT_TRUE(store.SaveCategory(cate, true));
  EXPECT_EQ(observer.events, std::vector<std::string>{"categories"});
  const Bytes before = temp.Read("10001.qcf");
  cate.name = u"A longer name";
  faulty.writeBudget = 130;
  EXPECT_FALSE(store.SaveCategory(cate, true));
  EXPECT_EQ(observer.events.size(), 1u);
  EXPECT_EQ(temp.Read("10001.qcf"), before);
  EXPECT_EQ(temp.Names(), std::set<std::string>{"10001.qcf"});
}

TEST_F(CategoryStoreTest, SaveAllMakesTheFilesExactlyTheList) {
  WriteCategory(1, u"Unsorted");
  WriteCategory(10001, u"Old");
  WriteCategory(10002, u"Removed");
  NoteStore store = MakeStore(disk);
  test::RecordingObserver observer;
  store.Subscribe(&observer);
  std::vector<NOTE_CATE> list = store.LoadCategoryList().items;
  list.erase(list.begin() + 2);  // "Removed"
  list[1].name = u"Renamed";
  NOTE_CATE added;
  added.name = u"Added";
  registry.values[kCateNextIdValue] = 10002;
  list.push_back(added);
  ASSERT_TRUE(store.SaveAllCategories(list));
  EXPECT_EQ(list.back().id, 10003u) << "10002.qcf still existed while the new one was given its id";
  EXPECT_EQ(observer.events, std::vector<std::string>{"categories"});
  EXPECT_EQ(temp.Names(), (std::set<std::string>{"1.qcf", "10001.qcf", "10003.qcf"}));
  EXPECT_EQ(Names(store.LoadCategoryList()), (std::vector<std::u16string>{u"Unsorted", u"Added", u"Renamed"}));
}

TEST_F(CategoryStoreTest, FirstRunWritesUnsorted) {
  NoteStore store(disk, registry, (temp.path() / "a" / "b" / "").u16string(), [] { return int64_t{0}; });
  LOGFONTW font;
  font.lfWeight = 800;
  store.SetUnsortedDefaults(u"Unsorted", font);
  ASSERT_TRUE(store.CreateFirstCategory());
  const NOTE_CATE cate = store.LoadCategory(1);
  EXPECT_EQ(cate.name, u"Unsorted");
  EXPECT_EQ(cate.font.lfWeight, 800);
  EXPECT_TRUE(std::filesystem::exists(temp.path() / "a" / "b" / "1.qcf"));
}

}  // namespace
}  // namespace zavra
