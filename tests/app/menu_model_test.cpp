#include <gtest/gtest.h>
#include "app/MenuModel.h"
#include <map>

namespace zavra {
namespace {

NOTE_CATE Cate(uint32_t id, const char16_t* name, uint16_t icon) {
  NOTE_CATE c;
  c.id = id;
  c.name = name;
  c.icon = icon;
  return c;
}

CategoryList Categories(std::vector<NOTE_CATE> items) {
  CategoryList list;
  list.items = std::move(items);
  list.RebuildIndex();
  return list;
}

struct Notes {
  std::map<uint32_t, NOTE_PAD> byId;
  std::function<std::optional<NOTE_PAD>(uint32_t)> loader() {
    return [this](uint32_t id) -> std::optional<NOTE_PAD> {
      auto it = byId.find(id);
      if (it == byId.end()) return std::nullopt;
      return it->second;
    };
  }
  void Add(uint32_t id, const char16_t* text, uint16_t category, uint32_t flags = 0, uint16_t icon = 0) {
    NOTE_PAD n;
    n.id = id;
    n.text = text;
    n.category = category;
    n.flags = flags;
    n.icon = icon;
    byId[id] = n;
  }
};

TEST(TrayMenu, OneCategoryKeepsPlainItems) {
  Notes notes;
  const auto plan = PlanTrayMenu(Categories({Cate(1, u"Unsorted", 3)}), {}, notes.loader(), 0, 0, u"All of Interest",
                                 u"All Categories");
  EXPECT_TRUE(plan.newNoteRows.empty());
  EXPECT_TRUE(plan.padRows.empty());
  EXPECT_TRUE(plan.actions.empty());
  EXPECT_EQ(plan.defaultCommand, kCmdNewNote);
}

TEST(TrayMenu, SeveralCategoriesBuildBothSubmenusAndRecentRowsNumberedAfterThem) {
  Notes notes;
  notes.Add(40, u"Buy milk. Then eggs", 10001);
  notes.Add(41, u"Call Anna\nabout the trip", 5, kNoteOwnIcon, 17);
  const auto cats = Categories({Cate(1, u"Unsorted", 1), Cate(5, u"Zeta", 5), Cate(10001, u"Alpha", 7)});
  const auto plan = PlanTrayMenu(cats, {40, 99, 41}, notes.loader(), 0, 2, u"All of Interest", u"All Categories");

  ASSERT_EQ(plan.newNoteRows.size(), 3u);
  EXPECT_EQ(plan.newNoteRows[1].text, u"Zeta");
  EXPECT_EQ(plan.newNoteRows[1].command, kFirstDynamicCommand + 1);
  ASSERT_EQ(plan.padRows.size(), 5u);
  EXPECT_EQ(plan.padRows[0].text, u"All of Interest");
  EXPECT_EQ(plan.padRows[0].command, kFirstDynamicCommand + 3);
  EXPECT_EQ(plan.padRows[1].value, 0);
  EXPECT_EQ(plan.padRows[4].value, 10001);

  ASSERT_EQ(plan.recentRows.size(), 2u);
  EXPECT_EQ(plan.recentRows[0].text, u"Buy milk.");
  EXPECT_EQ(plan.recentRows[0].iconIndex, 7) << "the category's icon";
  EXPECT_EQ(plan.recentRows[1].iconIndex, 17) << "the note's own icon";
  EXPECT_EQ(plan.recentRows[0].command, kFirstDynamicCommand + 8);
  EXPECT_EQ(plan.droppedRecent, std::vector<uint32_t>{99});
  EXPECT_EQ(plan.defaultCommand, kCmdOpenCalendar);

  // Every dynamic command resolves to what its row promises.
  const std::vector<std::pair<MenuAction, int32_t>> expected{
      {MenuAction::NewNoteInCategory, 1}, {MenuAction::NewNoteInCategory, 5}, {MenuAction::NewNoteInCategory, 10001},
      {MenuAction::OpenPad, -1},          {MenuAction::OpenPad, 0},           {MenuAction::OpenPad, 1},
      {MenuAction::OpenPad, 5},           {MenuAction::OpenPad, 10001},       {MenuAction::OpenRecentNote, 40},
      {MenuAction::OpenRecentNote, 41}};
  ASSERT_EQ(plan.actions.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(plan.actions[i].action, expected[i].first) << "row " << i;
    EXPECT_EQ(plan.actions[i].value, expected[i].second) << "row " << i;
  }
}

TEST(TrayMenu, HeldNotesMakeReleaseTheDefault) {
  Notes notes;
  const auto plan = PlanTrayMenu(Categories({Cate(1, u"Unsorted", 0)}), {}, notes.loader(), 3, 1, u"a", u"b");
  EXPECT_TRUE(plan.heldNotes);
  EXPECT_EQ(plan.defaultCommand, kCmdRelease);
  EXPECT_EQ(ReleaseAllText(u"Release All", 3), u"Release All (3)");
  const auto plain = PlanTrayMenu(Categories({Cate(1, u"Unsorted", 0)}), {}, notes.loader(), 0, 1, u"a", u"b");
  EXPECT_EQ(plain.defaultCommand, kCmdOpenPad);
}

TEST(TrayMenu, TipShowsTheHeldCountAndIsCut) {
  EXPECT_EQ(TrayTip(u"Note Zavra", 0, u"%i On Hold"), u"Note Zavra");
  EXPECT_EQ(TrayTip(u"Note Zavra", 1, u"%i On Hold"), u"Note Zavra\n1 On Hold");
  EXPECT_EQ(TrayTip(std::u16string(200, u'x'), 2, u"%i On Hold").size(), 127u);
}

TEST(QuickMenu, SortedRowsUnderACategoryHeader) {
  std::vector<NOTE_PAD> notes(3);
  notes[0].id = 7;
  notes[0].text = u"banana";
  notes[1].id = 8;
  notes[1].text = u"Apple pie. Bake";
  notes[2].id = 9;
  notes[2].text = u"cherry";
  NOTE_CATE cate = Cate(4, u"Food", 2);
  cate.textColor = 0x112233;
  cate.paperColor = 0x445566;
  const auto plan = PlanQuickMenu(notes, cate, u"QZ[qPaste]");
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->header.text, u"QZ[qPaste] - Food");
  EXPECT_TRUE(plan->header.header);
  EXPECT_EQ(plan->header.backColor, 0x445566u);
  EXPECT_EQ(plan->header.command, kFirstDynamicCommand);
  ASSERT_EQ(plan->rows.size(), 3u);
  EXPECT_EQ(plan->rows[0].text, u"Apple pie.");
  EXPECT_EQ(plan->rows[1].text, u"banana");
  EXPECT_EQ(plan->rows[2].text, u"cherry");
  EXPECT_EQ(plan->rows[0].command, kFirstDynamicCommand + 1);
  EXPECT_EQ(plan->actions[1].value, 8);
  EXPECT_EQ(plan->actions[3].value, 9);
}

TEST(QuickMenu, NoNotesNoMenuAndTheCategoryNumber) {
  EXPECT_FALSE(PlanQuickMenu({}, Cate(1, u"Unsorted", 0), u"QZ[qLaunch]"));
  EXPECT_EQ(QuickMenuCategory(-1000), 1);
  EXPECT_EQ(QuickMenuCategory(0), 1);
  EXPECT_EQ(QuickMenuCategory(5), 5);
  EXPECT_FALSE(QuickMenuCategory(70000));
}

}  // namespace
}  // namespace zavra
