#include "notewnd/NoteIcons_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include "store/StoreWin.h"

namespace zavra {

IconHandle StripIcon(const std::wstring& folder, uint32_t index) {
  if (index == 0) return {};
  const std::wstring path = folder + L"icons.bmp";
  // CLR_DEFAULT takes the top-left pixel as the transparent colour.
  ImageListHandle strip(::ImageList_LoadImageW(nullptr, path.c_str(), kIconStripCell, 0, CLR_DEFAULT, IMAGE_BITMAP,
                                               LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!strip || static_cast<int>(index) >= ::ImageList_GetImageCount(strip.get())) return {};
  return IconHandle(::ImageList_GetIcon(strip.get(), static_cast<int>(index), ILD_NORMAL));
}

uint32_t NoteLinkId(const std::u16string& link) {
  constexpr std::u16string_view prefix = u"note:";
  if (link.size() <= prefix.size() || link.size() > prefix.size() + 10) return 0;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char16_t c = link[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    if (c != prefix[i]) return 0;
  }
  uint64_t id = 0;
  for (size_t i = prefix.size(); i < link.size(); ++i) {
    if (link[i] < u'0' || link[i] > u'9') return 0;
    id = id * 10 + (link[i] - u'0');
  }
  return id <= 0xFFFFFFFFu ? static_cast<uint32_t>(id) : 0;
}

bool HasUrlScheme(std::u16string_view link) {
  // Two characters at least, so that a drive letter is a path.
  const size_t colon = link.find(u':');
  if (colon == std::u16string_view::npos || colon < 2) return false;
  for (size_t i = 0; i < colon; ++i) {
    const char16_t c = link[i];
    const bool alpha = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    const bool other = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
    if (!alpha && (i == 0 || !other)) return false;
  }
  return true;
}

namespace {

IconHandle SchemeIcon(const std::wstring& url) {
  const size_t colon = url.find(L':');
  if (colon == std::wstring::npos || colon == 0) return {};
  const std::wstring key = url.substr(0, colon) + L"\\DefaultIcon";
  wchar_t value[MAX_PATH * 2] = {};
  DWORD bytes = sizeof value - sizeof(wchar_t);
  // RRF_RT_REG_SZ also takes REG_EXPAND_SZ values, expanded.
  if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
    return {};
  std::wstring file = value;
  int index = 0;
  if (const size_t comma = file.rfind(L','); comma != std::wstring::npos) {
    index = _wtoi(file.c_str() + comma + 1);
    file.resize(comma);
  }
  std::wstring clean;
  for (wchar_t c : file)
    if (c != L'"' && c != L' ') clean += c;
  HICON small = nullptr;
  if (clean.empty() || ::ExtractIconExW(clean.c_str(), index, nullptr, &small, 1) == 0) return {};
  return IconHandle(small);
}

IconHandle PathIcon(const std::wstring& link) {
  wchar_t path[MAX_PATH] = {};
  if (link.size() >= MAX_PATH) return {};
  link.copy(path, link.size());
  ::PathRemoveArgsW(path);
  ::PathUnquoteSpacesW(path);
  if (!path[0]) return {};
  SHFILEINFOW info{};
  if (!::SHGetFileInfoW(path, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) return {};
  return IconHandle(info.hIcon);
}

}  // namespace

IconHandle LinkIcon(const std::u16string& link, NoteStore& store) {
  if (link.empty() || link.size() >= kMaxLinkChars) return {};
  if (const uint32_t id = NoteLinkId(link)) {
    const std::u16string file = store.PathOf(StoreKind::kNote, id);
    if (::GetFileAttributesW(AsWide(file)) == INVALID_FILE_ATTRIBUTES) return {};
    return IconHandle(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_NOTE_FILE), IMAGE_ICON, 16, 16, 0)));
  }
  const std::wstring wide = ToWide(link);
  if (HasUrlScheme(link)) return SchemeIcon(wide);
  return PathIcon(wide);
}

FontHandle NoteFont(const zavra::LOGFONTW* face, bool clearType) {
  ::LOGFONTW lf{};
  ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0);
  if (face && face->lfFaceName[0]) lf = ToWinFont(*face);
  lf.lfQuality = clearType ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
  FontHandle font(::CreateFontIndirectW(&lf));
  if (!font && face) return NoteFont(nullptr, clearType);
  return font;
}

int LineHeight(HFONT font) {
  HDC screen = ::GetDC(nullptr);
  TEXTMETRICW tm{};
  {
    SelectObjectScope select(screen, font);
    ::GetTextMetricsW(screen, &tm);
  }
  ::ReleaseDC(nullptr, screen);
  return tm.tmHeight > 0 ? tm.tmHeight : 16;
}

}  // namespace zavra
