#include "store/MemoryRegistry.h"

namespace zavra {

namespace {

class MemoryKey : public IRegistryKey {
 public:
  MemoryKey(MemoryRegistry& owner, std::map<std::u16string, uint32_t>& dwords, MemoryRegistryValues& other)
      : owner_(owner), dwords_(dwords), other_(other) {}

  std::optional<uint32_t> GetDword(const std::u16string& name) override {
    const auto it = dwords_.find(name);
    if (it == dwords_.end()) return std::nullopt;
    return it->second;
  }
  bool SetDword(const std::u16string& name, uint32_t value) override {
    if (owner_.failWrites) return false;
    Erase(name);
    dwords_[name] = value;
    return true;
  }
  std::optional<uint64_t> GetQword(const std::u16string& name) override {
    const auto it = other_.qwords.find(name);
    if (it == other_.qwords.end()) return std::nullopt;
    return it->second;
  }
  bool SetQword(const std::u16string& name, uint64_t value) override {
    if (owner_.failWrites) return false;
    Erase(name);
    other_.qwords[name] = value;
    return true;
  }
  std::optional<std::vector<uint8_t>> GetBinary(const std::u16string& name, size_t maxBytes) override {
    const auto it = other_.binaries.find(name);
    if (it == other_.binaries.end() || it->second.size() > maxBytes) return std::nullopt;
    return it->second;
  }
  bool SetBinary(const std::u16string& name, const std::vector<uint8_t>& bytes) override {
    if (owner_.failWrites) return false;
    Erase(name);
    other_.binaries[name] = bytes;
    return true;
  }
  std::optional<std::u16string> GetString(const std::u16string& name) override {
    const auto it = other_.strings.find(name);
    if (it == other_.strings.end()) return std::nullopt;
    return it->second;
  }
  bool SetString(const std::u16string& name, const std::u16string& value) override {
    if (owner_.failWrites) return false;
    Erase(name);
    other_.strings[name] = value;
    return true;
  }
  bool DeleteValue(const std::u16string& name) override {
    if (owner_.failWrites) return false;
    return Erase(name);
  }

 private:
  bool Erase(const std::u16string& name) {
    return (dwords_.erase(name) + other_.qwords.erase(name) + other_.binaries.erase(name) +
            other_.strings.erase(name)) > 0;
  }
  MemoryRegistry& owner_;
  std::map<std::u16string, uint32_t>& dwords_;
  MemoryRegistryValues& other_;
};

}  // namespace

std::unique_ptr<IRegistryKey> MemoryRegistry::OpenIdKey() {
  if (failOpen) return nullptr;
  return std::make_unique<MemoryKey>(*this, values, idExtra_);
}

std::unique_ptr<IRegistryKey> MemoryRegistry::OpenSettingsKey() {
  if (failOpen) return nullptr;
  return std::make_unique<MemoryKey>(*this, settings.dwords, settings);
}

}  // namespace zavra
