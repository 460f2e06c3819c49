#pragma once
// What a program hands the framework as its resources: dialog templates,
// strings and icons, each found by id.

#include <span>
#include <string_view>

#include "framework/dialog_template.h"
#include "framework/win_types.h"

struct StringResource {
  UINT id;
  std::string_view text;
};

// An XPM image: its header line, its colours, then one string per row.
using XpmImage = const char* const*;

struct IconResource {
  UINT id;
  std::span<const XpmImage> images;
};

struct ResourceModule {
  std::span<const DialogTemplate> dialogs;
  std::span<const StringResource> strings;
  std::span<const IconResource> icons;

  const DialogTemplate* FindDialog(UINT id) const;
  const StringResource* FindString(UINT id) const;
  const IconResource* FindIcon(UINT id) const;
};
