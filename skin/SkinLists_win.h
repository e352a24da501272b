#pragma once
// The process-wide skin and picture lists, reading skin folders and decoding pictures from disk.
#include <string>
#include <string_view>

#include "skin/Skin.h"

namespace zavra {

// Sets the skins folder (ending with a backslash) that titles are looked up in. Called once
// at start-up, after GDI+ has started.
void InitSkinLists(const std::wstring& skinsFolder);
// The lists; before InitSkinLists they know only the default skin and full picture paths.
SkinLibrary& SkinLists();
// Empties both lists; call before GDI+ shuts down.
void FreeSkinLists();

// A skin by title with one more reference; the default skin when anything goes wrong.
inline SkinPtr GetSkinByTitle(std::wstring_view title) {
  return SkinLists().GetSkin(std::u16string(title.begin(), title.end()));
}

}  // namespace zavra
