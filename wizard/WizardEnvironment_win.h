#pragma once
// Where the wizard reads and writes: the user's real folders and settings key, or a test's own.
#include "framework/Win.h"
#include <optional>
#include <string>

namespace zavra {

struct WizardEnvironment {
  std::wstring dataFolder;    // with a backslash; empty: the current folder
  std::wstring programGroup;  // the Start menu's "Note Zavra" group (not created here)
  std::wstring desktop;
  std::wstring ownFolder;     // the wizard's own program folder
  HKEY registryRoot = HKEY_CURRENT_USER;
  std::wstring settingsKey = L"SOFTWARE\\noteZaVRA";
};

WizardEnvironment DefaultWizardEnvironment();

// The default value of the settings key: the folder the installation put the programs in.
// Nothing when the key or a string value is missing or does not fit the wizard's buffer.
std::optional<std::u16string> ReadRegisteredInstallFolder(const WizardEnvironment& env);

}  // namespace zavra
