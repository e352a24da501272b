#pragma once
// Where things are in the calendar window: the seven columns and six rows of day cells under a
// 58-pixel header, the entries in their slots, what a point hits, and how keys and scrolling
// move the selection and the view.

#include <cstdint>
#include <vector>

#include "schedule/CalendarLayout.h"

namespace zavra {

inline constexpr int kGridLeft = 5;
inline constexpr int kGridTop = 58;
inline constexpr int kGridColumns = 7;
inline constexpr int kGridRows = 6;

struct CalendarGeometry {
  CalendarGeometry() = default;
  // From the client size and the entry height (the font's text height + 4).
  CalendarGeometry(int clientWidth, int clientHeight, int entryHeight);

  int width = 0;
  int height = 0;
  int columnWidth = 0;  // (W - 10) div 7
  int cellHeight = 0;   // (H - 63) div 6
  int entryHeight = 16;

  // A window too small for a cell has nothing to lay out, draw or hit.
  bool Valid() const { return columnWidth > 0 && cellHeight > 0 && entryHeight > 0; }
  // Slots that fit below a cell's day number, at most twenty.
  int VisibleSlots() const;
  // Slots one Page Up or Page Down scrolls, at least one.
  int PageSlots() const;
  int CellLeft(int column) const { return kGridLeft + column * columnWidth; }
  int CellTop(int row) const { return kGridTop + row * cellHeight; }
};

// Empty cells before the 1st in the first row.
int LeadingCells(const CalendarMonth& month, int firstDayOfWeek);
struct CellPosition {
  int column = 0;
  int row = 0;
};
CellPosition CellOfDay(int day, int leading);

// What lies under a client point: the day (0 = none) and the slot of an entry in it (0 = none).
struct CalendarHit {
  int day = 0;
  int slot = 0;
  int entry = -1;
};
CalendarHit HitTest(const CalendarGeometry& geometry, const MonthLayout& layout, const CalendarMonth& month,
                    int leading, int scroll, int x, int y);

// One drawn piece of an entry: a box in a day cell, or one week row's segment of a bar. Every
// piece carries the title, so a bar that runs on into the next week is named there too.
struct EntryPiece {
  int entry = -1;
  int day = 0;  // the first day the piece covers
  int slot = 0;
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive, already clipped at the cell's bottom
  bool leftCap = false;   // a border line at the left end
  bool rightCap = false;  // and at the right end
  bool lastPiece = false; // where the icon goes
  bool excluded = false;
};
// Every visible piece of the month at the given scroll position.
std::vector<EntryPiece> PlaceEntries(const CalendarGeometry& geometry, const MonthLayout& layout,
                                     const CalendarMonth& month, int leading, int scroll);

// A day whose used slots reach beyond what the cell shows gets a "+".
bool DayOverflows(const MonthLayout& layout, int day, int scroll, const CalendarGeometry& geometry);

// The first visible slot kept between 0 and the month's highest slot - 1.
int ClampScroll(int scroll, const MonthLayout& layout);

// Left and Right move by one day, Up and Down by seven; below day 1 the selection goes to the
// last day, beyond the last day to day 1. From no selection (0) it starts at day 0.
int MoveDay(int day, int step, int days);

}  // namespace zavra
