#include "app/PipeClient_win.h"
#include "app/PipeMessage.h"
#include "framework/Handles.h"
#include <string>

namespace zavra {

bool SendPipeCommand(HWND previousForeground, std::wstring_view commandLine) {
  FileHandle pipe;
  // Every instance may be busy for a moment while the server sets up the next one;
  // waiting briefly keeps a second sender's command from being lost.
  for (int attempt = 0; attempt < 5; ++attempt) {
    pipe.reset(::CreateFileW(kCommandPipeName, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (pipe || ::GetLastError() != ERROR_PIPE_BUSY) break;
    ::WaitNamedPipeW(kCommandPipeName, 1000);
  }
  if (!pipe) return false;
  DWORD mode = PIPE_READMODE_MESSAGE;
  if (!::SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr)) return false;
  const std::u16string line(commandLine.begin(), commandLine.end());
  // Window handles are 32 bits wide across processes.
  const auto handle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(previousForeground));
  const std::vector<uint8_t> message = BuildPipeMessage(handle, line);
  DWORD written = 0;
  return ::WriteFile(pipe.get(), message.data(), static_cast<DWORD>(message.size()), &written, nullptr) &&
         written == message.size();
}

}  // namespace zavra
