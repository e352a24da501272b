// What the pad lists and how: the inclusion test, row looks, opening at a note, the selection
// across notifications, and the search.
#include "notewnd/ScheduleHeader.h"
#include "tests/pad/PadTestSupport.h"

namespace zavra {
namespace {

using test::Cate;
using test::Due;
using test::Local;
using test::MemorySource;
using test::Plain;
using test::Zone;

constexpr uint32_t kWork = 10001, kHome = 10002, kGone = 10003;

// A model in the New York zone with weeks from Monday, the categories Work (week view) and
// Home (not of interest); kGone names a deleted category.
class PadListTest : public testing::Test {
 protected:
  PadListTest() : model_(1, Zone()) {
    model_.SetCategories(test::Categories({Cate(kWork, u"Work", kCateAutoDelete | 1),
                                           Cate(kHome, u"Home", kCateAutoDelete | kCateNotOfInterest)}));
  }
  std::vector<std::u16string> Texts() const {
    std::vector<std::u16string> texts;
    for (size_t i = 0; i < model_.RowCount(); ++i) texts.push_back(model_.Row(i).Title());
    return texts;
  }
  std::u16string SelectedText() const {
    return model_.SelectedEntry() ? model_.SelectedEntry()->Title() : u"(none)";
  }
  PadModel model_;
  MemorySource source_;
};

TEST_F(PadListTest, LateNoteOnTheLongDayIsListed) {
  source_.Add(Due(u"late", 2026, 11, 1, 23, 30));
  source_.Add(Plain(u"made late", Local(2026, 11, 1, 23, 45)));
  source_.Add(Plain(u"next day", Local(2026, 11, 2, 0, 0)));
  model_.Show(Local(2026, 11, 1, 12), nullptr, kFilterAllCategories, Local(2026, 11, 1, 12), false, source_);
  ASSERT_EQ(Texts(), (std::vector<std::u16string>{u"late", u"made late"}));
  EXPECT_EQ(model_.Row(0).listed, test::Utc(2026, 11, 2, 4, 30)) << "23:30 EST, after the clock went back";
}

TEST_F(PadListTest, CategoryFilters) {
  source_.Add(Plain(u"unsorted", Local(2026, 5, 4, 9)));
  source_.Add(Plain(u"work", Local(2026, 5, 4, 10), kWork));
  source_.Add(Plain(u"orphan", Local(2026, 5, 4, 11), kGone));
  source_.Add(Plain(u"home", Local(2026, 5, 4, 12), kHome));
  source_.Add(Due(u"home due", 2026, 5, 4, 13, 0, kHome));
  const struct {
    int filter;
    std::vector<std::u16string> listed;
  } cases[] = {
      {static_cast<int>(kUnsortedCategory), {u"unsorted", u"orphan"}},
      {static_cast<int>(kWork), {u"work"}},
      {kFilterAllCategories, {u"unsorted", u"work", u"orphan", u"home", u"home due"}},
      {kFilterAllOfInterest, {u"unsorted", u"work", u"orphan", u"home due"}},
  };
  for (const auto& c : cases) {
    model_.Show(Local(2026, 5, 4), nullptr, c.filter, Local(2026, 5, 4, 8), false, source_);
    model_.SetKind(PadTermKind::kDay, Local(2026, 5, 4, 8), source_);
    EXPECT_EQ(Texts(), c.listed) << "filter " << c.filter;
  }
}

TEST_F(PadListTest, WeeklyNoteAtTheOccurrenceThatSuitsTheWeek) {
  // Monday, Wednesday and Friday at 10:00; now is Wednesday 2026-05-13 11:00.
  source_.Add(Due(u"gym", 2026, 1, 5, 10, 0, 1, kRepeatWeekly, 0x02 | 0x08 | 0x20));
  const int64_t now = Local(2026, 5, 13, 11);
  const struct {
    const char* what;
    int64_t at;
    int64_t now;
    int64_t listed;
  } cases[] = {
      {"past week: its last", Local(2026, 5, 6), now, Local(2026, 5, 8, 10)},
      {"future week: its first", Local(2026, 5, 20), now, Local(2026, 5, 18, 10)},
      {"current week: nearest to now", now, now, Local(2026, 5, 13, 10)},
      {"current week: a tie goes to the later", Local(2026, 5, 14, 10), Local(2026, 5, 14, 10), Local(2026, 5, 15, 10)},
  };
  for (const auto& c : cases) {
    model_.Show(c.at, nullptr, kFilterAllCategories, c.now, false, source_);
    model_.SetKind(PadTermKind::kWeek, c.now, source_);
    if (c.at != c.now) model_.Show(c.at, nullptr, kPadKeepFilter, c.now, true, source_);
    ASSERT_EQ(model_.RowCount(), 1u) << c.what;
    EXPECT_EQ(model_.Row(0).listed, c.listed) << c.what;
  }
}

TEST_F(PadListTest, ReopensAndSeriesWithoutOccurrences) {
  NOTE_PAD& excluded = source_.Add(Due(u"struck out", 2026, 5, 4, 9, 0));
  excluded.excludes.push_back(DateKey(2026, 5, 4));
  source_.Add(Plain(u"again", Local(2026, 1, 2)));
  source_.reopens = {{2, 0, Local(2026, 5, 4, 15)}, {2, 0, Local(2026, 5, 5, 15)}, {99, 0, Local(2026, 5, 4, 16)}};
  model_.Show(Local(2026, 5, 4), nullptr, kFilterAllCategories, Local(2026, 5, 4, 8), false, source_);
  ASSERT_EQ(Texts(), (std::vector<std::u16string>{u"again"})) << "one reopen in the day; a missing note has none";
  EXPECT_TRUE(model_.Row(0).reopen);
  model_.SetKind(PadTermKind::kAll, Local(2026, 5, 4, 8), source_);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"again", u"struck out", u"again", u"again"}));
  EXPECT_EQ(model_.Row(1).listed, Local(2026, 5, 4, 9)) << "no occurrence left: listed in All at its first";
}

