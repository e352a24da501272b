#pragma once
// What a category gives its notes, and the order in which categories are shown.
#include <cstdint>
#include <map>
#include <vector>

#include "store/NoteRecord.h"

namespace zavra {

inline constexpr uint32_t kUnsortedCategory = 1;
inline constexpr uint32_t kFirstUserCategory = 10001;
inline constexpr uint32_t kLastCategory = 65535;

// The category's paper colour, varied per note by a hash of the text and the created time so
// that neighbouring notes of one category can be told apart.
COLORREF EffectivePaperColor(const NOTE_CATE& cate, const NOTE_PAD& note);

// Fills the look the note does not own from its category; `full` also takes font and skin.
void ApplyCategoryDefaults(NOTE_PAD& note, const NOTE_CATE& cate, bool full);

// wcsicmp-style comparison: ASCII letters fold to lower case, everything else by code unit.
int CompareNamesNoCase(const std::u16string& a, const std::u16string& b);

// Display order: ids up to 10000 first, then the rest, each group by name without regard to
// case; equal names keep their order (stable).
void SortCategories(std::vector<NOTE_CATE>& list);

// The categories in display order, with a lookup by id.
struct CategoryList {
  std::vector<NOTE_CATE> items;
  std::map<uint32_t, size_t> indexById;

  void RebuildIndex();
  const NOTE_CATE* Find(uint32_t id) const;
  // The category of that id, else "Unsorted" (which the store keeps in every list it loads).
  const NOTE_CATE& Resolve(uint32_t id) const;
};

}  // namespace zavra
