#pragma once
// String ids of the hover tips and the pad's "Now" label.
#define IDS_TIP_CREATED 131   // "Created: %s %s"
#define IDS_TIP_NOW 171       // "%s\nNow  %s"
