#pragma once
// The program's user-visible strings.

#include <span>

#include "framework/resource_module.h"

std::span<const StringResource> StringTable();
