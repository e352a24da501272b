#pragma once
// A small HTTP server on 127.0.0.1 for the feed tests: answers each path as told, late, or
// never. It listens on a port of the system's choosing; nothing outside this machine reaches it.
#include <winsock2.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zavra::test {

class LoopbackHttpServer {
 public:
  struct Response {
    int status = 200;
    std::string body;
    std::string contentType = "application/rss+xml; charset=utf-8";
    std::string location;      // for redirects
    bool neverAnswer = false;  // reads the request, then keeps the connection silent
    bool omitLength = false;   // no Content-Length: the body ends when the connection closes
    int delayMs = 0;
  };

  LoopbackHttpServer() {
    WSADATA wsa;
    ::WSAStartup(MAKEWORD(2, 2), &wsa);
    listen_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (::bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(listen_, 16) == 0 &&
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
      port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackHttpServer() {
    ::closesocket(listen_);
    thread_.join();
    for (std::thread& t : answering_) t.join();
    for (SOCKET s : held_) ::closesocket(s);
    ::WSACleanup();
  }

  void Set(const std::string& path, Response response) {
    std::lock_guard<std::mutex> lock(mutex_);
    responses_[path] = std::move(response);
  }
  std::wstring Url(const std::string& path) const {
    const std::string url = "http://127.0.0.1:" + std::to_string(port_) + path;
    return std::wstring(url.begin(), url.end());
  }
  std::u16string Url16(const std::string& path) const {
    const std::wstring w = Url(path);
    return std::u16string(w.begin(), w.end());
  }
  int Requests(const std::string& path) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_.count(path) ? requests_.at(path) : 0;
  }
  uint16_t port() const { return port_; }

 private:
  // Each connection is answered on a thread of its own: a client that stops reading a large
  // body must not keep the next request waiting.
  void Serve() {
    for (SOCKET client; (client = ::accept(listen_, nullptr, nullptr)) != INVALID_SOCKET;)
      answering_.emplace_back([this, client] { Answer(client); });
  }

  void Answer(SOCKET client) {
    {
      // Nor may such a client hold the test that owns the server in a send for ever.
      DWORD timeout = 5000;
      ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
      ::setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
      std::string request;
      char buffer[4096];
      for (int got; request.find("\r\n\r\n") == std::string::npos && (got = ::recv(client, buffer, sizeof buffer, 0)) > 0;)
        request.append(buffer, static_cast<size_t>(got));
      const size_t start = request.find(' ') + 1, end = request.find(' ', start);
      const std::string path = start > 0 && end != std::string::npos ? request.substr(start, end - start) : "";
      Response r{404};
      {
        std::lock_guard<std::mutex> lock(mutex_);
        ++requests_[path];
        if (responses_.count(path)) r = responses_[path];
      }
      if (r.neverAnswer) {
        std::lock_guard<std::mutex> lock(mutex_);
        held_.push_back(client);
        return;
      }
      ::Sleep(static_cast<DWORD>(r.delayMs));
      std::string all = "HTTP/1.1 " + std::to_string(r.status) + " X\r\nContent-Type: " + r.contentType + "\r\nConnection: close\r\n";
      if (!r.omitLength) all += "Content-Length: " + std::to_string(r.body.size()) + "\r\n";
      if (!r.location.empty()) all += "Location: " + r.location + "\r\n";
      all += "\r\n" + r.body;
      for (int n, sent = 0; sent < static_cast<int>(all.size()) && (n = ::send(client, all.data() + sent, static_cast<int>(all.size()) - sent, 0)) > 0;)
        sent += n;
      ::shutdown(client, SD_SEND);
      ::closesocket(client);
    }
  }

  SOCKET listen_ = INVALID_SOCKET;
  uint16_t port_ = 0;
  std::thread thread_;
  std::vector<std::thread> answering_;  // touched by the accepting thread only, until it ends
  mutable std::mutex mutex_;
  std::map<std::string, Response> responses_;
  std::map<std::string, int> requests_;
  std::vector<SOCKET> held_;
};

}  // namespace zavra::test
