#include "wizard/HotKeys.h"

#include "store/Category.h"

namespace zavra {

uint16_t ApplyHotKeyRules(uint16_t hotKey) {
  if (HotKeyKey(hotKey) == 0) return 0;
  const uint8_t mods = HotKeyModifiers(hotKey);
  const uint8_t pressed = mods & (kHotKeyShift | kHotKeyControl | kHotKeyAlt);
  if (pressed != 0 && pressed != kHotKeyShift && pressed != kHotKeyControl && pressed != kHotKeyAlt) return hotKey;
  const uint8_t ruled = static_cast<uint8_t>((mods & kHotKeyExtended) | kHotKeyControl | kHotKeyAlt);
  return static_cast<uint16_t>(ruled << 8 | HotKeyKey(hotKey));
}

bool SameHotKey(uint16_t a, uint16_t b) {
  constexpr uint16_t kCompared = static_cast<uint16_t>(~(kHotKeyExtended << 8));
  return (a & kCompared) == (b & kCompared);
}

const ShortcutHotKey* FindHotKeyOwner(const std::vector<ShortcutHotKey>& shortcuts, uint16_t hotKey,
                                      const std::u16string& replacing) {
  if (HotKeyKey(hotKey) == 0) return nullptr;
  for (const ShortcutHotKey& s : shortcuts)
    if (SameHotKey(s.hotKey, hotKey) && CompareNamesNoCase(s.path, replacing) != 0) return &s;
  return nullptr;
}

}  // namespace zavra
