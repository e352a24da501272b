#include <algorithm>

#include "framework/Dpi.h"
#include "framework/Handles.h"
#include "framework/Text.h"
#include "store/PortableFileSystem.h"
#include "store/StoreWin.h"

namespace zavra {

namespace {

class Win32WriteFile : public IWriteFile {
 public:
  explicit Win32WriteFile(HANDLE h) : file_(h) {}
  bool Write(const uint8_t* data, size_t size) override {
    while (size > 0) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
      DWORD written = 0;
      if (!file_ || !::WriteFile(file_.get(), data, chunk, &written, nullptr) || written != chunk) return false;
      data += chunk;
      size -= chunk;
    }
    return true;
  }
  bool Commit() override {
    if (!file_) return false;
    const bool flushed = ::FlushFileBuffers(file_.get()) != FALSE;
    const bool closed = ::CloseHandle(file_.release()) != FALSE;
    return flushed && closed;
  }

 private:
  FileHandle file_;
};

}  // namespace

namespace {
// The two font records have the same fields; only the face name's character type differs.
template <class To, class From>
To CopyFont(const From& font) {
  To out{};
  out.lfHeight = font.lfHeight;
  out.lfWidth = font.lfWidth;
  out.lfEscapement = font.lfEscapement;
  out.lfOrientation = font.lfOrientation;
  out.lfWeight = font.lfWeight;
  out.lfItalic = font.lfItalic;
  out.lfUnderline = font.lfUnderline;
  out.lfStrikeOut = font.lfStrikeOut;
  out.lfCharSet = font.lfCharSet;
  out.lfOutPrecision = font.lfOutPrecision;
  out.lfClipPrecision = font.lfClipPrecision;
  out.lfQuality = font.lfQuality;
  out.lfPitchAndFamily = font.lfPitchAndFamily;
  std::copy(std::begin(font.lfFaceName), std::end(font.lfFaceName), out.lfFaceName);
  out.lfFaceName[LF_FACESIZE - 1] = 0;
  return out;
}

// Another program (a virus scanner, an indexer, a backup, a reader of the note folder) may
// hold a note file open for a moment; replacing, removing or recreating it then fails with
// one of these. Giving up at once would lose the save, so such an attempt is repeated for
// about two seconds.
bool IsTransientLock(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

template <typename Attempt>
bool RetryWhileLocked(Attempt attempt) {
  constexpr DWORD kLockWaitMs = 2000;
  DWORD pause = 10, waited = 0;
  while (!attempt()) {
    const DWORD error = ::GetLastError();
    if (!IsTransientLock(error) || waited >= kLockWaitMs) {
      ::SetLastError(error);
      return false;
    }
    ::Sleep(pause);
    waited += pause;
    pause = std::min<DWORD>(pause * 2, 250);
  }
  return true;
}

}  // namespace

::LOGFONTW ToWinFont(const zavra::LOGFONTW& font) { return CopyFont<::LOGFONTW>(font); }

zavra::LOGFONTW FromWinFont(const ::LOGFONTW& font) { return CopyFont<zavra::LOGFONTW>(font); }

::LOGFONTW ToWinFontAt(const zavra::LOGFONTW& font, uint32_t dpi) {
  if (!font.lfFaceName[0]) return IconTitleFontAt(dpi);
  ::LOGFONTW out = ToWinFont(font);
  out.lfHeight = FontHeightAtDpi(out.lfHeight, dpi);
  out.lfWidth = FontHeightAtDpi(out.lfWidth, dpi);
  return out;
}

zavra::LOGFONTW FromWinFontAt(const ::LOGFONTW& font, uint32_t dpi) {
  zavra::LOGFONTW out = FromWinFont(font);
  out.lfHeight = FontHeightToStore(out.lfHeight, dpi);
  out.lfWidth = FontHeightToStore(out.lfWidth, dpi);
  return out;
}

bool Win32FileSystem::Read(const std::u16string& path, std::vector<uint8_t>& out, size_t maxBytes) {
  out.clear();
  FileHandle file(::CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  size_t want = maxBytes;
  LARGE_INTEGER size{};
  if (maxBytes > 64 * 1024 && ::GetFileSizeEx(file.get(), &size) && size.QuadPart >= 0)
    want = std::min<size_t>(maxBytes, static_cast<size_t>(size.QuadPart) + 1);  // +1 notices growth
  for (;;) {
    const size_t had = out.size();
    if (had >= maxBytes) return true;
    const size_t hint = want > had ? want - had : 64 * 1024;
    const DWORD ask = static_cast<DWORD>(std::min<size_t>({hint, maxBytes - had, size_t{1} << 20}));
    out.resize(had + ask);
    DWORD got = 0;
    if (!::ReadFile(file.get(), out.data() + had, ask, &got, nullptr)) {
      out.resize(had);
      return false;
    }
    out.resize(had + got);
    if (got < ask) return true;  // a short read of a disk file is its end
  }
}

std::unique_ptr<IWriteFile> Win32FileSystem::Create(const std::u16string& path, CreateMode mode, CreateError* error) {
  if (error) *error = CreateError::kNone;
  HANDLE h = INVALID_HANDLE_VALUE;
  auto open = [&] {
    h = ::CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, mode == CreateMode::kNew ? CREATE_NEW : CREATE_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
    return h != INVALID_HANDLE_VALUE;
  };
  // A new file is a claim: when its name is taken, the caller wants to hear it at once.
  if (!(mode == CreateMode::kNew ? open() : RetryWhileLocked(open))) {
    const DWORD code = ::GetLastError();
    if (error) *error = (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) ? CreateError::kExists : CreateError::kFailed;
    return nullptr;
  }
  return std::make_unique<Win32WriteFile>(h);
}

bool Win32FileSystem::Replace(const std::u16string& from, const std::u16string& to) {
  return RetryWhileLocked([&] {
    return ::MoveFileExW(AsWide(from), AsWide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  });
}

bool Win32FileSystem::Rename(const std::u16string& from, const std::u16string& to) {
  return RetryWhileLocked([&] { return ::MoveFileExW(AsWide(from), AsWide(to), MOVEFILE_WRITE_THROUGH) != FALSE; });
}

bool Win32FileSystem::Remove(const std::u16string& path) {
  return RetryWhileLocked([&] { return ::DeleteFileW(AsWide(path)) != FALSE; });
}

bool Win32FileSystem::Exists(const std::u16string& path) {
  return ::GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::CreateFolders(const std::u16string& folder) {
  // Every prefix that ends before a separator is a level; drive roots and UNC server and share
  // names cannot be created and are passed over by ignoring their failure.
  std::u16string path = folder;
  while (!path.empty() && (path.back() == u'\\' || path.back() == u'/')) path.pop_back();
  if (path.empty()) return false;
  for (size_t at = 0; at <= path.size(); ++at) {
    if (at < path.size() && path[at] != u'\\' && path[at] != u'/') continue;
    if (at == 0 || path[at - 1] == u':' || path[at - 1] == u'\\' || path[at - 1] == u'/') continue;
    const std::u16string level = path.substr(0, at);
    ::CreateDirectoryW(AsWide(level), nullptr);
  }
  const DWORD attributes = ::GetFileAttributesW(AsWide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32FileSystem::List(const std::u16string& folder, std::u16string_view extension,
                           const std::function<void(const std::u16string& name)>& onFile) {
  ListStamped(folder, extension, [&](const std::u16string& name, const FileStamp&) { onFile(name); });
}

void Win32FileSystem::ListStamped(
    const std::u16string& folder, std::u16string_view extension,
    const std::function<void(const std::u16string& name, const FileStamp& stamp)>& onFile) {
  std::u16string pattern = folder;
  pattern += u'*';
  pattern += extension;
  WIN32_FIND_DATAW data;
  FindHandle find(::FindFirstFileExW(AsWide(pattern), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return;
  std::u16string name;
  FileStamp stamp;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    name.assign(reinterpret_cast<const char16_t*>(data.cFileName));
    if (!EndsWithNoCase(name, extension)) continue;
    stamp.size = static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    stamp.writeTime = static_cast<int64_t>(static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                                           data.ftLastWriteTime.dwLowDateTime);
    onFile(name, stamp);
  } while (::FindNextFileW(find.get(), &data));
}

}  // namespace zavra
