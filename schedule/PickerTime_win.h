#pragma once
// Dates and times of day as the date and time pickers hold them.
#include <cstdint>

#include "framework/Dialog.h"
#include "framework/Win.h"

namespace zavra {

// A local date (day number) for a date picker, kept within the range the picker can show.
SYSTEMTIME PickerDate(int64_t dayNumber);
int64_t PickerDay(const SYSTEMTIME& shown);
// Seconds after midnight for a time picker (on a fixed date), and back.
SYSTEMTIME PickerTime(int secondOfDay);
int PickerSecondOfDay(const SYSTEMTIME& shown);

// Data exchange of a date picker with a day number, and of a time picker with seconds after midnight.
void ExchangeDate(DataExchange& dx, int id, int64_t& day);
void ExchangeTimeOfDay(DataExchange& dx, int id, int& secondOfDay);

}  // namespace zavra
