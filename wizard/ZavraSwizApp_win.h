#pragma once
// CZavraSwizApp: common controls and OLE, then the wizard dialog; the program ends with it.
#include "framework/Application.h"

namespace zavra {

class CZavraSwizApp : public CApplication {
 protected:
  bool InitInstance() override;
};

}  // namespace zavra
