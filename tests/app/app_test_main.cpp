#include "app/keypad_app.h"
#include "tests/framework/widget_test_main.h"

// The classic units of the template font.
int main(int argc, char** argv) { return RunWidgetTests(argc, argv, theApp, DialogBaseUnits{6, 13}); }
