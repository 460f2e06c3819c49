#pragma once
// A small application with resources of its own, so the framework is tested
// apart from the program's templates.

#include "framework/win_app.h"

inline constexpr UINT IDD_PROBE = 1;
inline constexpr UINT IDD_PROBE_CHILD = 2;
inline constexpr UINT IDS_PROBE_MESSAGE = 7;
inline constexpr UINT IDI_PROBE = 9;
inline constexpr int IDC_PROBE_A = 10;
inline constexpr int IDC_PROBE_B = 11;

class ProbeApp : public CWinApp {
 public:
  ProbeApp();

  static const MessageMap messageMap;

 protected:
  const MessageMap* GetMessageMap() const override;

 private:
  static const MessageMapEntry messageEntries[];
};

extern ProbeApp probeApp;
