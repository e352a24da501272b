#pragma once
// Downloads feed documents over HTTP and HTTPS with WinHTTP and reads them with the feed parser.
// Every wait is bounded: resolving, connecting, sending and each wait for data have time-outs,
// the whole transfer a deadline, and the response a size limit; redirects are followed a few
// times, and only to http and https.
#include <cstdint>
#include <string>
#include <vector>

#include "feeds/FileFeedStore.h"

namespace zavra {

struct FetchLimits {
  int resolveMs = 15000;
  int connectMs = 15000;
  int sendMs = 15000;
  int receiveMs = 30000;     // for the response to begin, and between pieces of it
  int totalMs = 120000;      // for the whole transfer
  size_t maxBytes = 8u << 20;
  int maxRedirects = 8;
};

// Fetches the bytes of a web address: kFeedOk, kFeedBadAddress, kFeedNetworkError,
// kFeedHttpError or kFeedTooLarge. `finalUrl` is where the document came from after redirects.
int32_t HttpGet(const std::u16string& url, const FetchLimits& limits, std::vector<uint8_t>& body,
                std::u16string& finalUrl);

class WinHttpFeedFetcher : public IFeedFetcher {
 public:
  explicit WinHttpFeedFetcher(FetchLimits limits = {}) : limits_(limits) {}
  int32_t Fetch(const std::u16string& url, ParsedFeed& feed) override;

 private:
  FetchLimits limits_;
};

}  // namespace zavra
