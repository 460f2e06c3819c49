#pragma once
// The program's version information, field for field.

#include <array>
#include <span>
#include <string_view>

#include "framework/win_types.h"

struct VersionString {
  std::string_view name;
  std::string_view value;
};

struct VersionInfo {
  std::array<WORD, 4> fileVersion;
  std::array<WORD, 4> productVersion;
  bool preRelease;
  bool specialBuild;
  std::string_view operatingSystem;
  std::string_view fileType;
  std::string_view languageBlock;
  std::span<const VersionString> strings;
};

// The maker's notice: the About box shows the copyright entry.
inline constexpr std::string_view MAKER_NAME = "Corvane developers";
inline constexpr std::string_view MAKER_NOTICE = "Copyright (C) Corvane developers";

const VersionInfo& ProgramVersionInfo();
// The value of a string field, empty if there is none.
std::string_view VersionField(const VersionInfo& info, std::string_view name);
