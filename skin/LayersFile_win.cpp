#include "skin/LayersFile_win.h"

#include "framework/Handles.h"

namespace zavra {

namespace {
// A "layers" file is a few kilobytes; anything this large is not one.
constexpr size_t kMaxLayersFile = 4u << 20;
}  // namespace

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::wstring& path, size_t limit) {
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > limit)
    return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() &&
      (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()))
    return std::nullopt;
  return bytes;
}

int LoadLayersFile(const std::wstring& folder, std::vector<SLAYER>& layers) {
  layers.clear();
  std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(folder + L"layers", kMaxLayersFile);
  return bytes ? ReadLayers(*bytes, layers) : kLayersIoError;
}

int SaveLayersFile(const std::wstring& folder, std::span<const SLAYER> layers) {
  const std::vector<uint8_t> bytes = WriteLayers(layers);
  FileHandle file(::CreateFileW((folder + L"layers").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return kLayersIoError;
  DWORD written = 0;
  if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    return kLayersIoError;
  return kLayersOk;
}

}  // namespace zavra
