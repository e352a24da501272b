#include "store/PortableNote_win.h"

#include <commdlg.h>

#include <algorithm>
#include <cwchar>

#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include "store/StoreWin.h"

namespace zavra {

namespace {
constexpr size_t kPathBuffer = 260;
}  // namespace

RECT32 PrimaryWorkArea() {
  RECT area{};
  if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
    area = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  return FromWinRect(area);
}

NotePlacement DefaultPlacement(int32_t width, int32_t height, int32_t centreX, int32_t centreY) {
  NotePlacement placement;
  placement.width = width;
  placement.height = height;
  placement.centreX = centreX;
  placement.centreY = centreY;
  placement.workArea = PrimaryWorkArea();
  placement.random = CrtRandom;
  return placement;
}

std::optional<std::u16string> AskCopyPath(HWND owner, const NOTE_PAD& note, HINSTANCE strings) {
  std::wstring filter = LoadResString(IDS_NOTE_FILES_FILTER, strings);
  if (filter.empty()) filter = L"Note Files (*.zpn)|*.zpn||";
  std::replace(filter.begin(), filter.end(), L'|', L'\0');

  wchar_t file[kPathBuffer] = {};
  const std::u16string name = DefaultCopyFileName(note.text);
  std::wmemcpy(file, AsWide(name), std::min(name.size(), kPathBuffer - 1));

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = kPathBuffer;
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  ofn.lpstrDefExt = L"zpn";
  if (!::GetSaveFileNameW(&ofn)) return std::nullopt;
  return ToU16(file);
}

bool SaveCopyAs(HWND owner, const NOTE_PAD& note, HINSTANCE strings) {
  const std::optional<std::u16string> path = AskCopyPath(owner, note, strings);
  if (!path) return false;
  Win32FileSystem files;
  return WriteNoteFileTo(files, *path, note);
}

}  // namespace zavra
