#include "app/MenuModel.h"
#include "schedule/RecurrenceText.h"
#include "store/NoteText.h"
#include <algorithm>

namespace zavra {

namespace {

MENUITEM Row(int32_t value, int32_t icon, std::u16string text, uint32_t command) {
  MENUITEM m;
  m.value = value;
  m.iconIndex = icon;
  m.text = std::move(text);
  m.command = command;
  return m;
}

}  // namespace

TrayMenuPlan PlanTrayMenu(const CategoryList& categories, const std::vector<uint32_t>& recent,
                          const std::function<std::optional<NOTE_PAD>(uint32_t)>& loadNote, uint32_t heldCount,
                          uint32_t trayDefault, const std::u16string& allOfInterest,
                          const std::u16string& allCategories) {
  TrayMenuPlan plan;
  plan.heldCount = heldCount;
  plan.heldNotes = heldCount > 0;
  if (plan.heldNotes)
    plan.defaultCommand = kCmdRelease;
  else
    plan.defaultCommand = trayDefault == 1 ? kCmdOpenPad : trayDefault == 2 ? kCmdOpenCalendar : kCmdNewNote;

  auto next = [&plan] { return kFirstDynamicCommand + static_cast<uint32_t>(plan.actions.size()); };
  const auto& cats = categories.items;
  if (cats.size() > 1) {
    for (const NOTE_CATE& c : cats) {
      plan.newNoteRows.push_back(Row(static_cast<int32_t>(c.id), c.icon, c.name, next()));
      plan.actions.push_back({MenuAction::NewNoteInCategory, static_cast<int32_t>(c.id)});
    }
    plan.padRows.push_back(Row(-1, -1, allOfInterest, next()));
    plan.actions.push_back({MenuAction::OpenPad, -1});
    plan.padRows.push_back(Row(0, -1, allCategories, next()));
    plan.actions.push_back({MenuAction::OpenPad, 0});
    for (const NOTE_CATE& c : cats) {
      plan.padRows.push_back(Row(static_cast<int32_t>(c.id), c.icon, c.name, next()));
      plan.actions.push_back({MenuAction::OpenPad, static_cast<int32_t>(c.id)});
    }
  }
  for (uint32_t id : recent) {
    if (plan.actions.size() > kLastDynamicCommand - kFirstDynamicCommand) break;
    const std::optional<NOTE_PAD> note = loadNote(id);
    if (!note) {
      plan.droppedRecent.push_back(id);
      continue;
    }
    const int32_t icon = (note->flags & kNoteOwnIcon) ? note->icon : categories.Resolve(note->category).icon;
    plan.recentRows.push_back(Row(static_cast<int32_t>(id), icon, FirstLine(note->text), next()));
    plan.actions.push_back({MenuAction::OpenRecentNote, static_cast<int32_t>(id)});
  }
  return plan;
}

std::u16string ReleaseAllText(const std::u16string& text, uint32_t heldCount) {
  return FormatText(u"%s (%i)", {text, static_cast<int64_t>(heldCount)});
}

std::u16string TrayTip(const std::u16string& title, uint32_t heldCount, const std::u16string& onHoldFormat) {
  std::u16string tip = title;
  if (heldCount > 0) tip += u"\n" + FormatText(onHoldFormat, {static_cast<int64_t>(heldCount)});
  if (tip.size() > 127) tip.resize(127);
  return tip;
}

std::optional<QuickMenuPlan> PlanQuickMenu(const std::vector<NOTE_PAD>& notes, const NOTE_CATE& category,
                                           const std::u16string& title) {
  if (notes.empty()) return std::nullopt;
  QuickMenuPlan plan;
  std::vector<MENUITEM> rows;
  for (const NOTE_PAD& n : notes) rows.push_back(Row(static_cast<int32_t>(n.id), -1, FirstLine(n.text), 0));
  std::stable_sort(rows.begin(), rows.end(),
                   [](const MENUITEM& a, const MENUITEM& b) { return CompareNamesNoCase(a.text, b.text) < 0; });
  plan.header.text = FormatText(u"%s - %s", {title, category.name});
  plan.header.header = true;
  plan.header.centered = true;
  plan.header.textColor = category.textColor;
  plan.header.backColor = category.paperColor;
  plan.header.command = kFirstDynamicCommand;
  plan.actions.push_back({MenuAction::QuickNote, 0});
  for (MENUITEM& r : rows) {
    if (plan.actions.size() > kLastDynamicCommand - kFirstDynamicCommand) break;
    r.command = kFirstDynamicCommand + static_cast<uint32_t>(plan.actions.size());
    plan.actions.push_back({MenuAction::QuickNote, r.value});
    plan.rows.push_back(std::move(r));
  }
  return plan;
}

std::optional<uint16_t> QuickMenuCategory(int number) {
  if (number > 0xFFFF) return std::nullopt;
  return number > 0 ? static_cast<uint16_t>(number) : uint16_t{1};
}

MenuRowMetrics MenuRowMetricsAt(uint32_t dpi) {
  const DpiScale px(dpi);
  return {px(1), px(16), px(20)};
}

MenuRowSize MeasureMenuRow(bool header, int32_t textWidth, int32_t textHeight, uint32_t dpi) {
  const DpiScale px(dpi);
  if (header) return {textWidth + px(6), textHeight + px(2)};
  return {textWidth + px(22), std::max(textHeight + px(4), px(17))};
}

}  // namespace zavra
