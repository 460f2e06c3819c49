#include "resources/string_table.h"

#include "resources/resource_ids.h"

namespace {

constexpr StringResource kStrings[] = {
    {IDS_ABOUT_ITEM, "&About Corvane..."},
    {IDS_HANDSET_INIT_FAILED, "Corvane was unable to properly initialize your OKI-900, please exit and try again."},
    {IDS_PORT_OPEN_FAILED, "Corvane was unable to open and initialize COM1."},
};

}  // namespace

std::span<const StringResource> StringTable() { return kStrings; }
