#pragma once
// Ids of the program's resources and of the controls and commands they hold.

#include "framework/win_types.h"

// Dialog templates.
inline constexpr UINT IDD_ABOUT = 100;
inline constexpr UINT IDD_KEYPAD = 102;

// Strings.
inline constexpr UINT IDS_ABOUT_ITEM = 101;
inline constexpr UINT IDS_HANDSET_INIT_FAILED = 102;
inline constexpr UINT IDS_PORT_OPEN_FAILED = 103;

// Icons.
inline constexpr UINT IDI_KEYPAD = 128;

// System menu commands of the program.
inline constexpr UINT IDM_ABOUT = 0x0010;

// The key buttons of the keypad, in tab order.
enum : int {
  IDC_KEY_1 = 1000,
  IDC_KEY_2,
  IDC_KEY_3,
  IDC_KEY_4,
  IDC_KEY_5,
  IDC_KEY_6,
  IDC_KEY_7,
  IDC_KEY_8,
  IDC_KEY_9,
  IDC_KEY_STAR,
  IDC_KEY_0,
  IDC_KEY_HASH,
  IDC_KEY_RCL,
  IDC_KEY_STO,
  IDC_KEY_ALPH,
  IDC_KEY_MENU,
  IDC_KEY_SND,
  IDC_KEY_CLR,
  IDC_KEY_END,
  IDC_KEY_PLUS,
  IDC_KEY_MINUS,
};
