#include "framework/Handles.h"
#include "framework/Text.h"
#include "store/StoreWin.h"

namespace zavra {

namespace {

class Win32RegistryKey : public IRegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}
  std::optional<uint32_t> GetDword(const std::u16string& name) override {
    DWORD type = 0, value = 0, size = sizeof value;
    if (::RegQueryValueExW(key_.get(), AsWide(name), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
      return std::nullopt;
    return value;
  }
  bool SetDword(const std::u16string& name, uint32_t value) override {
    const DWORD v = value;
    return ::RegSetValueExW(key_.get(), AsWide(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v) ==
           ERROR_SUCCESS;
  }

 private:
  RegKey key_;
};

}  // namespace

Win32Registry::Win32Registry(std::u16string keyPath, HKEY root) : keyPath_(std::move(keyPath)), root_(root) {}

std::unique_ptr<IRegistryKey> Win32Registry::OpenIdKey() {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(root_, AsWide(keyPath_), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<Win32RegistryKey>(key);
}

}  // namespace zavra
