// Shared end-to-end helpers (compiled into the end-to-end test program).
#include "e2e/Programs.h"
#include "WinTestUtil.h"
#include "framework/Text.h"
#include "store/StoreWin.h"
#include <shlobj.h>
#include <shlwapi.h>
#include <vector>

namespace zavra::test {

std::wstring BinDir() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  ::PathRemoveFileSpecW(path);
  return std::wstring(path) + L"\\";
}

std::wstring ToolsDir() { return BinDir() + L"..\\tools\\"; }

std::wstring DataDir() {
  wchar_t appData[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData);
  return std::wstring(appData) + L"\\noteZaVRA\\";
}

Process Process::Start(const std::wstring& exe, const std::wstring& args, const wchar_t* environment) {
  Process p;
  std::wstring line = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
  std::vector<wchar_t> buffer(line.begin(), line.end());
  buffer.push_back(L'\0');
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  if (::CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE,
                       environment ? CREATE_UNICODE_ENVIRONMENT : 0, const_cast<wchar_t*>(environment), nullptr, &si,
                       &pi)) {
    ::CloseHandle(pi.hThread);
    p.handle_.reset(pi.hProcess);
    p.id_ = pi.dwProcessId;
  }
  return p;
}

bool Process::running() const {
  return handle_ && ::WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT;
}

long Process::Wait(int timeoutMs) {
  if (!handle_) return -1;
  if (::WaitForSingleObject(handle_.get(), static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  ::GetExitCodeProcess(handle_.get(), &code);
  return static_cast<long>(code);
}

void Process::Kill() {
  if (running()) {
    ::TerminateProcess(handle_.get(), 1);
    ::WaitForSingleObject(handle_.get(), 5000);
  }
}

HWND WaitForMainWindow(int timeoutMs) {
  HWND found = nullptr;
  PumpUntil([&] { return (found = ::FindWindowW(nullptr, L"Qel note ZaVRA")) != nullptr; }, timeoutMs);
  return found;
}

void StopResidentCopy() {
  for (int i = 0; i < 3; ++i) {
    HWND w = ::FindWindowW(nullptr, L"Qel note ZaVRA");
    if (!w) return;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    KernelHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid));
    ::PostMessageW(w, WM_CLOSE, 0, 0);
    if (process && ::WaitForSingleObject(process.get(), 5000) != WAIT_OBJECT_0) {
      ::TerminateProcess(process.get(), 1);
      ::WaitForSingleObject(process.get(), 5000);
    }
    PumpUntil([] { return ::FindWindowW(nullptr, L"Qel note ZaVRA") == nullptr; }, 2000);
  }
}

void ResetUserState() {
  std::wstring dir = DataDir();
  dir.pop_back();
  std::vector<wchar_t> from(dir.begin(), dir.end());
  from.push_back(L'\0');
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.data();
  op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  ::SHFileOperationW(&op);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\noteZaVRA");
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\QelEver\\noteZaVRA");
}

void StartFromUnsortedOnly() {
  StopResidentCopy();
  ResetUserState();
  ::CreateDirectoryW(DataDir().c_str(), nullptr);
  Win32FileSystem files;
  Win32Registry registry;
  NoteStore store(files, registry, ToU16(DataDir()));
  NOTE_CATE unsorted;
  unsorted.id = 1;
  unsorted.name = u"Unsorted";
  store.SaveCategory(unsorted, false);
}

std::wstring ReadFileUtf16(const std::wstring& path) {
  FileHandle f(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!f) return {};
  std::vector<char> bytes(1 << 16);
  DWORD n = 0;
  ::ReadFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), n / 2);
}

}  // namespace zavra::test
