#include "store/MemoryRegistry.h"

namespace zavra {

namespace {

class MemoryKey : public IRegistryKey {
 public:
  explicit MemoryKey(MemoryRegistry& owner) : owner_(owner) {}
  std::optional<uint32_t> GetDword(const std::u16string& name) override {
    const auto it = owner_.values.find(name);
    if (it == owner_.values.end()) return std::nullopt;
    return it->second;
  }
  bool SetDword(const std::u16string& name, uint32_t value) override {
    if (owner_.failWrites) return false;
    owner_.values[name] = value;
    return true;
  }

 private:
  MemoryRegistry& owner_;
};

}  // namespace

std::unique_ptr<IRegistryKey> MemoryRegistry::OpenIdKey() {
  if (failOpen) return nullptr;
  return std::make_unique<MemoryKey>(*this);
}

}  // namespace zavra
