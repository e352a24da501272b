#pragma once
// The feed documents of tests/feeds/corpus, built into the test program as resources.
#include "framework/Win.h"
#include <string>

namespace zavra::test {

inline std::string CorpusDocument(const wchar_t* name) {
  HRSRC found = ::FindResourceW(nullptr, name, RT_RCDATA);
  HGLOBAL loaded = found ? ::LoadResource(nullptr, found) : nullptr;
  const char* data = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
  return data ? std::string(data, ::SizeofResource(nullptr, found)) : std::string();
}

// An RSS 2.0 document with the given items ("guid|title" each).
inline std::string RssDocument(const std::string& title, std::initializer_list<std::string> items) {
  std::string doc = "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>" + title + "</title>";
  for (const std::string& item : items) {
    const size_t bar = item.find('|');
    doc += "<item><guid>" + item.substr(0, bar) + "</guid><title>" + item.substr(bar + 1) +
           "</title><link>http://example.com/" + item.substr(0, bar) + "</link></item>";
  }
  return doc + "</channel></rss>";
}

}  // namespace zavra::test
