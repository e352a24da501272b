#pragma once
// Occurrences of a note's schedule: when a series begins and ends, the searches forward and
// backward inside a window, and single days struck out of a series. Pure computation on one
// record and the local time zone; nothing is kept between calls.
//
// An occurrence is the local time timeFrom (as a time of day) on its date, so a reminder keeps
// its wall-clock time on the days the clock changes. A range bound of 0 leaves that side open.

#include <cstdint>

#include "schedule/LocalTime.h"
#include "store/NoteRecord.h"

namespace zavra {

// Whether the series' first occurrence is not after `to` and its last (none for an open-ended
// repeating note) not before `from`; for an unscheduled note, whether it was created within.
// The one overlap rule: the store's range filter and the auto-delete age ask it too.
bool OverlapsRange(const NOTE_PAD_FIXED& note, int64_t from, int64_t to, const LocalTime& zone = MachineLocalTime());

// Earliest occurrence start R with from <= R <= to (from 0 = first, to 0 = last).
bool NextOccurrence(const NOTE_PAD& note, int64_t from, int64_t to, int64_t* out, bool honourExcludes,
                    const LocalTime& zone = MachineLocalTime());

// Latest occurrence start R with from <= R <= to; excluded dates are always skipped.
bool LastOccurrence(const NOTE_PAD& note, int64_t from, int64_t to, int64_t* out,
                    const LocalTime& zone = MachineLocalTime());

// The occurrence nearest to t within the window (0 = the series' own bound); a tie goes to the later.
bool NearestOccurrence(const NOTE_PAD& note, int64_t t, int64_t windowStart, int64_t windowEnd, int64_t* out,
                       const LocalTime& zone = MachineLocalTime());

// The next occurrence from t on, or failing that the last one before it.
bool OccurrenceFrom(const NOTE_PAD& note, int64_t t, int64_t* out, const LocalTime& zone = MachineLocalTime());

bool IsExcludedDay(const NOTE_PAD& note, int64_t time, const LocalTime& zone = MachineLocalTime());

// Strikes the date out of a scheduled note's series, or restores it when it was struck out.
// Edits only the given record (the caller saves it); false when nothing changed.
bool ToggleExclusion(NOTE_PAD& note, int64_t year, int month, int day);

}  // namespace zavra
