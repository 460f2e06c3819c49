#pragma once
// Message numbers, command ids and flags of the dialog framework.

#include "framework/win_types.h"

// Window messages: the Qt events of a dialog window arrive as these.
enum : UINT {
  WM_COMMAND = 1,
  WM_SYSCOMMAND,
  WM_PAINT,
  WM_CLOSE,
  WM_ICONERASEBKGND,
  WM_QUERYDRAGICON,
  WM_CONTEXTMENU,
  WM_RBUTTONDBLCLK,
};

// Notification code of a push button's click, in the high word of WM_COMMAND's wParam.
inline constexpr WORD BN_CLICKED = 0;

// Dialog results and the commands of the standard buttons.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
// Controls that need no id of their own.
inline constexpr int IDC_STATIC = -1;

// The help command.
inline constexpr UINT ID_HELP = 0xE145;

// System commands; the low four bits are the system's own.
inline constexpr UINT SC_MOVE = 0xF010;
inline constexpr UINT SC_CLOSE = 0xF060;
inline constexpr UINT SC_COMMAND_MASK = 0xFFF0;

// Message box types.
inline constexpr UINT MB_OK = 0;

// Menu item flags.
inline constexpr UINT MF_STRING = 0;
inline constexpr UINT MF_BYCOMMAND = 0;
inline constexpr UINT MF_SEPARATOR = 1 << 0;

// System metrics.
enum : int {
  SM_CXICON,
  SM_CYICON,
};

// Mouse key state flags, in wParam of mouse messages.
inline constexpr WPARAM MK_LBUTTON = 1 << 0;
inline constexpr WPARAM MK_RBUTTON = 1 << 1;
inline constexpr WPARAM MK_MBUTTON = 1 << 2;
inline constexpr WPARAM MK_SHIFT = 1 << 3;
inline constexpr WPARAM MK_CONTROL = 1 << 4;
