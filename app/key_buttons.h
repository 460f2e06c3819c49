#pragma once
// Which handset key each button of the keypad presses. The codes do not
// follow the control ids.

#include <array>

#include "link/handset_protocol.h"
#include "resources/resource_ids.h"

struct KeyButton {
  int id;
  KeyCode code;
};

inline constexpr std::array<KeyButton, 21> KEY_BUTTONS{{
    {IDC_KEY_1, 1},
    {IDC_KEY_2, 2},
    {IDC_KEY_3, 3},
    {IDC_KEY_4, 4},
    {IDC_KEY_5, 5},
    {IDC_KEY_6, 6},
    {IDC_KEY_7, 7},
    {IDC_KEY_8, 8},
    {IDC_KEY_9, 9},
    {IDC_KEY_STAR, 11},
    {IDC_KEY_0, 10},
    {IDC_KEY_HASH, 12},
    {IDC_KEY_RCL, 19},
    {IDC_KEY_STO, 18},
    {IDC_KEY_ALPH, 26},
    {IDC_KEY_MENU, 22},
    {IDC_KEY_SND, 13},
    {IDC_KEY_CLR, 17},
    {IDC_KEY_END, 14},
    {IDC_KEY_PLUS, 21},
    {IDC_KEY_MINUS, 20},
}};

// The buttons' ids run without a gap, so one command range binds them all.
static_assert(KEY_BUTTONS.size() == IDC_KEY_MINUS - IDC_KEY_1 + 1);
