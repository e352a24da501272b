#include "skin/SkinNames.h"

#include <algorithm>
#include <array>

namespace zavra {

namespace {

char16_t FoldChar(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c < 0xC0) return c;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) ||                 // Latin-1
      (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||               // Greek
      (c >= 0x410 && c <= 0x42F))                               // Cyrillic
    return static_cast<char16_t>(c + 0x20);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
  // Latin Extended-A: pairs of upper and lower case, the upper one first.
  const bool even = (c & 1) == 0;
  if (c >= 0x100 && c <= 0x137 && c != 0x130) return even ? static_cast<char16_t>(c + 1) : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return even ? c : static_cast<char16_t>(c + 1);
  if (c >= 0x14A && c <= 0x177) return even ? static_cast<char16_t>(c + 1) : c;
  if (c == 0x178) return 0xFF;
  return c;
}

bool IsForbiddenNameChar(char16_t c) {
  return c < 0x20 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'/' || c == u'\\' ||
         c == u'|' || c == u'?' || c == u'*';
}

bool IsDeviceName(std::u16string_view name) {
  // The system treats "CON", "con.txt" and "Con .png" alike.
  std::u16string base = FoldCase(name.substr(0, name.find(u'.')));
  while (!base.empty() && base.back() == u' ') base.pop_back();
  static const std::array<std::u16string_view, 8> plain = {u"con", u"prn", u"aux", u"nul", u"conin$", u"conout$",
                                                            u"clock$", u"config$"};
  if (std::find(plain.begin(), plain.end(), base) != plain.end()) return true;
  return base.size() == 4 && (base.starts_with(u"com") || base.starts_with(u"lpt")) && base[3] >= u'0' &&
         base[3] <= u'9';
}

// One component of a path: a plain file or folder name.
bool IsPlainComponent(std::u16string_view name) {
  if (name.empty() || name.size() > 255) return false;
  if (std::any_of(name.begin(), name.end(), IsForbiddenNameChar)) return false;
  // Only dots and spaces ("..", ". .", "... ") resolve to the current or parent folder.
  if (std::all_of(name.begin(), name.end(), [](char16_t c) { return c == u'.' || c == u' '; })) return false;
  return !IsDeviceName(name);
}

}  // namespace

std::u16string FoldCase(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& c : out) c = FoldChar(c);
  return out;
}

bool IsValidSkinTitle(std::u16string_view title) { return IsPlainComponent(title); }

std::optional<std::u16string> ResolvePicturePath(std::u16string_view skinFolder, std::u16string_view name) {
  if (name.find(u'\\') == std::u16string_view::npos) {
    if (!IsPlainComponent(name)) return std::nullopt;
    std::u16string path(skinFolder);
    path += name;
    return path;
  }
  // "X:\" followed by plain components.
  if (name.size() < 4 || name[1] != u':' || name[2] != u'\\') return std::nullopt;
  const char16_t drive = name[0];
  if (!((drive >= u'A' && drive <= u'Z') || (drive >= u'a' && drive <= u'z'))) return std::nullopt;
  std::u16string_view rest = name.substr(3);
  while (true) {
    const size_t cut = rest.find(u'\\');
    if (!IsPlainComponent(rest.substr(0, cut))) return std::nullopt;
    if (cut == std::u16string_view::npos) break;
    rest.remove_prefix(cut + 1);
  }
  return std::u16string(name);
}

}  // namespace zavra
