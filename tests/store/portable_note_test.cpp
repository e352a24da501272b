// Portable note files: the copy written byte for byte in the note file format, the import as
// portable and as duplicate, and files that do not read.
#include <gtest/gtest.h>

#include <cstring>

#include "store/MemoryRegistry.h"
#include "store/NoteFile.h"
#include "store/NoteStore.h"
#include "store/PortableNote.h"
#include "tests/store/StoreTestSupport.h"

namespace zavra {
namespace {

class PortableNoteTest : public testing::Test {
 protected:
  PortableNoteTest() {
    placement.width = 100;
    placement.height = 60;
    placement.centreX = 500;
    placement.centreY = 400;
    placement.workArea = RECT32{0, 0, 1000, 800};
    placement.random = [] { return 0; };
  }

  // A note that uses every part of the record, as one of ours would be.
  static NOTE_PAD FullNote() {
    NOTE_PAD n;
    n.id = 31;
    n.flags = 0x3FFF;
    n.category = 12345;
    n.created = 1700000000;
    n.start = 1700006400;
    n.end = 1800000000;
    n.timeFrom = 3600;
    n.repeatKind = kRepeatWeekly;
    n.repeatParam = 0x22;
    n.icon = 9;
    n.paperColor = 0x00ABCDEF;
    n.textColor = 0x00123456;
    n.rect = RECT32{5, 6, 200, 100};
    n.font.lfHeight = -13;
    n.text = u"Portable text";
    n.link = u"note:7";
    n.sound = u"C:\\ding.wav";
    n.skin = u"Glass";
    n.excludes = {DateKey(2026, 12, 24)};
    return n;
  }

  NoteStore MakeStore() { return NoteStore(disk, registry, temp.folder(), [] { return int64_t{1780000000}; }); }

  test::TempFolder temp;
  PortableFileSystem disk;
  MemoryRegistry registry;
  NotePlacement placement;
};

TEST_F(PortableNoteTest, CopyIsTheNoteFileByteForByte) {
  const NOTE_PAD note = FullNote();
  const std::u16string path = temp.folder() + u"copy.zpn";
  ASSERT_TRUE(WriteNoteFileTo(disk, path, note));
  std::vector<uint8_t> expected;
  ASSERT_TRUE(SerializeNote(note, expected));
  EXPECT_EQ(temp.Read("copy.zpn"), expected);
  EXPECT_EQ(temp.Names(), (std::set<std::string>{"copy.zpn"})) << "no work file left behind";

  temp.Write("old.zpn", test::Bytes(10, 0xEE));
  ASSERT_TRUE(WriteNoteFileTo(disk, temp.folder() + u"old.zpn", note));
  EXPECT_EQ(temp.Read("old.zpn"), expected) << "an existing file is replaced";
}

TEST_F(PortableNoteTest, FailedWriteKeepsTheFileBeingReplaced) {
  const test::Bytes before(50, 0x11);
  temp.Write("keep.zpn", before);
  test::FaultyFileSystem faulty(disk);
  faulty.writeBudget = 100;
  EXPECT_FALSE(WriteNoteFileTo(faulty, temp.folder() + u"keep.zpn", FullNote()));
  EXPECT_EQ(temp.Read("keep.zpn"), before);
  EXPECT_EQ(temp.Names(), (std::set<std::string>{"keep.zpn"})) << "the partial work file is removed";
  faulty.writeBudget = -1;
  faulty.failCommit = true;
  EXPECT_FALSE(WriteNoteFileTo(faulty, temp.folder() + u"keep.zpn", FullNote()));
  EXPECT_EQ(temp.Read("keep.zpn"), before);
}

TEST_F(PortableNoteTest, ImportAsPortableKeepsContentScheduleAndOwnLookOnly) {
  NoteStore store = MakeStore();
  const NOTE_PAD source = FullNote();
  const auto saved = ImportNote(store, source, ImportKind::kPortable, placement);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->id, 1u) << "a new id, not the file's";
  EXPECT_EQ(saved->flags, 0x3FFFu & 0x0C67u);
  EXPECT_EQ(saved->category, 1);
  EXPECT_EQ(saved->sound, u"");
  EXPECT_EQ(saved->skin, u"");
  EXPECT_EQ(saved->text, source.text);
  EXPECT_EQ(saved->link, source.link);
  EXPECT_EQ(saved->excludes, source.excludes);
  EXPECT_EQ(saved->start, source.start);
  EXPECT_EQ(saved->paperColor, source.paperColor);
  EXPECT_EQ(saved->created, 1780000000) << "created when imported";
  // Centred {450,370,550,430}, then scattered with r = 0.
  EXPECT_EQ(saved->rect.left, 350);
  EXPECT_EQ(saved->rect.top, 270);
  EXPECT_EQ(saved->rect.right, 450);
  EXPECT_EQ(saved->rect.bottom, 330);
  NOTE_PAD stored;
  ASSERT_EQ(store.LoadNote(saved->id, stored), kFileOk);
  EXPECT_EQ(stored.flags, saved->flags);
  EXPECT_EQ(stored.text, source.text);
}

TEST_F(PortableNoteTest, PortableFlagsTable) {
  struct Case {
    uint32_t in, out;
  };
  const Case cases[] = {
      {0x1009, 0x0001},  // calendar, launch link, no sound -> calendar
      {0x0080, 0x0000},  // a transient file still becomes a stored note
      {0x2460, 0x0460},  // own skin goes with the skin name
      {0x0C67, 0x0C67},
      {0xFFFFFFFF, 0x0C67},
  };
  for (const Case& c : cases) {
    NOTE_PAD n;
    n.flags = c.in;
    EXPECT_EQ(PrepareImport(n, ImportKind::kPortable, placement, 1).flags, c.out) << std::hex << c.in;
  }
}

TEST_F(PortableNoteTest, ImportAsDuplicateUsesTheCategoryThatLoads) {
  NoteStore store = MakeStore();
  ASSERT_TRUE(store.CreateFirstCategory());
  NOTE_CATE own;
  own.name = u"Work";
  ASSERT_TRUE(store.SaveCategory(own, false));
  ASSERT_NE(own.id, 0u);

  NOTE_PAD source = FullNote();
  source.category = static_cast<uint16_t>(own.id);
  auto copy = ImportNote(store, source, ImportKind::kDuplicate, placement);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->category, own.id);
  EXPECT_EQ(copy->flags, source.flags) << "a duplicate keeps every flag";
  EXPECT_EQ(copy->sound, source.sound);
  EXPECT_EQ(copy->skin, source.skin);
  EXPECT_NE(copy->id, source.id);

