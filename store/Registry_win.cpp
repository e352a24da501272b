#include "framework/Handles.h"
#include "framework/Text.h"
#include "store/StoreWin.h"

namespace zavra {

namespace {

class Win32RegistryKey : public IRegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}

  std::optional<uint32_t> GetDword(const std::u16string& name) override {
    DWORD value = 0;
    if (!Query(name, REG_DWORD, &value, sizeof value)) return std::nullopt;
    return value;
  }
  bool SetDword(const std::u16string& name, uint32_t value) override {
    const DWORD v = value;
    return Set(name, REG_DWORD, &v, sizeof v);
  }
  std::optional<uint64_t> GetQword(const std::u16string& name) override {
    uint64_t value = 0;
    if (!Query(name, REG_QWORD, &value, sizeof value)) return std::nullopt;
    return value;
  }
  bool SetQword(const std::u16string& name, uint64_t value) override { return Set(name, REG_QWORD, &value, sizeof value); }
  std::optional<std::vector<uint8_t>> GetBinary(const std::u16string& name, size_t maxBytes) override {
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key_.get(), AsWide(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY || size > maxBytes)
      return std::nullopt;
    std::vector<uint8_t> bytes(size);
    if (::RegQueryValueExW(key_.get(), AsWide(name), nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
      return std::nullopt;
    bytes.resize(size);
    return bytes;
  }
  bool SetBinary(const std::u16string& name, const std::vector<uint8_t>& bytes) override {
    return Set(name, REG_BINARY, bytes.data(), bytes.size());
  }
  std::optional<std::u16string> GetString(const std::u16string& name) override {
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key_.get(), AsWide(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ || size > (1u << 16))
      return std::nullopt;
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key_.get(), AsWide(name), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
      return std::nullopt;
    // The stored value may or may not carry its terminator.
    return ToU16(std::wstring(text.data()));
  }
  bool SetString(const std::u16string& name, const std::u16string& value) override {
    return Set(name, REG_SZ, value.c_str(), (value.size() + 1) * sizeof(char16_t));
  }
  bool DeleteValue(const std::u16string& name) override {
    return ::RegDeleteValueW(key_.get(), AsWide(name)) == ERROR_SUCCESS;
  }

 private:
  // Exactly `size` bytes of `type`: a value of another size counts as missing.
  bool Query(const std::u16string& name, DWORD wantType, void* out, DWORD size) {
    DWORD type = 0, got = size;
    return ::RegQueryValueExW(key_.get(), AsWide(name), nullptr, &type, static_cast<BYTE*>(out), &got) ==
               ERROR_SUCCESS &&
           type == wantType && got == size;
  }
  bool Set(const std::u16string& name, DWORD type, const void* data, size_t size) {
    return ::RegSetValueExW(key_.get(), AsWide(name), 0, type, static_cast<const BYTE*>(data),
                            static_cast<DWORD>(size)) == ERROR_SUCCESS;
  }
  RegKey key_;
};

std::unique_ptr<IRegistryKey> OpenOrCreate(HKEY root, const std::u16string& path) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(root, AsWide(path), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<Win32RegistryKey>(key);
}

}  // namespace

Win32Registry::Win32Registry(std::u16string idKeyPath, std::u16string settingsKeyPath, HKEY root)
    : idKeyPath_(std::move(idKeyPath)), settingsKeyPath_(std::move(settingsKeyPath)), root_(root) {}

std::unique_ptr<IRegistryKey> Win32Registry::OpenIdKey() { return OpenOrCreate(root_, idKeyPath_); }

std::unique_ptr<IRegistryKey> Win32Registry::OpenSettingsKey() { return OpenOrCreate(root_, settingsKeyPath_); }

}  // namespace zavra
