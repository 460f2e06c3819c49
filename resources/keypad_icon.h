#pragma once
// The application icon IDI_KEYPAD: a 32 by 32 and a 16 by 16 image, as XPM text.

#include <span>

#include "framework/resource_module.h"

std::span<const XpmImage> KeypadIconImages();
