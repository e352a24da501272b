// The month grid: which notes land on which days and slots, what a point hits, how the day
// menu is ordered and labelled, and the small arithmetic of keys, colours and pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "schedule/CalendarGeometry.h"
#include "schedule/CalendarLayout.h"
#include "schedule/CalendarLook.h"
#include "schedule/CalendarSettings.h"
#include "store/MemoryRegistry.h"
#include "tests/schedule/ScheduleTestSupport.h"

namespace zavra {
namespace {

using test::FixedOffsetZone;

constexpr uint16_t Bit(int weekday) { return static_cast<uint16_t>(1u << weekday); }

// March 2026 (the 1st is a Sunday) in a zone an hour east of UTC.
class CalendarMonthLayout : public ::testing::Test {
 protected:
  FixedOffsetZone zone{3600};
  CalendarMonth march = MakeMonth(2026, 3, Day(2026, 3, 15), zone);
  CategoryList categories;

  int64_t Day(int64_t y, int m, int d, int hour = 0) const {
    return zone.DayStart(DayNumber(y, m, d)) + hour * 3600;
  }
  NOTE_PAD OneTime(uint32_t id, int64_t y1, int m1, int d1, int64_t y2, int m2, int d2) const {
    NOTE_PAD n = test::Scheduled(zone, y1, m1, d1, 9 * 3600, kRepeatNone);
    test::EndOn(n, zone, y2, m2, d2);
    n.id = id;
    n.flags |= kNoteOnCalendar;
    return n;
  }
  NOTE_PAD Repeating(uint32_t id, int d, uint8_t kind, uint8_t interval, uint16_t param = 0) const {
    NOTE_PAD n = test::Scheduled(zone, 2026, 3, d, 8 * 3600, kind, interval, param);
    n.id = id;
    n.flags |= kNoteOnCalendar;
    return n;
  }
  MonthLayout Lay(const std::vector<NOTE_PAD>& notes) const {
    MonthLayout layout;
    layout.Build(notes, march, categories, zone);
    return layout;
  }
  static std::vector<int> DaysOf(const MonthLayout& layout, uint32_t id) {
    std::vector<int> days;
    for (int day = 1; day <= 31; ++day)
      if (layout.SlotOf(day, id)) days.push_back(day);
    return days;
  }
};

TEST_F(CalendarMonthLayout, AnEventFromTheMonthBeforeRunsFromDayOneWithOnlyItsRightCap) {
  const MonthLayout layout = Lay({OneTime(7, 2026, 2, 28, 2026, 3, 3)});
  EXPECT_EQ(DaysOf(layout, 7), (std::vector<int>{1, 2, 3}));
  EXPECT_FALSE(layout.Cell(1, 1).begins);
  EXPECT_FALSE(layout.Cell(2, 1).ends);
  EXPECT_TRUE(layout.Cell(3, 1).ends);

  const CalendarGeometry g(710, 663, 16);  // columns of 100, cells of 100
  const auto pieces = PlaceEntries(g, layout, march, LeadingCells(march, 0), 0);
  ASSERT_EQ(pieces.size(), 1u) << "one bar: the 1st to the 3rd share a week row";
  EXPECT_EQ(pieces[0].day, 1);
  EXPECT_FALSE(pieces[0].leftCap);
  EXPECT_TRUE(pieces[0].rightCap);
  EXPECT_EQ(pieces[0].left, 5) << "no cap: the bar starts at the cell's edge";
  EXPECT_EQ(pieces[0].right, 5 + 3 * 100 + 1 - 3);
}

TEST_F(CalendarMonthLayout, ABarBreaksAtEachWeekRowWithItsIconOnTheLastPiece) {
  // The 5th (Thursday) to the 12th: two rows with a Monday start (first day of week 1).
  const MonthLayout layout = Lay({OneTime(3, 2026, 3, 5, 2026, 3, 12)});
  const CalendarGeometry g(710, 663, 16);
  const auto pieces = PlaceEntries(g, layout, march, LeadingCells(march, 1), 0);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_TRUE(pieces[0].leftCap && !pieces[0].rightCap && !pieces[0].lastPiece);
  EXPECT_TRUE(!pieces[1].leftCap && pieces[1].rightCap && pieces[1].lastPiece);
  EXPECT_EQ(pieces[1].day, 9) << "the second row starts on Monday the 9th";
}

TEST_F(CalendarMonthLayout, ATwentyFirstEntryOfADayIsNotShownAndTheDayGetsAPlus) {
  std::vector<NOTE_PAD> notes;
  for (uint32_t id = 1; id <= 21; ++id) notes.push_back(OneTime(id, 2026, 3, 10, 2026, 3, 10));
  const MonthLayout layout = Lay(notes);
  EXPECT_EQ(layout.DayTop(10), 20);
  EXPECT_EQ(layout.SlotOf(10, 21), 0) << "sorted by time, then id: the last one finds no slot";
  EXPECT_EQ(layout.entries()[20].slot, 0);
  const CalendarGeometry g(710, 663, 16);
  EXPECT_TRUE(DayOverflows(layout, 10, 0, g));
  EXPECT_FALSE(DayOverflows(layout, 11, 0, g));
  EXPECT_FALSE(DayOverflows(layout, 10, 19, g)) << "scrolled down to the last slot";
  EXPECT_EQ(ClampScroll(40, layout), 19);
}

TEST_F(CalendarMonthLayout, RepeatingNotesTakeASlotOnEachDayTheyOccur) {
  const struct {
    const char* what;
    NOTE_PAD note;
    std::vector<int> days;
  } cases[] = {
      {"every 2 weeks from Tuesday the 3rd", Repeating(1, 3, kRepeatWeekly, 2, Bit(2)), {3, 17, 31}},
      {"every 10 days from the 4th", Repeating(2, 4, kRepeatDaily, 10), {4, 14, 24}},
      {"daily, interval 0 as stored", Repeating(3, 29, kRepeatDaily, 0), {29, 30, 31}},
      {"weekly, interval 0 as stored", Repeating(4, 20, kRepeatWeekly, 0, Bit(5)), {20, 27}},
      {"monthly on day 31 from February", [&] {
         NOTE_PAD n = Repeating(5, 1, kRepeatMonthlyByDay, 1, 31);
         n.start = Day(2026, 1, 31);
         return n;
       }(), {31}},
      {"weekly without a weekday", Repeating(6, 2, kRepeatWeekly, 1, 0), {}},
  };
  for (const auto& c : cases) {
    const MonthLayout layout = Lay({c.note});
    EXPECT_EQ(DaysOf(layout, c.note.id), c.days) << c.what;
    for (int day : c.days) EXPECT_TRUE(layout.Cell(day, 1).begins && layout.Cell(day, 1).ends) << c.what;
  }
}

TEST_F(CalendarMonthLayout, ExcludedDatesAreMarkedButStillLaidOut) {
  NOTE_PAD weekly = Repeating(1, 2, kRepeatWeekly, 1, Bit(1));
  weekly.excludes = {DateKey(2026, 3, 9)};
  NOTE_PAD once = OneTime(2, 2026, 3, 20, 2026, 3, 21);
  once.excludes = {DateKey(2026, 3, 20)};
  const MonthLayout layout = Lay({weekly, once});
  EXPECT_TRUE(layout.Cell(9, layout.SlotOf(9, 1)).excluded);
  EXPECT_FALSE(layout.Cell(16, layout.SlotOf(16, 1)).excluded);
  EXPECT_TRUE(layout.Cell(21, layout.SlotOf(21, 2)).excluded) << "a one-time event is excluded as a whole";
}

TEST_F(CalendarMonthLayout, TheDayMenuListsCarriedOverEntriesFirstAndUnscheduledLast) {
  NOTE_PAD late = OneTime(1, 2026, 3, 6, 2026, 3, 6);
  late.timeFrom = 18 * 3600;
  NOTE_PAD early = OneTime(2, 2026, 3, 6, 2026, 3, 6);
  early.timeFrom = 7 * 3600;
  early.excludes = {DateKey(2026, 3, 6)};
  early.text = u"Tom & Jerry";
  NOTE_PAD plain;
  plain.id = 3;
  plain.flags = kNoteOnCalendar;
  plain.created = Day(2026, 3, 6, 1);
  NOTE_PAD through = OneTime(4, 2026, 3, 4, 2026, 3, 8);
  NOTE_PAD ending = OneTime(5, 2026, 3, 5, 2026, 3, 6);
  const MonthLayout layout = Lay({late, early, plain, through, ending});
  const auto rows = DayMenuRows(layout, march, 6, zone);
  std::vector<uint32_t> order;
  for (const auto& r : rows) order.push_back(r.noteId);
  EXPECT_EQ(order, (std::vector<uint32_t>{4, 5, 2, 1, 3}));

  const DayMenuTexts texts;
  const auto label = [&](size_t i) {
    return DayMenuLabel(rows[i], layout.entries()[rows[i].entry].title, u"7:00 AM", texts);
  };
  EXPECT_EQ(label(0), u" (~)");
  EXPECT_EQ(label(1), u" (/)");
  EXPECT_EQ(label(2), u"- Tom && Jerry (7:00 AM)");
  EXPECT_EQ(label(4), u"");
  EXPECT_FALSE(rows[4].scheduled);
}

// ---------------------------------------------------------------- geometry

TEST(CalendarGeometryTest, PointsHitDaysAndEntriesOnlyInsideTheGrid) {
  FixedOffsetZone zone(0);
  const CalendarMonth month = MakeMonth(2026, 3, 0, zone);
  NOTE_PAD n = test::Scheduled(zone, 2026, 3, 2, 0, kRepeatNone);
  n.id = 9;
  MonthLayout layout;
  layout.Build({n}, month, CategoryList{}, zone);
  const CalendarGeometry g(710, 663, 16);  // columns 5-105, 105-205, ...; rows from 58, 100 high
  const struct {
    int x, y, day, slot;
  } cases[] = {
      {50, 60, 1, 0},      // Sunday the 1st, on its number
      {150, 80, 2, 1},     // Monday the 2nd, on the entry
      {106, 80, 2, 0},     // within the entry's left cap
      {204, 80, 2, 0},     // within its right cap
      {150, 91, 2, 0},     // the gap below the entry
      {4, 80, 0, 0},       // left margin
      {705, 80, 0, 0},     // right margin: not the next row's first day
      {300, 57, 0, 0},     // header
      {300, 58 + 600, 0, 0},  // below the last row
      {650, 58 + 500, 0, 0},  // a cell after the 31st
  };
  for (const auto& c : cases) {
    const CalendarHit hit = HitTest(g, layout, month, 0, 0, c.x, c.y);
    EXPECT_EQ(hit.day, c.day) << c.x << "," << c.y;
    EXPECT_EQ(hit.slot, c.slot) << c.x << "," << c.y;
  }
}

TEST(CalendarGeometryTest, ATinyWindowHasNothingToHitOrDraw) {
  FixedOffsetZone zone(0);
  const CalendarMonth month = MakeMonth(2026, 3, 0, zone);
  MonthLayout layout;
  layout.Build({}, month, CategoryList{}, zone);
  for (const CalendarGeometry& g : {CalendarGeometry(0, 0, 16), CalendarGeometry(16, 68, 16), CalendarGeometry(400, 300, 0)}) {
    EXPECT_FALSE(g.Valid());
    EXPECT_EQ(g.VisibleSlots(), 0);
    EXPECT_EQ(g.PageSlots(), 1);
    EXPECT_EQ(HitTest(g, layout, month, 0, 0, 10, 70).day, 0);
    EXPECT_TRUE(PlaceEntries(g, layout, month, 0, 0).empty());
  }
}

TEST(CalendarGeometryTest, KeysWrapAroundTheMonthAndTheWeekStartShiftsTheGrid) {
  const struct {
    int day, step, days, expected;
  } cases[] = {{1, -1, 31, 31}, {5, -7, 30, 30}, {31, 1, 31, 1}, {28, 7, 30, 1}, {0, 1, 28, 1},
               {0, -1, 28, 28}, {10, 7, 31, 17}};
  for (const auto& c : cases) EXPECT_EQ(MoveDay(c.day, c.step, c.days), c.expected) << c.day << " " << c.step;
  // March 2026 begins on a Sunday: no gap in a Sunday week, six cells in a Monday week.
  const CalendarMonth march = MakeMonth(2026, 3, 0, FixedOffsetZone(0));
  EXPECT_EQ(LeadingCells(march, 0), 0);
  EXPECT_EQ(LeadingCells(march, 1), 6);
  EXPECT_EQ(CellOfDay(31, 6).row, 5);
}

// ---------------------------------------------------------------- look and settings

TEST(CalendarLook, ColoursAndPictureChoices) {
  EXPECT_EQ(ColorizationToColorRef(0xC4112233u), 0x00332211u);
  EXPECT_EQ(ToneForBackground(0x00FF0000, 0x00FFFFFF), 0x00800000u) << "light background: half";
  EXPECT_EQ(ToneForBackground(0x00FF0000, 0x00202020), 0x00C00000u) << "dark background";
  EXPECT_EQ(ToneForBackground(0x00FF0000, 0x00808080), 0x00FF0000u);

  EXPECT_FALSE(PickRandomIndex(32767, 0)) << "an empty folder has nothing to pick";
  EXPECT_EQ(PickRandomIndex(32767, 3), 2u) << "the last file can be picked";
  EXPECT_EQ(PickRandomIndex(0, 3), 0u);
  std::vector<int> hits(5);
  for (uint32_t r = 0; r < 32768; ++r) ++hits[*PickRandomIndex(r, 5)];
  for (int h : hits) EXPECT_NEAR(h, 32768 / 5, 1);

  EXPECT_EQ(WallpaperPicture(u"C:\\pics\\sea.jpg", u"1").path, u"C:\\pics\\sea.jpg");
  EXPECT_FALSE(WallpaperPicture(u"C:\\pics\\sea.jpg", u"1").fit);
  EXPECT_TRUE(WallpaperPicture(u"sea.jpg", u"0").path.empty());
}

TEST(CalendarSettingsTest, DefaultsFromTheWorkAreaAndValuesFromTheKey) {
  const RECT32 work{0, 0, 1280, 1000};
  const CalendarSettings defaults = LoadCalendarSettings(nullptr, work);
  EXPECT_EQ(std::vector<int32_t>({defaults.rect.left, defaults.rect.top, defaults.rect.right, defaults.rect.bottom}),
            std::vector<int32_t>({320, 420, 960, 950}));

  MemoryRegistry registry;
  auto key = registry.OpenSettingsKey();
  WriteCalendarRect(key.get(), {600, 20, 10, 520});
  key->SetDword(u"CalBkgAlpha", 0x1FF);
  key->SetDword(u"CalWallpaper", 7);
  const CalendarSettings s = LoadCalendarSettings(key.get(), work);
  EXPECT_EQ(s.rect.left, 320) << "an inside-out rectangle is ignored";
  EXPECT_EQ(s.haziness, 0xFF) << "only the low byte";
  EXPECT_EQ(s.mode, CalendarPictureMode::kWallpaper) << "an unknown mode keeps the default";
}

}  // namespace
}  // namespace zavra
