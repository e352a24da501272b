#include "feeds/LocalFeedStore_win.h"

#include "feeds/FeedFetcher_win.h"
#include "feeds/FeedSchedule.h"
#include "framework/Handles.h"
#include "framework/Text.h"
#include "store/NoteStore.h"
#include "store/StoreWin.h"
#include <shlobj.h>
#include <shlwapi.h>
#include <algorithm>
#include <atomic>

namespace zavra {

namespace {

const wchar_t kSinkClass[] = L"ZavraFeedStoreEvents";
constexpr UINT kMsgStoreChanged = WM_APP + 1;
// Shared by every program that writes the store of this session's user.
const wchar_t kStoreMutex[] = L"QEl noteZaVRA feeds";
// Writers hold the lock only while they read and write the small files; a program that keeps
// it longer has hung, and waiting for it would hang us too.
constexpr DWORD kLockWaitMs = 10000;

class NamedMutexLock : public IStoreLock {
 public:
  NamedMutexLock() : mutex_(::CreateMutexW(nullptr, FALSE, kStoreMutex)) {}
  bool Lock() override {
    if (!mutex_) return false;
    const DWORD r = ::WaitForSingleObject(mutex_.get(), kLockWaitMs);
    // An abandoned lock was held by a program that died; the files are whole all the same,
    // since every write replaces a complete file.
    return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
  }
  void Unlock() override { ::ReleaseMutex(mutex_.get()); }

 private:
  KernelHandle mutex_;
};

struct ChangeNotificationTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::FindCloseChangeNotification(h); }
};
using ChangeNotification = UniqueHandle<ChangeNotificationTraits>;

std::wstring WithBackslash(std::wstring path) {
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path;
}

}  // namespace

std::u16string FeedFolderFor(const std::wstring& dataFolder) { return ToU16(WithBackslash(dataFolder) + L"Feeds\\"); }

std::u16string UserFeedFolder() {
  wchar_t appData[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData)))
    return FeedFolderFor(WithBackslash(appData) + L"noteZaVRA\\");
  wchar_t program[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  ::PathRemoveFileSpecW(program);
  return FeedFolderFor(WithBackslash(program) + L"users\\default\\");
}

// Everything the background thread uses; it lives as long as the thread or the store does.
struct LocalFeedStore::Shared {
  Shared(std::u16string folder, LocalFeedStoreOptions o)
      : fetcher(o.fetcher ? o.fetcher : std::make_shared<WinHttpFeedFetcher>()),
        clock(o.clock ? o.clock : SystemClockSeconds),
        store(files, lock, *fetcher, std::move(folder), clock),
        minuteSeconds(o.minuteSeconds),
        pollMs(o.pollMs) {}

