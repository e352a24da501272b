// The main window's side of the note dialogs: editing a note, a new note made with the dialog,
// the skin chooser and the sound preview.
#include "app/CalendarNames_win.h"
#include "app/MainWnd_win.h"
#include "prefs/PreferencesSheet_win.h"
#include "app/NoteKitApp_win.h"
#include "schedule/LocalTime.h"
#include "schedule/NoteEditDlg_win.h"
#include "schedule/SkinOpenDlg_win.h"
#include "schedule/WeekStart_win.h"
#include "store/Scatter.h"
#include <mmsystem.h>
#include <algorithm>
#include <optional>

namespace zavra {

namespace {

// What the note edit dialog asks of the program.
class MainEditHost final : public INoteEditHost {
 public:
  explicit MainEditHost(CMainWnd& main) : main_(main) {}

  CategoryList Categories() override { return main_.store().LoadCategoryList(); }
  std::wstring IconStripPath() override { return main_.environment().folders.iconStrip; }
  const CalendarNames& Names() override {
    if (const CNoteKitApp* app = CNoteKitApp::Get()) return app->calendarNames();
    if (!names_) names_ = LoadCalendarNames(::GetModuleHandleW(nullptr));
    return *names_;
  }
  int FirstDayOfWeek() override { return UserFirstDayOfWeek(); }
  int64_t Now() override { return main_.Now(); }
  void PreviewSound(const std::wstring& path) override { main_.PreviewSound(path); }
  bool CanManageCategories() override { return main_.CanManageCategories(); }
  void ManageCategories(HWND owner) override { main_.ManageCategories(owner); }

 private:
  CMainWnd& main_;
  std::optional<CalendarNames> names_;  // when no application object filled them (tests)
};

}  // namespace

INT_PTR CMainWnd::RunNoteDialog(CDialog& dialog, uint32_t noteId, HWND owner) {
  runningDialogs_.push_back({&dialog, noteId});
  const INT_PTR answer = dialog.DoModal(owner);
  std::erase_if(runningDialogs_, [&](const RunningDialog& d) { return d.dialog == &dialog; });
  return dialog.cancelledFromOutside() ? IDCANCEL : answer;
}

void CMainWnd::CancelNoteDialogs(std::optional<uint32_t> noteId) {
  const std::vector<RunningDialog> running = runningDialogs_;
  for (const RunningDialog& d : running)
    if (!noteId || (*noteId != 0 && d.noteId == *noteId)) d.dialog->CancelModal();
}

void CMainWnd::EditNote(const NOTE_PAD& note, HWND owner) {
  // The caller's record may go with its window while the dialog is up.
  const NOTE_PAD copy = note;
  MainEditHost host(*this);
  CNoteEditDlg dlg(host, copy, false);
  if (RunNoteDialog(dlg, copy.id, owner) != IDOK || !dlg.modified()) return;
  NOTE_PAD edited = dlg.note();
  store_->SaveNote(edited);
}

uint32_t CMainWnd::NewNoteWithDialog(int category, bool presetSchedule, int64_t presetDay, HWND owner) {
  NOTE_PAD note;
  const CategoryList categories = store_->LoadCategoryList();
  note.category = (category > 0 && category <= 0xFFFF && categories.Find(static_cast<uint32_t>(category)))
                      ? static_cast<uint16_t>(category)
                      : uint16_t{1};
  note.rect = PlaceNewNote(Placement());
  NoteEditPresets presets;
  presets.scheduleOn = presetSchedule;
  if (presetDay != 0) presets.day = MachineLocalTime().FieldsOf(presetDay).dayNumber;
  MainEditHost host(*this);
  CNoteEditDlg dlg(host, note, true);
  dlg.SetPresets(presets);
  if (RunNoteDialog(dlg, 0, owner) != IDOK) return 0;
  NOTE_PAD saved = dlg.note();
  if (!store_->SaveNote(saved)) return 0;
  OpenNoteWindow(saved, kOpenUser, -1);
  return saved.id;
}

std::optional<SkinChoice> CMainWnd::ChooseSkin(const NOTE_PAD& note, HWND owner) {
  const bool own = (note.flags & kNoteOwnSkin) != 0;
  CSkinOpenDlg dlg(env_.folders.skins, true, SkinChoice{!own, own ? note.skin : std::u16string()});
  if (RunNoteDialog(dlg, note.id, owner) != IDOK) return std::nullopt;
  return dlg.choice();
}

void CMainWnd::PreviewSound(const std::wstring& path) {
  const std::wstring file = path.empty() ? env_.folders.program + L"snd\\clock.wav" : path;
  lastSound_ = file;
  ::PlaySoundW(file.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

// The preferences sheet arrives with its own subsystem.
bool CMainWnd::CanManageCategories() const { return true; }
void CMainWnd::ManageCategories(HWND owner) { OpenPreferences(kPrefCategory, owner); }

}  // namespace zavra
