#pragma once
// GDI+ needs the OLE declarations that the lean Win32 headers leave out.
#include "framework/Win.h"
#include <objidl.h>
#include <gdiplus.h>
