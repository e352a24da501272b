#include <gtest/gtest.h>

#include "store/MemoryRegistry.h"
#include "store/NoteStore.h"
#include "tests/store/StoreTestSupport.h"

namespace zavra {
namespace {

using test::Bytes;

class NoteStoreTest : public testing::Test {
 protected:
  NoteStore MakeStore(IFileSystem& files) { return NoteStore(files, registry, temp.folder(), [this] { return now; }); }

  NOTE_PAD NewNote(const std::u16string& text) {
    NOTE_PAD n;
    n.text = text;
    return n;
  }
  // Files as the listings would see them, temporaries included.
  std::set<std::string> Files() const { return temp.Names(); }

  test::TempFolder temp;
  PortableFileSystem disk;
  MemoryRegistry registry;
  int64_t now = 1780000000;
};

TEST_F(NoteStoreTest, FirstSaveGivesIdCreatedTimeAndCountsTheNote) {
  NoteStore store = MakeStore(disk);
  NOTE_PAD note = NewNote(u"first");
  ASSERT_TRUE(store.SaveNote(note));
  EXPECT_EQ(note.id, 1u);
  EXPECT_EQ(note.created, now);
  EXPECT_EQ(registry.values[kNoteNextIdValue], 2u);
  EXPECT_EQ(registry.values[kNoteCreatedValue], 1u);
  EXPECT_EQ(Files(), (std::set<std::string>{"1.qnf"}));

  now += 100;
  note.text = u"changed";
  ASSERT_TRUE(store.SaveNote(note));
  EXPECT_EQ(note.created, now - 100) << "created is set once";
  NOTE_PAD loaded;
  ASSERT_EQ(store.LoadNote(1, loaded), kFileOk);
  EXPECT_EQ(loaded.text, u"changed");
  EXPECT_EQ(registry.values[kNoteCreatedValue], 1u);
}

TEST_F(NoteStoreTest, AllocationSkipsTakenIds) {
  registry.values[kNoteNextIdValue] = 7;
  temp.Write("7.qnf", {});
  temp.Write("8.qnf", {});
  NoteStore store = MakeStore(disk);
  NOTE_PAD note = NewNote(u"x");
  ASSERT_TRUE(store.SaveNote(note));
  EXPECT_EQ(note.id, 9u);
  EXPECT_EQ(registry.values[kNoteNextIdValue], 10u);
}

TEST_F(NoteStoreTest, IdCounterWrapsAndCreatedCountStops) {
  struct Case { std::optional<uint32_t> next, created; uint32_t id, nextAfter, createdAfter; };
  const Case cases[] = {
      {0xFFFFFFFFu, 5u, 0xFFFFFFFFu, 1, 6},
      {std::nullopt, std::nullopt, 1, 2, 1},
      {0u, 0xFFFFFFFEu, 1, 2, 0xFFFFFFFFu},
      {12u, 0xFFFFFFFFu, 12, 13, 0xFFFFFFFFu},
  };
  for (const Case& c : cases) {
    registry.values.clear();
    if (c.next) registry.values[kNoteNextIdValue] = *c.next;
    if (c.created) registry.values[kNoteCreatedValue] = *c.created;
    NoteStore store = MakeStore(disk);
    NOTE_PAD note = NewNote(u"wrap");
    ASSERT_TRUE(store.SaveNote(note));
    EXPECT_EQ(note.id, c.id);
    EXPECT_EQ(registry.values[kNoteNextIdValue], c.nextAfter) << "after id " << c.id;
    EXPECT_EQ(registry.values[kNoteCreatedValue], c.createdAfter) << "after id " << c.id;
    ASSERT_TRUE(store.DeleteNote(note.id));
  }
}

TEST_F(NoteStoreTest, AllocationWrapsPastTheLastIdToTakenOnes) {
  registry.values[kNoteNextIdValue] = 0xFFFFFFFFu;
  temp.Write("4294967295.qnf", {});
  temp.Write("1.qnf", {});
  NoteStore store = MakeStore(disk);
  NOTE_PAD note;
  ASSERT_TRUE(store.AllocateNoteId(note));
  EXPECT_EQ(note.id, 2u);
  EXPECT_EQ(registry.values[kNoteNextIdValue], 3u);
}

TEST_F(NoteStoreTest, FailedAllocationTouchesNoCounter) {
  registry.values[kNoteNextIdValue] = 5;
  registry.failOpen = true;
  NoteStore store = MakeStore(disk);
  NOTE_PAD note = NewNote(u"x");
  EXPECT_FALSE(store.SaveNote(note));
  EXPECT_EQ(note.id, 0u);
  EXPECT_EQ(note.created, 0);
  registry.failOpen = false;

  // A data folder that cannot be created (a file stands in its way).
  temp.Write("blocker", {});
  NoteStore blocked(disk, registry, (temp.path() / "blocker" / "").u16string(), [] { return int64_t{0}; });
  EXPECT_FALSE(blocked.SaveNote(note));
  EXPECT_EQ(registry.values[kNoteNextIdValue], 5u);
  EXPECT_EQ(registry.values.count(kNoteCreatedValue), 0u);
}

TEST_F(NoteStoreTest, TransientNotesReportSuccessAndWriteNothing) {
  NoteStore store = MakeStore(disk);
  test::RecordingObserver observer;
  store.Subscribe(&observer);
  NOTE_PAD note = NewNote(u"preview");
  note.flags = kNoteTransient;
  EXPECT_TRUE(store.SaveNote(note));
  EXPECT_EQ(note.id, 0u);
  EXPECT_TRUE(Files().empty());
  EXPECT_TRUE(observer.events.empty());
  EXPECT_TRUE(registry.values.empty());
}

TEST_F(NoteStoreTest, SaveAndDeleteAreAnnouncedInOrder) {
  NoteStore store = MakeStore(disk);
  test::RecordingObserver first, second;
  store.Subscribe(&first);
  store.Subscribe(&second);
  store.Subscribe(&first);  // twice is once
  NOTE_PAD note = NewNote(u"hello");
  ASSERT_TRUE(store.SaveNote(note));
  EXPECT_EQ(first.events, (std::vector<std::string>{"changed 1", "saved 1"}));
  ASSERT_EQ(first.changed.size(), 1u);
  EXPECT_EQ(first.changed[0].text, u"hello");
  EXPECT_EQ(first.changed[0].created, now);

  store.Unsubscribe(&second);
  ASSERT_TRUE(store.DeleteNote(1));
  EXPECT_FALSE(store.DeleteNote(1)) << "nothing left to delete";
  EXPECT_EQ(first.events.back(), "deleted 1");
  EXPECT_EQ(first.events.size(), 3u) << "a failed delete is not announced";
  EXPECT_EQ(second.events.size(), 2u);
  EXPECT_TRUE(Files().empty());
}

// Every observer sees note_changed before any after-save hook runs, and an observer that
// leaves while being told does not hear the rest.
TEST_F(NoteStoreTest, ObserversMayLeaveDuringAnAnnouncement) {
  struct Leaving : StoreObserver {
    NoteStore* store = nullptr;
    StoreObserver* other = nullptr;
    std::vector<std::string>* log = nullptr;
    void OnNoteChanged(const NOTE_PAD&) override {
      log->push_back("leaving changed");
      store->Unsubscribe(other);
      store->Unsubscribe(this);
    }
    void OnNoteSaved(const NOTE_PAD&) override { log->push_back("leaving saved"); }
  };
  NoteStore store = MakeStore(disk);
  test::RecordingObserver other;
  std::vector<std::string> log;
  Leaving leaving;
  leaving.store = &store;
  leaving.other = &other;
  leaving.log = &log;
  store.Subscribe(&leaving);
  store.Subscribe(&other);
  NOTE_PAD note = NewNote(u"x");
  ASSERT_TRUE(store.SaveNote(note));
  EXPECT_EQ(log, std::vector<std::string>{"leaving changed"});
  EXPECT_TRUE(other.events.empty());
}

TEST_F(NoteStoreTest, TruncatedNoteIsSetAsideAndAnnouncedGone) {
  NoteStore store = MakeStore(disk);
  NOTE_PAD note = NewNote(u"soon damaged");
  ASSERT_TRUE(store.SaveNote(note));
  Bytes bytes = temp.Read("1.qnf");
  bytes.pop_back();
  temp.Write("1.qnf", bytes);
  test::RecordingObserver observer;
  store.Subscribe(&observer);
  NOTE_PAD loaded;
  EXPECT_EQ(store.LoadNote(1, loaded), kFileTruncated);
  EXPECT_EQ(Files(), std::set<std::string>{"1.damaged-note"});
  EXPECT_EQ(temp.Read("1.damaged-note"), bytes) << "the damaged note is kept for recovery";
  EXPECT_EQ(observer.events, std::vector<std::string>{"deleted 1"});
  EXPECT_EQ(store.LoadNote(1, loaded), kFileIoError);

  temp.Write("1.qnf", {'Q', 'N', 'F', 1});
  EXPECT_EQ(store.LoadNote(1, loaded), kFileTruncated);
  EXPECT_EQ(Files(), (std::set<std::string>{"1.damaged-note", "1.damaged-note-2"})) << "no copy replaces another";
}

TEST_F(NoteStoreTest, ForeignFilesAreLeftAlone) {
  temp.Write("3.qnf", {'M', 'Z', 0x90, 0, 3, 0});
  NoteStore store = MakeStore(disk);
  NOTE_PAD loaded;
  EXPECT_EQ(store.LoadNote(3, loaded), kFileForeign);
  EXPECT_EQ(Files(), std::set<std::string>{"3.qnf"});
}

TEST_F(NoteStoreTest, ScanReportsAcceptedNotesAndSkipsTheRest) {
  NoteStore store = MakeStore(disk);
  for (int i = 0; i < 6; ++i) {
    NOTE_PAD note = NewNote(u"note " + std::u16string(1, static_cast<char16_t>(u'0' + i)));
    note.flags = i % 2 ? uint32_t{kNoteOnCalendar} : 0u;
    ASSERT_TRUE(store.SaveNote(note));
  }
  temp.Write("100.qnf", {'Q', 'N', 'F', 1, 0, 1});  // truncated: skipped, not set aside
  temp.Write("101.qnf", {'X'});
  temp.Write("2.tmp-qnf", {});
  std::set<uint32_t> seen;
  store.ScanNotes(NoteFilter{kNoteOnCalendar}, [&](const NOTE_PAD& note) {
    seen.insert(note.id);
    EXPECT_EQ(note.text.substr(0, 5), u"note ") << "accepted notes come whole";
  });
  EXPECT_EQ(seen, (std::set<uint32_t>{2, 4, 6}));
  EXPECT_TRUE(Files().count("100.qnf"));
}

// A save that fails at any byte leaves the stored note as it was and no work file behind.
TEST_F(NoteStoreTest, FailedSaveAtEveryByteKeepsThePreviousFile) {
  test::FaultyFileSystem faulty(disk);
  NoteStore store = MakeStore(faulty);
  NOTE_PAD note = NewNote(u"the version on disk");
  note.flags = kNoteScheduled;
  note.excludes = {DateKey(2026, 1, 1)};
  ASSERT_TRUE(store.SaveNote(note));
  const Bytes before = temp.Read("1.qnf");

  test::RecordingObserver observer;
  store.Subscribe(&observer);
  NOTE_PAD changed = note;
  changed.text = u"a much longer text \U0001F600 that never reaches the disk";
  changed.link = u"https://example.invalid/";
  changed.excludes.push_back(DateKey(2026, 2, 2));
  Bytes after;
  ASSERT_TRUE(SerializeNote(changed, after));
  for (size_t budget = 0; budget < after.size(); ++budget) {
    faulty.writeBudget = static_cast<long long>(budget);
    NOTE_PAD attempt = changed;
    ASSERT_FALSE(store.SaveNote(attempt)) << "write cut after " << budget << " bytes reported success";
    ASSERT_EQ(temp.Read("1.qnf"), before) << "stored note changed by a save cut after " << budget << " bytes";
    ASSERT_EQ(Files(), std::set<std::string>{"1.qnf"}) << "left-overs after a cut at " << budget;
  }
  EXPECT_TRUE(observer.events.empty()) << "a failed save is not announced";

  faulty.writeBudget = -1;
  faulty.failCommit = true;
  NOTE_PAD attempt = changed;
  EXPECT_FALSE(store.SaveNote(attempt));
  faulty.failCommit = false;
  faulty.failReplace = true;
  EXPECT_FALSE(store.SaveNote(attempt));
  EXPECT_EQ(temp.Read("1.qnf"), before);
  EXPECT_EQ(Files(), std::set<std::string>{"1.qnf"});

  faulty.failReplace = false;
  ASSERT_TRUE(store.SaveNote(attempt));
  EXPECT_EQ(temp.Read("1.qnf"), after);
}

TEST_F(NoteStoreTest, FailedFirstSaveLeavesNoFileAndNoId) {
  test::FaultyFileSystem faulty(disk);
  NoteStore store = MakeStore(faulty);
  for (long long budget : {0LL, 4LL, 180LL, 181LL}) {
    faulty.writeBudget = budget;
    NOTE_PAD note = NewNote(u"never stored");
    EXPECT_FALSE(store.SaveNote(note));
    EXPECT_EQ(note.id, 0u) << "budget " << budget;
    EXPECT_EQ(note.created, 0) << "budget " << budget;
    EXPECT_TRUE(Files().empty()) << "budget " << budget;
  }
}

// A save interrupted before the replace leaves its work file; no note listing may see it.
TEST_F(NoteStoreTest, LeftOverWorkFilesAreInvisibleToScans) {
  NoteStore store = MakeStore(disk);
  NOTE_PAD note = NewNote(u"real");
  ASSERT_TRUE(store.SaveNote(note));
  temp.Write("1.tmp-qnf", {'Q', 'N', 'F'});
  temp.Write("1.damaged-note", {});
  int count = 0;
  store.ScanNotes(NoteFilter{}, [&](const NOTE_PAD&) { ++count; });
  EXPECT_EQ(count, 1);
  ASSERT_TRUE(store.SaveNote(note)) << "a stale work file does not stop the next save";
}

}  // namespace
}  // namespace zavra

