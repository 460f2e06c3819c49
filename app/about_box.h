#pragma once
// The About box: the icon, the product line and the maker's notice. A
// right-button double-click on it plays the handset test sequence.

#include <array>

#include "framework/dialog.h"
#include "link/handset_protocol.h"

// Six codes of keypad keys and two that no key sends (15 and 16), in the
// order they are played.
inline constexpr std::array<KeyCode, 8> ABOUT_TEST_SEQUENCE{13, 1, 2, 3, 15, 16, 17, 14};

class CAboutBox : public CDialog {
 public:
  CAboutBox();

  static const MessageMap messageMap;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  const MessageMap* GetMessageMap() const override;

  void OnRButtonDblClk(UINT flags, CPoint point);

 private:
  static const MessageMapEntry messageEntries[];
};
