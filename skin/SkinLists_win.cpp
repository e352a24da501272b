#include "skin/SkinLists_win.h"

#include <memory>

#include "framework/Handles.h"
#include "framework/Text.h"
#include "skin/SkinImage_win.h"

namespace zavra {

namespace {

// A "layers" file is a few kilobytes; anything this large is not one.
constexpr LONGLONG kMaxLayersFile = 4ll << 20;

class DiskSkinSource : public SkinSource {
 public:
  std::optional<std::vector<uint8_t>> ReadFile(const std::u16string& path) override {
    FileHandle file(::CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxLayersFile) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()))
      return std::nullopt;
    return bytes;
  }
  std::unique_ptr<DecodedPicture> LoadPicture(const std::u16string& path) override {
    return DecodePicture(ToWide(path));
  }
};

// The skin and picture lists, the process-wide state that skins are shared through.
DiskSkinSource g_source;
std::unique_ptr<SkinLibrary> g_lists;

}  // namespace

void InitSkinLists(const std::wstring& skinsFolder) {
  g_lists = std::make_unique<SkinLibrary>(ToU16(skinsFolder), g_source);
}

SkinLibrary& SkinLists() {
  if (!g_lists) g_lists = std::make_unique<SkinLibrary>(std::u16string(), g_source);
  return *g_lists;
}

void FreeSkinLists() { g_lists.reset(); }

}  // namespace zavra
