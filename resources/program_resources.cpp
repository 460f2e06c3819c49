#include "resources/program_resources.h"

#include "resources/dialog_templates.h"
#include "resources/keypad_icon.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"

const ResourceModule& ProgramResources() {
  static const IconResource icons[] = {{IDI_KEYPAD, KeypadIconImages()}};
  static const ResourceModule resources{DialogTemplates(), StringTable(), icons};
  return resources;
}
