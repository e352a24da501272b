#pragma once
// Shortcut hot keys as the shell stores them: low byte the virtual-key code, high byte the
// modifier flags.
#include <cstdint>
#include <string>
#include <vector>

namespace zavra {

inline constexpr uint8_t kHotKeyShift = 0x01;
inline constexpr uint8_t kHotKeyControl = 0x02;
inline constexpr uint8_t kHotKeyAlt = 0x04;
inline constexpr uint8_t kHotKeyExtended = 0x08;

inline constexpr uint8_t HotKeyKey(uint16_t hotKey) { return static_cast<uint8_t>(hotKey & 0xFF); }
inline constexpr uint8_t HotKeyModifiers(uint16_t hotKey) { return static_cast<uint8_t>(hotKey >> 8); }

// A key alone or with only Shift, only Ctrl or only Alt would fire while the user types:
// such a combination becomes Ctrl+Alt with the same key. 0 (no hot key) stays 0.
uint16_t ApplyHotKeyRules(uint16_t hotKey);

// Whether two hot keys are pressed the same way (the extended-key flag aside).
bool SameHotKey(uint16_t a, uint16_t b);

struct ShortcutHotKey {
  std::u16string path;
  uint16_t hotKey = 0;
};

// The first shortcut other than `replacing` that already has `hotKey`; null when none.
// Paths compare without regard to case.
const ShortcutHotKey* FindHotKeyOwner(const std::vector<ShortcutHotKey>& shortcuts, uint16_t hotKey,
                                      const std::u16string& replacing);

}  // namespace zavra
