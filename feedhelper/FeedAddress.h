#pragma once
// The feed address the subscription helper is given: its whole command line, as a browser or a
// user passes it ("feed://...", "feed:https://...", quoted, with blanks around).
#include <string>
#include <string_view>

namespace zavra {

struct FeedAddress {
  enum Kind { kEmpty, kRefused, kWeb } kind = kEmpty;
  std::u16string url;  // kWeb: an http or https address, its scheme in lower case
};

// Blanks around and one pair of enclosing quotes are removed; "feed://" becomes "http://", and
// a "feed:" before another address is dropped. Only http and https addresses with a host are
// accepted (schemes in any case); an empty line is kEmpty, anything else kRefused.
FeedAddress NormaliseFeedAddress(std::u16string_view commandLine);

}  // namespace zavra
