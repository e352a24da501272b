#pragma once
// The daily full read of the note folder: every note file read whole on a low-priority thread,
// so that a file changed without a new size or write time is found. The thread touches no
// window and no store; it posts a message when done, and the window takes the result on its own
// thread.
#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "framework/Win.h"
#include "store/NoteIndex.h"

namespace zavra {

class CBackgroundNoteRead {
 public:
  CBackgroundNoteRead() = default;
  CBackgroundNoteRead(const CBackgroundNoteRead&) = delete;
  CBackgroundNoteRead& operator=(const CBackgroundNoteRead&) = delete;
  // Stops a read under way and waits for its thread.
  ~CBackgroundNoteRead() { Stop(); }

  // Reads `folder` and then posts `doneMessage` to `notify`; false while a read is under way.
  bool Start(std::u16string folder, HWND notify, UINT doneMessage);
  bool Running() const { return thread_.joinable(); }
  // What the read found, once its message came (nothing before, or after a stop).
  std::optional<NoteFolderRead> Take();
  void Stop();

 private:
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::optional<NoteFolderRead> result_;
};

}  // namespace zavra
