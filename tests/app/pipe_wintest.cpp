#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "app/PipeClient_win.h"
#include "app/PipeMessage.h"
#include "app/PipeServer_win.h"
#include "framework/Handles.h"
#include "framework/Window.h"
#include <string>
#include <atomic>
#include <thread>
#include <algorithm>
#include <vector>

namespace zavra {
namespace {

struct Received {
  HWND previous;
  DWORD bytes;
  std::u16string line;
};

// A message-only window that records the commands the pipe server hands over.
class CommandRecorder : public CWnd {
 public:
  std::vector<Received> received;
  bool Create() {
    RegisterWindowClass(L"ZavraPipeRecorder", 0);
    return CreateEx(0, L"ZavraPipeRecorder", L"", 0, RECT{}, HWND_MESSAGE);
  }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_COPYDATA) {
      const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
      if (cds->dwData == kCopyDataCommand)
        received.push_back({reinterpret_cast<HWND>(wp), cds->cbData, CommandLineFromCopyData(cds->lpData, cds->cbData)});
      return TRUE;
    }
    return CWnd::WindowProc(msg, wp, lp);
  }
};

// One server per process, as in the program; started by whichever test needs it first.
bool g_serverStarted = false;
CommandRecorder* SharedServer() {
  static CommandRecorder* recorder = [] {
    auto* r = new CommandRecorder;  // lives as long as the server thread: until the process ends
    g_serverStarted = r->Create() && StartPipeServer(r->GetSafeHwnd());
    return r;
  }();
  return recorder;
}

bool WriteRawNow(const std::vector<uint8_t>& bytes) {
  FileHandle pipe;
  for (int i = 0; i < 50 && !pipe; ++i) {
    pipe.reset(::CreateFileW(kCommandPipeName, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!pipe) ::Sleep(20);
  }
  if (!pipe) return false;
  DWORD mode = PIPE_READMODE_MESSAGE;
  ::SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr);
  DWORD written = 0;
  return ::WriteFile(pipe.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE;
}

// Writes from a worker thread while this thread pumps: the server hands each message over
// with SendMessage to a window of this thread, so a blocking write here would deadlock.
bool WriteRaw(const std::vector<uint8_t>& bytes) {
  bool ok = false, done = false;
  std::thread writer([&] {
    ok = WriteRawNow(bytes);
    done = true;
  });
  test::PumpUntil([&] { return done; }, 10000);
  writer.join();
  return ok;
}

bool Send(HWND previous, const wchar_t* line) {
  bool ok = false, done = false;
  std::thread writer([&] {
    ok = SendPipeCommand(previous, line);
    done = true;
  });
  test::PumpUntil([&] { return done; }, 10000);
  writer.join();
  return ok;
}

std::vector<uint8_t> Message(uint32_t window, uint32_t tag, const std::u16string& text, bool terminator) {
  std::vector<uint8_t> b;
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(window >> (8 * i)));
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(tag >> (8 * i)));
  for (char16_t c : text) {
    b.push_back(static_cast<uint8_t>(c));
    b.push_back(static_cast<uint8_t>(c >> 8));
  }
  if (terminator) b.insert(b.end(), {0, 0});
  return b;
}

class CommandPipe : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    recorder_ = SharedServer();
    ASSERT_TRUE(g_serverStarted);
    // The server thread needs a moment to create its first instance.
    ASSERT_TRUE(test::PumpUntil([] { return ::WaitNamedPipeW(kCommandPipeName, 50) != FALSE; }, 5000));
  }
  void SetUp() override { recorder_->received.clear(); }

  // Waits until `count` commands arrived; the pipe server delivers through SendMessage.
  const std::vector<Received>& WaitFor(size_t count) {
    test::PumpUntil([&] { return recorder_->received.size() >= count; });
    test::Pump(50);
    return recorder_->received;
  }

  static CommandRecorder* recorder_;
};
CommandRecorder* CommandPipe::recorder_ = nullptr;

// A launcher can find the main window while the program is still starting, before its pipe
// exists: the command waits for the pipe instead of being lost.
TEST(CommandPipeStartUp, SenderWaitsForAServerThatIsStillStarting) {
  if (g_serverStarted) GTEST_SKIP() << "the server already runs in this process";
  std::atomic<bool> done{false};
  bool sent = false;
  std::thread sender([&] {
    sent = SendPipeCommand(nullptr, L"/n early");
    done = true;
  });
  test::Pump(400);
  EXPECT_FALSE(done) << "the sender gave up before the server started";
  CommandRecorder* recorder = SharedServer();
  ASSERT_TRUE(g_serverStarted);
  test::PumpUntil([&] { return done && !recorder->received.empty(); }, 10000);
  sender.join();
  EXPECT_TRUE(sent);
  ASSERT_EQ(recorder->received.size(), 1u);
  EXPECT_EQ(recorder->received[0].line, u"/n early");
}

TEST(CommandPipeStartUp, SenderGivesUpWhenNoServerComes) {
  if (g_serverStarted) GTEST_SKIP() << "the server already runs in this process";
  const ULONGLONG start = ::GetTickCount64();
  EXPECT_FALSE(SendPipeCommand(nullptr, L"/n nobody"));
  const ULONGLONG waited = ::GetTickCount64() - start;
  EXPECT_GE(waited, kPipeStartWaitMs - 100);
  EXPECT_LT(waited, kPipeStartWaitMs + 3000) << "the wait is bounded";
}

