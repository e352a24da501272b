// The sound and category-filter lists: rows, selections and what a choice means.
#include <gtest/gtest.h>

#include "schedule/PickerLists.h"

namespace zavra {
namespace {

TEST(SoundList, ChoicesBrowseAndCancel) {
  SoundList list(u"");
  EXPECT_EQ(list.RowCount(), 2u);
  EXPECT_EQ(list.Choose(1), SoundList::Step::kBrowse);
  EXPECT_EQ(list.BrowseEnded(std::nullopt), SoundList::Step::kNothing);
  EXPECT_EQ(list.selected(), 0u) << "a cancelled browse goes back";
  EXPECT_EQ(list.Choose(1), SoundList::Step::kBrowse);
  EXPECT_EQ(list.BrowseEnded(u"C:\\a.wav"), SoundList::Step::kPreview);
  EXPECT_EQ(list.RowCount(), 3u);
  EXPECT_EQ(list.selected(), 1u);
  EXPECT_EQ(list.path(), u"C:\\a.wav");

  // "(Inherit)" clears the path; a cancelled browse then returns to it, not to the file row.
  EXPECT_EQ(list.Choose(0), SoundList::Step::kPreview);
  EXPECT_EQ(list.path(), u"");
  EXPECT_EQ(list.Choose(2), SoundList::Step::kBrowse);
  list.BrowseEnded(std::nullopt);
  EXPECT_EQ(list.selected(), 0u);
  EXPECT_EQ(list.path(), u"");
  EXPECT_EQ(list.Choose(1), SoundList::Step::kPreview);
  EXPECT_EQ(list.path(), u"C:\\a.wav");
  // A new file replaces the file row.
  list.Choose(2);
  list.BrowseEnded(u"C:\\b.wav");
  EXPECT_EQ(list.customPath(), u"C:\\b.wav");
  EXPECT_EQ(list.RowCount(), 3u);
  EXPECT_EQ(SoundList(u"C:\\c.wav").selected(), 1u);
}

TEST(CategoryFilter, OwnRowElsePreviousRowWithinTheList) {
  const std::vector<int> ids = {-1, 0, 1, 10001};
  struct Case {
    int filter, previous, row;
  } cases[] = {{10001, 0, 3}, {-1, 3, 0}, {555, 2, 2}, {555, 9, 3}, {555, -1, 0}};
  for (const Case& c : cases) EXPECT_EQ(FilterRow(ids, c.filter, c.previous), c.row) << c.filter << " " << c.previous;
  EXPECT_EQ(FilterRow({}, 1, 0), -1);
}

}  // namespace
}  // namespace zavra
