#pragma once
// Small pieces the designer's windows share: its message boxes, file-dialog filters, lists
// filled from the string table.
#include <cstdint>
#include <string>

#include "framework/Win.h"

namespace zavra {

// A message box with the text of string `textId` and the caption "Note Designer".
int DesignerMessage(HWND owner, UINT textId, UINT flags = MB_OK | MB_ICONSTOP);
// A filter string from the string table with each "|" made a zero character.
std::wstring FilterFromResource(UINT id);
// Fills a drop-down list with `count` consecutive strings from `firstId` on.
void FillComboFromStrings(HWND dialog, int comboId, UINT firstId, int count);
// The arrow range of a spinner beside an edit box.
void SetSpinRange(HWND dialog, int spinId, int low, int high);
// "%s - %s" of the title ("Untitled" when empty) and "Note Designer".
std::wstring DesignerCaption(const std::wstring& title);
// A condition's controls: the sense list ("... Unless:") and the three state boxes.
struct ConditionControls {
  int mode;
  int active;
  int popup;
  int alarm;
};
void ShowCondition(HWND dialog, const ConditionControls& controls, int32_t condition);
int32_t ReadCondition(HWND dialog, const ConditionControls& controls);

// The text of a dialog control.
std::wstring ControlText(HWND dialog, int id);

}  // namespace zavra
