#pragma once
// An identifier key held in memory, for tests and tools that must not touch the real registry.
#include <map>

#include "store/Registry.h"

namespace zavra {

class MemoryRegistry : public IRegistry {
 public:
  std::unique_ptr<IRegistryKey> OpenIdKey() override;

  std::map<std::u16string, uint32_t> values;
  bool failOpen = false;    // the key cannot be opened or created
  bool failWrites = false;  // every SetDword fails
};

}  // namespace zavra
