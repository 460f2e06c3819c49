#pragma once
// The root of everything that has a message map: the application and windows.

#include "framework/message_map.h"

class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;

  // Runs the handler bound to a command id; FALSE when no table takes it.
  virtual BOOL OnCmdMsg(UINT id);

  static const MessageMap messageMap;

 protected:
  virtual const MessageMap* GetMessageMap() const;
};
