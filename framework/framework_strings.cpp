#include "framework/framework_strings.h"

namespace {

constexpr StringResource kStrings[] = {
    {AFX_IDP_FAILED_TO_LAUNCH_HELP, "Failed to launch help."},
};

constexpr ResourceModule kFrameworkResources{{}, kStrings, {}};

}  // namespace

const ResourceModule& FrameworkResources() { return kFrameworkResources; }
