#pragma once
// Whoever shows notes or acts on them (pad, calendar, note windows, trackers, alarm queue)
// subscribes to the store to hear of every save and delete.
#include <cstdint>

#include "store/NoteRecord.h"

namespace zavra {

class StoreObserver {
 public:
  // A note was saved; `note` is the record as written.
  virtual void OnNoteChanged(const NOTE_PAD& note) {}
  virtual void OnNoteDeleted(uint32_t id) {}
  virtual void OnCategoriesChanged() {}
  // Runs after every observer has seen OnNoteChanged for this save, so the alarm queue can
  // queue the note's next occurrence once the windows are up to date.
  virtual void OnNoteSaved(const NOTE_PAD& note) {}

 protected:
  ~StoreObserver() = default;
};

}  // namespace zavra
