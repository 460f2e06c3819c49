#include "tests/framework/probe_dialog.h"
#include "tests/framework/probe_resources.h"
#include "tests/framework/widget_test_main.h"

int main(int argc, char** argv) { return RunWidgetTests(argc, argv, probeApp, kTestBaseUnits); }
