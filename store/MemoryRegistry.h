#pragma once
// The registry keys held in memory, for tests and tools that must not touch the real registry.
#include <map>

#include "store/Registry.h"

namespace zavra {

struct MemoryRegistryValues {
  std::map<std::u16string, uint32_t> dwords;
  std::map<std::u16string, uint64_t> qwords;
  std::map<std::u16string, std::vector<uint8_t>> binaries;
  std::map<std::u16string, std::u16string> strings;
  bool Has(const std::u16string& name) const {
    return dwords.count(name) || qwords.count(name) || binaries.count(name) || strings.count(name);
  }
};

class MemoryRegistry : public IRegistry {
 public:
  std::unique_ptr<IRegistryKey> OpenIdKey() override;
  std::unique_ptr<IRegistryKey> OpenSettingsKey() override;

  std::map<std::u16string, uint32_t> values;  // the identifier key (DWORD values only)
  MemoryRegistryValues settings;
  bool failOpen = false;    // no key can be opened or created
  bool failWrites = false;  // every write fails

 private:
  MemoryRegistryValues idExtra_;  // non-DWORD values written to the identifier key
};

}  // namespace zavra
