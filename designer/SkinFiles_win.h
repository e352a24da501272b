#pragma once
// The designer's skins on disk: saving a skin folder, listing and deleting skins, and moving
// a skin out to and in from a ".zps" file. None of these leaves a half-written file in place
// of a good one.
#include <span>
#include <string>
#include <vector>

#include "framework/Win.h"
#include "skin/SkinLayer.h"

namespace zavra {

// The user's documents folder + "ZaVRA Skins\", or "C:\ZaVRA Skins\" without one.
std::wstring DesignerSkinsFolder();
// skinsFolder + title + "\".
std::wstring SkinFolderOf(const std::wstring& skinsFolder, const std::wstring& title);

// Creates the skin folder when missing and writes its "layers" (replacing the old file only
// once the new one is complete). With an old folder that differs from the new one, the
// pictures stored by bare name are copied over from it; an existing picture is overwritten
// only when `overwritePictures`. False when the layers could not be written.
bool SaveSkinFolder(const std::wstring& skinFolder, std::span<const SLAYER> drawingOrder,
                    const std::wstring& oldFolder = {}, bool overwritePictures = false);

// The skins of the skins folder: its sub-folders whose names do not begin with ".", in the
// order the file system lists them.
std::vector<std::wstring> ListSkinTitles(const std::wstring& skinsFolder);
// Deletes a skin folder with everything in it through the shell (which reports its own
// errors to `owner`). Refuses titles that are not a single plain folder name.
bool DeleteSkinFolder(const std::wstring& skinsFolder, const std::wstring& title, HWND owner);

// Writes a ".zps" file of the skin through a temporary file that replaces `path` only when
// complete. 0, or kLayersIoError when a picture cannot be read in full or a write fails.
int ExportSkinFile(const std::wstring& path, std::span<const SLAYER> drawingOrder, const std::wstring& skinFolder);

// Reads a ".zps" file into the skin `title`: its pictures and "layers" are written into a
// hidden temporary folder of the skins folder, which then becomes the skin's folder (or, for
// an existing skin, whose files then replace the old ones); on failure it is removed and
// nothing else is touched. `layers` gets the layers the designer lists, bottom first. The
// results of ReadZps, or kLayersIoError.
int ImportSkinFile(const std::wstring& path, const std::wstring& skinsFolder, const std::wstring& title,
                   std::vector<SLAYER>& layers);

}  // namespace zavra
