#pragma once
// The first day of the week as the user's locale shows it, Sunday-based (0 = Sunday).

namespace zavra {

int UserFirstDayOfWeek();
// The same for a named locale ("de-DE"); Sunday when the locale cannot be read.
int LocaleFirstDayOfWeek(const wchar_t* localeName);

}  // namespace zavra
