#include <gtest/gtest.h>
#include "app/AlarmQueue.h"
#include "schedule/ScheduleTestSupport.h"
#include "store/MemoryRegistry.h"
#include "store/PortableFileSystem.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace zavra {
namespace {

using test::FixedOffsetZone;
using test::Utc;

class RecordingHost : public AlarmHost {
 public:
  std::map<uint32_t, NOTE_PAD> notes;
  std::vector<std::string> calls;
  std::optional<NOTE_PAD> LoadNote(uint32_t id) override {
    auto it = notes.find(id);
    if (it == notes.end()) return std::nullopt;
    return it->second;
  }
  void PreOpen(const NOTE_PAD& n) override { calls.push_back("preopen " + std::to_string(n.id)); }
  void Fire(const NOTE_PAD& n) override { calls.push_back("fire " + std::to_string(n.id)); }
  void Reopen(const NOTE_PAD& n) override { calls.push_back("reopen " + std::to_string(n.id)); }
  void DayChanged() override { calls.push_back("day"); }
  void RescanOccurrences(int64_t now) override {
    calls.push_back("rescan");
    if (!queue) return;
    for (const auto& [id, n] : notes) queue->QueueNote(n, now);
    queue->setLastScan(now);
  }
  AlarmQueue* queue = nullptr;  // when set, a rescan queues every note as the files would
  void ReopensChanged() override { calls.push_back("reopens changed"); }
};

const FixedOffsetZone kUtc(0);

// A one-time note at the given time (UTC zone).
NOTE_PAD OneTime(uint32_t id, int64_t when, uint32_t extraFlags = 0) {
  NOTE_PAD n;
  n.id = id;
  n.flags = kNoteScheduled | extraFlags;
  n.start = when - when % 86400;
  n.end = n.start;
  n.timeFrom = static_cast<int32_t>(when % 86400);
  n.repeatKind = kRepeatNone;
  return n;
}

class Alarms : public testing::Test {
 protected:
  Alarms() : queue(kUtc) {}
  void Begin(int64_t now) {
    queue.setLastScan(now);
    queue.ResetMidnight(now);
  }
  int64_t Scan(int64_t now, uint32_t p1, uint32_t p2) { return queue.Scan(now, p1, p2, reopens, host); }
  AlarmQueue queue;
  RecordingHost host;
  std::vector<REOPEN_ITEM> reopens;
};

using Calls = std::vector<std::string>;

TEST_F(Alarms, TwoLeadTimesPreOpenLongestFirstAndWakeAtEachPoint) {
  const int64_t t0 = Utc(2026, 12, 8, 9, 0);
  Begin(t0);
  const NOTE_PAD n = OneTime(7, t0 + 2400);
  host.notes[7] = n;
  ASSERT_TRUE(queue.QueueNote(n, t0));
  EXPECT_EQ(Scan(t0, 1800, 600), 600) << "wakes when 30 minutes remain";
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(Scan(t0 + 600, 1800, 600), 1200) << "then when 10 minutes remain";
  EXPECT_EQ(host.calls, Calls{"preopen 7"});
  EXPECT_EQ(Scan(t0 + 1800, 1800, 600), 600) << "then at the due time";
  EXPECT_EQ(host.calls, (Calls{"preopen 7", "preopen 7"}));
  Scan(t0 + 2400, 1800, 600);
  EXPECT_EQ(host.calls, (Calls{"preopen 7", "preopen 7", "fire 7"}));
  EXPECT_TRUE(queue.items().empty()) << "a one-time note is not queued again";
  // A late first scan pre-opens once, at the shorter lead.
  host.calls.clear();
  const NOTE_PAD late = OneTime(8, t0 + 3000);
  host.notes[8] = late;
  queue.QueueNote(late, t0 + 2400);
  Scan(t0 + 2500, 1800, 600);
  EXPECT_EQ(host.calls, Calls{"preopen 8"});
  EXPECT_EQ(queue.items().at(0).stage, 0);
}

TEST_F(Alarms, WithoutLeadTimesTheTimerStillWakesHourlyAndAfterMidnight) {
  const int64_t t0 = Utc(2026, 12, 8, 10, 0);
  Begin(t0);
  EXPECT_EQ(Scan(t0, 0, 0), 3600);
  const int64_t late = Utc(2026, 12, 8, 23, 30);
  queue.setLastScan(late);
  EXPECT_EQ(Scan(late, 0, 0), 1801) << "one second after midnight";
  host.calls.clear();
  Scan(Utc(2026, 12, 9, 0, 0, 1), 0, 0);
  EXPECT_EQ(host.calls, Calls{"day"});
  const NOTE_PAD n = OneTime(3, Utc(2026, 12, 9, 0, 20));
  host.notes[3] = n;
  queue.QueueNote(n, Utc(2026, 12, 9, 0, 0, 1));
  EXPECT_EQ(Scan(Utc(2026, 12, 9, 0, 0, 1), 0, 0), 1199) << "no pre-open, the due time itself";
}

TEST_F(Alarms, NotesWithNothingToDoAreNeverQueued) {
  const int64_t t0 = Utc(2026, 12, 8, 9, 0);
  EXPECT_FALSE(queue.QueueNote(OneTime(1, t0 + 60, kNoteNoWindow | kNoteNoSound), t0));
  EXPECT_TRUE(queue.QueueNote(OneTime(2, t0 + 60, kNoteNoWindow | kNoteNoSound | kNoteLaunchLink), t0));
  EXPECT_TRUE(queue.QueueNote(OneTime(3, t0 + 60, kNoteNoWindow), t0));
  EXPECT_FALSE(queue.QueueNote(OneTime(4, t0 + kLookAhead + 60), t0)) << "beyond the look-ahead";
  // The same occurrence again keeps the entry and its stage.
  EXPECT_FALSE(queue.QueueNote(OneTime(3, t0 + 60, kNoteNoWindow), t0));
  // A note that lost its occurrence leaves the queue.
  NOTE_PAD moved = OneTime(3, t0 - 600, kNoteNoWindow);
  EXPECT_FALSE(queue.QueueNote(moved, t0));
  ASSERT_EQ(queue.items().size(), 1u);
  EXPECT_EQ(queue.items()[0].id, 2u);
}

TEST_F(Alarms, ClockSetBackOrStaleQueueRescans) {
  const int64_t t0 = Utc(2026, 12, 8, 9, 0);
  Begin(t0);
  Scan(t0 + 60, 0, 0);
  EXPECT_TRUE(host.calls.empty());
  Scan(t0 - 86400, 0, 0);
  EXPECT_EQ(host.calls.back(), "rescan") << "the clock went back a day";
  host.calls.clear();
  queue.setLastScan(t0);
  Scan(t0 + kRescanInterval + 1, 0, 0);
  EXPECT_EQ(host.calls, Calls{"rescan"});
}

TEST_F(Alarms, DailyNoteFiresOncePerDayAndIsQueuedForTheNext) {
  const int64_t t0 = Utc(2026, 12, 8, 8, 0);
  Begin(t0);
  host.queue = &queue;
  NOTE_PAD daily = test::Scheduled(kUtc, 2026, 12, 1, 9 * 3600, kRepeatDaily);
  daily.id = 11;
  host.notes[11] = daily;
  ASSERT_TRUE(queue.QueueNote(daily, t0));
  EXPECT_EQ(queue.items()[0].time, Utc(2026, 12, 8, 9, 0));
  Scan(Utc(2026, 12, 8, 9, 0), 0, 0);
  Scan(Utc(2026, 12, 8, 9, 0, 30), 0, 0);
  EXPECT_EQ(host.calls, Calls{"fire 11"}) << "once, not again half a minute later";
  // Tomorrow's occurrence lies beyond the look-ahead; the eight-hourly rescan brings it in,
  // hours before it is due.
  EXPECT_TRUE(queue.items().empty());
  for (int64_t t = Utc(2026, 12, 8, 10, 0); t < Utc(2026, 12, 9, 9, 0); t += 3600) Scan(t, 0, 0);
  ASSERT_EQ(queue.items().size(), 1u);
  EXPECT_EQ(queue.items()[0].time, Utc(2026, 12, 9, 9, 0));
  host.calls.clear();
  Scan(Utc(2026, 12, 9, 9, 0), 0, 0);
  EXPECT_EQ(host.calls, Calls{"fire 11"});
}

TEST_F(Alarms, DueNoteThatNoLongerLoadsIsDropped) {
  const int64_t t0 = Utc(2026, 12, 8, 9, 0);
  Begin(t0);
  queue.QueueNote(OneTime(5, t0 + 10), t0);
  Scan(t0 + 10, 0, 0);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_TRUE(queue.items().empty());
}

TEST_F(Alarms, ReopensComeBackAtTheirTime) {
  const int64_t t0 = Utc(2026, 12, 8, 9, 0);
  Begin(t0);
  host.notes[4] = OneTime(4, t0 - 86400);
  AddReopen(reopens, 4, t0 + 300);
  AddReopen(reopens, 9, t0 + 100);  // its note is gone
  EXPECT_EQ(Scan(t0, 0, 0), 100);
  EXPECT_EQ(Scan(t0 + 100, 0, 0), 200);
  EXPECT_EQ(host.calls, Calls{"reopens changed"}) << "a lost note is dropped silently";
  host.calls.clear();
  Scan(t0 + 300, 0, 0);
  EXPECT_EQ(host.calls, (Calls{"reopen 4", "reopens changed"}));
  EXPECT_TRUE(reopens.empty());
  AddReopen(reopens, 4, t0 + 900);
  AddReopen(reopens, 4, t0 + 1900);
  EXPECT_TRUE(CancelReopens(reopens, 4));
  EXPECT_FALSE(CancelReopens(reopens, 4));
  EXPECT_EQ(CustomReopenMinutes(0, 0, 0), 0);
  EXPECT_EQ(CustomReopenMinutes(1, 2, 3), 1563);
}

class OccurrenceScanTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("zavra-occscan-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    const std::u16string folder = dir_.u16string() + u"/";
    store_ = std::make_unique<NoteStore>(files_, registry_, folder, [this] { return now_; });
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  uint32_t Save(NOTE_PAD n, int64_t created) {
    now_ = created;
    EXPECT_TRUE(store_->SaveNote(n));
    return n.id;
  }
  bool Exists(uint32_t id) { return std::filesystem::exists(dir_ / (std::to_string(id) + ".qnf")); }

  std::filesystem::path dir_;
  PortableFileSystem files_;
  MemoryRegistry registry_;
  std::unique_ptr<NoteStore> store_;
  int64_t now_ = 0;
};

TEST_F(OccurrenceScanTest, AutoDeleteKeepsPermanentAndForeverNotesAndQueuesTheRest) {
  const int64_t now = Utc(2026, 12, 8, 12, 0);
  NOTE_CATE permanent;
  permanent.id = 10001;
  permanent.name = u"Keep";
  permanent.flags = 0;
  ASSERT_TRUE(store_->SaveCategory(permanent, false));
  store_->LoadCategoryList();  // creates Unsorted with its default auto-delete choice

  NOTE_PAD plain;
  plain.text = u"old";
  const uint32_t oldDefault = Save(plain, now - 61 * 86400);
  plain.category = 10001;
  const uint32_t oldPermanent = Save(plain, now - 61 * 86400);
  plain.category = 1;
  const uint32_t young = Save(plain, now - 59 * 86400);
  plain.category = 12345;  // missing: the first category of the list decides
  const uint32_t orphan = Save(plain, now - 61 * 86400);
  NOTE_PAD forever = test::Scheduled(kUtc, 2020, 1, 1, 10 * 3600, kRepeatDaily);
  const uint32_t daily = Save(forever, now - 400 * 86400);
  NOTE_PAD soon = OneTime(0, now + 3600);
  const uint32_t soonId = Save(soon, now - 100 * 86400);

  AlarmQueue queue(kUtc);
  // From 09:00: the daily 10:00 is in the window, and so is the one-time note at 13:00.
  const auto result = OccurrenceScan(*store_, queue, {now - 3 * 3600, 0, true, 60, now});
  EXPECT_FALSE(Exists(oldDefault)) << "category 1 deletes automatically by default";
  EXPECT_TRUE(Exists(oldPermanent));
  EXPECT_TRUE(Exists(young));
  EXPECT_TRUE(Exists(daily)) << "open-ended recurring notes never expire";
  EXPECT_TRUE(Exists(soonId)) << "its occurrence lies ahead";
  EXPECT_EQ(Exists(orphan), false) << "the first category of the list (Keep sorts after Unsorted)";
  EXPECT_EQ(result.deleted, 2);
  std::vector<uint32_t> queued;
  for (const auto& a : queue.items()) queued.push_back(a.id);
  std::sort(queued.begin(), queued.end());
  EXPECT_EQ(queued, (std::vector<uint32_t>{daily, soonId}));
  EXPECT_EQ(queue.lastScan(), now);
}

TEST_F(OccurrenceScanTest, WithoutAutoDeleteNothingIsDeleted) {
  const int64_t now = Utc(2026, 12, 8, 12, 0);
  store_->LoadCategoryList();
  NOTE_PAD plain;
  const uint32_t old = Save(plain, now - 1000 * 86400);
  AlarmQueue queue(kUtc);
  OccurrenceScan(*store_, queue, {now, 0, false, 60, now});
  EXPECT_TRUE(Exists(old));
  OccurrenceScan(*store_, queue, {now, 0, true, 0, now});
  EXPECT_TRUE(Exists(old)) << "an age of 0 means never";
}

TEST_F(OccurrenceScanTest, TheSameAlarmsWithAValidADamagedOrNoIndex) {
  const int64_t now = Utc(2026, 12, 8, 12, 0);
  store_->LoadCategoryList();
  std::vector<uint32_t> due;
  for (int i = 1; i <= 4; ++i) due.push_back(Save(OneTime(0, now + 600 * i), now - 86400));
  NOTE_PAD daily = test::Scheduled(kUtc, 2020, 1, 1, 13 * 3600, kRepeatDaily);
  daily.excludes = {DateKey(2026, 12, 8)};  // not today; tomorrow's is beyond the window
  Save(daily, now - 86400);
  for (const auto& f : std::filesystem::directory_iterator(dir_))
    std::filesystem::last_write_time(f.path(), std::filesystem::file_time_type::clock::now() - std::chrono::hours(48));
  const std::u16string folder = dir_.u16string() + u"/";
  const auto alarmsAtStart = [&] {
    NoteStore store(files_, registry_, folder, [now] { return now; });
    AlarmQueue queue(kUtc);
    OccurrenceScan(store, queue, {now, 0, false, 0, now});
    store.WriteIndex();
    std::vector<uint32_t> ids;
    for (const ALARM_ITEM& a : queue.items()) ids.push_back(a.id);
    std::sort(ids.begin(), ids.end());
    return ids;
  };
  EXPECT_EQ(alarmsAtStart(), due) << "no index yet";
  EXPECT_EQ(alarmsAtStart(), due) << "a valid index";
  const std::filesystem::path index = dir_ / "notes.idx";
  std::filesystem::resize_file(index, std::filesystem::file_size(index) - 9);
  EXPECT_EQ(alarmsAtStart(), due) << "a truncated index";
  std::ofstream(index, std::ios::binary | std::ios::trunc) << "QNI garbage";
  EXPECT_EQ(alarmsAtStart(), due) << "a damaged index";
}

}  // namespace
}  // namespace zavra
