// The note edit dialog's values: what it opens with and what its OK writes back.
#include <gtest/gtest.h>

#include <algorithm>

#include "ScheduleTestSupport.h"
#include "schedule/NoteEdit.h"
#include "store/Category.h"

namespace zavra {
namespace {

using test::FixedOffsetZone;
using test::Utc;

// New York's spring change of 2026: 02:00 EST becomes 03:00 EDT on March 8.
class SpringChangeZone final : public LocalTime {
 public:
  int64_t UtcOffset(int64_t t) const override { return t < Utc(2026, 3, 8, 7) ? -5 * 3600 : -4 * 3600; }
};

NOTE_PAD ScheduledNote(const LocalTime& zone, int64_t day, int timeFrom, uint8_t kind, uint16_t param = 0) {
  NOTE_PAD n;
  n.id = 7;
  n.text = u"Dentist";
  n.flags = kNoteScheduled | kNoteOnCalendar;
  n.start = zone.DayStart(day);
  n.end = zone.DayStart(day + 60);
  n.timeFrom = timeFrom;
  n.timeTo = std::min(timeFrom + 1800, 86399);
  n.repeatKind = kind;
  n.repeatParam = param;
  return n;
}

TEST(NoteEdit, OpenThenOkChangesNothing) {
  const SpringChangeZone zone;
  const int64_t changeDay = DayNumber(2026, 3, 8);
  std::vector<NOTE_PAD> notes = {ScheduledNote(zone, changeDay, 9 * 3600, kRepeatDaily),
                                 ScheduledNote(zone, changeDay, 23 * 3600 + 59 * 60 + 59, kRepeatWeekly, 0x12),
                                 ScheduledNote(zone, changeDay - 3, 0, kRepeatYearlyByWeekday, 0x0345)};
  notes[1].flags |= kNoteOpenEnded | kNoteNoSound | kNoteOwnIcon | kNoteOwnSkin;
  notes[1].icon = 4;
  notes[1].sound = u"C:\\Sounds\\Bell.wav";
  notes[2].excludes = {DateKey(2027, 3, 26)};
  NOTE_PAD plain;
  plain.text = u"Unscheduled";
  plain.link = u"note:12";
  plain.flags = kNoteOwnPaperColor | kNoteNoWindow;
  notes.push_back(plain);
  for (size_t i = 0; i < notes.size(); ++i) {
    const NOTE_PAD& n = notes[i];
    const NoteEditValues values = OpenNoteEdit(n, {}, Utc(2026, 1, 1), zone);
    if (n.flags & kNoteScheduled) {
      EXPECT_EQ(values.timeFrom, n.timeFrom) << "the time of day, not start + timeFrom";
    }
    const NoteEditResult r = ApplyNoteEdit(n, values, zone);
    EXPECT_FALSE(r.changed) << "note " << i;
    EXPECT_EQ(r.note.start, n.start);
    EXPECT_EQ(r.note.flags, n.flags);
    EXPECT_EQ(r.note.excludes, n.excludes);
  }
}

TEST(NoteEdit, OkWritesTheScheduleAsTheRulesSay) {
  const FixedOffsetZone zone(3600);
  const NOTE_PAD original = ScheduledNote(zone, DayNumber(2026, 5, 4), 10 * 3600, kRepeatNone);
  NoteEditValues v = OpenNoteEdit(original, {}, 0, zone);

  v.endDay = v.startDay;
  v.timeTo = 8 * 3600;
  NoteEditResult r = ApplyNoteEdit(original, v, zone);
  EXPECT_EQ(r.note.timeTo, 10 * 3600) << "on one day, time-to is not before time-from";

  v = OpenNoteEdit(original, {}, 0, zone);
  v.startDay += 1;
  v.timeFrom = 6 * 3600 + 7 * 60 + 8;
  r = ApplyNoteEdit(original, v, zone);
  EXPECT_EQ(r.note.start, zone.DayStart(DayNumber(2026, 5, 5)));
  EXPECT_EQ(r.note.timeFrom, 6 * 3600 + 7 * 60 + 8);

  // Open-ended only counts for a rule that repeats; other flag bits stay.
  NOTE_PAD own = original;
  own.flags |= kNoteOwnFont | kNoteTransient;
  v = OpenNoteEdit(own, {}, 0, zone);
  v.openEnded = v.launchLink = true;
  v.openAtTime = false;
  EXPECT_EQ(ApplyNoteEdit(own, v, zone).note.flags,
            kNoteScheduled | kNoteOnCalendar | kNoteOwnFont | kNoteTransient | kNoteLaunchLink | kNoteNoWindow);
  v.repeatKind = kRepeatDaily;
  EXPECT_TRUE(ApplyNoteEdit(own, v, zone).note.flags & kNoteOpenEnded);
}

TEST(NoteEdit, TextLinkAndSoundAreStoredOnlyWhenTheyDiffer) {
  NOTE_PAD original;
  original.text = u"Call Bob";
  original.sound = u"C:\\Sounds\\Bell.wav";
  original.link = u"http://example.com";
  original.excludes = {DateKey(2026, 1, 1)};
  original.flags = kNoteScheduled;
  NoteEditValues v = OpenNoteEdit(original, {}, 0, FixedOffsetZone(0));
  v.sound = u"c:\\sounds\\BELL.wav";
  v.link = u" \t http://example.com";
  v.scheduleOn = true;
  NoteEditResult r = ApplyNoteEdit(original, v, FixedOffsetZone(0));
  EXPECT_FALSE(r.changed) << "a sound differing in case and a link with leading blanks are no change";
  EXPECT_EQ(r.note.sound, original.sound);

  v.scheduleOn = false;
  r = ApplyNoteEdit(original, v, FixedOffsetZone(0));
  EXPECT_TRUE(r.changed);
  EXPECT_TRUE(r.note.excludes.empty()) << "no schedule, no excluded dates";
  v.text = u"call Bob";
  EXPECT_EQ(ApplyNoteEdit(original, v, FixedOffsetZone(0)).note.text, u"call Bob") << "text compares with case";
}

TEST(NoteEdit, CategoryChangeOfAnUnscheduledNoteIsSavedWithItsOwnPaper) {
  NOTE_PAD original;
  original.text = u"Groceries";
  original.flags = kNoteOwnPaperColor;
  original.paperColor = 0x123456;
  NoteEditValues v = OpenNoteEdit(original, {}, 0, FixedOffsetZone(0));
  v.category = 5;
  const NoteEditResult r = ApplyNoteEdit(original, v, FixedOffsetZone(0));
  EXPECT_TRUE(r.changed);
  EXPECT_EQ(r.note.category, 5);
  EXPECT_EQ(r.note.paperColor, 0x123456u);
  EXPECT_TRUE(r.note.flags & kNoteOwnPaperColor);
  EXPECT_TRUE(HasPossibleOccurrence(r.note)) << "nothing to check without a schedule";
  NOTE_PAD weekly = ScheduledNote(FixedOffsetZone(0), DayNumber(2026, 1, 1), 0, kRepeatWeekly, 0);
  EXPECT_FALSE(HasPossibleOccurrence(weekly, FixedOffsetZone(0))) << "a weekly rule without a weekday";
}

TEST(NoteEdit, NewNoteOpensAtTheNextFullHourOnThePresetDay) {
  const FixedOffsetZone zone(0);
  NOTE_PAD fresh;
  NoteEditPresets presets;
  presets.scheduleOn = true;
  presets.day = DayNumber(2026, 7, 1);
  const NoteEditValues v = OpenNoteEdit(fresh, presets, Utc(2026, 6, 2, 14, 35, 10), zone);
  EXPECT_TRUE(v.scheduleOn);
  EXPECT_EQ(v.startDay, *presets.day);
  EXPECT_EQ(v.endDay, *presets.day);
  EXPECT_EQ(v.timeFrom, 15 * 3600);
  EXPECT_EQ(v.timeTo, 15 * 3600);
  EXPECT_EQ(OpenNoteEdit(fresh, {}, Utc(2026, 6, 2, 23, 30), zone).startDay, DayNumber(2026, 6, 3));
}

}  // namespace
}  // namespace zavra
