#pragma once
// A tracker's schedule: the occurrence it shows, its countdown, and the alarm in which it
// shakes until the user touches it. The header's texts and colours are the note window's.
#include <cstdint>

#include "notewnd/ScheduleHeader.h"
#include "schedule/LocalTime.h"
#include "store/NoteRecord.h"

namespace zavra {

class TrackerSchedule {
 public:
  // An occurrence this many seconds ahead already counts as the one that rang.
  static constexpr int64_t kAlarmLead = 10;
  static constexpr uint32_t kShakeMilliseconds = 500;

  explicit TrackerSchedule(const LocalTime& zone = MachineLocalTime()) : zone_(zone), header_(zone) {}

  void Clear() { header_.Clear(); }
  // Chooses the occurrence to show at `now` and the state. With the alarm on it is the latest one
  // that has begun (so the one that rang stays shown) and the tracker shakes when `animate`;
  // otherwise the nearest one, counted down as on a note window. `forced` treats an occurrence
  // at or before now as passed (the alarm was just switched off: it must not ring again).
  TimerRequest Evaluate(const NOTE_PAD& note, int64_t now, bool alarm, bool animate, bool forced,
                        const OccurrenceFormat& format);

  struct Step {
    TimerRequest timer;
    bool alarmDue = false;  // the time has come: switch the alarm on
    int shake = 0;          // horizontal offset from the tracker's place while shaking
  };
  // One step of the schedule timer.
  Step OnTimer(const NOTE_PAD& note, int64_t now, bool animate, const OccurrenceFormat& format);
  // The day changed: texts and colour at `now`.
  void Recompute(int64_t now, COLORREF paper) { header_.Recompute(now, paper); }

  const ScheduleHeader& header() const { return header_; }
  int64_t occurrence() const { return header_.occurrence(); }
  bool alarmState() const { return header_.state() >= ScheduleHeader::kAlarm; }

 private:
  const LocalTime& zone_;
  ScheduleHeader header_;
};

}  // namespace zavra
