#include "schedule/Recurrence.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "schedule/RecurrenceRule.h"

namespace zavra {

namespace {

constexpr int64_t kForever = std::numeric_limits<int64_t>::max();
// Dates whose occurrence times stay inside the supported times whatever the zone's offset.
constexpr int64_t kFirstDay = FloorDiv(kEarliestTime, 86400) + 2;
constexpr int64_t kLastDay = FloorDiv(kLatestTime, 86400) - 2;

int64_t ClampDay(int64_t day) { return std::clamp(day, kFirstDay, kLastDay); }

// The date keys of a note, searched as given for short lists and sorted for long ones, so a
// damaged file with a huge list cannot make every step of a search slow.
class Exclusions {
 public:
  explicit Exclusions(const std::vector<uint32_t>& keys) : keys_(keys) {
    if (keys.size() > 16) {
      sorted_ = keys;
      std::sort(sorted_.begin(), sorted_.end());
    }
  }
  bool Contains(int64_t day) const {
    if (keys_.empty()) return false;
    const CivilDate date = DateOfDay(day);
    if (date.year < 0 || date.year > 0xFFFF) return false;  // no key can name it
    const uint32_t key = DateKey(static_cast<int>(date.year), date.month, date.day);
    if (!sorted_.empty()) return std::binary_search(sorted_.begin(), sorted_.end(), key);
    return std::find(keys_.begin(), keys_.end(), key) != keys_.end();
  }
  // Every date a search steps over for being excluded is a different key of the list.
  size_t StepBudget() const { return keys_.size() + 8; }

 private:
  const std::vector<uint32_t>& keys_;
  std::vector<uint32_t> sorted_;
};

// A scheduled note's series as times: the rule, the time of day and the bounds.
class Series {
 public:
  // start and end are day starts of the zone the note was written in, which may be another.
  Series(const NOTE_PAD_FIXED& note, const LocalTime& zone)
      : zone_(zone),
        timeOfDay_(std::clamp(note.timeFrom, 0, 86399)),
        rule_(note, ClampDay(zone.DayOfDayStart(note.start))) {
    first_ = At(rule_.StartDay());
    if (rule_.Repeats() && (note.flags & kNoteOpenEnded))
      last_ = kForever;
    else
      last_ = At(ClampDay(zone.DayOfDayStart(note.end)));
  }

  int64_t First() const { return first_; }
  int64_t Last() const { return last_; }
  bool Repeats() const { return rule_.Repeats(); }

  // The occurrence on a date: the wall-clock time of day on it.
  int64_t At(int64_t day) const { return zone_.TimeOn(day, timeOfDay_); }

  std::optional<int64_t> Forward(int64_t from, int64_t to, const Exclusions* skip) const {
    if (!Window(from, to)) return std::nullopt;
    // A day either side of the window's dates, then exact comparisons of times: where the clock
    // was set back, a date's occurrence can lie before the previous date's last second.
    int64_t minDay = zone_.FieldsOf(from).dayNumber - 1;
    const int64_t maxDay = std::min(zone_.FieldsOf(to).dayNumber + 1, kLastDay);
    const size_t budget = skip ? skip->StepBudget() : 8;
    for (size_t step = 0; step < budget; ++step) {
      const std::optional<int64_t> day = rule_.NextDate(minDay);
      if (!day || *day > maxDay) return std::nullopt;
      minDay = *day + 1;
      if (skip && skip->Contains(*day)) continue;
      const int64_t r = At(*day);
      if (r < from) continue;
      if (r > to) return std::nullopt;
      return r;
    }
    return std::nullopt;
  }

  std::optional<int64_t> Backward(int64_t from, int64_t to, const Exclusions& skip) const {
    if (!Window(from, to)) return std::nullopt;
    int64_t maxDay = std::min(zone_.FieldsOf(to).dayNumber + 1, kLastDay);
    const int64_t minDay = zone_.FieldsOf(from).dayNumber - 1;
    for (size_t step = 0; step < skip.StepBudget(); ++step) {
      const std::optional<int64_t> day = rule_.PrevDate(maxDay);
      if (!day || *day < minDay) return std::nullopt;
      maxDay = *day - 1;
      if (skip.Contains(*day)) continue;
      const int64_t r = At(*day);
      if (r > to) continue;
      if (r < from) return std::nullopt;
      return r;
    }
    return std::nullopt;
  }

