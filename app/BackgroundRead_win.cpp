#include "app/BackgroundRead_win.h"

#include <utility>

#include "store/StoreWin.h"

namespace zavra {

bool CBackgroundNoteRead::Start(std::u16string folder, HWND notify, UINT doneMessage) {
  if (thread_.joinable()) return false;
  stop_ = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    result_.reset();
  }
  thread_ = std::thread([this, folder = std::move(folder), notify, doneMessage] {
    // Behind everything the user does, for the processor and the disk alike.
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_LOWEST);
    ::SetThreadPriority(::GetCurrentThread(), THREAD_MODE_BACKGROUND_BEGIN);
    Win32FileSystem files;
    NoteFolderRead read = ReadNoteFolder(files, folder, stop_);
    if (!read.complete) return;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      result_ = std::move(read);
    }
    // The result waits here until the window asks for it; a window gone by now loses nothing.
    ::PostMessageW(notify, doneMessage, 0, 0);
  });
  return true;
}

std::optional<NoteFolderRead> CBackgroundNoteRead::Take() {
  std::optional<NoteFolderRead> taken;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    taken = std::exchange(result_, std::nullopt);
  }
  // The thread posted its message as its last act; it is ending or gone.
  if (taken && thread_.joinable()) thread_.join();
  return taken;
}

void CBackgroundNoteRead::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  std::lock_guard<std::mutex> lock(mutex_);
  result_.reset();
}

}  // namespace zavra
