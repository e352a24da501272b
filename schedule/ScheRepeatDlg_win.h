#pragma once
// CScheRepeatDlg ("Recurrence"): the date range and recurrence rule of one schedule, edited on
// copies that the note edit dialog takes back after OK.
#include "framework/Dialog.h"
#include "schedule/RecurrenceText.h"
#include "schedule/RepeatEdit.h"

namespace zavra {

class CScheRepeatDlg : public CDialog {
 public:
  // `names` must outlive the dialog; `firstDayOfWeek` is Sunday-based.
  CScheRepeatDlg(const RepeatSchedule& schedule, const CalendarNames& names, int firstDayOfWeek);
  // The edited values after OK; the ones given before.
  const RepeatSchedule& schedule() const { return schedule_; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void DoDataExchange(DataExchange& dx) override;

 private:
  RepeatFamily CheckedFamily() const;
  // Shows the fields of the checked family and enables the last day as its rule says.
  void ApplyVisibility();

  RepeatSchedule schedule_;
  RepeatControls controls_;
  const CalendarNames& names_;
  int firstDayOfWeek_;
};

}  // namespace zavra
