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
  // Written beside the old file and put in its place in one step, so that a failed or partial
  // write leaves the previous skin as it was. The name is claimed new, so that no picture of
  // the skin is overwritten on the way.
  const std::vector<uint8_t> bytes = WriteLayers(layers);
  wchar_t temp[MAX_PATH] = {};
  if (folder.size() >= MAX_PATH - 14 || !::GetTempFileNameW(folder.c_str(), L"lay", 0, temp)) return kLayersIoError;
  bool ok = false;
  {
    FileHandle file(::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ok = file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size() && ::FlushFileBuffers(file.get());
  }
  const std::wstring target = folder + L"layers";
  // The main program may be reading the old file for a moment.
  for (int attempt = 0; ok; ++attempt) {
    if (::MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return kLayersOk;
    const DWORD error = ::GetLastError();
    if (attempt == 20 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)) break;
    ::Sleep(50);
  }
  ::DeleteFileW(temp);
  return kLayersIoError;
}

}  // namespace zavra
