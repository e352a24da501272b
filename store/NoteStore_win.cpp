#include <algorithm>

#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include "store/NoteText.h"
#include "store/StoreWin.h"

namespace zavra {

bool DeleteNoteWithConfirmation(NoteStore& store, const NOTE_PAD& note, HWND owner, HINSTANCE strings) {
  // The record may be gone when the box returns (its window deleted meanwhile): read it first.
  const uint32_t id = note.id;
  const std::wstring text = LoadResString(IDS_DELETE_QUESTION, strings) + L"\r\n" + ToWide(FirstLine(note.text));
  const std::wstring caption = LoadResString(IDS_CONFIRM, strings);
  if (::MessageBoxW(owner, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
  return store.DeleteNote(id);
}

zavra::LOGFONTW UnsortedCategoryFont() {
  ::LOGFONTW font{};
  if (!::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) font = ::LOGFONTW{};
  font.lfWeight = std::max<LONG>(font.lfWeight, FW_BOLD);
  return FromWinFont(font);
}

void SetUnsortedDefaultsFromSystem(NoteStore& store, HINSTANCE strings) {
  std::u16string name = ToU16(LoadResString(IDS_UNSORTED, strings));
  if (name.empty()) name = u"Unsorted";
  store.SetUnsortedDefaults(std::move(name), UnsortedCategoryFont());
}

}  // namespace zavra
