#include "store/PortableFileSystem.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace zavra {

namespace {

namespace fs = std::filesystem;

fs::path ToPath(const std::u16string& s) { return fs::path(s); }

// fopen with the platform's notion of a path: UTF-8 bytes here, UTF-16 on Windows.
std::FILE* OpenFile(const std::u16string& path, const char* mode) {
#ifdef _WIN32
  wchar_t wmode[8] = {};
  for (int i = 0; mode[i] && i < 7; ++i) wmode[i] = static_cast<wchar_t>(mode[i]);
  return _wfopen(reinterpret_cast<const wchar_t*>(path.c_str()), wmode);
#else
  std::string narrow;
  narrow.reserve(path.size() + 8);
  for (size_t i = 0; i < path.size(); ++i) {
    uint32_t c = path[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < path.size() && path[i + 1] >= 0xDC00 && path[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (path[++i] - 0xDC00);
    if (c < 0x80) {
      narrow.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      narrow.push_back(static_cast<char>(0xC0 | c >> 6));
      narrow.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      narrow.push_back(static_cast<char>(0xE0 | c >> 12));
      narrow.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      narrow.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      narrow.push_back(static_cast<char>(0xF0 | c >> 18));
      narrow.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
      narrow.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      narrow.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return std::fopen(narrow.c_str(), mode);
#endif
}

class CFile {
 public:
  explicit CFile(std::FILE* f) : f_(f) {}
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;
  ~CFile() {
    if (f_) std::fclose(f_);
  }
  std::FILE* get() const { return f_; }
  bool Close() {
    std::FILE* f = f_;
    f_ = nullptr;
    return f && std::fclose(f) == 0;
  }

 private:
  std::FILE* f_;
};

class PortableWriteFile : public IWriteFile {
 public:
  explicit PortableWriteFile(std::FILE* f) : file_(f) {}
  bool Write(const uint8_t* data, size_t size) override {
    return file_.get() && std::fwrite(data, 1, size, file_.get()) == size;
  }
  bool Commit() override { return file_.get() && std::fflush(file_.get()) == 0 && file_.Close(); }

 private:
  CFile file_;
};

}  // namespace

bool EndsWithNoCase(std::u16string_view name, std::u16string_view extension) {
  if (name.size() < extension.size()) return false;
  const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
  const size_t base = name.size() - extension.size();
  for (size_t i = 0; i < extension.size(); ++i)
    if (lower(name[base + i]) != lower(extension[i])) return false;
  return true;
}

bool PortableFileSystem::Read(const std::u16string& path, std::vector<uint8_t>& out, size_t maxBytes) {
  out.clear();
  CFile file(OpenFile(path, "rb"));
  if (!file.get()) return false;
  constexpr size_t kChunk = 64 * 1024;
  while (out.size() < maxBytes) {
    const size_t want = std::min(kChunk, maxBytes - out.size());
    const size_t had = out.size();
    out.resize(had + want);
    const size_t got = std::fread(out.data() + had, 1, want, file.get());
    out.resize(had + got);
    if (got < want) return !std::ferror(file.get());
  }
  return true;
}

std::unique_ptr<IWriteFile> PortableFileSystem::Create(const std::u16string& path, CreateMode mode,
                                                       CreateError* error) {
  if (error) *error = CreateError::kNone;
  if (mode == CreateMode::kNew && Exists(path)) {
    if (error) *error = CreateError::kExists;
    return nullptr;
  }
  std::FILE* f = OpenFile(path, "wb");
  if (!f) {
    if (error) *error = CreateError::kFailed;
    return nullptr;
  }
  return std::make_unique<PortableWriteFile>(f);
}

bool PortableFileSystem::Replace(const std::u16string& from, const std::u16string& to) {
  std::error_code ec;
  fs::rename(ToPath(from), ToPath(to), ec);
  return !ec;
}

bool PortableFileSystem::Rename(const std::u16string& from, const std::u16string& to) {
  if (Exists(to)) return false;
  return Replace(from, to);
}

bool PortableFileSystem::Remove(const std::u16string& path) {
  std::error_code ec;
  return fs::remove(ToPath(path), ec) && !ec;
}

bool PortableFileSystem::Exists(const std::u16string& path) {
  std::error_code ec;
  return fs::exists(ToPath(path), ec);
}

bool PortableFileSystem::CreateFolders(const std::u16string& folder) {
  std::error_code ec;
  fs::create_directories(ToPath(folder), ec);
  return !ec && fs::is_directory(ToPath(folder), ec);
}

void PortableFileSystem::List(const std::u16string& folder, std::u16string_view extension,
                              const std::function<void(const std::u16string& name)>& onFile) {
  std::error_code ec;
  fs::directory_iterator it(ToPath(folder), ec), end;
  std::u16string name;
  for (; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    name = it->path().filename().u16string();
    if (EndsWithNoCase(name, extension)) onFile(name);
  }
}

void PortableFileSystem::ListStamped(
    const std::u16string& folder, std::u16string_view extension,
    const std::function<void(const std::u16string& name, const FileStamp& stamp)>& onFile) {
  std::error_code ec;
  fs::directory_iterator it(ToPath(folder), ec), end;
  std::u16string name;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code fileError;
    if (!it->is_regular_file(fileError)) continue;
    name = it->path().filename().u16string();
    if (!EndsWithNoCase(name, extension)) continue;
    FileStamp stamp;
    const uintmax_t size = it->file_size(fileError);
    if (fileError) continue;  // gone since it was listed
    const fs::file_time_type written = it->last_write_time(fileError);
    if (fileError) continue;
    stamp.size = static_cast<uint64_t>(size);
    stamp.writeTime = FileTimeOf(std::chrono::file_clock::to_sys(written));
    onFile(name, stamp);
  }
}

}  // namespace zavra
