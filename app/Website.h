#pragma once
// The program's web page. The address is kept scrambled in the program and made readable
// only when the user asks to open it.
#include <string>

namespace zavra {

std::u16string WebsiteAddress();

}  // namespace zavra
