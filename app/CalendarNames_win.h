#pragma once
#include "framework/Win.h"
#include "schedule/RecurrenceText.h"

namespace zavra {

// The calendar name tables from the user's locale (`locale`), and the ordinals and
// recurrence phrases from the string resources of `module`. A name the locale cannot supply
// stays empty; a phrase missing from the resources keeps its built-in English text.
CalendarNames LoadCalendarNames(HINSTANCE module, LCID locale = LOCALE_USER_DEFAULT);

}  // namespace zavra