TEST_F(PadListTest, RowColoursAndTimes) {
  const int64_t now = Local(2026, 5, 4, 8);
  const COLORREF grey = 0x808080;
  NOTE_PAD white = Due(u"\t x\ty. rest", 2026, 5, 4, 19, 0);
  white.flags |= kNoteOwnPaperColor;
  white.paperColor = 0xFFFFFF;
  const struct {
    const char* what;
    int64_t listed;
    bool reopen, scheduled;
    uint8_t kind;
    COLORREF color;
    const char16_t* time;
  } cases[] = {
      {"due in 11 h", now + 11 * 3600, false, true, kRepeatNone, ToneToPaper(kHeaderBlue, 0xFFFFFF), u"T19:00"},
      {"due in 13 h", now + 13 * 3600, false, true, kRepeatNone, ToneToPaper(kHeaderGreen, 0xFFFFFF), u"T21:00"},
      {"overdue", now - 60, false, true, kRepeatWeekly, ToneToPaper(kHeaderRed, 0xFFFFFF), u"T07:59  +"},
      {"reopen tomorrow", now + 86400, true, true, kRepeatNone, ToneToPaper(kPadCyan, 0xFFFFFF), u"D5/5  T08:00"},
      {"unscheduled", now - 86400, false, false, kRepeatNone, grey, u"D5/3  T08:00"},
  };
  for (const auto& c : cases) {
    PadEntry e{white, c.listed, c.reopen};
    e.note.repeatKind = c.kind;
    if (!c.scheduled) e.note.flags &= ~static_cast<uint32_t>(kNoteScheduled);
    const PadRowLook look = LookOfRow(e, model_.categories(), now, grey, test::PlainFormat(), Zone());
    EXPECT_EQ(look.time, c.color) << c.what;
    EXPECT_EQ(look.timeText, c.time) << c.what;
    EXPECT_EQ(look.title, u"x y.") << c.what;
    EXPECT_EQ(look.paper, 0xFFFFFFu);
  }
  EXPECT_EQ(ToneToPaper(kHeaderBlue, 0xFFFFFF), 0x00800000u) << "toned down on light paper";
  // What the note does not set itself comes from its category.
  NOTE_CATE work = Cate(kWork, u"Work");
  work.paperColor = 0x00C0FFFF;
  work.variation = 0;
  work.textColor = 0x00102030;
  work.icon = 7;
  model_.SetCategories(test::Categories({work}));
  const PadRowLook look = LookOfRow({Plain(u"w", now, kWork), now, false}, model_.categories(), now, grey, test::PlainFormat(), Zone());
  EXPECT_EQ(look.paper, 0x00C0FFFFu);
  EXPECT_EQ(look.text, 0x00102030u);
  EXPECT_EQ(look.icon, 7);
}

