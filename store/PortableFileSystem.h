#pragma once
// The file interface over the C library and std::filesystem: the native tests and the
// benchmarks use it. It flushes but cannot force data to the disk, and its create-new is not
// atomic against other processes; the program itself uses the Win32 implementation.
#include <string>

#include "store/FileSystem.h"

namespace zavra {

class PortableFileSystem : public IFileSystem {
 public:
  bool Read(const std::u16string& path, std::vector<uint8_t>& out, size_t maxBytes) override;
  std::unique_ptr<IWriteFile> Create(const std::u16string& path, CreateMode mode, CreateError* error) override;
  bool Replace(const std::u16string& from, const std::u16string& to) override;
  bool Rename(const std::u16string& from, const std::u16string& to) override;
  bool Remove(const std::u16string& path) override;
  bool Exists(const std::u16string& path) override;
  bool CreateFolders(const std::u16string& folder) override;
  void List(const std::u16string& folder, std::u16string_view extension,
            const std::function<void(const std::u16string& name)>& onFile) override;
  void ListStamped(const std::u16string& folder, std::u16string_view extension,
                   const std::function<void(const std::u16string& name, const FileStamp& stamp)>& onFile) override;
};

// Case-insensitive (ASCII) test that `name` ends with `extension`.
bool EndsWithNoCase(std::u16string_view name, std::u16string_view extension);

}  // namespace zavra