namespace zavra {
namespace {

// A file system whose every file is larger than any note could be.
class HugeFiles : public PortableFileSystem {
 public:
  size_t largestAsk = 0;
  bool Read(const std::u16string&, std::vector<uint8_t>& out, size_t maxBytes) override {
    largestAsk = std::max(largestAsk, maxBytes);
    out.assign(std::min<size_t>(maxBytes, kMaxStoreFileBytes + 100), 0);
    const uint8_t head[] = {'Q', 'N', 'F', 1, 0};
    std::copy(std::begin(head), std::end(head), out.begin());
    return true;
  }
};

TEST(NoteStoreLimits, OversizedFilesAreUnreadableNotLoadedOrSetAside) {
  HugeFiles files;
  MemoryRegistry registry;
  test::TempFolder temp;
  NoteStore store(files, registry, temp.folder());
  NOTE_PAD note;
  EXPECT_EQ(store.LoadNote(3, note), kFileIoError);
  EXPECT_LE(files.largestAsk, kMaxStoreFileBytes + 1) << "reads stop just past the limit";
  EXPECT_EQ(store.LoadCategory(10001).id, 1u);
}

TEST_F(NoteStoreTest, TheFileNameNotTheRecordIsTheNotesIdentity) {
  NoteStore store = MakeStore(disk);
  NOTE_PAD other = NewNote(u"the real seven");
  ASSERT_TRUE(store.SaveNote(other));  // id 1
  // A damaged or hand-copied file 5.qnf whose record claims id 1.
  NOTE_PAD impostor = NewNote(u"five");
  impostor.id = other.id;
  Bytes bytes;
  ASSERT_TRUE(SerializeNote(impostor, bytes));
  temp.Write("5.qnf", bytes);
  temp.Write("notes.qnf", bytes);  // not a name the store writes: ignored

  NOTE_PAD loaded;
  ASSERT_EQ(store.LoadNote(5, loaded), kFileOk);
  EXPECT_EQ(loaded.id, 5u);
  loaded.text = u"five, edited";
  ASSERT_TRUE(store.SaveNote(loaded));
  NOTE_PAD first;
  ASSERT_EQ(store.LoadNote(other.id, first), kFileOk);
  EXPECT_EQ(first.text, u"the real seven") << "saving the impostor must not overwrite another note";

  std::vector<uint32_t> scanned;
  store.ScanNotes(NoteFilter{}, [&](const NOTE_PAD& n) { scanned.push_back(n.id); });
  std::sort(scanned.begin(), scanned.end());
  EXPECT_EQ(scanned, (std::vector<uint32_t>{other.id, 5u}));
  std::vector<uint32_t> heads;
  store.ScanNoteHeads([&](const NOTE_PAD_FIXED& n, const std::u16string&) { heads.push_back(n.id); });
  std::sort(heads.begin(), heads.end());
  EXPECT_EQ(heads, scanned);
}

}  // namespace
}  // namespace zavra
