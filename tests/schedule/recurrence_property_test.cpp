// The searches against a slow reference that walks the window one date at a time and asks of
// each date, from the rule's plain wording, whether it belongs to the series.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>

#include "schedule/Recurrence.h"
#include "tests/schedule/ScheduleTestSupport.h"

namespace zavra {
namespace {

using test::FixedOffsetZone;
using test::Show;

int64_t Mod(int64_t a, int64_t b) { return ((a % b) + b) % b; }

class Reference {
 public:
  Reference(const NOTE_PAD& note, const LocalTime& zone) : note_(note), zone_(zone) {
    n_ = note.repeatInterval == 0 ? 1 : note.repeatInterval;
    tod_ = std::min(std::max(note.timeFrom, 0), 86399);
    // start and end name the dates of their nearest local midnights.
    startDay_ = zone.DayOfDayStart(note.start);
    endDay_ = zone.DayOfDayStart(note.end);
    openEnded_ = note.repeatKind >= 30 && (note.flags & kNoteOpenEnded);
    first_ = zone.TimeOn(startDay_, tod_);
    last_ = openEnded_ ? INT64_MAX : zone.TimeOn(endDay_, tod_);
  }

  int64_t First() const { return first_; }
  int64_t Last() const { return last_; }

  bool InSeries(int64_t day) const {
    if (day < startDay_) return false;
    const CivilDate date = DateOfDay(day);
    const CivilDate start = DateOfDay(startDay_);
    const int kind = note_.repeatKind;
    const int low = note_.repeatParam & 0xFF;
    if (kind < 30) return day == startDay_;
    if (kind < 60) return (day - startDay_) % n_ == 0;
    if (kind < 90)
      return ((day - startDay_) / 7) % n_ == 0 && (note_.repeatParam >> WeekdayOfDay(day) & 1) && (note_.repeatParam & 0x7F);
    if (kind < 120) {
      const int64_t months = (date.year - start.year) * 12 + date.month - start.month;
      return Mod(months, n_) == 0 && date.day == RuleDay(kind == 91, low, date.year, date.month);
    }
    const int month = note_.repeatParam >> 8;
    return Mod(date.year - start.year, n_) == 0 && date.month == month &&
           date.day == RuleDay(kind == 121, low, date.year, month);
  }

  bool Excluded(int64_t day) const {
    const CivilDate d = DateOfDay(day);
    return std::find(note_.excludes.begin(), note_.excludes.end(), DateKey(int(d.year), d.month, d.day)) !=
           note_.excludes.end();
  }

  std::optional<int64_t> Forward(int64_t from, int64_t to, bool honour) const {
    if (!(note_.flags & kNoteScheduled)) return std::nullopt;
    if (from == 0) from = first_;
    if (to == 0 || to > last_) to = last_;
    for (int64_t day = zone_.FieldsOf(from).dayNumber - 1; day <= zone_.FieldsOf(to).dayNumber + 1; ++day) {
      if (!InSeries(day) || (honour && Excluded(day))) continue;
      const int64_t r = zone_.TimeOn(day, tod_);
      if (r >= from && r >= first_ && r <= to) return r;
    }
    return std::nullopt;
  }

  std::optional<int64_t> Backward(int64_t from, int64_t to) const {
    if (!(note_.flags & kNoteScheduled)) return std::nullopt;
    if (from == 0 || from < first_) from = first_;
    if (to == 0 || to > last_) to = last_;
    for (int64_t day = zone_.FieldsOf(to).dayNumber + 1; day >= zone_.FieldsOf(from).dayNumber - 1; --day) {
      if (!InSeries(day) || Excluded(day)) continue;
      const int64_t r = zone_.TimeOn(day, tod_);
      if (r >= from && r <= to) return r;
    }
    return std::nullopt;
  }

