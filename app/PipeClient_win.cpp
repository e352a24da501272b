#include "app/PipeClient_win.h"
#include "app/PipeMessage.h"
#include "framework/Handles.h"
#include <string>

namespace zavra {

bool SendPipeCommand(HWND previousForeground, std::wstring_view commandLine) {
  FileHandle pipe;
  // While the main program starts, its window can be found a moment before its pipe exists;
  // and every instance may be busy while the server sets up the next one. Waiting a little
  // in both cases keeps the command from being lost.
  const ULONGLONG giveUp = ::GetTickCount64() + kPipeStartWaitMs;
  for (;;) {
    pipe.reset(::CreateFileW(kCommandPipeName, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (pipe) break;
    const DWORD error = ::GetLastError();
    if (::GetTickCount64() >= giveUp) break;
    if (error == ERROR_PIPE_BUSY)
      ::WaitNamedPipeW(kCommandPipeName, 1000);
    else if (error == ERROR_FILE_NOT_FOUND)
      ::Sleep(50);
    else
      break;
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
