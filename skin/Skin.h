#pragma once
// Loaded skins and their pictures: shared, reference-counted objects kept in the skin and
// picture lists, so every window that shows a title uses one copy and every picture is
// decoded once per process.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "skin/SkinLayer.h"

namespace zavra {

class SkinLibrary;

// A reference to a shared object: copying adds a reference, destruction releases one.
template <class T>
class SkinRef {
 public:
  SkinRef() = default;
  explicit SkinRef(T* p) : p_(p) {}  // adopts a reference already counted
  SkinRef(const SkinRef& o) : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  SkinRef(SkinRef&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  SkinRef& operator=(SkinRef o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~SkinRef() { reset(); }
  void reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  bool operator==(const SkinRef& o) const { return p_ == o.p_; }

 private:
  T* p_ = nullptr;
};

// A decoded picture as the platform holds it (a GDI+ bitmap on Windows).
class DecodedPicture {
 public:
  DecodedPicture(int width, int height, uint32_t frames, std::vector<uint32_t> delays)
      : width_(width), height_(height), frames_(frames ? frames : 1), delays_(std::move(delays)) {}
  DecodedPicture(const DecodedPicture&) = delete;
  DecodedPicture& operator=(const DecodedPicture&) = delete;
  virtual ~DecodedPicture() = default;
  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t frames() const { return frames_; }
  const std::vector<uint32_t>& delays() const { return delays_; }

 private:
  int width_;
  int height_;
  uint32_t frames_;
  std::vector<uint32_t> delays_;  // hundredths of a second, one per frame
};

// What the lists need from the platform.
class SkinSource {
 public:
  virtual ~SkinSource() = default;
  // The whole file, or nothing when it cannot be opened or read.
  virtual std::optional<std::vector<uint8_t>> ReadFile(const std::u16string& path) = 0;
  // The decoded picture, or nothing when the file cannot be decoded.
  virtual std::unique_ptr<DecodedPicture> LoadPicture(const std::u16string& path) = 0;
};

class SkinImage {
 public:
  SkinImage(const SkinImage&) = delete;
  SkinImage& operator=(const SkinImage&) = delete;

  const std::u16string& path() const { return path_; }
  int width() const { return picture_->width(); }
  int height() const { return picture_->height(); }
  uint32_t frames() const { return picture_->frames(); }
  bool animated() const { return picture_->frames() > 1; }
  // Hundredths of a second; 50 when the picture names no delay for the frame.
  uint32_t FrameDelay(uint32_t frame) const;
  DecodedPicture& picture() const { return *picture_; }
  int refs() const { return refs_; }

  void AddRef() { ++refs_; }
  void Release();

 private:
  friend class SkinLibrary;
  SkinImage(SkinLibrary* owner, std::u16string path, std::unique_ptr<DecodedPicture> picture)
      : owner_(owner), path_(std::move(path)), picture_(std::move(picture)) {}
  ~SkinImage() = default;

  SkinLibrary* owner_;
  std::u16string path_;
  std::unique_ptr<DecodedPicture> picture_;
  int refs_ = 1;
};

class Skin {
 public:
  Skin(const Skin&) = delete;
  Skin& operator=(const Skin&) = delete;

  const std::u16string& title() const { return title_; }
  const std::vector<SLAYER>& layers() const { return layers_; }
  size_t size() const { return layers_.size(); }
  const SLAYER& layer(size_t i) const { return layers_[i]; }
  // The picture of an Image layer; null for other kinds.
  SkinImage* image(size_t i) const { return images_[i].get(); }
  const SLAYER& paper() const { return layers_[paper_]; }
  bool fixedSize() const { return (paper().u.paper.sizeMode & 1) != 0; }
  // State bits whose change can alter what the skin shows.
  uint32_t stateMask() const { return stateMask_; }
  int refs() const { return refs_; }

  void AddRef() { ++refs_; }
  void Release();

 private:
  friend class SkinLibrary;
  Skin(SkinLibrary* owner, std::u16string title) : owner_(owner), title_(std::move(title)) {}
  ~Skin() = default;

  SkinLibrary* owner_;
  std::u16string title_;
  std::vector<SLAYER> layers_;
  std::vector<SkinRef<SkinImage>> images_;  // parallel to layers_
  size_t paper_ = 0;
  uint32_t stateMask_ = 0;
  int refs_ = 1;
};

using SkinPtr = SkinRef<Skin>;
using SkinImagePtr = SkinRef<SkinImage>;

// The skin and picture lists. Titles and paths are compared case-insensitively.
class SkinLibrary {
 public:
  // `skinsFolder` ends with a backslash; the folder of title T is skinsFolder + T + "\".
  SkinLibrary(std::u16string skinsFolder, SkinSource& source);
  SkinLibrary(const SkinLibrary&) = delete;
  SkinLibrary& operator=(const SkinLibrary&) = delete;
  // Empties both lists; objects still referenced live on until their last release.
  ~SkinLibrary();

  // Never fails: anything that goes wrong yields the shared default skin (empty title).
  SkinPtr GetSkin(std::u16string_view title);
  // Null when the file cannot be decoded.
  SkinImagePtr GetPicture(std::u16string_view path);
  // A skin built from records that are not (yet) a file, such as the designer's document,
  // with pictures from the picture list; it is not put into the skin list. `folder` is where
  // bare picture names are found (empty: nowhere). Null when no paper remains.
  SkinPtr MakeSkin(std::u16string title, const std::vector<SLAYER>& records, std::u16string_view folder);

  size_t skinCount() const { return skins_.size(); }
  size_t pictureCount() const { return pictures_.size(); }
  const std::u16string& skinsFolder() const { return skinsFolder_; }

 private:
  friend class Skin;
  friend class SkinImage;
  void Forget(Skin* skin);
  void Forget(SkinImage* image);
  SkinPtr Load(std::u16string_view title);
  // Keeps the records that can show; false when no paper remains.
  bool Build(Skin& skin, const std::vector<SLAYER>& records, std::u16string_view folder);
  SkinPtr Adopt(Skin* skin);

  std::u16string skinsFolder_;
  SkinSource& source_;
  std::map<std::u16string, Skin*> skins_;          // by folded title
  std::map<std::u16string, SkinImage*> pictures_;  // by folded path
  std::vector<Skin*> made_;                        // skins of MakeSkin, outside the list
};

}  // namespace zavra
