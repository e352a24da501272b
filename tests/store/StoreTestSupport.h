#pragma once
// Shared helpers of the store tests: a private temporary data folder, byte builders for
// hand-made files, a file system that fails on demand and an observer that records.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "store/PortableFileSystem.h"
#include "store/StoreObserver.h"

namespace zavra::test {

using Bytes = std::vector<uint8_t>;

// A fresh folder under the system temp folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("zavra-store-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  // With the trailing separator the store expects.
  std::u16string folder() const { return (path_ / "").u16string(); }
  std::filesystem::path file(const std::string& name) const { return path_ / name; }

  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) names.insert(e.path().filename().string());
    return names;
  }
  Bytes Read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  void Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream out(file(name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

 private:
  std::filesystem::path path_;
};

inline void Put16(Bytes& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void PutRecord(Bytes& b, uint16_t tag, const Bytes& content, uint16_t unused = 0) {
  Put16(b, tag);
  Put16(b, unused);
  Put32(b, static_cast<uint32_t>(content.size()));
  b.insert(b.end(), content.begin(), content.end());
}
inline Bytes Utf16Bytes(const std::u16string& s) {
  Bytes b;
  for (char16_t c : s) Put16(b, c);
  return b;
}

// Wraps a real file system and fails where told: after a budget of written bytes, at commit,
// at replace, or with "exists" for every create-new.
class FaultyFileSystem : public IFileSystem {
 public:
  explicit FaultyFileSystem(IFileSystem& inner) : inner_(inner) {}

  long long writeBudget = -1;  // bytes that may still be written; -1 = no limit
  bool failCommit = false;
  bool failReplace = false;
  bool everyNewExists = false;
  int createNewCalls = 0;
  int reads = 0;
  std::set<std::u16string> createdNew;

  bool Read(const std::u16string& path, std::vector<uint8_t>& out, size_t maxBytes) override {
    ++reads;
    return inner_.Read(path, out, maxBytes);
  }
  std::unique_ptr<IWriteFile> Create(const std::u16string& path, CreateMode mode, CreateError* error) override {
    if (mode == CreateMode::kNew) {
      ++createNewCalls;
      createdNew.insert(path);
      if (everyNewExists) {
        if (error) *error = CreateError::kExists;
        return nullptr;
      }
    }
    auto file = inner_.Create(path, mode, error);
    if (!file) return nullptr;
    return std::make_unique<File>(*this, std::move(file));
  }
  bool Replace(const std::u16string& from, const std::u16string& to) override {
    return !failReplace && inner_.Replace(from, to);
  }
  bool Rename(const std::u16string& from, const std::u16string& to) override { return inner_.Rename(from, to); }
  bool Remove(const std::u16string& path) override { return inner_.Remove(path); }
  bool Exists(const std::u16string& path) override { return inner_.Exists(path); }
  bool CreateFolders(const std::u16string& folder) override { return inner_.CreateFolders(folder); }
  void List(const std::u16string& folder, std::u16string_view extension,
            const std::function<void(const std::u16string& name)>& onFile) override {
    inner_.List(folder, extension, onFile);
  }
  void ListStamped(const std::u16string& folder, std::u16string_view extension,
                   const std::function<void(const std::u16string& name, const FileStamp& stamp)>& onFile) override {
    inner_.ListStamped(folder, extension, onFile);
  }

 private:
  class File : public IWriteFile {
   public:
    File(FaultyFileSystem& owner, std::unique_ptr<IWriteFile> inner) : owner_(owner), inner_(std::move(inner)) {}
    bool Write(const uint8_t* data, size_t size) override {
      if (owner_.writeBudget < 0) return inner_->Write(data, size);
      const size_t allowed = std::min<size_t>(size, static_cast<size_t>(owner_.writeBudget));
      owner_.writeBudget -= static_cast<long long>(allowed);
      return inner_->Write(data, allowed) && allowed == size;
    }
    bool Commit() override { return inner_->Commit() && !owner_.failCommit; }

   private:
    FaultyFileSystem& owner_;
    std::unique_ptr<IWriteFile> inner_;
  };
  IFileSystem& inner_;
};

// Records every announcement in order, e.g. "changed 7", "saved 7", "deleted 7", "categories".
class RecordingObserver : public StoreObserver {
 public:
  std::vector<std::string> events;
  std::vector<NOTE_PAD> changed;
  void OnNoteChanged(const NOTE_PAD& note) override {
    events.push_back("changed " + std::to_string(note.id));
    changed.push_back(note);
  }
  void OnNoteDeleted(uint32_t id) override { events.push_back("deleted " + std::to_string(id)); }
  void OnCategoriesChanged() override { events.push_back("categories"); }
  void OnNoteSaved(const NOTE_PAD& note) override { events.push_back("saved " + std::to_string(note.id)); }
};

}  // namespace zavra::test
