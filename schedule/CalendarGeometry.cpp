#include "schedule/CalendarGeometry.h"

#include <algorithm>

namespace zavra {

namespace {
// The header band above the grid and the margin below it.
constexpr int kVerticalChrome = 63;
constexpr int kHorizontalChrome = 10;
// Pixels at a capped end of an entry that belong to the cell, not to the entry.
constexpr int kCapWidth = 3;
}  // namespace

CalendarGeometry::CalendarGeometry(int clientWidth, int clientHeight, int entryHeight)
    : width(clientWidth),
      height(clientHeight),
      columnWidth(clientWidth > kHorizontalChrome ? (clientWidth - kHorizontalChrome) / kGridColumns : 0),
      cellHeight(clientHeight > kVerticalChrome ? (clientHeight - kVerticalChrome) / kGridRows : 0),
      entryHeight(entryHeight) {}

int CalendarGeometry::VisibleSlots() const {
  if (!Valid()) return 0;
  return std::min(kCalendarSlots, (cellHeight - 1) / (entryHeight + 1));
}

int CalendarGeometry::PageSlots() const {
  if (!Valid()) return 1;
  return std::max(1, (cellHeight + 1) / (entryHeight + 1) - 1);
}

int LeadingCells(const CalendarMonth& month, int firstDayOfWeek) {
  return static_cast<int>(FloorMod(month.firstWeekday - firstDayOfWeek, 7));
}

CellPosition CellOfDay(int day, int leading) {
  const int index = day - 1 + leading;
  return {index % kGridColumns, index / kGridColumns};
}

CalendarHit HitTest(const CalendarGeometry& g, const MonthLayout& layout, const CalendarMonth& month, int leading,
                    int scroll, int x, int y) {
  CalendarHit hit;
  // Only points inside the grid name a day: the margins around it belong to no cell.
  if (!g.Valid() || x < kGridLeft || y < kGridTop) return hit;
  const int column = (x - kGridLeft) / g.columnWidth;
  const int row = (y - kGridTop) / g.cellHeight;
  if (column >= kGridColumns || row >= kGridRows) return hit;
  const int day = row * kGridColumns + column - leading + 1;
  if (day < 1 || day > month.days) return hit;
  hit.day = day;

  const int within = (y - kGridTop) % g.cellHeight;
  const int line = within / (g.entryHeight + 1);
  if (line < 1 || line > g.VisibleSlots() || within % (g.entryHeight + 1) >= g.entryHeight) return hit;
  const int slot = line + scroll;
  if (slot > layout.Top()) return hit;
  const SlotCell& cell = layout.Cell(day, slot);
  if (cell.entry < 0) return hit;
  const int across = x - g.CellLeft(column);
  const bool box = !layout.entries()[static_cast<size_t>(cell.entry)].bar;
  if ((cell.begins || box) && across < kCapWidth) return hit;
  if ((cell.ends || box) && across >= g.columnWidth - kCapWidth) return hit;
  hit.slot = slot;
  hit.entry = cell.entry;
  return hit;
}

std::vector<EntryPiece> PlaceEntries(const CalendarGeometry& g, const MonthLayout& layout, const CalendarMonth& month,
                                     int leading, int scroll) {
  std::vector<EntryPiece> pieces;
  if (!g.Valid()) return pieces;
  const int lastSlot = std::min(kCalendarSlots, scroll + g.VisibleSlots());
  for (int day = 1; day <= month.days; ++day) {
    const CellPosition at = CellOfDay(day, leading);
    const int cellTop = g.CellTop(at.row);
    for (int slot = std::max(1, scroll + 1); slot <= lastSlot; ++slot) {
      const SlotCell& cell = layout.Cell(day, slot);
      if (cell.entry < 0) continue;
      const CalendarEntry& entry = layout.entries()[static_cast<size_t>(cell.entry)];
      EntryPiece piece;
      piece.entry = cell.entry;
      piece.day = day;
      piece.slot = slot;
      piece.top = cellTop + (slot - scroll) * (g.entryHeight + 1);
      piece.bottom = std::min(piece.top + g.entryHeight, cellTop + g.cellHeight);
      piece.excluded = cell.excluded;
      if (entry.bar) {
        // One piece per week row, starting where the bar starts or where the row does.
        if (day != entry.firstDay && at.column != 0) continue;
        const int lastDay = std::min(entry.lastDay, day + (kGridColumns - 1 - at.column));
        piece.left = g.CellLeft(at.column);
        // One pixel over the next cell's edge joins the pieces of a bar; none past the grid.
        piece.right = std::min(piece.left + (lastDay - day + 1) * g.columnWidth + 1, g.CellLeft(kGridColumns));
        piece.leftCap = day == entry.firstDay && cell.begins;
        piece.rightCap = lastDay == entry.lastDay && layout.Cell(lastDay, slot).ends;
        if (piece.leftCap) piece.left += kCapWidth;
        if (piece.rightCap) piece.right -= kCapWidth;
        piece.lastPiece = lastDay == entry.lastDay;
      } else {
        piece.left = g.CellLeft(at.column) + kCapWidth;
        piece.right = piece.left + g.columnWidth - 5;
        piece.leftCap = piece.rightCap = piece.lastPiece = true;
      }
      pieces.push_back(piece);
    }
  }
  return pieces;
}

bool DayOverflows(const MonthLayout& layout, int day, int scroll, const CalendarGeometry& g) {
  return layout.DayTop(day) > scroll + g.VisibleSlots();
}

int ClampScroll(int scroll, const MonthLayout& layout) { return std::clamp(scroll, 0, std::max(0, layout.Top() - 1)); }

int MoveDay(int day, int step, int days) {
  const int moved = day + step;
  if (moved < 1) return days;
  if (moved > days) return 1;
  return moved;
}

}  // namespace zavra
