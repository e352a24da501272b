#pragma once
// feedzavra's run: the address from the command line, subscribed into the user's feed store.
#include <string>

namespace zavra {

// `storeFolder` empty: the user's own feed store. Returns the exit code (always 0).
int RunFeedHelper(const std::wstring& commandLine, const std::u16string& storeFolder = {});

}  // namespace zavra
