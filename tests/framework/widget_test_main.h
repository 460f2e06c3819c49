#pragma once
// The main of a widget test program: one QApplication for its one
// application object, with the dialog base units pinned.

#include "framework/dialog_units.h"
#include "framework/win_app.h"

int RunWidgetTests(int argc, char** argv, CWinApp& app, DialogBaseUnits pinnedUnits);
