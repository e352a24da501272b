#include "store/Category.h"

#include <algorithm>
#include <cstring>

namespace zavra {

COLORREF EffectivePaperColor(const NOTE_CATE& cate, const NOTE_PAD& note) {
  const uint32_t v = cate.variation & 0xFF;
  if (v == 0) return cate.paperColor;

  // Up to six characters spread over the text, as a C string would be walked.
  const size_t end = std::min(note.text.find(u'\0'), note.text.size());
  const size_t step = std::max<size_t>(end / 6, 1);
  uint16_t h[3] = {0, 0, 0};
  for (size_t k = 0, at = 0; k < 6 && at < end; ++k, at += step) h[k % 3] ^= static_cast<uint16_t>(note.text[at]);

  const uint32_t s = static_cast<uint32_t>(static_cast<uint64_t>(note.created) & 0xFFFF);
  COLORREF result = cate.paperColor & 0xFF000000u;
  for (int channel = 0; channel < 3; ++channel) {
    const uint32_t b = (cate.paperColor >> (8 * channel)) & 0xFF;
    const uint32_t low = v >= b ? 0 : b - v;
    const uint32_t high = b + v > 254 ? 255 : b + v;
    const uint32_t value = low + ((s ^ h[channel]) % (high - low + 1));
    result |= value << (8 * channel);
  }
  return result;
}

void ApplyCategoryDefaults(NOTE_PAD& note, const NOTE_CATE& cate, bool full) {
  if (!(note.flags & kNoteOwnIcon)) note.icon = cate.icon;
  if (!(note.flags & kNoteOwnPaperColor)) note.paperColor = EffectivePaperColor(cate, note);
  if (!(note.flags & kNoteOwnTextColor)) note.textColor = cate.textColor;
  if (!full) return;
  if (!(note.flags & kNoteOwnFont)) note.font = cate.font;
  if (!(note.flags & kNoteOwnSkin)) note.skin = cate.skin;
}

int CompareNamesNoCase(const std::u16string& a, const std::u16string& b) {
  const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const char16_t x = lower(a[i]), y = lower(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void SortCategories(std::vector<NOTE_CATE>& list) {
  std::stable_sort(list.begin(), list.end(), [](const NOTE_CATE& a, const NOTE_CATE& b) {
    const bool aBuiltIn = a.id < kFirstUserCategory, bBuiltIn = b.id < kFirstUserCategory;
    if (aBuiltIn != bBuiltIn) return aBuiltIn;
    return CompareNamesNoCase(a.name, b.name) < 0;
  });
}

void CategoryList::RebuildIndex() {
  indexById.clear();
  for (size_t i = 0; i < items.size(); ++i) indexById.emplace(items[i].id, i);
}

const NOTE_CATE* CategoryList::Find(uint32_t id) const {
  const auto it = indexById.find(id);
  return it == indexById.end() ? nullptr : &items[it->second];
}

const NOTE_CATE& CategoryList::Resolve(uint32_t id) const {
  if (const NOTE_CATE* c = Find(id)) return *c;
  if (const NOTE_CATE* c = Find(kUnsortedCategory)) return *c;
  static const NOTE_CATE fallback = [] {
    NOTE_CATE c;
    c.id = kUnsortedCategory;
    return c;
  }();
  return fallback;
}

}  // namespace zavra
