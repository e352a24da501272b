#pragma once
// The alarm machinery: the queue of coming occurrences, the scan that pre-opens and fires
// them, the reopen list, and the occurrence scan that fills the queue from the note files.
// It acts on the world only through AlarmHost, so every step can be run with a test clock.
#include "app/Settings.h"
#include "schedule/LocalTime.h"
#include "store/NoteRecord.h"
#include "store/NoteStore.h"
#include <cstdint>
#include <optional>
#include <vector>

namespace zavra {

inline constexpr int64_t kLookAhead = 61200;        // occurrences are queued this far ahead
inline constexpr int64_t kRescanInterval = 28800;   // the note files are scanned again after this
inline constexpr int64_t kLongestScanPeriod = 3600;

struct ALARM_ITEM {
  uint32_t id = 0;
  int32_t stage = 2;  // 2 nothing yet, 1 first pre-open done, 0 second, -1 fired
  int64_t time = 0;
  bool operator==(const ALARM_ITEM&) const = default;
};

class AlarmHost {
 public:
  virtual std::optional<NOTE_PAD> LoadNote(uint32_t id) = 0;
  // Lead time reached: open the note (unless it wants no window or has a tracker).
  virtual void PreOpen(const NOTE_PAD& note) = 0;
  // Due: window or held list, alarm state, sound, link.
  virtual void Fire(const NOTE_PAD& note) = 0;
  // A "Reopen After" came due: window back (or held), and its sound.
  virtual void Reopen(const NOTE_PAD& note) = 0;
  virtual void DayChanged() = 0;
  // The note files must be scanned again from `now` (no auto-delete).
  virtual void RescanOccurrences(int64_t now) = 0;
  virtual void ReopensChanged() = 0;

 protected:
  ~AlarmHost() = default;
};

class AlarmQueue {
 public:
  explicit AlarmQueue(const LocalTime& zone = MachineLocalTime()) : zone_(zone) {}

  // Queues the note's first occurrence in [from, to] (to 0: from + look-ahead), replacing its
  // entry; true when an entry was added.
  bool QueueNote(const NOTE_PAD& note, int64_t from, int64_t to = 0);
  void Remove(uint32_t id);
  // One scan at `now`; returns the seconds until the next one.
  int64_t Scan(int64_t now, uint32_t preopen1, uint32_t preopen2, std::vector<REOPEN_ITEM>& reopens, AlarmHost& host);

  const std::vector<ALARM_ITEM>& items() const { return items_; }
  int64_t lastScan() const { return lastScan_; }
  void setLastScan(int64_t t) { lastScan_ = t; }
  int64_t nextMidnight() const { return nextMidnight_; }
  // Local midnight after the date of `now`.
  void ResetMidnight(int64_t now) { nextMidnight_ = zone_.DayStartAfter(now, 1); }
  const LocalTime& zone() const { return zone_; }

 private:
  const LocalTime& zone_;
  std::vector<ALARM_ITEM> items_;
  int64_t lastScan_ = 0;
  int64_t nextMidnight_ = 0;
};

// "Reopen After": a pending reopen; cancelling removes every entry of the note.
void AddReopen(std::vector<REOPEN_ITEM>& reopens, uint32_t id, int64_t when);
bool CancelReopens(std::vector<REOPEN_ITEM>& reopens, uint32_t id);

// Minutes of the custom reopen dialog: ((days x 24) + hours) x 60 + minutes.
int64_t CustomReopenMinutes(int64_t days, int64_t hours, int64_t minutes);

struct OccurrenceScanOptions {
  int64_t from = 0;
  int64_t to = 0;  // 0: from + look-ahead
  bool autoDelete = false;
  uint32_t autoDeleteDays = 0;
  int64_t now = 0;
};
struct OccurrenceScanResult {
  int deleted = 0;
  int queued = 0;
};

// Goes through every note's fixed part and excluded dates (from the index, files read only
// where they changed): deletes expired notes of auto-deleting categories (when asked) and
// queues the scheduled notes that can occur in the window.
OccurrenceScanResult OccurrenceScan(NoteStore& store, AlarmQueue& queue, const OccurrenceScanOptions& options);

}  // namespace zavra
