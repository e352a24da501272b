#pragma once
#include <string>

namespace zavra {

// The program's folders; every path ends with a backslash.
struct AppFolders {
  std::wstring program;
  std::wstring data;
  std::wstring skins;
  std::wstring iconStrip;  // program + "icons.bmp"
};

// Computes the folders and creates the data folder (one level); `createdData` tells a first run.
AppFolders PrepareFolders(bool& createdData);

}  // namespace zavra
