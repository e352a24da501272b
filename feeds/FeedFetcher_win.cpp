#include "feeds/FeedFetcher_win.h"

#include "feeds/FeedParser_win.h"
#include "framework/Text.h"
#include "framework/Win.h"
#include <winhttp.h>
#include <algorithm>

namespace zavra {

namespace {

struct InternetHandle {
  HINTERNET h = nullptr;
  explicit InternetHandle(HINTERNET handle) : h(handle) {}
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  ~InternetHandle() {
    if (h) ::WinHttpCloseHandle(h);
  }
  explicit operator bool() const { return h != nullptr; }
};

void SetDword(HINTERNET h, DWORD option, DWORD value) { ::WinHttpSetOption(h, option, &value, sizeof value); }

std::u16string FinalUrl(HINTERNET request, const std::u16string& fallback) {
  DWORD bytes = 0;
  ::WinHttpQueryOption(request, WINHTTP_OPTION_URL, nullptr, &bytes);
  if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes < sizeof(wchar_t)) return fallback;
  std::wstring url(bytes / sizeof(wchar_t), L'\0');
  if (!::WinHttpQueryOption(request, WINHTTP_OPTION_URL, url.data(), &bytes)) return fallback;
  url.resize(wcsnlen(url.c_str(), url.size()));
  return ToU16(url);
}

}  // namespace

int32_t HttpGet(const std::u16string& url, const FetchLimits& limits, std::vector<uint8_t>& body,
                std::u16string& finalUrl) {
  body.clear();
  finalUrl = url;
  if (!IsWebLink(url)) return kFeedBadAddress;
  const std::wstring wideUrl = ToWide(url);
  URL_COMPONENTS parts{sizeof parts};
  parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!::WinHttpCrackUrl(wideUrl.c_str(), 0, 0, &parts) ||
      (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) || !parts.dwHostNameLength)
    return kFeedBadAddress;
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
  path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (path.empty()) path = L"/";

  InternetHandle session(::WinHttpOpen(L"NoteZavra/1.0 (feed reader)", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                       WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return kFeedNetworkError;
  ::WinHttpSetTimeouts(session.h, limits.resolveMs, limits.connectMs, limits.sendMs, limits.receiveMs);
  InternetHandle connection(::WinHttpConnect(session.h, host.c_str(), parts.nPort, 0));
  if (!connection) return kFeedNetworkError;
  static const wchar_t* kAccept[] = {L"application/rss+xml, application/atom+xml, application/rdf+xml, "
                                           L"application/xml;q=0.9, text/xml;q=0.9, */*;q=0.8",
                                           nullptr};
  InternetHandle request(::WinHttpOpenRequest(connection.h, L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                              kAccept, (parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0) |
                                                           WINHTTP_FLAG_REFRESH));
  if (!request) return kFeedNetworkError;
  // Without it a server that accepts and never answers can hold the request for ever.
  SetDword(request.h, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, static_cast<DWORD>(limits.receiveMs));
  SetDword(request.h, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, static_cast<DWORD>(limits.maxRedirects));
  SetDword(request.h, WINHTTP_OPTION_REDIRECT_POLICY, WINHTTP_OPTION_REDIRECT_POLICY_DISALLOW_HTTPS_TO_HTTP);
  const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(limits.totalMs);
  if (!::WinHttpSendRequest(request.h, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !::WinHttpReceiveResponse(request.h, nullptr))
    return kFeedNetworkError;
  DWORD status = 0, size = sizeof status;
  if (!::WinHttpQueryHeaders(request.h, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
    return kFeedNetworkError;
  // A redirect that was not followed (too many, or to another scheme) ends here too.
  if (status != 200) return kFeedHttpError;
  ULONGLONG declared = 0;
  wchar_t lengthText[32] = {};
  size = sizeof lengthText;
  if (::WinHttpQueryHeaders(request.h, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX, lengthText, &size,
                            WINHTTP_NO_HEADER_INDEX))
    declared = _wcstoui64(lengthText, nullptr, 10);
  if (declared > limits.maxBytes) return kFeedTooLarge;
  finalUrl = FinalUrl(request.h, url);
  for (;;) {
    if (::GetTickCount64() > deadline) return kFeedNetworkError;
    DWORD available = 0;
    if (!::WinHttpQueryDataAvailable(request.h, &available)) return kFeedNetworkError;
    if (available == 0) break;
    const size_t had = body.size();
    if (had + available > limits.maxBytes) return kFeedTooLarge;
    body.resize(had + available);
    DWORD got = 0;
    if (!::WinHttpReadData(request.h, body.data() + had, available, &got)) return kFeedNetworkError;
    body.resize(had + got);
  }
  return kFeedOk;
}

int32_t WinHttpFeedFetcher::Fetch(const std::u16string& url, ParsedFeed& feed) {
  std::vector<uint8_t> body;
  std::u16string from;
  const int32_t error = HttpGet(url, limits_, body, from);
  if (error != kFeedOk) return error;
  return ParseFeedDocument(body.data(), body.size(), from, feed) ? kFeedOk : kFeedNotAFeed;
}

}  // namespace zavra
