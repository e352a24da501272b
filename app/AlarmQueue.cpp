#include "app/AlarmQueue.h"
#include "schedule/Recurrence.h"
#include <algorithm>
#include <limits>

namespace zavra {

namespace {

// A note that neither opens, sounds nor launches anything has nothing to do at its time.
bool NothingToDo(const NOTE_PAD_FIXED& n) {
  return (n.flags & kNoteNoWindow) && (n.flags & kNoteNoSound) && !(n.flags & kNoteLaunchLink);
}

int64_t SaturatingAdd(int64_t a, int64_t b) {
  if (b > 0 && a > INT64_MAX - b) return INT64_MAX;
  if (b < 0 && a < INT64_MIN - b) return INT64_MIN;
  return a + b;
}

}  // namespace

bool AlarmQueue::QueueNote(const NOTE_PAD& note, int64_t from, int64_t to) {
  if (to == 0) to = SaturatingAdd(from, kLookAhead);
  int64_t next = 0;
  const bool found = !NothingToDo(note) && NextOccurrence(note, from, to, &next, true, zone_);
  auto it = std::find_if(items_.begin(), items_.end(), [&](const ALARM_ITEM& a) { return a.id == note.id; });
  if (it != items_.end()) {
    if (found && it->time == next) return false;
    items_.erase(it);
  }
  if (!found) return false;
  items_.push_back({note.id, 2, next});
  return true;
}

void AlarmQueue::Remove(uint32_t id) {
  items_.erase(std::remove_if(items_.begin(), items_.end(), [id](const ALARM_ITEM& a) { return a.id == id; }),
               items_.end());
}

int64_t AlarmQueue::Scan(int64_t now, uint32_t preopen1, uint32_t preopen2, std::vector<REOPEN_ITEM>& reopens,
                         AlarmHost& host) {
  if (now >= nextMidnight_) {
    host.DayChanged();
    ResetMidnight(now);
  }
  // A clock set back, or a queue older than the rescan interval, is rebuilt from the files.
  if (now < lastScan_ || now - lastScan_ > kRescanInterval) host.RescanOccurrences(now);

  // Lead times, longest first in the stages: stage 1 is the longer lead, stage 0 the shorter.
  int64_t thresholds[2] = {0, 0};
  const int64_t smaller = std::min(preopen1, preopen2), larger = std::max(preopen1, preopen2);
  if (smaller == 0) {
    thresholds[0] = larger;
  } else {
    thresholds[0] = smaller;
    thresholds[1] = larger;
  }

  int64_t next = kLongestScanPeriod;
  // Work on a copy of the ids: firing queues the note again and may load or drop others.
  std::vector<ALARM_ITEM> snapshot = items_;
  for (const ALARM_ITEM& entry : snapshot) {
    auto it = std::find_if(items_.begin(), items_.end(), [&](const ALARM_ITEM& a) { return a.id == entry.id; });
    if (it == items_.end()) continue;
    const int64_t remaining = it->time > now ? it->time - now : 0;
    int64_t seen = 0;
    if (remaining > 0) {
      bool preOpen = false;
      for (int i = 0; i < it->stage && i < 2 && thresholds[i] != 0; ++i) {
        if (remaining <= thresholds[i]) {
          it->stage = i;
          preOpen = true;
          break;
        }
        seen = thresholds[i];
      }
      if (preOpen) {
        const uint32_t id = it->id;
        const std::optional<NOTE_PAD> note = host.LoadNote(id);
        if (!note) {
          Remove(id);
          continue;
        }
        host.PreOpen(*note);
        it = std::find_if(items_.begin(), items_.end(), [&](const ALARM_ITEM& a) { return a.id == id; });
        if (it == items_.end()) continue;
      }
      next = std::min(next, remaining - seen);
      continue;
    }
    // Due.
    const uint32_t id = it->id;
    it->stage = -1;
    const std::optional<NOTE_PAD> note = host.LoadNote(id);
    Remove(id);
    if (!note) continue;
    host.Fire(*note);
    // A recurring note gets its next occurrence (a day or more away, past this scan's period).
    QueueNote(*note, SaturatingAdd(now, 1));
  }

  bool reopened = false;
  std::vector<REOPEN_ITEM> due;
  for (auto it = reopens.begin(); it != reopens.end();) {
    if (it->time <= now) {
      due.push_back(*it);
      it = reopens.erase(it);
    } else {
      next = std::min(next, it->time - now);
      ++it;
    }
  }
  for (const REOPEN_ITEM& r : due) {
    reopened = true;
    if (const std::optional<NOTE_PAD> note = host.LoadNote(r.id)) host.Reopen(*note);
  }

  next = std::min(next, SaturatingAdd(nextMidnight_ - now, 1));
  if (reopened) host.ReopensChanged();
  return std::max<int64_t>(next, 1);
}

void AddReopen(std::vector<REOPEN_ITEM>& reopens, uint32_t id, int64_t when) { reopens.push_back({id, 0, when}); }

bool CancelReopens(std::vector<REOPEN_ITEM>& reopens, uint32_t id) {
  const auto end = std::remove_if(reopens.begin(), reopens.end(), [id](const REOPEN_ITEM& r) { return r.id == id; });
  const bool any = end != reopens.end();
  reopens.erase(end, reopens.end());
  return any;
}

int64_t CustomReopenMinutes(int64_t days, int64_t hours, int64_t minutes) {
  // The dialog's fields are small; clamp so hostile values cannot overflow.
  days = std::clamp<int64_t>(days, -100000, 100000);
  hours = std::clamp<int64_t>(hours, -10000000, 10000000);
  minutes = std::clamp<int64_t>(minutes, -1000000000, 1000000000);
  return (days * 24 + hours) * 60 + minutes;
}

OccurrenceScanResult OccurrenceScan(NoteStore& store, AlarmQueue& queue, const OccurrenceScanOptions& o) {
  OccurrenceScanResult result;
  const int64_t from = o.from;
  const int64_t to = o.to ? o.to : SaturatingAdd(from, kLookAhead);
  const bool autoDelete = o.autoDelete && o.autoDeleteDays > 0;
  CategoryList categories;
  if (autoDelete) categories = store.LoadCategoryList();
  const int64_t cutoff = o.now - static_cast<int64_t>(o.autoDeleteDays) * 86400;

  std::vector<uint32_t> expired;
  std::vector<NOTE_PAD> toQueue;
  // The index holds every fixed part and excluded dates: no note file is opened unless it
  // changed since the index saw it.
  store.ScanNoteSummaries([&](const NoteSummary& s) {
    const NOTE_PAD_FIXED& n = s.fixed;
    // Expired: its last occurrence (created time, unscheduled) at or before the cutoff, by the
    // same rule the searches use; an open-ended repeating note never is.
    if (autoDelete && !OverlapsRange(n, SaturatingAdd(cutoff, 1), std::numeric_limits<int64_t>::max(), queue.zone()) &&
        !categories.items.empty()) {
      const NOTE_CATE* cate = categories.Find(n.category);
      if (!cate) cate = &categories.items.front();
      if (cate->flags & (kCateAutoDelete | kCateTemporary)) {
        expired.push_back(n.id);
        return;
      }
    }
    if (!(n.flags & kNoteScheduled)) return;
    if (OverlapsRange(n, from, to, queue.zone())) toQueue.push_back(s.ScheduleRecord());
  });
  for (uint32_t id : expired)
    if (store.DeleteNoteQuietly(id)) ++result.deleted;
  for (const NOTE_PAD& note : toQueue)
    if (queue.QueueNote(note, from, to)) ++result.queued;
  queue.setLastScan(o.now);
  return result;
}

}  // namespace zavra