  Win32FileSystem files;
  NamedMutexLock lock;
  std::shared_ptr<IFeedFetcher> fetcher;
  std::function<int64_t()> clock;
  FileFeedStore store;
  int64_t minuteSeconds;
  DWORD pollMs;
  KernelHandle stop{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  KernelHandle wake{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  std::atomic<HWND> sink{nullptr};

  static std::shared_ptr<Shared> Take(void* context) {
    auto* handed = static_cast<std::shared_ptr<Shared>*>(context);
    std::shared_ptr<Shared> s = std::move(*handed);
    delete handed;
    return s;
  }
  bool Stopping() const { return ::WaitForSingleObject(stop.get(), 0) == WAIT_OBJECT_0; }
  void Post() const {
    if (HWND h = sink.load()) ::PostMessageW(h, kMsgStoreChanged, 0, 0);
  }
};

LocalFeedStore::LocalFeedStore(std::u16string folder, LocalFeedStoreOptions options)
    : shared_(std::make_shared<Shared>(std::move(folder), std::move(options))) {}

LocalFeedStore::~LocalFeedStore() { Stop(); }

bool LocalFeedStore::ListFeeds(std::vector<FeedInfo>& feeds) { return shared_->store.ListFeeds(feeds); }
std::optional<FeedInfo> LocalFeedStore::GetFeed(const std::u16string& name) { return shared_->store.GetFeed(name); }
std::optional<FeedInfo> LocalFeedStore::GetFeedByUrl(const std::u16string& url) {
  return shared_->store.GetFeedByUrl(url);
}
bool LocalFeedStore::GetItems(const std::u16string& name, std::vector<FeedItem>& items) {
  return shared_->store.GetItems(name, items);
}
std::optional<uint32_t> LocalFeedStore::UnreadCount(const std::u16string& name) {
  return shared_->store.UnreadCount(name);
}
bool LocalFeedStore::MarkRead(const std::u16string& name, const std::vector<std::u16string>& itemIds) {
  return shared_->store.MarkRead(name, itemIds);
}
uint32_t LocalFeedStore::DefaultInterval() { return shared_->store.DefaultInterval(); }
bool LocalFeedStore::BackgroundSync() { return shared_->store.BackgroundSync(); }
int32_t LocalFeedStore::Download(const std::u16string& name) { return shared_->store.Download(name); }

// Changes that may move the next download wake the thread at once.
FeedResult LocalFeedStore::CreateFeed(const std::u16string& name, const std::u16string& url) {
  const FeedResult r = shared_->store.CreateFeed(name, url);
  Wake();
  return r;
}
FeedResult LocalFeedStore::DeleteFeed(const std::u16string& name) { return shared_->store.DeleteFeed(name); }
FeedResult LocalFeedStore::RenameFeed(const std::u16string& name, const std::u16string& newName) {
  return shared_->store.RenameFeed(name, newName);
}
FeedResult LocalFeedStore::SetSync(const std::u16string& name, FeedSync sync, uint32_t interval) {
  const FeedResult r = shared_->store.SetSync(name, sync, interval);
  Wake();
  return r;
}
bool LocalFeedStore::SetBackgroundSync(bool on) {
  const bool r = shared_->store.SetBackgroundSync(on);
  Wake();
  return r;
}

void LocalFeedStore::Wake() { ::SetEvent(shared_->wake.get()); }

bool LocalFeedStore::Advise(IFeedEvents* sink) {
  if (sink_ || !sink) return false;
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = SinkProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kSinkClass;
    return ::RegisterClassW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  if (!registered) return false;
  sinkWindow_ = ::CreateWindowExW(0, kSinkClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
  if (!sinkWindow_) return false;
  ::SetWindowLongPtrW(sinkWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  sink_ = sink;
  pump_.Start(shared_->store);
  shared_->sink = sinkWindow_;
  const std::pair<LPTHREAD_START_ROUTINE, HANDLE*> threads[] = {{SyncWorker, &syncThread_}, {WatchWorker, &watchThread_}};
  for (auto [proc, thread] : threads) {
    auto* context = new std::shared_ptr<Shared>(shared_);
    *thread = ::CreateThread(nullptr, 0, proc, context, 0, nullptr);
    if (!*thread) delete context;
  }
  return true;
}

void LocalFeedStore::Unadvise(IFeedEvents* sink) {
  if (sink == sink_) Stop();
}

void LocalFeedStore::Stop() {
  shared_->sink = nullptr;
  ::SetEvent(shared_->stop.get());
  // A download cannot be cancelled everywhere: its thread ends when its time-outs end it, and
  // owns what it uses, so it is not waited for long.
  HANDLE threads[2];
  DWORD count = 0;
  for (HANDLE thread : {syncThread_, watchThread_})
    if (thread) threads[count++] = thread;
  if (count) ::WaitForMultipleObjects(count, threads, TRUE, 500);
  for (HANDLE* thread : {&syncThread_, &watchThread_}) {
    if (*thread) ::CloseHandle(*thread);
    *thread = nullptr;
  }
  if (sinkWindow_) ::DestroyWindow(sinkWindow_);
  sinkWindow_ = nullptr;
  sink_ = nullptr;
}

LRESULT CALLBACK LocalFeedStore::SinkProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == kMsgStoreChanged) {
    if (auto* self = reinterpret_cast<LocalFeedStore*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
      try {
        self->DeliverEvents();
      } catch (...) {
      }
    }
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

void LocalFeedStore::DeliverEvents() {
  // A sink that pumps messages while handling an event must not see events twice or out of order.
  if (delivering_) {
    deliverAgain_ = true;
    return;
  }
  delivering_ = true;
  do {
    deliverAgain_ = false;
    if (sink_) pump_.Deliver(shared_->store, *sink_);
  } while (deliverAgain_ && sink_);
  delivering_ = false;
}

// Downloads the feeds as their intervals say. A download may take as long as its time-outs
// allow, so this thread does nothing else.
DWORD WINAPI LocalFeedStore::SyncWorker(void* context) {
  const std::shared_ptr<Shared> s = Shared::Take(context);
  // When this thread last tried each feed: a store that cannot record an attempt must not be
  // downloaded again and again.
  std::vector<std::pair<std::u16string, int64_t>> tried;
  while (!s->Stopping()) {
    FeedIndex index;
    int64_t waitMs = s->pollMs;
    if (s->store.Snapshot(index)) {
      std::vector<FeedInfo> feeds;
      for (const FeedRecord& f : index.feeds) {
        feeds.push_back(f.info);
        for (const auto& [name, at] : tried)
          if (name == f.info.name) feeds.back().lastAttempt = std::max(feeds.back().lastAttempt, at);
      }
      const int64_t now = s->clock();
      const SyncPlan plan = PlanSync(feeds, index.defaultInterval, index.backgroundSync, now, s->minuteSeconds);
      for (const std::u16string& name : plan.due) {
        if (s->Stopping()) break;
        std::erase_if(tried, [&](const auto& t) { return t.first == name; });
        tried.emplace_back(name, now);
        s->store.Download(name);
      }
      if (!plan.due.empty()) waitMs = 0;
      else if (plan.next != INT64_MAX) waitMs = std::clamp<int64_t>((plan.next - now) * 1000, 0, waitMs);
    }
    HANDLE handles[2] = {s->stop.get(), s->wake.get()};
    ::WaitForMultipleObjects(2, handles, FALSE, static_cast<DWORD>(waitMs));
  }
  return 0;
}

// Tells the sink's thread whenever the index records a new event, whoever recorded it.
DWORD WINAPI LocalFeedStore::WatchWorker(void* context) {
  const std::shared_ptr<Shared> s = Shared::Take(context);
  s->files.CreateFolders(s->store.folder());
  ChangeNotification changes(::FindFirstChangeNotificationW(
      AsWide(s->store.folder()), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE));
  uint64_t told = 0;
  bool first = true;
  while (!s->Stopping()) {
    FeedIndex index;
    if (s->store.Snapshot(index) && (first || index.lastEvent != told)) {
      told = index.lastEvent;
      first = false;
      s->Post();
    }
    HANDLE handles[2] = {s->stop.get(), changes.get()};
    if (::WaitForMultipleObjects(changes ? 2 : 1, handles, FALSE, s->pollMs) == WAIT_OBJECT_0 + 1)
      ::FindNextChangeNotification(changes.get());
  }
  return 0;
}

}  // namespace zavra
