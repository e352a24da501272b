#pragma once
// What a wizard shortcut is made of: the action's switch and arguments, the proposed name and
// the name cleaned for use as a file name.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zavra {

// The rows of "Action:", in their order.
enum WizardAction : int { kQuickPaste, kQuickLaunch, kNewNote, kOpenPad, kOpenCalendar, kWizardActionCount };

// "/f7", "/q7", "/n7", "/p7"; "/c" for the calendar, which takes no category.
std::u16string ShortcutArguments(int action, uint32_t categoryId);

// "<action> - <category>"; the calendar's action text alone.
std::u16string ProposeShortcutName(int action, std::u16string_view actionText, std::u16string_view categoryName);

// The typed name as a file name: leading blanks, quotes and characters no file name may start
// with are skipped, the name ends at the first full stop or character no file name may hold,
// and tabs become blanks. Nothing when no character is left, or when what is left names a
// device ("CON", "LPT1", ...).
std::optional<std::u16string> CleanShortcutName(std::u16string_view typed);

// `folder` + `name`, with one backslash between them.
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);

}  // namespace zavra
