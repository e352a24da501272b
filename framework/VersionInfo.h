#pragma once
// A program file's version resource: what an About box shows.
#include "framework/Win.h"
#include <string>

namespace zavra {

struct ProgramVersion {
  std::wstring product;    // "Note Zavra"
  std::wstring version;    // "1.0.0"
  std::wstring copyright;  // the copyright line
};

// Fields the file does not carry stay empty.
ProgramVersion ReadProgramVersion(const std::wstring& file);
// Of this program.
ProgramVersion ReadProgramVersion();

}  // namespace zavra
