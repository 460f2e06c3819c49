#pragma once
// Message boxes from string resources.

#include "framework/win_constants.h"

// One OK button, the exclamation icon, the application name as caption;
// returns IDOK once the box is closed.
int AfxMessageBox(UINT stringId, UINT type = MB_OK);
