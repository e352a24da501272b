#include "pad/PadModel.h"

#include <algorithm>
#include <unordered_map>

#include "pad/PadText.h"
#include "schedule/Recurrence.h"

namespace zavra {

namespace {

bool SameEntry(const PadEntry& a, uint32_t id, int64_t listed, bool reopen) {
  return a.note.id == id && a.listed == listed && a.reopen == reopen;
}

}  // namespace

PadModel::PadModel(int firstDayOfWeek, const LocalTime& zone) : firstDayOfWeek_(firstDayOfWeek), zone_(zone) {}

void PadModel::Select(int row) { selected_ = row >= 0 && static_cast<size_t>(row) < rows_.size() ? row : -1; }

int PadModel::NowMarkerRow() const {
  int row = -1;
  for (size_t i = 0; i < rows_.size() && Row(i).listed < now_; ++i) row = static_cast<int>(i);
  return row;
}

void PadModel::SetCategories(CategoryList categories) { categories_ = std::move(categories); }

int PadModel::ShownFilter(int wanted) const {
  const auto usable = [this](int f) {
    return f == kFilterAllOfInterest || f == kFilterAllCategories ||
           (f > 0 && categories_.Find(static_cast<uint32_t>(f)) != nullptr);
  };
  if (usable(wanted)) return wanted;
  return usable(filter_) ? filter_ : kFilterAllOfInterest;
}

PadScope PadModel::Scope() const {
  PadScope scope;
  scope.filter = filter_;
  scope.categories = &categories_;
  scope.term = term_;
  scope.now = now_;
  scope.zone = &zone_;
  return scope;
}

void PadModel::SetTerm(PadTermKind kind, int64_t time, int64_t now) {
  now_ = now;
  term_ = MakePadTerm(kind, time, now, firstDayOfWeek_, zone_);
}

PadModel::ShowOutcome PadModel::Show(int64_t time, const NOTE_PAD* note, int categoryArgument, int64_t now,
                                     bool windowShown, PadSource& source) {
  ShowOutcome outcome;
  if (time == 0) time = now;
  selectId_ = 0;
  int argument = categoryArgument == kPadFromCalendar ? kFilterAllOfInterest : categoryArgument;
  if (note && note->id != 0) {
    if (!(note->flags & kNoteScheduled)) {
      time = note->created;
    } else if (int64_t t = 0; OccurrenceFrom(*note, time, &t, zone_)) {
      time = t;
    }
    if (windowShown && (argument == kPadKeepFilter || argument == filter_) && term_.Contains(time)) {
      for (size_t i = rows_.size(); i-- > 0;) {
        if (Row(i).note.id != note->id) continue;
        selected_ = static_cast<int>(i);
        outcome.onlySelected = true;
        return outcome;
      }
    }
    search_.clear();
    outcome.searchCleared = true;
    const uint32_t category = categories_.Find(note->category) ? note->category : kUnsortedCategory;
    const bool interesting = OfInterest(categories_, category);
    if (argument > 0) {
      argument = static_cast<int>(category);
    } else if (argument == kPadKeepFilter) {
      if (filter_ > 0)
        argument = static_cast<int>(category);
      else if (filter_ == kFilterAllOfInterest && !interesting)
        argument = kFilterAllCategories;
    } else if (argument == kFilterAllOfInterest && !interesting) {
      argument = kFilterAllCategories;
    }
    selectId_ = note->id;
    selectTime_ = time;
  }
  PadTermKind kind = term_.kind;
  if (argument != kPadKeepFilter) {
    const int shown = ShownFilter(argument);
    if (shown != filter_) {
      filter_ = shown;
      outcome.filterChanged = true;
      filterView_ = shown > 0 ? categories_.Resolve(static_cast<uint32_t>(shown)).flags & 0xFF : 0;
      kind = shown > 0 ? DefaultTermKind(filterView_) : PadTermKind::kDay;
    }
  }
  SetTerm(kind, time, now);
  Rebuild(source);
  return outcome;
}

void PadModel::Rebuild(PadSource& source) {
  entries_.clear();
  NoteFilter hint;
  if (filter_ > static_cast<int>(kUnsortedCategory)) hint.category = static_cast<uint16_t>(filter_);
  if (!term_.all()) {
    hint.useRange = true;
    hint.rangeFrom = term_.start;
    hint.rangeTo = term_.end;
  }
  // The notes come from the index, listed at about the cost of listing the folder; the hint
  // lets the source skip most of them, the tests below are the pad's own.
  const PadScope scope = Scope();
  std::vector<uint32_t> cut;
  source.ForEachNote(hint, [&](const NoteSummary& s) {
    if (filter_ > static_cast<int>(kUnsortedCategory) && s.fixed.category != static_cast<uint32_t>(filter_)) return;
    if (!term_.all() && !OverlapsRange(s.fixed, term_.start, term_.end, zone_)) return;
    NOTE_PAD note = s.ScheduleRecord();
    const auto t = ListedTime(note, false, 0, scope);
    if (!t) return;
    entries_.push_back({std::move(note), *t, false, false, s.title, s.hasLink});
    if (s.titleCut) cut.push_back(s.fixed.id);
  });
  AddReopens(source, source.Reopens());
  ReadWhole(source, std::move(cut));
  ReadForSearch(source);
  SortEntries();
  FillRows(Keep::kNothing, {});
  SelectRemembered();
}

void PadModel::Admit(const NOTE_PAD& note) {
  if (const auto t = ListedTime(note, false, 0, Scope())) entries_.push_back({note, *t, false});
}

void PadModel::AddReopens(PadSource& source, const std::vector<REOPEN_ITEM>& reopens) {
  const PadScope scope = Scope();
  for (const REOPEN_ITEM& item : reopens) {
    if (!term_.Contains(item.time)) continue;
    const std::optional<NOTE_PAD> note = source.LoadNote(item.id);
    if (!note) continue;
    if (const auto t = ListedTime(*note, true, item.time, scope)) entries_.push_back({*note, *t, true});
  }
}

void PadModel::ReadWhole(PadSource& source, std::vector<uint32_t> ids) {
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  // Reading may announce a damaged note as deleted, which changes the entries: read them all
  // first, then fill the entries in.
  std::unordered_map<uint32_t, NOTE_PAD> read;
  read.reserve(ids.size());
  for (uint32_t id : ids)
    if (std::optional<NOTE_PAD> note = source.LoadNote(id)) read.emplace(id, std::move(*note));
  for (PadEntry& e : entries_) {
    const auto it = e.whole ? read.end() : read.find(e.note.id);
    if (it == read.end()) continue;
    e.note = it->second;
    e.whole = true;
  }
}

void PadModel::ReadForSearch(PadSource& source) {
  if (search_.empty()) return;
  std::vector<uint32_t> ids;
  for (const PadEntry& e : entries_)
    if (!e.whole) ids.push_back(e.note.id);
  ReadWhole(source, std::move(ids));
}

void PadModel::SortEntries() {
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const PadEntry& a, const PadEntry& b) { return a.listed < b.listed; });
}

