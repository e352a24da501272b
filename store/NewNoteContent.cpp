#include "store/NewNoteContent.h"

#include "store/HtmlFragment.h"
#include "store/NoteLink.h"
#include "store/NoteText.h"

namespace zavra {

void ContentFromClipboard(const ClipboardContent& clip, const IsUrlFn& isUrl, std::u16string& text,
                          std::u16string& link) {
  text.clear();
  link.clear();
  if (clip.hasDrop && !clip.dropPath.empty()) {
    link = clip.dropUrl;
    if (link.empty()) link = u"\"" + clip.dropPath + u"\"";
    text = FileTitleOf(clip.dropPath);
  } else if (!clip.html.empty()) {
    HtmlAnchor anchor = ReadHtmlClipboardAnchor(clip.html.data(), clip.html.size());
    text = std::move(anchor.text);
    link = std::move(anchor.link);
  }
  if (!text.empty() || !clip.hasText) return;
  text = clip.text;
  if (clip.noteId) {
    link = MakeNoteLink(*clip.noteId);
    return;
  }
  // An anchor without visible text keeps its target; otherwise the text may start with a URL.
  if (!link.empty()) return;
  std::u16string word = FirstWord(text);
  if (word.size() < kMaxLinkLength && isUrl && isUrl(word)) link = std::move(word);
}

void FillNewNoteContent(NOTE_PAD& note, const std::u16string* givenText, const ClipboardContent* clip,
                        const IsUrlFn& isUrl, const std::u16string& newNoteText) {
  note.text.clear();
  note.link.clear();
  if (givenText) note.text = *givenText;
  else if (clip) ContentFromClipboard(*clip, isUrl, note.text, note.link);
  if (note.text.empty()) note.text = newNoteText;
}

}  // namespace zavra