TEST_F(CommandPipe, ClientCommandArrivesWithItsPreviousWindow) {
  HWND previous = reinterpret_cast<HWND>(static_cast<intptr_t>(0x1234));
  ASSERT_TRUE(Send(previous, L"/n5 Buy milk"));
  const auto& got = WaitFor(1);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].line, u"/n5 Buy milk");
  EXPECT_EQ(got[0].previous, previous);
  EXPECT_EQ(got[0].bytes, 2u * 13);
}

TEST_F(CommandPipe, EmptyCommandIsATenByteMessage) {
  ASSERT_TRUE(Send(nullptr, L""));
  const auto& got = WaitFor(1);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].bytes, 2u);
  EXPECT_EQ(got[0].line, u"");
  EXPECT_EQ(got[0].previous, nullptr);
}

TEST_F(CommandPipe, WrongTagIsStillExecuted) {
  ASSERT_TRUE(WriteRaw(Message(0, 0xDEAD, u"/c", true)));
  const auto& got = WaitFor(1);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].line, u"/c");
}

TEST_F(CommandPipe, ShortOrUnterminatedMessagesRunAnEmptyCommand) {
  std::vector<uint8_t> nine = Message(0, kPipeTag, u"", false);
  nine.push_back('x');
  ASSERT_TRUE(WriteRaw(nine));
  ASSERT_TRUE(WriteRaw(Message(0, kPipeTag, u"/c", false)));
  ASSERT_TRUE(WriteRaw({1, 2, 3}));
  const auto& got = WaitFor(3);
  ASSERT_EQ(got.size(), 3u);
  for (const auto& r : got) EXPECT_EQ(r.line, u"") << "a message without its terminator must not run";
}

TEST_F(CommandPipe, FullAndOversizedMessagesDoNotOverflow) {
  const std::u16string fits((kPipeBufferSize - 10) / 2, u'a');
  ASSERT_TRUE(WriteRaw(Message(0, kPipeTag, fits, true)));
  const auto& first = WaitFor(1);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].line, fits);
  EXPECT_EQ(first[0].bytes, kPipeBufferSize - 8);

  recorder_->received.clear();
  // The server reads one buffer and hangs up, so the writer may see its write fail.
  WriteRaw(Message(0, kPipeTag, std::u16string(20000, u'b'), true));
  const auto& second = WaitFor(1);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_LE(second[0].bytes, kPipeBufferSize - 8);
  EXPECT_EQ(second[0].line, u"") << "a cut message has no terminator and runs as an empty command";

  // The server is still serving afterwards.
  recorder_->received.clear();
  ASSERT_TRUE(Send(nullptr, L"/p"));
  EXPECT_EQ(WaitFor(1).at(0).line, u"/p");
}

// Under load a client can connect, write and leave before the server waits for it; its
// command must still be read.
TEST(PipeServerConnect, ClientThatAlreadyLeftIsStillRead) {
  const wchar_t* name = L"\\\\.\\pipe\\ZavraAwaitClientTest";
  FileHandle server(::CreateNamedPipeW(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED,
                                       PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr));
  ASSERT_TRUE(server);
  {
    FileHandle client(::CreateFileW(name, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(client);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(client.get(), "/n5 x", 5, &written, nullptr));
  }
  KernelHandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(AwaitClient(server.get(), event.get()));
  char buffer[16] = {};
  OVERLAPPED read{};
  read.hEvent = event.get();
  ::ResetEvent(event.get());
  DWORD got = 0;
  if (!::ReadFile(server.get(), buffer, sizeof buffer, &got, &read)) {
    ASSERT_TRUE(::GetOverlappedResult(server.get(), &read, &got, TRUE));
  }
  EXPECT_EQ(std::string(buffer, got), "/n5 x");
}

TEST_F(CommandPipe, TwoClientsAtOnceAreBothServed) {
  bool a = false, b = false;
  std::thread first([&] { a = SendPipeCommand(nullptr, L"/q1"); });
  std::thread second([&] { b = SendPipeCommand(nullptr, L"/q2"); });
  // The server hands over with SendMessage, so keep pumping while the clients write.
  test::PumpUntil([&] { return recorder_->received.size() >= 2; }, 10000);
  first.join();
  second.join();
  EXPECT_TRUE(a);
  EXPECT_TRUE(b);
  const auto& got = WaitFor(2);
  ASSERT_EQ(got.size(), 2u);
  std::vector<std::u16string> lines{got[0].line, got[1].line};
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::u16string>{u"/q1", u"/q2"}));
}

TEST_F(CommandPipe, WindowHandlesAreSignExtended) {
  ASSERT_TRUE(WriteRaw(Message(0xFFFFFFF0u, kPipeTag, u"/c", true)));
  const auto& got = WaitFor(1);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(reinterpret_cast<intptr_t>(got[0].previous), -16);
}

}  // namespace
}  // namespace zavra
