#pragma once
// The pad's state without its windows: the term and its relation to now, the category filter,
// the search, the listed entries in time order, the rows the search lets through and the
// selected row. The frame feeds it notes and notifications and draws what it holds.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "pad/PadEntries.h"
#include "pad/PadTerm.h"
#include "store/Category.h"
#include "store/NoteFile.h"
#include "store/NoteIndex.h"

namespace zavra {

// Where the pad's notes come from: the note files and the main window's pending reopens.
class PadSource {
 public:
  // What the note index keeps of every readable note; `hint` names what the caller will keep
  // (others may be skipped).
  virtual void ForEachNote(const NoteFilter& hint, const std::function<void(const NoteSummary&)>& onNote) = 0;
  // A note read whole from its file.
  virtual std::optional<NOTE_PAD> LoadNote(uint32_t id) = 0;
  virtual std::vector<REOPEN_ITEM> Reopens() = 0;

 protected:
  ~PadSource() = default;
};

class PadModel {
 public:
  explicit PadModel(int firstDayOfWeek = 0, const LocalTime& zone = MachineLocalTime());

  // --- what the pad shows ---
  const PadTerm& term() const { return term_; }
  int64_t now() const { return now_; }
  int filter() const { return filter_; }
  const std::u16string& search() const { return search_; }
  const CategoryList& categories() const { return categories_; }
  size_t RowCount() const { return rows_.size(); }
  const PadEntry& Row(size_t row) const { return entries_[rows_[row]]; }
  const std::vector<PadEntry>& entries() const { return entries_; }
  int selected() const { return selected_; }
  const PadEntry* SelectedEntry() const { return selected_ >= 0 ? &Row(static_cast<size_t>(selected_)) : nullptr; }
  void Select(int row);
  // The "Now" label stands below this row (-1: above the first); only in a current term short
  // of All.
  bool ShowsNowMarker() const { return term_.current() && !term_.all(); }
  int NowMarkerRow() const;

  // --- changes ---
  void SetCategories(CategoryList categories);
  // The filter as the category list shows it: a category that no longer exists falls back to
  // the filter shown before, then to "All of Interest".
  int ShownFilter(int wanted) const;

  struct ShowOutcome {
    bool onlySelected = false;  // the note's row was selected; nothing else changed
    bool searchCleared = false;
    bool filterChanged = false;
  };
  // Sets the term (and with a note, the filter and the note to select) as opening the pad at a
  // moment does. `windowShown`: the pad already lists notes, so a listed note is only selected.
  // The rows are rebuilt unless only the selection changed.
  ShowOutcome Show(int64_t time, const NOTE_PAD* note, int categoryArgument, int64_t now, bool windowShown,
                   PadSource& source);
  // Reads every note and the reopens again for the current term and filter.
  void Rebuild(PadSource& source);

  // The view commands: a term kind at the current term's start (now when it is current).
  void SetKind(PadTermKind kind, int64_t now, PadSource& source);
  // Previous (-1) or next (+1) term.
  void Step(int direction, int64_t now, PadSource& source);
  void GoToToday(int64_t now, PadSource& source);
  // The category list changed: its filter with the category's default view (Day for the two
  // "all" rows), at the current term's start or now.
  void ChooseFilter(int filter, int64_t now, PadSource& source);

  // Search text from the box; true when it differed (ignoring case) and the rows were refilled.
  // The search reads the listed notes whole.
  bool SetSearch(std::u16string_view text, PadSource& source);

  // --- notifications; each keeps the selected note selected ---
  void OnNoteChanged(const NOTE_PAD& note);
  void OnNoteDeleted(uint32_t id);
  void OnReopensChanged(PadSource& source);
  // New categories: false when the filter and its view stay, true when the filter (shown as
  // returned by filter()) or its default view changed and the rows were rebuilt.
  bool OnCategoriesChanged(CategoryList categories, int64_t now, PadSource& source);
  // Midnight passed: a pad on the term that held today moves on to the one holding `now`; on
  // another term it stays. Either way the rows are read again (today's look, the "Now" label).
  // True when the term moved.
  bool OnDayChanged(int64_t now, PadSource& source);

 private:
  PadScope Scope() const;
  void SetTerm(PadTermKind kind, int64_t time, int64_t now);
  void AddReopens(PadSource& source, const std::vector<REOPEN_ITEM>& reopens);
  void Admit(const NOTE_PAD& note);
  // Reads the notes whole that the search needs, or whose first line the index cut.
  void ReadWhole(PadSource& source, std::vector<uint32_t> ids);
  void ReadForSearch(PadSource& source);
  void SortEntries();
  // The selected entry, to be found again after the entries changed.
  struct Selection {
    bool any = false;
    uint32_t id = 0;
    int64_t listed = 0;
    bool reopen = false;
    int row = -1;
  };
  Selection CurrentSelection() const;
  // Fills the rows from the entries through the search, selecting the entry that was selected,
  // else another occurrence of its note, else (kNoteOrPlace) the row that took its place.
  enum class Keep { kNothing, kNoteOrPlace, kNoteOnly };
  void FillRows(Keep keep, const Selection& was);
  void SelectRemembered();

  int firstDayOfWeek_;
  const LocalTime& zone_;
  PadTerm term_;
  int64_t now_ = 0;
  int filter_ = kFilterAllOfInterest;
  uint32_t filterView_ = 0;  // the default view byte of the filter's category when chosen
  std::u16string search_;    // upper case
  CategoryList categories_;
  std::vector<PadEntry> entries_;
  std::vector<size_t> rows_;
  int selected_ = -1;
  uint32_t selectId_ = 0;  // the note to select after the next rebuild
  int64_t selectTime_ = 0;
};

}  // namespace zavra
