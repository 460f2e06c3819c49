#pragma once
// The framework's own strings, found after the program's.

#include "framework/resource_module.h"

inline constexpr UINT AFX_IDP_FAILED_TO_LAUNCH_HELP = 0xF107;

const ResourceModule& FrameworkResources();
