#pragma once
// Shared helpers of the pad tests: a zone with New York's 2026 clock changes at fixed instants,
// an in-memory note source and note builders.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include <cstdio>
#include <cstring>

#include "pad/PadModel.h"
#include "pad/PadText.h"
#include "tests/schedule/ScheduleTestSupport.h"

namespace zavra::test {

// EST (-5 h), with EDT (-4 h) from 2026-03-08 07:00 UTC to 2026-11-01 06:00 UTC: the spring
// day has 23 hours, the autumn day 25.
class NewYork2026 final : public LocalTime {
 public:
  int64_t UtcOffset(int64_t t) const override {
    return t >= Utc(2026, 3, 8, 7) && t < Utc(2026, 11, 1, 6) ? -4 * 3600 : -5 * 3600;
  }
};

inline const NewYork2026& Zone() {
  static const NewYork2026 zone;
  return zone;
}

// Local wall-clock time in the zone above.
inline int64_t Local(int64_t y, int m, int d, int hh = 0, int mm = 0) {
  return Zone().TimeOn(DayNumber(y, m, d), hh * 3600 + mm * 60);
}

class MemorySource final : public PadSource {
 public:
  std::map<uint32_t, NOTE_PAD> notes;
  std::vector<REOPEN_ITEM> reopens;
  int scans = 0;
  int loads = 0;

  NOTE_PAD& Add(NOTE_PAD note) {
    if (note.id == 0) note.id = static_cast<uint32_t>(notes.size() + 1);
    return notes[note.id] = std::move(note);
  }
  void ForEachNote(const NoteFilter&, const std::function<void(const NoteSummary&)>& onNote) override {
    ++scans;
    for (const auto& [id, note] : notes) onNote(SummarizeNote(note));
  }
  std::optional<NOTE_PAD> LoadNote(uint32_t id) override {
    ++loads;
    const auto it = notes.find(id);
    return it == notes.end() ? std::nullopt : std::optional<NOTE_PAD>(it->second);
  }
  std::vector<REOPEN_ITEM> Reopens() override { return reopens; }
};

inline NOTE_PAD Plain(const char16_t* text, int64_t created, uint16_t category = 1) {
  NOTE_PAD n;
  n.text = text;
  n.created = created;
  n.category = category;
  return n;
}

// A note due once at a local time, or repeating from that day on.
inline NOTE_PAD Due(const char16_t* text, int64_t y, int m, int d, int hh, int mm, uint16_t category = 1,
                    uint8_t kind = kRepeatNone, uint16_t param = 0) {
  NOTE_PAD n = Scheduled(Zone(), y, m, d, hh * 3600 + mm * 60, kind, 1, param);
  if (kind < kRepeatDaily) EndOn(n, Zone(), y, m, d);
  n.text = text;
  n.category = category;
  n.created = Local(2026, 1, 1);
  return n;
}

inline CategoryList Categories(std::vector<NOTE_CATE> list) {
  CategoryList c;
  NOTE_CATE unsorted;
  unsorted.id = 1;
  unsorted.name = u"Unsorted";
  c.items.push_back(unsorted);
  for (NOTE_CATE& cate : list) c.items.push_back(std::move(cate));
  c.RebuildIndex();
  return c;
}

inline NOTE_CATE Cate(uint32_t id, const char16_t* name, uint32_t flags = kCateAutoDelete) {
  NOTE_CATE c;
  c.id = id;
  c.name = name;
  c.flags = flags;
  return c;
}

// Dates as "D5/4" (rows), "Sun 5/4", "5/4" and "2026-05"; times as "T09:30".
class PlainFormat final : public PadTimeFormat, public PadDateFormat {
 public:
  std::u16string Time(const LocalFields& t) const override { return Text("T%02d:%02d", t.secondOfDay / 3600, t.secondOfDay / 60 % 60); }
  std::u16string Date(const LocalFields& d) const override { return Text("D%d/%d", d.month, d.day); }
  std::u16string ShortLongDate(const LocalFields& d) const override { return Text("Sun %d/%d", d.month, d.day); }
  std::u16string ShortDate(const LocalFields& d) const override { return Text("%d/%d", d.month, d.day); }
  std::u16string YearMonth(const LocalFields& d) const override { return Text("%d-%02d", static_cast<int>(d.year), d.month); }

 private:
  static std::u16string Text(const char* format, int a, int b) {
    char s[32];
    std::snprintf(s, sizeof s, format, a, b);
    return std::u16string(s, s + std::strlen(s));
  }
};

}  // namespace zavra::test
