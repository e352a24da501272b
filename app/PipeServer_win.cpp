#include "app/PipeServer_win.h"
#include "app/PipeClient_win.h"
#include "app/PipeMessage.h"
#include "framework/Handles.h"
#include <aclapi.h>
#include <process.h>
#include <memory>
#include <vector>

namespace zavra {

namespace {

// One connection: the overlapped block comes first so the completion routine finds it.
struct ClientBlock {
  OVERLAPPED overlapped{};
  HANDLE pipe = INVALID_HANDLE_VALUE;
  HWND mainWindow = nullptr;
  uint8_t buffer[kPipeBufferSize] = {};
};

void Deliver(HWND mainWindow, const uint8_t* data, DWORD bytes) {
  uint32_t previous = 0;
  if (bytes >= 4) previous = data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
  COPYDATASTRUCT cds{};
  cds.dwData = kCopyDataCommand;
  cds.cbData = bytes > kPipeHeaderSize ? bytes - static_cast<DWORD>(kPipeHeaderSize) : 0;
  cds.lpData = const_cast<uint8_t*>(data + kPipeHeaderSize);
  // Window handles travel as 32 bits and are sign-extended, as the system does.
  const auto wnd = reinterpret_cast<WPARAM>(reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(previous))));
  ::SendMessageW(mainWindow, WM_COPYDATA, wnd, reinterpret_cast<LPARAM>(&cds));
}

void CloseClient(ClientBlock* client) {
  ::DisconnectNamedPipe(client->pipe);
  ::CloseHandle(client->pipe);
  delete client;
}

void CALLBACK OnRead(DWORD error, DWORD bytes, LPOVERLAPPED overlapped) {
  auto* client = reinterpret_cast<ClientBlock*>(overlapped);
  // A message longer than the buffer arrives cut (ERROR_MORE_DATA); its command then lacks
  // its terminator and runs as an empty line. One connection carries one message.
  if ((error == 0 || error == ERROR_MORE_DATA) && bytes > 0) Deliver(client->mainWindow, client->buffer, bytes);
  CloseClient(client);
}

// Owner-only access plus read/write for anonymous logon, with remote clients refused.
class PipeSecurity {
 public:
  PipeSecurity() {
    HANDLE token = nullptr;
    if (!::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &token) &&
        !::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
      return;
    KernelHandle tokenOwner(token);
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    userBuffer_.resize(size);
    if (!size || !::GetTokenInformation(token, TokenUser, userBuffer_.data(), size, &size)) return;
    PSID user = reinterpret_cast<TOKEN_USER*>(userBuffer_.data())->User.Sid;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    if (!::AllocateAndInitializeSid(&nt, 1, SECURITY_ANONYMOUS_LOGON_RID, 0, 0, 0, 0, 0, 0, 0, &anonymous_)) return;
    const DWORD aclSize = sizeof(ACL) + 2 * sizeof(ACCESS_ALLOWED_ACE) + ::GetLengthSid(user) +
                          ::GetLengthSid(anonymous_);
    acl_.resize(aclSize);
    auto* acl = reinterpret_cast<ACL*>(acl_.data());
    if (!::InitializeAcl(acl, aclSize, ACL_REVISION) ||
        !::AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, user) ||
        !::AddAccessAllowedAce(acl, ACL_REVISION, FILE_GENERIC_READ | FILE_GENERIC_WRITE, anonymous_) ||
        !::InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !::SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE))
      return;
    attributes_.nLength = sizeof attributes_;
    attributes_.lpSecurityDescriptor = &descriptor_;
    attributes_.bInheritHandle = TRUE;
    ok_ = true;
  }
  PipeSecurity(const PipeSecurity&) = delete;
  PipeSecurity& operator=(const PipeSecurity&) = delete;
  ~PipeSecurity() {
    if (anonymous_) ::FreeSid(anonymous_);
  }
  SECURITY_ATTRIBUTES* get() { return ok_ ? &attributes_ : nullptr; }

 private:
  std::vector<uint8_t> userBuffer_;
  std::vector<uint8_t> acl_;
  PSID anonymous_ = nullptr;
  SECURITY_DESCRIPTOR descriptor_{};
  SECURITY_ATTRIBUTES attributes_{};
  bool ok_ = false;
};

HANDLE CreateInstance() {
  PipeSecurity security;
  return ::CreateNamedPipeW(kCommandPipeName, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED,
                            PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                            PIPE_UNLIMITED_INSTANCES, kPipeBufferSize, kPipeBufferSize, 5000, security.get());
}

// Waits alertably so finished reads run their completion routines meanwhile.
DWORD WaitAlertable(HANDLE event) {
  DWORD r;
  do {
    r = ::WaitForSingleObjectEx(event, INFINITE, TRUE);
  } while (r == WAIT_IO_COMPLETION);
  return r;
}

}  // namespace

bool AwaitClient(HANDLE pipe, HANDLE event) {
  OVERLAPPED connect{};
  connect.hEvent = event;
  ::ResetEvent(event);
  bool pending = false;
  if (!::ConnectNamedPipe(pipe, &connect)) {
    const DWORD err = ::GetLastError();
    // A client that came, wrote and closed between the instance's creation and this call
    // leaves ERROR_NO_DATA; its message is still there to read.
    if (err == ERROR_IO_PENDING)
      pending = true;
    else if (err == ERROR_PIPE_CONNECTED || err == ERROR_NO_DATA)
      ::SetEvent(event);
    else
      return false;
  } else {
    ::SetEvent(event);
  }
  if (WaitAlertable(event) != WAIT_OBJECT_0) {
    ::CancelIo(pipe);
    return false;
  }
  DWORD ignored = 0;
  return !pending || ::GetOverlappedResult(pipe, &connect, &ignored, FALSE);
}

namespace {

unsigned __stdcall ServerThread(void* param) {
  HWND mainWindow = static_cast<HWND>(param);
  KernelHandle event(::CreateEventW(nullptr, TRUE, TRUE, nullptr));
  if (!event) return 0;
  DWORD backoff = 50;
  // A failure to set up an instance must neither spin nor close the program's only way in:
  // back off (up to 5 s, still serving finished reads) and try again.
  auto pause = [&backoff] {
    ::SleepEx(backoff, TRUE);
    backoff = backoff * 2 > 5000 ? 5000 : backoff * 2;
  };
  for (;;) {
    FileHandle pipe(CreateInstance());
    if (!pipe) {
      pause();
      continue;
    }
    if (!AwaitClient(pipe.get(), event.get())) {
      pause();
      continue;
    }
    backoff = 50;
    // Under Wine an alertable wait on a signalled event runs no completion routines.
    ::ResetEvent(event.get());
    auto client = std::make_unique<ClientBlock>();
    client->pipe = pipe.get();
    client->mainWindow = mainWindow;
    const BOOL ok = ::ReadFileEx(client->pipe, client->buffer, sizeof client->buffer, &client->overlapped, OnRead);
    // Wine reports a partly read message as a failure with ERROR_MORE_DATA yet still
    // completes the read later.
    if (ok || ::GetLastError() == ERROR_MORE_DATA) {
      pipe.release();
      client.release();
    } else {
      ::DisconnectNamedPipe(pipe.get());
    }
  }
}

}  // namespace

bool StartPipeServer(HWND mainWindow) {
  const uintptr_t thread = ::_beginthreadex(nullptr, 0, ServerThread, mainWindow, 0, nullptr);
  if (!thread) return false;
  ::CloseHandle(reinterpret_cast<HANDLE>(thread));
  return true;
}

}  // namespace zavra
