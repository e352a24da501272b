#pragma once
// The identifier counters live in one registry key; the store reaches it through this interface.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace zavra {

class IRegistryKey {
 public:
  virtual ~IRegistryKey() = default;
  // Empty when the value is missing or not a DWORD.
  virtual std::optional<uint32_t> GetDword(const std::u16string& name) = 0;
  virtual bool SetDword(const std::u16string& name, uint32_t value) = 0;
};

class IRegistry {
 public:
  virtual ~IRegistry() = default;
  // Opens the identifier key, creating it when missing; null on failure.
  virtual std::unique_ptr<IRegistryKey> OpenIdKey() = 0;
};

inline constexpr char16_t kIdKeyPath[] = u"SOFTWARE\\QelEver\\noteZaVRA";

}  // namespace zavra
