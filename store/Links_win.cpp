#include "store/Links_win.h"

#include <shlwapi.h>

#include <cwchar>

#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include "store/StoreNames.h"

namespace zavra {

namespace {

// The shell's path helpers work in place on a buffer of the path limit; only links shorter
// than it get here.
struct PathBuffer {
  explicit PathBuffer(const std::u16string& link) {
    std::wmemcpy(text, AsWide(link), link.size());
    text[link.size()] = L'\0';
  }
  // Splits off the arguments and the quotes around the program or document.
  std::wstring TakeArguments() {
    std::wstring args = ::PathGetArgsW(text);
    ::PathRemoveArgsW(text);
    ::PathUnquoteSpacesW(text);
    return args;
  }
  wchar_t text[kMaxLinkLength] = {};
};

bool Usable(const std::u16string& link) { return !link.empty() && link.size() < kMaxLinkLength; }

IconHandle SchemeIcon(const std::u16string& url) {
  wchar_t scheme[64] = {};
  DWORD length = ARRAYSIZE(scheme);
  if (FAILED(::UrlGetPartW(AsWide(url), scheme, &length, URL_PART_SCHEME, 0)) || !scheme[0]) return {};
  // RRF_RT_REG_SZ also takes REG_EXPAND_SZ values, expanded ("%SystemRoot%\\...").
  const std::wstring key = std::wstring(scheme) + L"\\DefaultIcon";
  wchar_t value[1024] = {};
  DWORD bytes = sizeof value - sizeof(wchar_t);
  if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                     &bytes) != ERROR_SUCCESS)
    return {};
  const IconLocation location = ParseIconLocation(ToU16(value));
  if (location.file.empty()) return {};
  HICON small = nullptr;
  if (::ExtractIconExW(AsWide(location.file), location.index, nullptr, &small, 1) == 0 || !small) return {};
  return IconHandle(small);
}

IconHandle ShellIcon(const std::u16string& link) {
  PathBuffer path(link);
  path.TakeArguments();
  SHFILEINFOW info{};
  if (!::SHGetFileInfoW(path.text, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) return {};
  return IconHandle(info.hIcon);
}

}  // namespace

intptr_t LaunchLink(const std::u16string& link, const OpenNoteFn& openNote) {
  if (!Usable(link)) return 0;
  if (OpenNoteLink(link, openNote)) return kNoteLinkLaunched;
  if (::PathIsURLW(AsWide(link)))
    return reinterpret_cast<intptr_t>(::ShellExecuteW(nullptr, L"open", AsWide(link), nullptr, nullptr, SW_SHOWNORMAL));
  PathBuffer path(link);
  const std::wstring args = path.TakeArguments();
  return reinterpret_cast<intptr_t>(
      ::ShellExecuteW(nullptr, L"open", path.text, args.empty() ? nullptr : args.c_str(), nullptr, SW_SHOWNORMAL));
}

intptr_t QuickLaunch(const NOTE_PAD& note, const OpenNoteFn& openNote) {
  if (!note.link.empty()) return LaunchLink(note.link, openNote);
  if (openNote && note.id != 0) openNote(note.id);
  return kNoteLinkLaunched;
}

IconHandle LinkIcon(const std::u16string& link, const std::u16string& dataFolder, HINSTANCE program) {
  if (!Usable(link)) return {};
  if (const uint32_t id = NoteLinkId(link); id != 0) {
    const std::u16string file = dataFolder + StoreFileName(StoreKind::kNote, id);
    if (::GetFileAttributesW(AsWide(file)) != INVALID_FILE_ATTRIBUTES) {
      HINSTANCE module = program ? program : ::GetModuleHandleW(nullptr);
      return IconHandle(static_cast<HICON>(
          ::LoadImageW(module, MAKEINTRESOURCEW(IDI_NOTE_FILE), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    }
  }
  if (::PathIsURLW(AsWide(link))) return SchemeIcon(link);
  return ShellIcon(link);
}

}  // namespace zavra
