#include "wizard/ShortcutNames.h"

#include "schedule/RecurrenceText.h"

namespace zavra {

namespace {

constexpr char16_t kSwitchLetters[kWizardActionCount] = {u'f', u'q', u'n', u'p', u'c'};

bool EndsName(char16_t c) {
  return std::u16string_view(u"\n\r\"*./:<>?\\|").find(c) != std::u16string_view::npos;
}

bool SkippedAtStart(char16_t c) { return c == u'\t' || c == u' ' || EndsName(c); }

// "CON.lnk" and its kind name devices, not files: a shortcut saved there would vanish.
bool IsDeviceName(std::u16string_view name) {
  while (!name.empty() && name.back() == u' ') name.remove_suffix(1);
  std::string lower;
  for (char16_t c : name) {
    if (c > 0x7F) return false;
    lower += static_cast<char>(c >= u'A' && c <= u'Z' ? c + 32 : c);
  }
  if (lower == "con" || lower == "prn" || lower == "aux" || lower == "nul") return true;
  return lower.size() == 4 && (lower.starts_with("com") || lower.starts_with("lpt")) && lower[3] >= '1' &&
         lower[3] <= '9';
}

}  // namespace

std::u16string ShortcutArguments(int action, uint32_t categoryId) {
  if (action < 0 || action >= kWizardActionCount) return {};
  std::u16string args = {u'/', kSwitchLetters[action]};
  if (action == kOpenCalendar) return args;
  for (char c : std::to_string(categoryId)) args += static_cast<char16_t>(c);
  return args;
}

std::u16string ProposeShortcutName(int action, std::u16string_view actionText, std::u16string_view categoryName) {
  if (action == kOpenCalendar) return std::u16string(actionText);
  return FormatText(u"%s - %s", {actionText, categoryName});
}

std::optional<std::u16string> CleanShortcutName(std::u16string_view typed) {
  size_t at = 0;
  while (at < typed.size() && SkippedAtStart(typed[at])) ++at;
  std::u16string name;
  for (; at < typed.size() && !EndsName(typed[at]); ++at) name += typed[at] == u'\t' ? u' ' : typed[at];
  if (name.empty() || IsDeviceName(name)) return std::nullopt;
  return name;
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  if (!path.empty() && path.back() != u'\\') path += u'\\';
  path += name;
  return path;
}

}  // namespace zavra
