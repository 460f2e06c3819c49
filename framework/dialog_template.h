#pragma once
// The layout of a dialog template: plain data, positions and sizes in dialog
// units of the template's font.

#include <span>
#include <string_view>

#include "framework/win_types.h"

// Window styles of a dialog and its controls.
enum : DWORD {
  WS_CAPTION = 1 << 0,
  WS_SYSMENU = 1 << 1,
  WS_MINIMIZEBOX = 1 << 2,
  WS_MAXIMIZEBOX = 1 << 3,
  WS_VISIBLE = 1 << 4,
  DS_MODALFRAME = 1 << 5,
  WS_TABSTOP = 1 << 6,
  WS_GROUP = 1 << 7,
};

enum class ControlKind {
  PushButton,
  DefPushButton,
  LeftText,
  Icon,
};

struct DialogRect {
  int x;
  int y;
  int cx;
  int cy;
};

struct ControlTemplate {
  ControlKind kind;
  int id;
  std::string_view text;  // the caption; empty for an icon
  UINT iconId;            // for ControlKind::Icon only
  DialogRect rect;
  DWORD style;
};

struct DialogTemplate {
  UINT id;
  std::string_view caption;
  DialogRect rect;
  std::string_view fontName;
  int fontPointSize;
  DWORD style;
  std::span<const ControlTemplate> controls;
};
