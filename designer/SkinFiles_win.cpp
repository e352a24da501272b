#include "designer/SkinFiles_win.h"

#include <shlobj.h>

#include <algorithm>

#include "designer/SkinDocument.h"
#include "designer/SkinPackage.h"
#include "framework/Handles.h"
#include "framework/Text.h"
#include "skin/LayersFile_win.h"
#include "skin/SkinNames.h"
#include "store/StoreWin.h"

namespace zavra {

namespace {

// A ".zps" file is read whole; skins hold a few pictures of screen size.
constexpr size_t kMaxZpsFile = size_t{512} << 20;
constexpr DWORD kCopyChunk = 16384;

bool CreateFolders(const std::wstring& folder) {
  Win32FileSystem files;
  return files.CreateFolders(ToU16(folder));
}

std::wstring WithoutBackslash(std::wstring folder) {
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

bool WriteAll(HANDLE file, const uint8_t* data, size_t size) {
  DWORD written = 0;
  return ::WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

// Copies a whole picture file after its record header; false unless every byte arrived.
bool AppendPicture(HANDLE out, size_t index, const std::wstring& source) {
  FileHandle in(::CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (!in || !::GetFileSizeEx(in.get(), &size) || size.QuadPart < 1 ||
      static_cast<uint64_t>(size.QuadPart) > kMaxZpsPicture)
    return false;
  std::vector<uint8_t> buffer;
  AppendZpsPictureHeader(buffer, index, static_cast<uint32_t>(size.QuadPart));
  if (!WriteAll(out, buffer.data(), buffer.size())) return false;
  buffer.resize(kCopyChunk);
  uint64_t left = static_cast<uint64_t>(size.QuadPart);
  while (left > 0) {
    DWORD got = 0;
    const DWORD ask = static_cast<DWORD>(std::min<uint64_t>(left, kCopyChunk));
    if (!::ReadFile(in.get(), buffer.data(), ask, &got, nullptr) || got == 0) return false;
    if (!WriteAll(out, buffer.data(), got)) return false;
    left -= got;
  }
  return true;
}

// Removes a folder of plain files (the import's temporary folder).
void RemoveFlatFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  FindHandle find(::FindFirstFileW((folder + L"*").c_str(), &data));
  if (find) {
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileW((folder + data.cFileName).c_str());
    } while (::FindNextFileW(find.get(), &data));
  }
  find.reset();
  ::RemoveDirectoryW(WithoutBackslash(folder).c_str());
}

// A new hidden folder in the skins folder; its leading dot keeps it out of every skin list.
std::wstring MakeImportFolder(const std::wstring& skinsFolder) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring folder = skinsFolder + L".import-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                std::to_wstring(::GetTickCount() + static_cast<DWORD>(attempt));
    if (::CreateDirectoryW(folder.c_str(), nullptr)) {
      ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_HIDDEN);
      return folder + L"\\";
    }
    if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return {};
}

bool WriteNewFile(const std::wstring& path, std::span<const uint8_t> bytes) {
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && WriteAll(file.get(), bytes.data(), bytes.size()) && ::FlushFileBuffers(file.get());
}

// Puts the finished temporary folder in place of the skin folder.
bool PlaceImportedFolder(const std::wstring& temp, const std::wstring& target, const std::vector<std::wstring>& names) {
  if (::GetFileAttributesW(WithoutBackslash(target).c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (!::MoveFileExW(WithoutBackslash(temp).c_str(), WithoutBackslash(target).c_str(), 0)) return false;
    ::SetFileAttributesW(WithoutBackslash(target).c_str(), FILE_ATTRIBUTE_NORMAL);
    return true;
  }
  // An existing skin (the user chose to overwrite it): its pictures first, "layers" last.
  for (const std::wstring& name : names)
    if (!::MoveFileExW((temp + name).c_str(), (target + name).c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
  return true;
}

}  // namespace

std::wstring DesignerSkinsFolder() {
  wchar_t documents[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, 0, documents)))
    return L"C:\\ZaVRA Skins\\";
  std::wstring folder = documents;
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder + L"ZaVRA Skins\\";
}

std::wstring SkinFolderOf(const std::wstring& skinsFolder, const std::wstring& title) {
  return skinsFolder + title + L"\\";
}

bool SaveSkinFolder(const std::wstring& skinFolder, std::span<const SLAYER> drawingOrder, const std::wstring& oldFolder,
                    bool overwritePictures) {
  if (drawingOrder.empty()) return false;
  CreateFolders(skinFolder);
  if (SaveLayersFile(skinFolder, drawingOrder) != kLayersOk) return false;
  // Never a copy of a file onto itself.
  if (oldFolder.empty() || FoldCase(ToU16(oldFolder)) == FoldCase(ToU16(skinFolder))) return true;
  for (const SLAYER& layer : drawingOrder) {
    if (layer.kind != kLayerImage) continue;
    const std::u16string name = LayerText(layer.u.image.picture);
    // Only plain names: a crafted "layers" file must not copy files from elsewhere.
    if (name.find(u'\\') != std::u16string::npos || !ResolvePicturePath(u"C:\\", name)) continue;
    ::CopyFileW((oldFolder + ToWide(name)).c_str(), (skinFolder + ToWide(name)).c_str(), !overwritePictures);
  }
  return true;
}

std::vector<std::wstring> ListSkinTitles(const std::wstring& skinsFolder) {
  std::vector<std::wstring> titles;
  WIN32_FIND_DATAW data;
  FindHandle find(::FindFirstFileW((skinsFolder + L"*.*").c_str(), &data));
  if (!find) return titles;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.cFileName[0] != L'.')
      titles.emplace_back(data.cFileName);
  } while (::FindNextFileW(find.get(), &data));
  return titles;
}