  source.category = 12345;  // no such category file
  copy = ImportNote(store, source, ImportKind::kDuplicate, placement);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->category, 1) << "a missing category falls back to Unsorted";
}

TEST_F(PortableNoteTest, ImportFileReadsWholeFilesOnly) {
  NoteStore store = MakeStore();
  NOTE_PAD source = FullNote();
  source.flags = 0x1009;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(SerializeNote(source, bytes));
  temp.Write("in.zpn", bytes);
  const auto imported = ImportNoteFile(store, temp.folder() + u"in.zpn", placement);
  ASSERT_TRUE(imported);
  EXPECT_EQ(imported->flags, 0x0001u);
  EXPECT_EQ(imported->text, source.text);

  temp.Write("cut.zpn", std::vector<uint8_t>(bytes.begin(), bytes.end() - 3));
  temp.Write("foreign.zpn", test::Bytes{'Q', 'C', 'F', 1, 0});
  temp.Write("empty.zpn", {});
  for (const char* name : {"cut.zpn", "foreign.zpn", "empty.zpn", "missing.zpn"}) {
    const std::string s(name);
    EXPECT_FALSE(ImportNoteFile(store, temp.folder() + std::u16string(s.begin(), s.end()), placement)) << name;
  }
  EXPECT_TRUE(temp.Names().count("cut.zpn")) << "a damaged file given by the user is not deleted";
  int notes = 0;
  store.ScanNotes(NoteFilter{}, [&](const NOTE_PAD&) { ++notes; });
  EXPECT_EQ(notes, 1) << "only the readable file became a note";
}

TEST_F(PortableNoteTest, FailedSaveImportsNothing) {
  registry.failOpen = true;  // no id can be allocated
  NoteStore store = MakeStore();
  EXPECT_FALSE(ImportNote(store, FullNote(), ImportKind::kPortable, placement));
}

}  // namespace
}  // namespace zavra
