#pragma once
// The program's dialog templates: the keypad and the About box.

#include <span>

#include "framework/dialog_template.h"

std::span<const DialogTemplate> DialogTemplates();
