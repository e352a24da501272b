#pragma once
// What the tray menu and the quick menus show and what each of their dynamic rows does,
// decided without Windows so it can be checked directly. The Win32 side turns a plan into
// owner-drawn menu rows.
#include "framework/DpiScale.h"
#include "store/Category.h"
#include "store/NoteRecord.h"
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zavra {

inline constexpr uint32_t kFirstDynamicCommand = 32896;
inline constexpr uint32_t kLastDynamicCommand = 33895;

// Fixed commands of the tray menu.
enum TrayCommand : uint32_t {
  kCmdNewNote = 32771,
  kCmdOpenPad = 32772,
  kCmdOpenCalendar = 32782,
  kCmdNotesOnTop = 32844,
  kCmdShortcutWizard = 32845,
  kCmdPreferences = 32839,
  kCmdWebsite = 32853,
  kCmdHold = 32870,
  kCmdRelease = 32871,
  kCmdReleaseAll = 32872,
  kCmdBringFront = 32888,
  kCmdNoteDesigner = 32887,
  kCmdTrackerOnTop = 32893,
  kCmdOpenStorageFolder = 32895,
  kCmdAbout = 57664,
  kCmdExit = 57665,
};

// Note cosmetics commands, shared by note windows and trackers.
enum CosmeticsCommand : uint32_t {
  kCmdPaperColor = 32807,
  kCmdTextColor = 32808,
  kCmdTextFont = 32809,
  kCmdSaveAsDefault = 32810,
  kCmdLoadDefault = 32811,
};

// The geometry of owner-drawn rows at a DPI (pixels): the icon one pixel in from the left in a
// 20-pixel column, 16 pixels square, at 96 DPI.
struct MenuRowMetrics {
  int32_t iconLeft = 1;
  int32_t iconSize = 16;
  int32_t textLeft = 20;
};
MenuRowMetrics MenuRowMetricsAt(uint32_t dpi);
struct MenuRowSize {
  int32_t width = 0;
  int32_t height = 0;
};
// A row's size for the size of its text: header rows hug the text, other rows leave room for
// the icon column and are at least as tall as an icon.
MenuRowSize MeasureMenuRow(bool header, int32_t textWidth, int32_t textHeight, uint32_t dpi);

// One owner-drawn row (MENUITEM).
struct MENUITEM {
  int32_t value = 0;       // note id, category id, or -1/0 for the two "all" rows
  int32_t iconIndex = -1;  // into the icon strip; -1 or 0 for none
  std::u16string text;
  COLORREF textColor = 0;  // header row only
  COLORREF backColor = 0;  // header row only
  int32_t width = 0, height = 0;
  bool header = false;
  bool centered = false;  // no icon column, centred text
  uint32_t command = 0;
  size_t linkIconSlot = SIZE_MAX;  // quick launch: which link icon the Win32 side draws
};

enum class MenuAction { NewNoteInCategory, OpenPad, OpenRecentNote, QuickNote };
struct DynamicAction {
  MenuAction action;
  int32_t value;  // category id, pad argument or note id
};

struct TrayMenuPlan {
  bool heldNotes = false;
  uint32_t defaultCommand = kCmdNewNote;
  uint32_t heldCount = 0;
  // Submenus replacing "New Note" and "Open Pad" (only with more than one category).
  std::vector<MENUITEM> newNoteRows;
  std::vector<MENUITEM> padRows;
  std::vector<MENUITEM> recentRows;
  // Index = command - kFirstDynamicCommand.
  std::vector<DynamicAction> actions;
  // Recent ids whose notes no longer load; the caller drops them from its list.
  std::vector<uint32_t> droppedRecent;
};

// `loadNote` returns the note of a recent id, or nothing when it no longer loads.
TrayMenuPlan PlanTrayMenu(const CategoryList& categories, const std::vector<uint32_t>& recent,
                          const std::function<std::optional<NOTE_PAD>(uint32_t)>& loadNote, uint32_t heldCount,
                          uint32_t trayDefault, const std::u16string& allOfInterest,
                          const std::u16string& allCategories);

// "Release All (3)".
std::u16string ReleaseAllText(const std::u16string& text, uint32_t heldCount);
// The tray tip: the title, and with held notes a second line from `onHoldFormat` ("%i On Hold");
// cut to 127 characters.
std::u16string TrayTip(const std::u16string& title, uint32_t heldCount, const std::u16string& onHoldFormat);

struct QuickMenuPlan {
  MENUITEM header;
  std::vector<MENUITEM> rows;  // sorted by text without regard to case
  std::vector<DynamicAction> actions;  // index = command - kFirstDynamicCommand (0 is the header)
};
// Nothing when no note of the category was found.
std::optional<QuickMenuPlan> PlanQuickMenu(const std::vector<NOTE_PAD>& notesOfCategory, const NOTE_CATE& category,
                                           const std::u16string& title);
// The category a quick menu number names: the number when above 0, else 1; nothing for a
// number no category id can have.
std::optional<uint16_t> QuickMenuCategory(int number);

}  // namespace zavra
