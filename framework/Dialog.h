#pragma once
// CDialog: modal and modeless dialogs from templates, with data exchange between members
// and controls by control id.
#include "framework/Window.h"
#include <string>

namespace zavra {

class CDialog;

// Moves values between members and controls. When saving, a value that does not parse or is
// out of range shows the framework's message, focuses the control and marks the exchange failed.
class DataExchange {
 public:
  DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}
  bool saving() const { return saving_; }
  bool failed() const { return failed_; }

  void Text(int id, std::wstring& value, size_t maxChars = 0);
  void Int(int id, int& value);
  void Int(int id, int& value, int minValue, int maxValue);
  void Check(int id, bool& value);
  void ComboIndex(int id, int& index);
  // Combo boxes and extended combo boxes: the selected item's data. Loading selects the first
  // item that carries it, or nothing when none does; saving leaves the value alone when nothing
  // is selected.
  void ComboData(int id, LPARAM& data);
  // Date and time pickers. Saving reads the picker; a picker showing "none" leaves the value.
  void DateTime(int id, SYSTEMTIME& value);
  // Radio buttons with the consecutive ids firstId..lastId: the index of the checked one
  // (-1 when none is checked).
  void Radio(int firstId, int lastId, int& index);

  // Marks the exchange failed with a message about control `id`.
  void Fail(int id, const std::wstring& message);

 private:
  HWND Control(int id) const { return ::GetDlgItem(dialog_, id); }
  HWND dialog_;
  bool saving_;
  bool failed_ = false;
};

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId) : templateId_(templateId) {}

  INT_PTR DoModal(HWND parent);
  bool CreateModeless(HWND parent);
  // Moves data into the controls (false) or out of them (true); false when validation failed.
  bool UpdateData(bool save);
  void EndDialog(INT_PTR result);
  bool IsModal() const { return modal_; }
  // Ends the dialog as Cancel from outside (its note or the program is going): first every
  // dialog, message box or common dialog it owns, then itself. Later EndDialog calls of its own
  // handlers no longer change the result.
  void CancelModal();
  bool cancelledFromOutside() const { return cancelled_; }
  HWND Item(int id) const { return ::GetDlgItem(GetSafeHwnd(), id); }

 protected:
  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(DataExchange& dx) {}
  // Dialog messages; return TRUE when handled, like a dialog procedure.
  virtual INT_PTR DialogProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  UINT templateId() const { return templateId_; }
  static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

 private:
  UINT templateId_;
  bool modal_ = false;
  bool cancelled_ = false;
};

// The framework's standard messages (also used by pages and by our own validation).
std::wstring MessageEnterInteger();
std::wstring MessageEnterIntegerBetween(int minValue, int maxValue);

}  // namespace zavra
