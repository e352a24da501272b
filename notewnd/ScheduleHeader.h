#pragma once
// The one-line schedule header of a note window: which occurrence it shows, the countdown and
// blinking states that drive the window's schedule timer, and the header's text and colour.
#include <cstdint>
#include <string>

#include "schedule/LocalTime.h"
#include "store/NoteRecord.h"

namespace zavra {

// Texts of an occurrence in the user's locale.
class OccurrenceFormat {
 public:
  virtual std::u16string DateText(int64_t time) const = 0;  // short date
  virtual std::u16string TimeText(int64_t time) const = 0;  // no seconds

 protected:
  ~OccurrenceFormat() = default;
};

inline constexpr COLORREF kHeaderGreen = 0x0000FF00;
inline constexpr COLORREF kHeaderBlue = 0x00FF0000;
inline constexpr COLORREF kHeaderRed = 0x000000FF;
inline constexpr COLORREF kHeaderYellow = 0x0000FFFF;

// Dimmed on light paper and a little on dark paper, so the header stays readable on both.
COLORREF ToneToPaper(COLORREF color, COLORREF paper);

// What the schedule timer should do next.
struct TimerRequest {
  bool run = false;
  uint32_t milliseconds = 0;
  bool operator==(const TimerRequest&) const = default;
};

class ScheduleHeader {
 public:
  enum State : int {
    kQuiet = 0,
    kFirstTick = 1,
    kMinuteTicks = 2,
    kBlinkFirst = 3,
    kBlinkLast = 12,
    // A tracker's alarm: the header turns yellow; the two states alternate while it shakes.
    kAlarm = 99,
    kAlarmShake = 100,
  };
  static constexpr int64_t kFarAway = 43200;  // beyond this an occurrence shows green

  explicit ScheduleHeader(const LocalTime& zone = MachineLocalTime()) : zone_(zone) {}

  // Forgets the shown occurrence (a record was loaded).
  void Clear();
  // Finds the occurrence to show at `now` and sets the state; `forced` treats an occurrence at
  // or before now as passed. Texts and colour are recomputed.
  TimerRequest Evaluate(const NOTE_PAD& note, int64_t now, bool forced, const OccurrenceFormat& format);
  // As Evaluate, but with the occurrence chosen by the caller (0 = none).
  TimerRequest Show(int64_t occurrence, const NOTE_PAD& note, int64_t now, bool forced,
                    const OccurrenceFormat& format);
  // One step of the schedule timer.
  TimerRequest OnTimer(const NOTE_PAD& note, int64_t now, const OccurrenceFormat& format);
  // Text and colour at `now` (the day change calls this alone).
  void Recompute(int64_t now, COLORREF paper);
  // A state the caller drives itself (a tracker's alarm); texts follow at the next Recompute.
  void SetState(int state) { state_ = state; }

  int64_t occurrence() const { return occurrence_; }
  int state() const { return state_; }
  bool shown() const { return occurrence_ != 0; }
  // Blinking hides the header in its even states.
  bool visible() const { return shown() && (state_ < kBlinkFirst || state_ >= kAlarm || (state_ & 1)); }
  const std::u16string& text() const { return text_; }
  COLORREF color() const { return color_; }
  // The untoned colour: green, blue, red or yellow.
  COLORREF baseColor() const { return base_; }

 private:
  void TakeOccurrence(int64_t t, const OccurrenceFormat& format);
  // State and timer for the shown occurrence at `now`; texts recomputed.
  TimerRequest Arm(int64_t now, bool forced);

  const LocalTime& zone_;
  int64_t occurrence_ = 0;
  int64_t dayNumber_ = 0;
  std::u16string dateText_;
  std::u16string timeText_;
  int state_ = kQuiet;
  std::u16string text_;
  COLORREF color_ = 0;
  COLORREF base_ = 0;
  COLORREF paper_ = 0x00FFFFFF;
};

}  // namespace zavra
