#include "feedhelper/FeedHelper_win.h"

#include "feedhelper/FeedAddress.h"
#include "feedhelper/FeedSubscriber.h"
#include "feeds/LocalFeedStore_win.h"
#include "framework/Handles.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/feedzavra_res.h"

namespace zavra {

namespace {

// One subscription at a time: a second helper waits, so that it never takes the first one's
// temporary feed for a leftover. Every wait of a subscription is bounded by its download's
// time-outs, so the wait here is too.
const wchar_t kHelperMutex[] = L"QEl noteZaVRA feed subscriber";
constexpr DWORD kHelperWaitMs = 5 * 60 * 1000;

}  // namespace

int RunFeedHelper(const std::wstring& commandLine, const std::u16string& storeFolder) {
  const FeedAddress address = NormaliseFeedAddress(ToU16(commandLine));
  if (address.kind == FeedAddress::kEmpty) return 0;
  if (address.kind == FeedAddress::kRefused) {
    const std::wstring text = FormatArgs(LoadResString(IDS_HELPER_NOT_A_FEED), {commandLine});
    ::MessageBoxW(nullptr, text.c_str(), LoadResString(IDS_HELPER_TITLE).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  KernelHandle mutex(::CreateMutexW(nullptr, FALSE, kHelperMutex));
  if (!mutex) return 0;
  const DWORD wait = ::WaitForSingleObject(mutex.get(), kHelperWaitMs);
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) return 0;
  {
    LocalFeedStore store(storeFolder.empty() ? UserFeedFolder() : storeFolder);
    SubscribeFeed(store, address.url);
  }
  ::ReleaseMutex(mutex.get());
  return 0;
}

}  // namespace zavra