TEST_F(PadListTest, OpeningAtANoteChoosesTheFilterAndView) {
  const NOTE_PAD home = source_.Add(Plain(u"home", Local(2026, 5, 4, 12), kHome));
  const NOTE_PAD work = source_.Add(Plain(u"work", Local(2026, 5, 6, 12), kWork));
  const NOTE_PAD orphan = source_.Add(Plain(u"orphan", Local(2026, 5, 7, 12), kGone));
  const int64_t now = Local(2026, 5, 1);
  const struct {
    const char* what;
    int filterBefore;
    const NOTE_PAD* note;
    int argument;
    int filterAfter;
    PadTermKind kind;
    const char16_t* selected;
  } cases[] = {
      {"from a calendar day, not of interest", kFilterAllOfInterest, &home, kPadFromCalendar, kFilterAllCategories,
       PadTermKind::kDay, u"home"},
      {"keep: All of Interest, not of interest", kFilterAllOfInterest, &home, kPadKeepFilter, kFilterAllCategories,
       PadTermKind::kDay, u"home"},
      {"a category id becomes the note's", kFilterAllCategories, &work, static_cast<int>(kUnsortedCategory),
       static_cast<int>(kWork), PadTermKind::kWeek, u"work"},
      {"keep: All Categories stays", kFilterAllCategories, &work, kPadKeepFilter, kFilterAllCategories,
       PadTermKind::kDay, u"work"},
      {"a deleted category is Unsorted", static_cast<int>(kWork), &orphan, kPadKeepFilter,
       static_cast<int>(kUnsortedCategory), PadTermKind::kDay, u"orphan"},
      {"an unknown category keeps the filter", kFilterAllCategories, nullptr, 4242, kFilterAllCategories,
       PadTermKind::kDay, u"(none)"},
  };
  for (const auto& c : cases) {
    PadModel model(1, Zone());
    model.SetCategories(model_.categories());
    model.Show(0, nullptr, c.filterBefore, now, false, source_);
    model.Show(c.note ? Local(2026, 5, 20) : 0, c.note, c.argument, now, true, source_);
    EXPECT_EQ(model.filter(), c.filterAfter) << c.what;
    EXPECT_EQ(model.term().kind, c.kind) << c.what;
    const PadEntry* e = model.SelectedEntry();
    EXPECT_EQ(e ? e->Title() : u"(none)", c.selected) << c.what;
  }
}

TEST_F(PadListTest, ANoteAlreadyListedIsOnlySelected) {
  source_.Add(Plain(u"a", Local(2026, 5, 4, 9)));
  const NOTE_PAD b = source_.Add(Plain(u"b", Local(2026, 5, 4, 10)));
  model_.Show(Local(2026, 5, 4), nullptr, kFilterAllCategories, Local(2026, 5, 4, 8), false, source_);
  model_.SetSearch(u"B", source_);
  const int scans = source_.scans;
  const PadModel::ShowOutcome outcome = model_.Show(0, &b, kPadKeepFilter, Local(2026, 5, 4, 8), true, source_);
  EXPECT_TRUE(outcome.onlySelected);
  EXPECT_EQ(source_.scans, scans) << "nothing read again";
  EXPECT_EQ(SelectedText(), u"b");
  EXPECT_EQ(model_.search(), u"B") << "the search stays";
}

