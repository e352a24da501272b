#include "skin/SkinLists_win.h"

#include <memory>

#include "framework/Handles.h"
#include "framework/Text.h"
#include "skin/LayersFile_win.h"
#include "skin/SkinImage_win.h"

namespace zavra {

namespace {

// A "layers" file is a few kilobytes; anything this large is not one.
constexpr size_t kMaxLayersFile = 4u << 20;

class DiskSkinSource : public SkinSource {
 public:
  std::optional<std::vector<uint8_t>> ReadFile(const std::u16string& path) override {
    return ReadWholeFile(ToWide(path), kMaxLayersFile);
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
