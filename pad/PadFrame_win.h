#pragma once
// CPadFrame: the pad window. A rebar with the term toolbar and the bar (category filter,
// search) above CPadView, the list of the term's notes; the caption names the term and counts
// the rows. It opens, edits, deletes, copies and tracks notes through the main window, hears
// of every change through the note notification, and keeps its place in "PadRect".
#include <cstdint>
#include <memory>
#include <string>

#include "framework/Handles.h"
#include "framework/Window.h"
#include "notewnd/TipWnd_win.h"
#include "pad/PadDialogBar_win.h"
#include "pad/PadLocale_win.h"
#include "pad/PadModel.h"
#include "pad/PadView_win.h"

namespace zavra {

class CMainWnd;

// The pad's notes: the main window's store and pending reopens.
class MainPadSource final : public PadSource {
 public:
  explicit MainPadSource(CMainWnd& main) : main_(main) {}
  void ForEachNote(const NoteFilter& hint, const std::function<void(const NoteSummary&)>& onNote) override;
  std::optional<NOTE_PAD> LoadNote(uint32_t id) override;
  std::vector<REOPEN_ITEM> Reopens() override;

 private:
  CMainWnd& main_;
};

class CPadFrame : public CWnd {
 public:
  static constexpr UINT_PTR kSearchTimer = 21;
  static constexpr UINT kSearchDelayMs = 1000;

  explicit CPadFrame(CMainWnd& main);
  ~CPadFrame() override;

  // Creates the window at "PadRect" (kept on the work area), opens it at the arguments, shows
  // and activates it.
  bool Create(int64_t time, const NOTE_PAD* note, int categoryArgument);
  // Opens the pad at a moment, with a note selected when given (category arguments as
  // CMainWnd::OpenPadAt).
  void ShowInPad(int64_t time, const NOTE_PAD* note, int categoryArgument);
  // Back on the work area, restored when minimised, and activated.
  void Raise();
  // Writes "PadRect" unless the window is minimised.
  void SaveState();

  // For the message loop: the pad's keys (accelerator table 136), except in the search box.
  static bool PreTranslateKey(MSG& msg);

  // What the bar and the list ask for.
  void FocusList();
  void FocusSearch();
  void SearchEdited();
  void ApplySearch();
  void FilterChosen();
  void SelectRow(int row);
  void RowCommand(UINT command);
  void ShowRowMenu(POINT screen, bool linkMenu);
  void ListScrolled();

  // For tests and the bar.
  const PadModel& model() const { return model_; }
  CPadView& view() { return view_; }
  CPadDialogBar& bar() { return bar_; }
  HWND toolbar() const { return toolbar_; }
  const CTimeTipWnd& nowLabel() const { return nowLabel_; }
  HMENU trackedMenu() const { return trackedMenu_; }
  HIMAGELIST icons() const { return icons_.get(); }
  const LocalePadFormat& format() const { return format_; }
  int textHeight() const { return textHeight_; }
  HFONT listFont() const { return font_.get(); }
  // The DPI the pad is drawn for: that of its monitor.
  uint32_t dpi() const { return dpi_; }
  CMainWnd& main() { return main_; }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  int OnCreate();
  void OnDestroy();
  void Layout();
  void CreateBars();
  // The fonts, icons and row height for the pad's DPI.
  void LoadLook();
  void SizeBands();
  void OnDpiChanged(uint32_t dpi, const RECT& suggested);
  void LoadCategories();
  void OnNoteNotify(WPARAM code, LPARAM lp);
  // After the model changed: the list, the caption, the "Now" label and the toolbar.
  void Refresh(bool keepTop);
  void UpdateCaption();
  void UpdateNowLabel();
  void PlaceNowLabel();
  void UpdateCommands(HMENU menu);
  void UpdateToolbar();
  bool CanDo(UINT command) const;
  void InitMenu(HMENU menu);
  void TermCommand(UINT command);
  RECT32 WorkAreaFor(const RECT32& r) const;

  CMainWnd& main_;
  MainPadSource source_;
  LocalePadFormat format_;
  PadCaptionTexts texts_;
  PadModel model_;
  CPadView view_;
  CPadDialogBar bar_;
  CTimeTipWnd nowLabel_;
  HWND rebar_ = nullptr;
  HWND toolbar_ = nullptr;
  HACCEL accelerators_ = nullptr;  // a resource: nothing to free
  ImageListHandle icons_;
  ImageListHandle toolbarImages_;
  FontHandle font_;
  uint32_t dpi_ = kBaseDpi;
  int textHeight_ = 13;
  bool opened_ = false;   // ShowInPad has run: a later call only selects a listed note
  bool closing_ = false;  // in WM_DESTROY: the search box's last focus change searches nothing
  HMENU trackedMenu_ = nullptr;
  HWND lastFocus_ = nullptr;  // given back when the pad is activated again
  // Cleared when the object goes; modal calls keep a copy to learn whether to touch `this`.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace zavra
