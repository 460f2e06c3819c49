#include "framework/cmd_target.h"

const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, UINT id) {
  for (; map != nullptr; map = map->base) {
    for (const MessageMapEntry& entry : map->entries) {
      const bool idMatches = message != WM_COMMAND || (entry.firstId <= id && id <= entry.lastId);
      if (entry.message == message && idMatches) return &entry;
    }
  }
  return nullptr;
}

constinit const MessageMap CCmdTarget::messageMap{nullptr, {}};

const MessageMap* CCmdTarget::GetMessageMap() const { return &messageMap; }

BOOL CCmdTarget::OnCmdMsg(UINT id) {
  const MessageMapEntry* entry = FindMessageEntry(GetMessageMap(), WM_COMMAND, id);
  if (entry == nullptr) return FALSE;
  entry->call(*this, id, 0);
  return TRUE;
}