TEST_F(PadListTest, SelectionFollowsTheNoteThroughChanges) {
  NOTE_PAD a = source_.Add(Plain(u"a", Local(2026, 5, 4, 9)));
  source_.Add(Plain(u"b", Local(2026, 5, 4, 10)));
  source_.Add(Plain(u"c", Local(2026, 5, 4, 11)));
  source_.Add(Plain(u"d", Local(2026, 5, 4, 12)));
  model_.Show(Local(2026, 5, 4), nullptr, kFilterAllCategories, Local(2026, 5, 4, 8), false, source_);
  model_.Select(1);
  a.created = Local(2026, 5, 4, 13);  // "a" now sorts last: "b" moves up a row
  model_.OnNoteChanged(a);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"b", u"c", u"d", u"a"}));
  EXPECT_EQ(SelectedText(), u"b") << "kept by note, not by row number";
  model_.OnNoteDeleted(2);
  EXPECT_EQ(SelectedText(), u"c") << "the note that took the deleted one's place";
  model_.Select(2);
  model_.OnNoteDeleted(1);
  EXPECT_EQ(SelectedText(), u"d") << "the last row deleted: the new last";
  source_.reopens = {{4, 0, Local(2026, 5, 4, 7)}};
  model_.OnReopensChanged(source_);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"d", u"c", u"d"}));
  EXPECT_EQ(SelectedText(), u"d");
  EXPECT_EQ(model_.selected(), 2) << "the same entry, not the reopen of its note";
}

TEST_F(PadListTest, SearchNarrowsTheRows) {
  source_.Add(Plain(u"Buy milk", Local(2026, 5, 4, 9)));
  source_.Add(Plain(u"Call Ömer", Local(2026, 5, 4, 10)));
  source_.Add(Plain(u"milkshake recipe", Local(2026, 5, 4, 11)));
  source_.Add(Plain(u"Shopping\r\neggs, milk", Local(2026, 5, 4, 12)));
  model_.Show(Local(2026, 5, 4), nullptr, kFilterAllCategories, Local(2026, 5, 4, 10, 30), false, source_);
  EXPECT_EQ(source_.loads, 0) << "listed from the index alone";
  EXPECT_EQ(model_.NowMarkerRow(), 1);
  model_.Select(2);
  EXPECT_TRUE(model_.SetSearch(u"MiLk", source_));
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"Buy milk", u"milkshake recipe", u"Shopping"}))
      << "the whole text is searched, not the first line";
  EXPECT_EQ(SelectedText(), u"milkshake recipe");
  EXPECT_FALSE(model_.SetSearch(u"milk", source_)) << "the same word in another case";
  EXPECT_TRUE(model_.SetSearch(u"ömer", source_));
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"Call Ömer"}));
  EXPECT_EQ(SelectedText(), u"(none)") << "the selected note is hidden";
  EXPECT_TRUE(model_.SetSearch(u"", source_));
  EXPECT_EQ(model_.RowCount(), 4u);
}

}  // namespace
}  // namespace zavra

namespace zavra {
namespace {

TEST_F(PadListTest, MidnightMovesTheTermThatHeldToday) {
  source_.Add(Plain(u"mon", Local(2026, 5, 4, 9)));
  source_.Add(Plain(u"tue", Local(2026, 5, 5, 9)));
  source_.Add(Plain(u"wed", Local(2026, 5, 6, 9)));
  const struct {
    const char* what;
    PadTermKind kind;
    int64_t shown, before, after;
    bool moves;
    std::vector<std::u16string> listed;
    int nowMarkerRow;  // -2: no "Now" label
  } cases[] = {
      {"today's day", PadTermKind::kDay, Local(2026, 5, 5, 12), Local(2026, 5, 5, 23), Local(2026, 5, 6, 0, 1),
       true, {u"wed"}, -1},
      {"an earlier day", PadTermKind::kDay, Local(2026, 5, 4, 12), Local(2026, 5, 5, 23), Local(2026, 5, 6, 0, 1),
       false, {u"mon"}, -2},
      {"this week", PadTermKind::kWeek, Local(2026, 5, 5, 12), Local(2026, 5, 5, 23), Local(2026, 5, 6, 0, 1),
       false, {u"mon", u"tue", u"wed"}, 1},
  };
  for (const auto& c : cases) {
    PadModel model(1, Zone());
    model.Show(c.shown, nullptr, kFilterAllCategories, c.before, false, source_);
    model.SetKind(c.kind, c.before, source_);
    EXPECT_EQ(model.OnDayChanged(c.after, source_), c.moves) << c.what;
    std::vector<std::u16string> listed;
    for (size_t i = 0; i < model.RowCount(); ++i) listed.push_back(model.Row(i).Title());
    EXPECT_EQ(listed, c.listed) << c.what;
    EXPECT_EQ(model.ShowsNowMarker() ? model.NowMarkerRow() : -2, c.nowMarkerRow) << c.what;
  }
}

}  // namespace
}  // namespace zavra
