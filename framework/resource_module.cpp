#include "framework/resource_module.h"

#include <algorithm>

namespace {

template <typename Resource>
const Resource* FindById(std::span<const Resource> resources, UINT id) {
  const auto found = std::find_if(resources.begin(), resources.end(),
                                  [id](const Resource& resource) { return resource.id == id; });
  return found == resources.end() ? nullptr : &*found;
}

}  // namespace

const DialogTemplate* ResourceModule::FindDialog(UINT id) const { return FindById(dialogs, id); }
const StringResource* ResourceModule::FindString(UINT id) const { return FindById(strings, id); }
const IconResource* ResourceModule::FindIcon(UINT id) const { return FindById(icons, id); }
