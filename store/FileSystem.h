#pragma once
// The store reaches files only through this interface: the Win32 layer implements it over the
// kernel's file calls, tests over a temporary folder or with injected faults.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zavra {

// A file being written. Destroying it without Commit closes it; the content is then unreliable.
class IWriteFile {
 public:
  virtual ~IWriteFile() = default;
  // Writes all `size` bytes or reports failure.
  virtual bool Write(const uint8_t* data, size_t size) = 0;
  // Flushes to the disk and closes; false when anything could not be made durable.
  virtual bool Commit() = 0;
};

// What a folder listing tells of a file without opening it.
struct FileStamp {
  uint64_t size = 0;
  int64_t writeTime = 0;  // last write, 100-ns ticks since 1601-01-01 UTC (Windows file time)
  bool operator==(const FileStamp&) const = default;
};

// A time of the system clock as a Windows file time, to compare with FileStamp::writeTime.
template <class Duration>
int64_t FileTimeOf(std::chrono::sys_time<Duration> t) {
  constexpr int64_t kTicksFrom1601To1970 = 116444736000000000;
  using Ticks = std::chrono::duration<int64_t, std::ratio<1, 10000000>>;
  return std::chrono::duration_cast<Ticks>(t.time_since_epoch()).count() + kTicksFrom1601To1970;
}
inline int64_t FileTimeNow() { return FileTimeOf(std::chrono::system_clock::now()); }

enum class CreateMode { kAlways, kNew };
enum class CreateError { kNone, kExists, kFailed };

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // Reads at most `maxBytes` from the start of the file into `out` (resized to what was read).
  // False when the file cannot be opened or a read fails.
  virtual bool Read(const std::u16string& path, std::vector<uint8_t>& out, size_t maxBytes) = 0;

  // Null on failure; with kNew an existing file gives kExists.
  virtual std::unique_ptr<IWriteFile> Create(const std::u16string& path, CreateMode mode, CreateError* error) = 0;

  // Puts `from` in place of `to` in one step, replacing it.
  virtual bool Replace(const std::u16string& from, const std::u16string& to) = 0;
  // Renames; fails when `to` exists.
  virtual bool Rename(const std::u16string& from, const std::u16string& to) = 0;
  virtual bool Remove(const std::u16string& path) = 0;
  virtual bool Exists(const std::u16string& path) = 0;
  // Creates every missing level of a folder path.
  virtual bool CreateFolders(const std::u16string& folder) = 0;

  // Calls `onFile` with the name (not the path) of every file in `folder` whose name matches
  // "*" + `extension` as the system's wildcard listing does.
  virtual void List(const std::u16string& folder, std::u16string_view extension,
                    const std::function<void(const std::u16string& name)>& onFile) = 0;
  // The same listing with each file's size and last-write time, from the listing itself.
  virtual void ListStamped(const std::u16string& folder, std::u16string_view extension,
                           const std::function<void(const std::u16string& name, const FileStamp& stamp)>& onFile) = 0;
};

}  // namespace zavra