bool DeleteSkinFolder(const std::wstring& skinsFolder, const std::wstring& title, HWND owner) {
  // An empty title would name the skins folder itself, ".." its parent.
  if (!IsDesignerTitle(ToU16(title))) return false;
  std::wstring from = skinsFolder + title;
  from.push_back(L'\0');  // the list ends with two zeros
  SHFILEOPSTRUCTW op{};
  op.hwnd = owner;
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION;
  return ::SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}

int ExportSkinFile(const std::wstring& path, std::span<const SLAYER> drawingOrder, const std::wstring& skinFolder) {
  std::vector<ZpsExportLayer> plan;
  if (!PlanZpsExport(drawingOrder, ToU16(skinFolder), plan)) return kLayersIoError;
  const size_t cut = path.rfind(L'\\');
  const std::wstring folder = cut == std::wstring::npos ? std::wstring(L".") : path.substr(0, cut);
  wchar_t temp[MAX_PATH] = {};
  if (folder.size() >= MAX_PATH - 14 || !::GetTempFileNameW(folder.c_str(), L"zps", 0, temp)) return kLayersIoError;
  bool ok = false;
  {
    FileHandle out(::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::vector<uint8_t> bytes;
    AppendZpsHeader(bytes);
    ok = out && WriteAll(out.get(), bytes.data(), bytes.size());
    for (size_t i = 0; ok && i < plan.size(); ++i) {
      bytes.clear();
      AppendZpsLayer(bytes, i, plan[i].layer);
      ok = WriteAll(out.get(), bytes.data(), bytes.size());
      if (ok && !plan[i].source.empty()) ok = AppendPicture(out.get(), i, ToWide(plan[i].source));
    }
    ok = ok && ::FlushFileBuffers(out.get());
  }
  Win32FileSystem files;
  if (ok && files.Replace(ToU16(std::wstring(temp)), ToU16(path))) return kLayersOk;
  ::DeleteFileW(temp);
  return kLayersIoError;
}

int ImportSkinFile(const std::wstring& path, const std::wstring& skinsFolder, const std::wstring& title,
                   std::vector<SLAYER>& layers) {
  layers.clear();
  if (!IsDesignerTitle(ToU16(title))) return kLayersIoError;
  const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path, kMaxZpsFile);
  if (!bytes) return kLayersIoError;
  ZpsContents contents;
  if (const int result = ReadZps(*bytes, contents); result != kLayersOk) return result;
  SkinDocument listed;
  listed.Load(contents.layers);
  std::vector<SLAYER> order = listed.DrawingOrder();
  if (order.empty()) return kLayersBadFormat;

  // Nothing is written before the whole file has been read and checked.
  CreateFolders(skinsFolder);
  const std::wstring temp = MakeImportFolder(skinsFolder);
  if (temp.empty()) return kLayersIoError;
  std::vector<std::wstring> names;
  bool ok = true;
  for (const ZpsPicture& picture : contents.pictures) {
    const std::wstring name = ToWide(picture.name);
    ok = ok && WriteNewFile(temp + name, picture.data);
    // "A.png" and "a.png" are one file: the later data won.
    const auto same = [&](const std::wstring& n) { return FoldCase(ToU16(n)) == FoldCase(picture.name); };
    if (std::none_of(names.begin(), names.end(), same)) names.push_back(name);
  }
  ok = ok && SaveLayersFile(temp, order) == kLayersOk;
  names.push_back(L"layers");
  ok = ok && PlaceImportedFolder(temp, SkinFolderOf(skinsFolder, title), names);
  if (::GetFileAttributesW(WithoutBackslash(temp).c_str()) != INVALID_FILE_ATTRIBUTES) RemoveFlatFolder(temp);
  if (!ok) return kLayersIoError;
  layers = std::move(order);
  return kLayersOk;
}

}  // namespace zavra
