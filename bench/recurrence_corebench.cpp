// Cost of the occurrence searches for a mix of every rule kind, queried 1 day, 10 years and
// 100 years after the series' start. The searches jump to the right cycle, so the cost must
// not grow with the distance: the 100-year/1-day ratio should stay near 1 (target at most 1.5).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "schedule/CivilDate.h"
#include "schedule/LocalTime.h"
#include "schedule/Recurrence.h"

using namespace zavra;

namespace {

std::vector<NOTE_PAD> RuleMix(const LocalTime& zone) {
  struct Rule { uint8_t kind; uint8_t interval; uint16_t param; };
  const Rule rules[] = {
      {kRepeatNone, 1, 0},          {kRepeatDaily, 1, 0},
      {kRepeatDaily, 3, 0},         {kRepeatWeekly, 1, 0x2A},
      {kRepeatWeekly, 2, 0x0A},     {kRepeatMonthlyByDay, 1, 31},
      {kRepeatMonthlyByDay, 5, 15}, {kRepeatMonthlyByWeekday, 1, 4 << 4 | 5},
      {kRepeatMonthlyByWeekday, 2, 1 << 4 | 2}, {kRepeatYearlyByDay, 1, 2 << 8 | 29},
      {kRepeatYearlyByDay, 4, 7 << 8 | 4},     {kRepeatYearlyByWeekday, 1, 11 << 8 | 3 << 4 | 4},
  };
  std::vector<NOTE_PAD> notes;
  for (const Rule& r : rules) {
    NOTE_PAD note;
    note.flags = kNoteScheduled | kNoteOpenEnded;
    note.start = zone.DayStart(DayNumber(2001, 3, 7));
    note.end = note.start;
    note.timeFrom = 9 * 3600 + 30 * 60;
    note.repeatKind = r.kind;
    note.repeatInterval = r.interval;
    note.repeatParam = r.param;
    note.excludes = {DateKey(2001, 3, 8), DateKey(2011, 3, 9), DateKey(2101, 3, 10)};
    notes.push_back(note);
  }
  return notes;
}

volatile int64_t g_sink;

// Nanoseconds per search (forward with exclusions, forward without, backward, nearest), best of
// several rounds so that a busy machine shows less.
// The same searches once each through a zone that has kept nothing yet: what the first scan of
// a region of the calendar costs.
double ColdNanosPerCall(const std::vector<NOTE_PAD>& notes, int64_t offsetSeconds) {
  const CrtLocalTime fresh;
  const auto begin = std::chrono::steady_clock::now();
  int n = 0;
  for (const NOTE_PAD& note : notes) {
    const int64_t at = note.start + offsetSeconds;
    int64_t t = 0;
    NextOccurrence(note, at, 0, &t, true, fresh);
    g_sink = t;
    LastOccurrence(note, 0, at, &t, fresh);
    g_sink = t;
    n += 2;
  }
  return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - begin).count() / n;
}

double NanosPerCall(const std::vector<NOTE_PAD>& notes, int64_t offsetSeconds, int calls) {
  double best = 1e300;
  for (int round = 0; round < 7; ++round) {
    const auto begin = std::chrono::steady_clock::now();
    int n = 0;
    while (n < calls) {
      for (const NOTE_PAD& note : notes) {
        const int64_t at = note.start + offsetSeconds + (n % 97) * 3600;
        int64_t t = 0;
        NextOccurrence(note, at, 0, &t, true);
        g_sink = t;
        NextOccurrence(note, at, at + 40 * 86400, &t, false);
        g_sink = t;
        LastOccurrence(note, 0, at, &t);
        g_sink = t;
        NearestOccurrence(note, at, 0, 0, &t);
        g_sink = t;
        n += 4;
      }
    }
    const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - begin).count() / n;
    best = std::min(best, ns);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // As in the programs: msvcrt misreads the Linux TZ that Wine passes on; empty, it follows Win32.
  const char* wineZone = std::getenv("TZ");
  const std::string zoneName = wineZone ? wineZone : "";
  _putenv("TZ=");
  _tzset();
#else
  const char* tz = std::getenv("TZ");
  const std::string zoneName = tz ? tz : "";
#endif
  const int calls = argc > 1 ? std::max(100, std::atoi(argv[1])) : 20000;
  const LocalTime& zone = MachineLocalTime();
  const std::vector<NOTE_PAD> notes = RuleMix(zone);
  std::printf("recurrence searches, %zu rules of every kind, zone %s, %d calls per distance\n", notes.size(),
              zoneName.empty() ? "(machine default)" : zoneName.c_str(), calls);
  struct Distance { const char* name; int64_t seconds; };
  const Distance distances[] = {{"1 day", 86400}, {"10 years", 3652LL * 86400}, {"100 years", 36524LL * 86400}};
  double perCall[3] = {};
  for (int i = 0; i < 3; ++i) {
    perCall[i] = NanosPerCall(notes, distances[i].seconds, calls);
    const double cold = ColdNanosPerCall(notes, distances[i].seconds);
    std::printf("  %-10s after start: %8.0f ns per call (first search of the region: %.0f ns)\n", distances[i].name,
                perCall[i], cold);
  }
  const double ratio = perCall[2] / perCall[0];
  std::printf("  ratio 100 years / 1 day: %.2f (target at most 1.5) %s\n", ratio, ratio <= 1.5 ? "ok" : "ABOVE TARGET");
  return 0;
}
