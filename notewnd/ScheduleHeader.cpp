#include "notewnd/ScheduleHeader.h"

#include <algorithm>

#include "schedule/Recurrence.h"

namespace zavra {

namespace {

constexpr uint32_t kHour = 3600;
constexpr int64_t kDueWindow = 10;  // an occurrence this many seconds past still counts as due

TimerRequest After(int64_t seconds) { return {true, static_cast<uint32_t>(seconds * 1000)}; }

}  // namespace

COLORREF ToneToPaper(COLORREF color, COLORREF paper) {
  const uint32_t m = std::max({paper & 0xFF, paper >> 8 & 0xFF, paper >> 16 & 0xFF});
  const uint32_t f = m >= 192 ? 128 : m < 64 ? 192 : 255;
  COLORREF out = 0;
  for (int shift = 0; shift < 24; shift += 8) out |= ((color >> shift & 0xFF) * f / 255) << shift;
  return out;
}

void ScheduleHeader::Clear() {
  occurrence_ = 0;
  state_ = kQuiet;
  text_.clear();
  dateText_.clear();
  timeText_.clear();
}

void ScheduleHeader::TakeOccurrence(int64_t t, const OccurrenceFormat& format) {
  occurrence_ = t;
  dayNumber_ = zone_.FieldsOf(ClampTime(t)).dayNumber;
  dateText_ = format.DateText(t);
  timeText_ = format.TimeText(t);
}

TimerRequest ScheduleHeader::Evaluate(const NOTE_PAD& note, int64_t now, bool forced, const OccurrenceFormat& format) {
  paper_ = note.paperColor;
  if ((note.flags & kNoteScheduled) && now > occurrence_) {
    int64_t nearest = 0;
    if (NearestOccurrence(note, now, 0, 0, &nearest, zone_) && nearest != 0) TakeOccurrence(nearest, format);
  }
  return Arm(now, forced);
}

TimerRequest ScheduleHeader::Show(int64_t occurrence, const NOTE_PAD& note, int64_t now, bool forced,
                                  const OccurrenceFormat& format) {
  paper_ = note.paperColor;
  if (occurrence != occurrence_) {
    if (occurrence)
      TakeOccurrence(occurrence, format);
    else
      Clear();
  }
  return Arm(now, forced);
}

TimerRequest ScheduleHeader::Arm(int64_t now, bool forced) {
  if (!occurrence_) {
    state_ = kQuiet;
    text_.clear();
    return {};
  }
  TimerRequest timer;
  const int64_t d = occurrence_ - now;
  if (forced ? d <= 0 : d <= -kDueWindow) {
    state_ = kQuiet;
    timer = After(kHour);
  } else if (d <= 0) {
    state_ = kFirstTick;
    timer = {true, 0};
  } else if (d < 2 * kHour) {
    state_ = kFirstTick;
    timer = After(d <= kHour ? d % 60 : d % kHour);
  } else {
    state_ = kQuiet;
    timer = After(kHour);
  }
  Recompute(now, paper_);
  return timer;
}

TimerRequest ScheduleHeader::OnTimer(const NOTE_PAD& note, int64_t now, const OccurrenceFormat& format) {
  TimerRequest timer{true, 500};
  if (state_ >= kBlinkFirst && state_ < kBlinkLast) {
    ++state_;
  } else if (state_ == kBlinkLast) {
    return Evaluate(note, now, true, format);
  } else if (state_ == kFirstTick || state_ == kMinuteTicks) {
    const int64_t d = occurrence_ - now;
    if (d <= 0) {
      state_ = kBlinkFirst;
    } else if (d > kHour + 30) {
      return Evaluate(note, now, false, format);
    } else {
      state_ = kMinuteTicks;
      timer = {true, 60000};
    }
  } else {
    return Evaluate(note, now, false, format);
  }
  Recompute(now, paper_);
  return timer;
}

void ScheduleHeader::Recompute(int64_t now, COLORREF paper) {
  paper_ = paper;
  if (!occurrence_) {
    text_.clear();
    return;
  }
  const int64_t d = occurrence_ - now;
  if (state_ < kBlinkFirst && d >= 1 && d <= kHour) {
    const std::string minutes = std::to_string((d + 59) / 60);
    text_.assign(minutes.begin(), minutes.end());
    text_ += u"m > " + timeText_;
    base_ = kHeaderBlue;
  } else {
    if (state_ >= kAlarm)
      base_ = kHeaderYellow;
    else if (state_ >= kBlinkFirst)
      base_ = kHeaderBlue;
    else if (d > kFarAway)
      base_ = kHeaderGreen;
    else if (d < 0)
      base_ = kHeaderRed;
    else
      base_ = kHeaderBlue;
    const bool today = zone_.FieldsOf(ClampTime(now)).dayNumber == dayNumber_;
    text_ = today ? timeText_ : dateText_ + u" " + timeText_;
  }
  color_ = ToneToPaper(base_, paper_);
}

}  // namespace zavra
