#include <gtest/gtest.h>
#include "store/NoteRecord.h"

namespace zavra {

TEST(NoteRecord, NewNoteDefaultsMatchTheNewNoteRules) {
  NOTE_PAD note;
  EXPECT_EQ(note.id, 0u);
  EXPECT_EQ(note.category, 1);
  EXPECT_EQ(note.repeatKind, kRepeatNone);
  EXPECT_EQ(note.repeatInterval, 1);
  NOTE_CATE cate;
  EXPECT_EQ(cate.flags, 0x400u);
  EXPECT_EQ(cate.paperColor, 0xF0F0F0u);
  EXPECT_EQ(cate.variation, 15u);
}

TEST(NoteRecord, DateKeyPacksYearMonthDay) {
  EXPECT_EQ(DateKey(2026, 3, 8), (2026u << 16) | (3u << 8) | 8u);
}

}  // namespace zavra