 private:
  // Narrows [from, to] to the series and to the supported times; false when nothing is left.
  bool Window(int64_t& from, int64_t& to) const {
    from = std::max({from, first_, kEarliestTime});
    to = std::min({to, last_, kLatestTime});
    return from <= to;
  }

  const LocalTime& zone_;
  int timeOfDay_;
  RecurrenceRule rule_;
  int64_t first_ = 0;
  int64_t last_ = 0;
};

bool Scheduled(const NOTE_PAD_FIXED& note) { return (note.flags & kNoteScheduled) != 0; }

// The window of a search: 0 on either side means the series' own bound.
void OpenBounds(const Series& series, int64_t& from, int64_t& to) {
  if (from == 0) from = series.First();
  if (to == 0 || to > series.Last()) to = series.Last();
}

bool Overlaps(const NOTE_PAD_FIXED& note, const Series& series, int64_t from, int64_t to) {
  if (series.First() > to) return false;
  if (series.Repeats() && (note.flags & kNoteOpenEnded)) return true;
  return series.Last() >= from;
}

bool Emit(std::optional<int64_t> found, int64_t* out) {
  if (!found) return false;
  if (out) *out = *found;
  return true;
}

}  // namespace

bool OverlapsRange(const NOTE_PAD_FIXED& note, int64_t from, int64_t to, const LocalTime& zone) {
  if (from == 0) from = std::numeric_limits<int64_t>::min();
  if (to == 0) to = kForever;
  if (!Scheduled(note)) return from <= note.created && note.created <= to;
  return Overlaps(note, Series(note, zone), from, to);
}

bool NextOccurrence(const NOTE_PAD& note, int64_t from, int64_t to, int64_t* out, bool honourExcludes,
                    const LocalTime& zone) {
  if (!Scheduled(note)) return false;
  const Series series(note, zone);
  OpenBounds(series, from, to);
  if (!Overlaps(note, series, from, to)) return false;
  const Exclusions excludes(note.excludes);
  return Emit(series.Forward(from, to, honourExcludes ? &excludes : nullptr), out);
}

bool LastOccurrence(const NOTE_PAD& note, int64_t from, int64_t to, int64_t* out, const LocalTime& zone) {
  if (!Scheduled(note)) return false;
  const Series series(note, zone);
  OpenBounds(series, from, to);
  if (!Overlaps(note, series, from, to)) return false;
  return Emit(series.Backward(from, to, Exclusions(note.excludes)), out);
}

bool NearestOccurrence(const NOTE_PAD& note, int64_t t, int64_t windowStart, int64_t windowEnd, int64_t* out,
                       const LocalTime& zone) {
  int64_t before = 0;
  int64_t after = 0;
  const bool hasBefore = LastOccurrence(note, windowStart, t, &before, zone);
  const bool hasAfter = NextOccurrence(note, t, windowEnd, &after, true, zone);
  if (!hasBefore && !hasAfter) return false;
  int64_t found = hasAfter ? after : before;
  if (hasBefore && hasAfter) {
    // Occurrences lie within the supported times, so the distances cannot overflow.
    const int64_t at = ClampTime(t);
    const int64_t toBefore = at > before ? at - before : before - at;
    const int64_t toAfter = after > at ? after - at : at - after;
    found = toBefore < toAfter ? before : after;
  }
  if (out) *out = found;
  return true;
}

bool OccurrenceFrom(const NOTE_PAD& note, int64_t t, int64_t* out, const LocalTime& zone) {
  return NextOccurrence(note, t, 0, out, true, zone) || LastOccurrence(note, 0, t, out, zone);
}

bool IsExcludedDay(const NOTE_PAD& note, int64_t time, const LocalTime& zone) {
  if (note.excludes.empty()) return false;
  return Exclusions(note.excludes).Contains(zone.FieldsOf(time).dayNumber);
}

bool ToggleExclusion(NOTE_PAD& note, int64_t year, int month, int day) {
  if (!Scheduled(note)) return false;
  if (year < 0 || year > 0xFFFF || month < 1 || month > 12 || day < 1 || day > 31) return false;
  const uint32_t key = DateKey(static_cast<int>(year), month, day);
  // A list read from a file may hold the key more than once; all copies go, so the date is
  // really back in the series afterwards.
  const auto kept = std::remove(note.excludes.begin(), note.excludes.end(), key);
  if (kept != note.excludes.end())
    note.excludes.erase(kept, note.excludes.end());
  else
    note.excludes.push_back(key);
  return true;
}

}  // namespace zavra
