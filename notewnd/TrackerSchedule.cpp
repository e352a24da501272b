#include "notewnd/TrackerSchedule.h"

#include "schedule/Recurrence.h"

namespace zavra {

namespace {
constexpr int64_t kMinuteTicksUpTo = 3630;  // beyond this the countdown is evaluated afresh
}  // namespace

TimerRequest TrackerSchedule::Evaluate(const NOTE_PAD& note, int64_t now, bool alarm, bool animate, bool forced,
                                       const OccurrenceFormat& format) {
  int64_t shown = 0;
  if (note.flags & kNoteScheduled) {
    if (!alarm || !LastOccurrence(note, 0, now + kAlarmLead, &shown, zone_)) shown = 0;
    if (!shown && !NearestOccurrence(note, now, 0, 0, &shown, zone_)) shown = 0;
  }
  if (!alarm) return header_.Show(shown, note, now, forced, format);
  header_.Show(shown, note, now, false, format);
  header_.SetState(ScheduleHeader::kAlarm);
  header_.Recompute(now, note.paperColor);
  return animate ? TimerRequest{true, kShakeMilliseconds} : TimerRequest{};
}

TrackerSchedule::Step TrackerSchedule::OnTimer(const NOTE_PAD& note, int64_t now, bool animate,
                                               const OccurrenceFormat& format) {
  Step step;
  const int state = header_.state();
  if (state == ScheduleHeader::kAlarm || state == ScheduleHeader::kAlarmShake) {
    const int next = state == ScheduleHeader::kAlarm ? ScheduleHeader::kAlarmShake : ScheduleHeader::kAlarm;
    header_.SetState(next);
    step.shake = next == ScheduleHeader::kAlarm ? -1 : 1;
    step.timer = {true, kShakeMilliseconds};
    return step;
  }
  if (state == ScheduleHeader::kFirstTick || state == ScheduleHeader::kMinuteTicks) {
    const int64_t d = header_.occurrence() - now;
    if (d <= 0) {
      step.alarmDue = true;
      return step;
    }
    if (d <= kMinuteTicksUpTo) {
      header_.SetState(ScheduleHeader::kMinuteTicks);
      header_.Recompute(now, note.paperColor);
      step.timer = {true, 60000};
      return step;
    }
  }
  step.timer = Evaluate(note, now, false, animate, false, format);
  return step;
}

}  // namespace zavra
