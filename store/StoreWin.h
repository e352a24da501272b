#pragma once
// The Win32 side of the store: kernel file calls, the identifier key in the registry, the
// delete question and the system font given to a new "Unsorted".
#include <cstddef>

#include "framework/Win.h"
#include "store/FileSystem.h"
#include "store/NoteRecord.h"
#include "store/NoteStore.h"
#include "store/Registry.h"

namespace zavra {

// The portable stand-ins are stored in files byte for byte, so they must be the real thing.
static_assert(sizeof(zavra::LOGFONTW) == sizeof(::LOGFONTW));
static_assert(offsetof(zavra::LOGFONTW, lfWeight) == offsetof(::LOGFONTW, lfWeight));
static_assert(offsetof(zavra::LOGFONTW, lfItalic) == offsetof(::LOGFONTW, lfItalic));
static_assert(offsetof(zavra::LOGFONTW, lfPitchAndFamily) == offsetof(::LOGFONTW, lfPitchAndFamily));
static_assert(offsetof(zavra::LOGFONTW, lfFaceName) == offsetof(::LOGFONTW, lfFaceName));
static_assert(sizeof(zavra::COLORREF) == sizeof(::COLORREF));
static_assert(sizeof(RECT32) == sizeof(::RECT));

::LOGFONTW ToWinFont(const zavra::LOGFONTW& font);
zavra::LOGFONTW FromWinFont(const ::LOGFONTW& font);
// Note and category files keep font heights at 96 DPI: a stored font as it is drawn or picked at
// `dpi`, and a font picked at `dpi` as it is stored. An empty face stands for the icon-title font.
::LOGFONTW ToWinFontAt(const zavra::LOGFONTW& font, uint32_t dpi);
zavra::LOGFONTW FromWinFontAt(const ::LOGFONTW& font, uint32_t dpi);
inline ::RECT ToWinRect(const RECT32& r) { return ::RECT{r.left, r.top, r.right, r.bottom}; }
inline RECT32 FromWinRect(const ::RECT& r) { return RECT32{r.left, r.top, r.right, r.bottom}; }

class Win32FileSystem : public IFileSystem {
 public:
  bool Read(const std::u16string& path, std::vector<uint8_t>& out, size_t maxBytes) override;
  std::unique_ptr<IWriteFile> Create(const std::u16string& path, CreateMode mode, CreateError* error) override;
  bool Replace(const std::u16string& from, const std::u16string& to) override;
  bool Rename(const std::u16string& from, const std::u16string& to) override;
  bool Remove(const std::u16string& path) override;
  bool Exists(const std::u16string& path) override;
  bool CreateFolders(const std::u16string& folder) override;
  // Also drops names that matched the wildcard only through their short 8.3 name.
  void List(const std::u16string& folder, std::u16string_view extension,
            const std::function<void(const std::u16string& name)>& onFile) override;
  void ListStamped(const std::u16string& folder, std::u16string_view extension,
                   const std::function<void(const std::u16string& name, const FileStamp& stamp)>& onFile) override;
};

// The identifier and settings keys under a root key; tests give their own paths.
class Win32Registry : public IRegistry {
 public:
  explicit Win32Registry(std::u16string idKeyPath = kIdKeyPath, std::u16string settingsKeyPath = kSettingsKeyPath,
                         HKEY root = HKEY_CURRENT_USER);
  std::unique_ptr<IRegistryKey> OpenIdKey() override;
  std::unique_ptr<IRegistryKey> OpenSettingsKey() override;

 private:
  std::u16string idKeyPath_;
  std::u16string settingsKeyPath_;
  HKEY root_;
};

// Asks "Are you sure ...?" with the note's first line, owned by `owner`; deletes only on Yes.
// `strings` is the module with the string table (null: this program).
bool DeleteNoteWithConfirmation(NoteStore& store, const NOTE_PAD& note, HWND owner, HINSTANCE strings = nullptr);

// The system's icon-title font, at least bold: the font of a new "Unsorted".
zavra::LOGFONTW UnsortedCategoryFont();
// Gives the store the "Unsorted" name from the string table and the font above.
void SetUnsortedDefaultsFromSystem(NoteStore& store, HINSTANCE strings = nullptr);

}  // namespace zavra
