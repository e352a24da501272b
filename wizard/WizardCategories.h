#pragma once
// The categories the wizard offers, read from the data folder without writing to it: a damaged
// file is skipped where it lies and a missing "Unsorted" is only shown, never created.
#include <string>
#include <vector>

#include "store/FileSystem.h"
#include "store/NoteRecord.h"

namespace zavra {

// Every readable "*.qcf" of `dataFolder` in display order, with "Unsorted" (id 1, named
// `unsortedName`) in front when no file holds it. Only id and name are filled.
std::vector<NOTE_CATE> ReadWizardCategories(IFileSystem& files, const std::u16string& dataFolder,
                                            const std::u16string& unsortedName);

}  // namespace zavra
