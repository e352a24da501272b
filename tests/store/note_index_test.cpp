// The derived note index: its file, and a store that takes unchanged notes from it and reads
// every other file, so that it is never trusted further than the folder listing allows.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "store/MemoryRegistry.h"
#include "store/NoteIndex.h"
#include "store/NoteStore.h"
#include "store/StoreTestSupport.h"

namespace zavra {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

NoteIndexEntry Entry(uint32_t id, std::u16string title, int result = kFileOk) {
  NoteIndexEntry e;
  e.name = StoreFileName(StoreKind::kNote, id);
  e.stamp = {181 + 2 * title.size(), 133000000000000000 + id};
  e.result = result;
  e.note.fixed.id = id;
  e.note.title = std::move(title);
  return e;
}

TEST(NoteIndexFile, RoundTripsEveryFieldAndRefusesAnythingElse) {
  NoteIndexContent index;
  index.lastFullRead = 1'800'000'000;
  index.entries = {Entry(7, u"Shopping"), Entry(12, u"", kFileTruncated), Entry(4294967295u, u"x")};
  index.entries[0].note.fixed.flags = kNoteScheduled;
  index.entries[0].note.fixed.start = -5;
  index.entries[0].note.excludes = {DateKey(2026, 3, 8)};
  index.entries[0].note.hasLink = true;
  index.entries[2].note.titleCut = true;
  const Bytes bytes = SerializeNoteIndex(index);
  NoteIndexContent back;
  ASSERT_EQ(ParseNoteIndex(bytes.data(), bytes.size(), back), kFileOk);
  EXPECT_EQ(back.lastFullRead, index.lastFullRead);
  EXPECT_EQ(back.entries, index.entries);

  struct Case { const char* what; Bytes bytes; };
  std::vector<Case> cases = {{"empty", {}}, {"header only", Bytes(bytes.begin(), bytes.begin() + 5)}};
  for (size_t cut : {size_t{30}, bytes.size() / 2, bytes.size() - 16, bytes.size() - 1})
    cases.push_back({"partly written", Bytes(bytes.begin(), bytes.begin() + static_cast<long>(cut))});
  Bytes flipped = bytes, version = bytes, appended = bytes;
  flipped[bytes.size() / 2] ^= 0x20;
  version[3] = 2;
  appended.push_back(0);
  for (Bytes* b : {&flipped, &version, &appended}) cases.push_back({"damaged or foreign", *b});
  cases.push_back({"a note file", [] { Bytes b; SerializeNote(NOTE_PAD{}, b); return b; }()});
  for (const Case& c : cases) {
    EXPECT_NE(ParseNoteIndex(c.bytes.data(), c.bytes.size(), back), kFileOk) << c.what;
    EXPECT_TRUE(back.entries.empty()) << c.what;
  }
}

class NoteIndexStore : public testing::Test {
 protected:
  NoteIndexStore() : faulty_(files_) {}
  std::unique_ptr<NoteStore> Open() {
    return std::make_unique<NoteStore>(faulty_, registry_, temp_.folder(), [] { return int64_t{1'800'000'000}; },
                                       [this] { return fileNow_; });
  }
  // A note file written `ago` before the file clock's now.
  uint32_t Put(uint32_t id, const std::u16string& text, fs::file_time_type::duration ago = std::chrono::hours(48)) {
    NOTE_PAD n;
    n.id = id;
    n.text = text;
    Bytes b;
    SerializeNote(n, b);
    const std::string name = std::to_string(id) + ".qnf";
    temp_.Write(name, b);
    fs::last_write_time(temp_.file(name), fs::file_time_type::clock::now() - ago);
    return id;
  }
  std::map<uint32_t, std::u16string> Titles(NoteStore& store) {
    std::map<uint32_t, std::u16string> titles;
    store.ScanNoteSummaries([&](const NoteSummary& s) { titles[s.fixed.id] = s.title; });
    return titles;
  }

  test::TempFolder temp_;
  PortableFileSystem files_;
  test::FaultyFileSystem faulty_;
  MemoryRegistry registry_;
  int64_t fileNow_ = FileTimeNow();
};

TEST_F(NoteIndexStore, UnchangedNotesComeFromTheIndexAndChangedOnesFromTheirFiles) {
  Put(1, u"one");
  Put(2, u"two\r\nmore");
  Put(3, u"three");
  {
    auto store = Open();
    store->RefreshIndex();
    ASSERT_TRUE(store->WriteIndex());
  }
  EXPECT_TRUE(HiddenFromStoreListings(kNoteIndexName));
  EXPECT_TRUE(HiddenFromStoreListings(kNoteIndexTempName));

  // Behind the program's back: the same size with a new time, a new size with the same time,
  // one file gone and one new.
  const auto sameTime = fs::last_write_time(temp_.file("2.qnf"));
  Put(1, u"ONE", std::chrono::hours(47));
  Put(2, u"two, longer\r\nmore");
  fs::last_write_time(temp_.file("2.qnf"), sameTime);
  fs::remove(temp_.file("3.qnf"));
  Put(4, u"four");
  faulty_.reads = 0;
  auto store = Open();
  EXPECT_EQ(Titles(*store), (std::map<uint32_t, std::u16string>{{1, u"ONE"}, {2, u"two, longer"}, {4, u"four"}}));
  EXPECT_EQ(faulty_.reads, 4) << "the index and the three files that differ from it";
  faulty_.reads = 0;
  Titles(*store);
  EXPECT_EQ(faulty_.reads, 0) << "nothing changed since";
}

TEST_F(NoteIndexStore, ACrashBetweenANoteAndTheIndexLosesNothing) {
  Put(1, u"before");
  {
    auto store = Open();
    Titles(*store);
    ASSERT_TRUE(store->WriteIndex());
    NOTE_PAD n;
    ASSERT_EQ(store->LoadNote(1, n), kFileOk);
    n.text = u"after";  // the same size
    ASSERT_TRUE(store->SaveNote(n));
    EXPECT_TRUE(store->IndexNeedsWrite());
    NOTE_PAD added;
    added.text = u"new";
    ASSERT_TRUE(store->SaveNote(added));
    // The program ends here, before its index is written again.
  }
  auto store = Open();
  EXPECT_EQ(Titles(*store), (std::map<uint32_t, std::u16string>{{1, u"after"}, {2, u"new"}}));
}

TEST_F(NoteIndexStore, FreshFilesAreReadAgainAndTheDailyReadFindsWhatKeptSizeAndTime) {
  Put(1, u"abc", std::chrono::seconds(1));  // written a moment ago: its time is not yet to be trusted
  Put(2, u"xyz");
  auto store = Open();
  Titles(*store);
  const auto written1 = fs::last_write_time(temp_.file("1.qnf"));
  const auto written2 = fs::last_write_time(temp_.file("2.qnf"));
  Put(1, u"ABC");
  Put(2, u"XYZ");
  fs::last_write_time(temp_.file("1.qnf"), written1);
  fs::last_write_time(temp_.file("2.qnf"), written2);
  EXPECT_EQ(Titles(*store), (std::map<uint32_t, std::u16string>{{1, u"ABC"}, {2, u"xyz"}}))
      << "only the fresh one is read again";

  EXPECT_FALSE(store->FullReadDue()) << "the first scan read every file";
  std::atomic<bool> stop{false};
  const std::vector<NoteIndexEntry> changed = store->MergeFullRead(ReadNoteFolder(files_, temp_.folder(), stop));
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].note.title, u"XYZ");
  EXPECT_EQ(Titles(*store), (std::map<uint32_t, std::u16string>{{1, u"ABC"}, {2, u"XYZ"}}));
  stop = true;
  EXPECT_FALSE(ReadNoteFolder(files_, temp_.folder(), stop).complete);
}

}  // namespace
}  // namespace zavra