PadModel::Selection PadModel::CurrentSelection() const {
  Selection s;
  if (const PadEntry* e = SelectedEntry()) s = {true, e->note.id, e->listed, e->reopen, selected_};
  return s;
}

void PadModel::FillRows(Keep keep, const Selection& was) {
  rows_.clear();
  for (size_t i = 0; i < entries_.size(); ++i)
    if (ContainsWord(UpperCase(entries_[i].note.text), search_)) rows_.push_back(i);

  selected_ = -1;
  if (keep == Keep::kNothing || !was.any) return;
  int sameNote = -1;
  int64_t distance = INT64_MAX;
  for (size_t i = 0; i < rows_.size(); ++i) {
    const PadEntry& e = Row(i);
    if (SameEntry(e, was.id, was.listed, was.reopen)) {
      selected_ = static_cast<int>(i);
      return;
    }
    if (e.note.id != was.id) continue;
    // A changed note's other occurrence: the one nearest to where it was.
    const int64_t d = e.listed > was.listed ? e.listed - was.listed : was.listed - e.listed;
    if (d < distance) {
      distance = d;
      sameNote = static_cast<int>(i);
    }
  }
  if (sameNote >= 0) {
    selected_ = sameNote;
  } else if (keep == Keep::kNoteOrPlace && !rows_.empty()) {
    // The note left the list: the one that took its place.
    selected_ = std::min(was.row, static_cast<int>(rows_.size()) - 1);
  }
}

