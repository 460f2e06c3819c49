#include "resources/version_info.h"

#include <algorithm>

namespace {

constexpr VersionString kStrings[] = {
    {"Comments", "Prerelease timing-test version (Oki900 only)"},
    {"CompanyName", MAKER_NAME},
    {"FileDescription", "Corvane MFC Application"},
    {"FileVersion", "1, 0, 0, 0"},
    {"InternalName", "Corvane"},
    {"LegalCopyright", MAKER_NOTICE},
    {"LegalTrademarks", "No trademarks are claimed"},
    {"OriginalFilename", "Corvane.EXE"},
    {"ProductName", "Corvane Application"},
    {"ProductVersion", "1, 0, 0, 0"},
    {"SpecialBuild", "1.000 Alpha"},
};

constexpr VersionInfo kVersionInfo{
    {1, 0, 0, 0}, {1, 0, 0, 0}, true, true, "32-bit Windows", "application", "040904b0", kStrings,
};

}  // namespace

const VersionInfo& ProgramVersionInfo() { return kVersionInfo; }

std::string_view VersionField(const VersionInfo& info, std::string_view name) {
  const auto found = std::find_if(info.strings.begin(), info.strings.end(),
                                  [name](const VersionString& field) { return field.name == name; });
  return found == info.strings.end() ? std::string_view() : found->value;
}
