#include "feeds/FeedParser_win.h"

#include "framework/Handles.h"
#include "framework/Win.h"
#include <shlwapi.h>
#include <xmllite.h>
#include <string_view>
#include <vector>

namespace zavra {

namespace {

using CreateXmlReaderFn = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

// xmllite.dll is part of every supported Windows; the import library is not part of every
// toolchain, so it is bound here.
CreateXmlReaderFn XmlReaderFactory() {
  static const CreateXmlReaderFn create = [] {
    HMODULE dll = ::LoadLibraryExW(L"xmllite.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!dll) dll = ::LoadLibraryW(L"xmllite.dll");
    // Through void*: the address is that of a function of exactly this type.
    return dll ? reinterpret_cast<CreateXmlReaderFn>(reinterpret_cast<void*>(::GetProcAddress(dll, "CreateXmlReader")))
               : nullptr;
  }();
  return create;
}

constexpr std::wstring_view kRdfNs = L"http://www.w3.org/1999/02/22-rdf-syntax-ns#";
constexpr std::wstring_view kRss1Ns = L"http://purl.org/rss/1.0/";
constexpr std::wstring_view kRss090Ns = L"http://my.netscape.com/rdf/simple/0.9/";
constexpr std::wstring_view kAtomNs = L"http://www.w3.org/2005/Atom";
constexpr std::wstring_view kAtom03Ns = L"http://purl.org/atom/ns#";
constexpr UINT kMaxDepth = 64;

enum class Format { kUnknown, kRss, kRdf, kAtom };
enum class Role { kOther, kRoot, kChannel, kItem, kFeedTitle, kItemTitle, kItemLink, kItemGuid, kInsideText };

struct Frame {
  Role role;
  std::u16string* text;  // where the element's text goes, or null
};

class DocumentReader {
 public:
  DocumentReader(IXmlReader& reader, size_t size, const std::u16string& address, ParsedFeed& feed)
      : reader_(reader), nodeLimit_(size + 16), address_(address), feed_(feed) {}

  bool Read() {
    XmlNodeType type;
    HRESULT hr;
    // Every node takes at least one character of the document; a reader that hands out more
    // is going round in circles (some readers do at the end of a cut-off document).
    for (size_t nodes = 0; (hr = reader_.Read(&type)) == S_OK;) {
      if (++nodes > nodeLimit_) return false;
      switch (type) {
        case XmlNodeType_Element:
          if (!StartElement()) return false;
          if (reader_.IsEmptyElement()) EndElement();
          break;
        case XmlNodeType_EndElement:
          EndElement();
          break;
        case XmlNodeType_Text:
        case XmlNodeType_CDATA:
        case XmlNodeType_Whitespace:
          AppendText();
          break;
        default:
          break;
      }
      if (full_) return true;
    }
    return hr == S_FALSE && format_ != Format::kUnknown;
  }

 private:
  bool InFormatNs(std::wstring_view ns) const {
    switch (format_) {
      case Format::kRss: return ns.empty();
      case Format::kRdf: return ns == kRss1Ns || ns == kRss090Ns;
      case Format::kAtom: return ns == kAtomNs || ns == kAtom03Ns;
      default: return false;
    }
  }

  std::wstring_view Attribute(std::wstring_view name, std::wstring_view ns) {
    std::wstring_view value;
    for (HRESULT hr = reader_.MoveToFirstAttribute(); hr == S_OK; hr = reader_.MoveToNextAttribute()) {
      const wchar_t *local = nullptr, *uri = nullptr, *v = nullptr;
      if (FAILED(reader_.GetLocalName(&local, nullptr)) || FAILED(reader_.GetNamespaceUri(&uri, nullptr))) continue;
      if (name == local && ns == uri && SUCCEEDED(reader_.GetValue(&v, nullptr))) {
        value = v;
        break;
      }
    }
    reader_.MoveToElement();
    return value;
  }

  static std::u16string U16(std::wstring_view s) { return std::u16string(s.begin(), s.end()); }

  // Classifies an element by its name and its parent; false when the root is no feed.
  bool StartElement() {
    const wchar_t *localName = nullptr, *uri = nullptr;
    reader_.GetLocalName(&localName, nullptr);
    reader_.GetNamespaceUri(&uri, nullptr);
    const std::wstring_view local = localName ? localName : L"", ns = uri ? uri : L"";
    const Role parent = stack_.empty() ? Role::kOther : stack_.back().role;
    Frame frame{Role::kOther, nullptr};
    if (stack_.empty()) {
      if (local == L"rss" && ns.empty()) {
        format_ = Format::kRss;
        frame.role = Role::kRoot;
      } else if (local == L"RDF" && ns == kRdfNs) {
        format_ = Format::kRdf;
        frame.role = Role::kRoot;
      } else if (local == L"feed" && (ns == kAtomNs || ns == kAtom03Ns)) {
        format_ = Format::kAtom;
        frame.role = Role::kChannel;
        htmlTitle_ = false;
      } else {
        return false;
      }
    } else if (parent == Role::kFeedTitle || parent == Role::kItemTitle || parent == Role::kInsideText) {
      frame = {Role::kInsideText, stack_.back().text};
    } else if (InFormatNs(ns)) {
      if (parent == Role::kRoot && local == L"channel") {
        frame.role = Role::kChannel;
      } else if ((parent == Role::kRoot && format_ == Format::kRdf && local == L"item") ||
                 (parent == Role::kChannel && local == (format_ == Format::kAtom ? L"entry" : L"item"))) {
        frame.role = Role::kItem;
        item_ = ParsedItem{};
        itemHtmlTitle_ = false;
        if (format_ == Format::kRdf) item_.guid = U16(Attribute(L"about", kRdfNs));
      } else if (parent == Role::kChannel && local == L"title") {
        frame = {Role::kFeedTitle, &title_};
        title_.clear();
        htmlTitle_ = IsHtmlType();
      } else if (parent == Role::kItem && local == L"title") {
        frame = {Role::kItemTitle, &item_.title};
        item_.title.clear();
        itemHtmlTitle_ = IsHtmlType();
      } else if (parent == Role::kItem && local == L"link") {
        if (format_ == Format::kAtom) {
          const std::wstring_view rel = Attribute(L"rel", L"");
          if (item_.link.empty() && (rel.empty() || rel == L"alternate")) item_.link = U16(Attribute(L"href", L""));
        } else {
          frame = {Role::kItemLink, &item_.link};
          item_.link.clear();
        }
      } else if (parent == Role::kItem && local == (format_ == Format::kAtom ? L"id" : L"guid")) {
        frame = {Role::kItemGuid, &item_.guid};
        item_.guid.clear();
      }
    }
    stack_.push_back(frame);
    return true;
  }

  bool IsHtmlType() {
    if (format_ != Format::kAtom) return false;
    const std::wstring_view type = Attribute(L"type", L"");
    return type == L"html" || type == L"xhtml" || type == L"text/html";
  }

  void EndElement() {
    if (stack_.empty()) return;
    const Role role = stack_.back().role;
    stack_.pop_back();
    if (role == Role::kFeedTitle && feed_.title.empty()) {
      feed_.title = CollapseSpace(htmlTitle_ ? StripTags(title_) : title_);
    } else if (role == Role::kItem) {
      ParsedItem item;
      item.title = CollapseSpace(itemHtmlTitle_ ? StripTags(item_.title) : item_.title);
      item.link = ResolveLink(address_, CollapseSpace(item_.link));
      item.guid = CollapseSpace(item_.guid);
      feed_.items.push_back(std::move(item));
      full_ = feed_.items.size() >= kMaxDocumentItems;
    }
  }

  void AppendText() {
    if (stack_.empty() || !stack_.back().text) return;
    std::u16string& target = *stack_.back().text;
    const wchar_t* value = nullptr;
    UINT length = 0;
    if (FAILED(reader_.GetValue(&value, &length)) || !value) return;
    // Markup of an html title is longer than its text; the cut comes after the tags are gone.
    const size_t room = 4 * kMaxFeedTextChars > target.size() ? 4 * kMaxFeedTextChars - target.size() : 0;
    target.append(value, value + std::min<size_t>(length, room));
  }

  IXmlReader& reader_;
  size_t nodeLimit_;
  const std::u16string& address_;
  ParsedFeed& feed_;
  Format format_ = Format::kUnknown;
  std::vector<Frame> stack_;
  ParsedItem item_;
  std::u16string title_;
  bool htmlTitle_ = false;
  bool itemHtmlTitle_ = false;
  bool full_ = false;
};

}  // namespace

bool ParseFeedDocument(const uint8_t* data, size_t size, const std::u16string& address, ParsedFeed& feed) {
  feed = ParsedFeed{};
  const CreateXmlReaderFn create = XmlReaderFactory();
  if (!create || size > UINT_MAX) return false;
  ComPtr<IXmlReader> reader;
  if (FAILED(create(__uuidof(IXmlReader), reader.putVoid(), nullptr))) return false;
  ComPtr<IStream> stream;
  *stream.put() = ::SHCreateMemStream(data, static_cast<UINT>(size));
  if (!stream) return false;
  // Without a document type there are no entity expansions to bomb the reader with.
  if (FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
      FAILED(reader->SetProperty(XmlReaderProperty_MaxElementDepth, kMaxDepth)) ||
      FAILED(reader->SetInput(stream.get())))
    return false;
  DocumentReader document(*reader.get(), size, address, feed);
  if (document.Read()) return true;
  feed = ParsedFeed{};
  return false;
}

}  // namespace zavra