void PadModel::SelectRemembered() {
  if (selectId_ == 0) return;
  int last = -1;
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (Row(i).note.id != selectId_) continue;
    last = static_cast<int>(i);
    if (Row(i).listed == selectTime_) break;
  }
  selected_ = last;
  selectId_ = 0;
}

void PadModel::SetKind(PadTermKind kind, int64_t now, PadSource& source) {
  const int64_t time = term_.current() ? now : term_.start;
  selectId_ = 0;
  SetTerm(kind, time, now);
  Rebuild(source);
}

void PadModel::Step(int direction, int64_t now, PadSource& source) {
  if (term_.all()) return;
  selectId_ = 0;
  SetTerm(term_.kind, StepPadTerm(term_, direction, zone_), now);
  Rebuild(source);
}

void PadModel::GoToToday(int64_t now, PadSource& source) {
  selectId_ = 0;
  SetTerm(term_.kind, now, now);
  Rebuild(source);
}

void PadModel::ChooseFilter(int filter, int64_t now, PadSource& source) {
  filter_ = ShownFilter(filter);
  filterView_ = filter_ > 0 ? categories_.Resolve(static_cast<uint32_t>(filter_)).flags & 0xFF : 0;
  const PadTermKind kind = filter_ > 0 ? DefaultTermKind(filterView_) : PadTermKind::kDay;
  SetKind(kind, now, source);
}

bool PadModel::SetSearch(std::u16string_view text, PadSource& source) {
  std::u16string upper = UpperCase(text);
  if (upper == search_) return false;
  const Selection was = CurrentSelection();
  search_ = std::move(upper);
  ReadForSearch(source);
  FillRows(Keep::kNoteOnly, was);
  return true;
}

void PadModel::OnNoteChanged(const NOTE_PAD& note) {
  const Selection was = CurrentSelection();
  const PadScope scope = Scope();
  std::vector<PadEntry> kept;
  kept.reserve(entries_.size() + 1);
  for (PadEntry& e : entries_) {
    if (e.note.id != note.id) {
      kept.push_back(std::move(e));
    } else if (e.reopen && ListedTime(note, true, e.listed, scope)) {
      e.note = note;
      kept.push_back(std::move(e));
    }
  }
  entries_ = std::move(kept);
  const bool inFilter =
      filter_ <= static_cast<int>(kUnsortedCategory) || note.category == static_cast<uint32_t>(filter_);
  if (inFilter && (term_.all() || OverlapsRange(note, term_.start, term_.end, zone_))) Admit(note);
  SortEntries();
  FillRows(Keep::kNoteOrPlace, was);
}

void PadModel::OnNoteDeleted(uint32_t id) {
  const Selection was = CurrentSelection();
  std::erase_if(entries_, [id](const PadEntry& e) { return e.note.id == id; });
  FillRows(Keep::kNoteOrPlace, was);
}

bool PadModel::OnDayChanged(int64_t now, PadSource& source) {
  const Selection was = CurrentSelection();
  const int64_t start = term_.start;
  SetTerm(term_.kind, term_.current() ? now : start, now);
  selectId_ = was.any ? was.id : 0;
  selectTime_ = was.listed;
  Rebuild(source);
  return term_.start != start;
}

void PadModel::OnReopensChanged(PadSource& source) {
  const Selection was = CurrentSelection();
  std::erase_if(entries_, [](const PadEntry& e) { return e.reopen; });
  AddReopens(source, source.Reopens());
  SortEntries();
  FillRows(Keep::kNoteOrPlace, was);
}

bool PadModel::OnCategoriesChanged(CategoryList categories, int64_t now, PadSource& source) {
  categories_ = std::move(categories);
  const int shown = ShownFilter(filter_);
  const uint32_t view = shown > 0 ? categories_.Resolve(static_cast<uint32_t>(shown)).flags & 0xFF : 0;
  if (shown != filter_ || view != filterView_) {
    ChooseFilter(shown, now, source);
    return true;
  }
  // Interest and deleted categories decide what is listed; the selected note stays selected.
  const Selection was = CurrentSelection();
  Rebuild(source);
  FillRows(Keep::kNoteOnly, was);
  return false;
}

}  // namespace zavra
