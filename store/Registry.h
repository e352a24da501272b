#pragma once
// The program's two registry keys under the current user: the identifier counters and the
// settings. The store and the settings reach them through this interface.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zavra {

class IRegistryKey {
 public:
  virtual ~IRegistryKey() = default;
  // Each getter is empty when the value is missing or is not of its type and size.
  virtual std::optional<uint32_t> GetDword(const std::u16string& name) = 0;
  virtual bool SetDword(const std::u16string& name, uint32_t value) = 0;
  virtual std::optional<uint64_t> GetQword(const std::u16string& name) = 0;
  virtual bool SetQword(const std::u16string& name, uint64_t value) = 0;
  // A binary value of at most `maxBytes`; a longer one counts as missing.
  virtual std::optional<std::vector<uint8_t>> GetBinary(const std::u16string& name, size_t maxBytes) = 0;
  virtual bool SetBinary(const std::u16string& name, const std::vector<uint8_t>& bytes) = 0;
  virtual bool DeleteValue(const std::u16string& name) = 0;
  // A text value (REG_SZ), without its terminator.
  virtual std::optional<std::u16string> GetString(const std::u16string& name) = 0;
  // Writes a REG_SZ with its terminating zero.
  virtual bool SetString(const std::u16string& name, const std::u16string& value) = 0;
};

class IRegistry {
 public:
  virtual ~IRegistry() = default;
  // Opens the identifier key, creating it when missing; null on failure.
  virtual std::unique_ptr<IRegistryKey> OpenIdKey() = 0;
  // Opens the settings key, creating it when missing; null on failure.
  virtual std::unique_ptr<IRegistryKey> OpenSettingsKey() = 0;
};

inline constexpr char16_t kIdKeyPath[] = u"SOFTWARE\\QelEver\\noteZaVRA";
inline constexpr char16_t kSettingsKeyPath[] = u"SOFTWARE\\noteZaVRA";

}  // namespace zavra
