#pragma once
// Reads RSS 2.0 (and 0.9x), RSS 1.0 (RDF) and Atom documents with XmlLite, which is bound at run
// time. Document type declarations are refused, nesting is limited and items beyond
// kMaxDocumentItems are not read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "feeds/FeedItems.h"

namespace zavra {

// False when the document is not well-formed, not a feed, or XmlLite is missing. Relative
// links are made absolute against `address`, where the document came from.
bool ParseFeedDocument(const uint8_t* data, size_t size, const std::u16string& address, ParsedFeed& feed);

}  // namespace zavra