 private:
  // The day a monthly or yearly rule names in a month, found by looking at the month's days.
  static int RuleDay(bool byWeekday, int low, int64_t year, int month) {
    if (month < 1 || month > 12) return -1;
    int length = 28;
    while (length < 31 && DateOfDay(DayNumber(year, month, 1) + length).month == month) ++length;
    if (!byWeekday) return low == 0 ? -1 : std::min(low, length);
    const int weekday = low & 0x0F;
    const int k = std::min(low >> 4, 4);
    if (weekday > 6) return -1;
    if (year < 1970 || year > 3000) return 1;
    int seen = 0;
    int lastMatch = -1;
    for (int d = 1; d <= length; ++d) {
      if (WeekdayOfDay(DayNumber(year, month, d)) != weekday) continue;
      lastMatch = d;
      if (seen++ == k) return d;
    }
    return lastMatch;
  }

  const NOTE_PAD& note_;
  const LocalTime& zone_;
  int64_t n_ = 1;
  int tod_ = 0;
  int64_t startDay_ = 0;
  int64_t endDay_ = 0;
  bool openEnded_ = false;
  int64_t first_ = 0;
  int64_t last_ = 0;
};

struct RandomCase {
  NOTE_PAD note;
  int64_t from = 0;
  int64_t to = 0;
};

RandomCase MakeCase(std::mt19937& rng, const LocalTime& zone) {
  auto pick = [&](int64_t lo, int64_t hi) { return std::uniform_int_distribution<int64_t>(lo, hi)(rng); };
  RandomCase c;
  NOTE_PAD& note = c.note;
  note.flags = kNoteScheduled | (pick(0, 2) ? uint32_t(kNoteOpenEnded) : 0u);
  static const uint8_t kinds[] = {1, 30, 60, 90, 91, 120, 121, 45, 100, 200};
  note.repeatKind = kinds[pick(0, 9)];
  static const uint8_t intervals[] = {0, 1, 1, 1, 2, 2, 3, 4, 5, 13, 200};
  note.repeatInterval = intervals[pick(0, 10)];
  const int weekday = int(pick(0, 9) ? pick(0, 6) : pick(7, 15));
  const int k = int(pick(0, 9) ? pick(0, 4) : pick(5, 15));
  const int day = int(pick(0, 9) ? pick(1, 31) : pick(0, 255));
  const int month = int(pick(0, 9) ? pick(1, 12) : pick(0, 255));
  switch (note.repeatKind) {
    case 60: note.repeatParam = uint16_t(pick(0, 0xFFFF)); break;
    case 91: note.repeatParam = uint16_t(k << 4 | weekday); break;
    case 121: note.repeatParam = uint16_t(month << 8 | k << 4 | weekday); break;
    case 120: case 200: note.repeatParam = uint16_t(month << 8 | day); break;
    default: note.repeatParam = uint16_t(pick(0, 9) ? day : pick(0, 0xFFFF)); break;
  }
  const int64_t startDay = DayNumber(pick(1995, 2035), 1, 1) + pick(0, 365);
  // mostly a day start, sometimes any time of that day, as a file may hold
  note.start = zone.DayStart(startDay) + (pick(0, 4) ? 0 : pick(0, 86399));
  note.end = zone.DayStart(startDay + pick(-3, 2000));
  static const int32_t times[] = {0, 1, 3600, 5400, 7200, 9000, 10799, 32400, 86399, -1, 86400, INT32_MIN, INT32_MAX};
  note.timeFrom = pick(0, 1) ? int32_t(pick(0, 86399)) : times[pick(0, 12)];
  const int64_t fromDay = startDay + pick(-400, 4000);
  c.from = zone.DayStart(fromDay) + pick(0, 86399);
  c.to = c.from + pick(0, 600) * 86400 + pick(-3600, 3600);
  if (pick(0, 19) == 0) c.from = 0;
  if (pick(0, 19) == 0 && !(note.flags & kNoteOpenEnded)) c.to = 0;
  if (c.from == 0 && c.to - note.start > 700 * 86400) c.to = note.start + 600 * 86400;
  // exclusions: dates around the window, some of them occurrence dates
  const int64_t windowDay = zone.FieldsOf(c.from == 0 ? note.start : c.from).dayNumber;
  for (int64_t i = pick(0, 8); i > 0; --i) {
    const CivilDate d = DateOfDay(windowDay + pick(-2, 120));
    note.excludes.push_back(DateKey(int(d.year), d.month, d.day));
  }
  return c;
}

std::string Describe(const RandomCase& c, const LocalTime& zone) {
  std::ostringstream s;
  s << "kind " << int(c.note.repeatKind) << " interval " << int(c.note.repeatInterval) << " param 0x" << std::hex
    << c.note.repeatParam << std::dec << " flags " << c.note.flags << " start " << Show(c.note.start, zone)
    << " end " << Show(c.note.end, zone) << " timeFrom " << c.note.timeFrom << " from " << Show(c.from, zone)
    << " to " << Show(c.to, zone) << " excludes " << c.note.excludes.size();
  return s.str();
}

std::string Opt(const std::optional<int64_t>& t, const LocalTime& zone) { return t ? Show(*t, zone) : "none"; }

void CheckAgainstReference(const LocalTime& zone, uint32_t seed, int cases) {
  std::mt19937 rng(seed);
  int forwardFound = 0;
  int backwardFound = 0;
  for (int i = 0; i < cases; ++i) {
    const RandomCase c = MakeCase(rng, zone);
    const Reference ref(c.note, zone);
    for (bool honour : {true, false}) {
      int64_t got = 0;
      const std::optional<int64_t> found =
          NextOccurrence(c.note, c.from, c.to, &got, honour, zone) ? std::optional<int64_t>(got) : std::nullopt;
      const std::optional<int64_t> want = ref.Forward(c.from, c.to, honour);
      ASSERT_EQ(found, want) << "forward (exclusions " << (honour ? "honoured" : "ignored") << "), case " << i
                             << ": got " << Opt(found, zone) << ", want " << Opt(want, zone) << "\n" << Describe(c, zone);
    }
    int64_t got = 0;
    const std::optional<int64_t> found =
        LastOccurrence(c.note, c.from, c.to, &got, zone) ? std::optional<int64_t>(got) : std::nullopt;
    const std::optional<int64_t> want = ref.Backward(c.from, c.to);
    backwardFound += want.has_value();
    forwardFound += ref.Forward(c.from, c.to, true).has_value();
    ASSERT_EQ(found, want) << "backward, case " << i << ": got " << Opt(found, zone) << ", want " << Opt(want, zone)
                           << "\n" << Describe(c, zone);

    // Walking forward one occurrence at a time never goes back and never repeats.
    int64_t t = c.from;
    for (int step = 0; step < 4 && NextOccurrence(c.note, t, 0, &got, true, zone); ++step) {
      ASSERT_GE(got, t) << "case " << i << " step " << step << "\n" << Describe(c, zone);
      int64_t next = 0;
      if (!NextOccurrence(c.note, got + 1, 0, &next, true, zone)) break;
      ASSERT_GT(next, got) << "case " << i << " step " << step << "\n" << Describe(c, zone);
      t = next;
    }
  }
  // The generator must exercise found occurrences, not only empty windows.
  EXPECT_GT(forwardFound, cases / 3);
  EXPECT_GT(backwardFound, cases / 3);
  std::printf("[ stats    ] %d cases: forward found %d, backward found %d\n", cases, forwardFound, backwardFound);
}

TEST(RecurrenceProperty, SearchesAgreeWithADayByDayWalkInAFixedZone) {
  CheckAgainstReference(FixedOffsetZone(-5 * 3600), 20261208, 3000);
}

TEST(RecurrenceProperty, SearchesAgreeWithADayByDayWalkEastOfUtc) {
  CheckAgainstReference(FixedOffsetZone(13 * 3600 + 45 * 60), 7, 1000);
}

TEST(ScheduleZoneNewYork, SearchesAgreeWithADayByDayWalk) {
  ZAVRA_IN_ZONE("America/New_York");
  CheckAgainstReference(zone, 1234, 1500);
}

TEST(ScheduleZoneBerlin, SearchesAgreeWithADayByDayWalk) {
  ZAVRA_IN_ZONE("Europe/Berlin");
  CheckAgainstReference(zone, 5678, 1500);
}

TEST(ScheduleZoneHavana, SearchesAgreeWithADayByDayWalk) {
  ZAVRA_IN_ZONE("America/Havana");
  CheckAgainstReference(zone, 91011, 800);
}

}  // namespace
}  // namespace zavra
