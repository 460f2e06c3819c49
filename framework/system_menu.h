#pragma once
// A window's system menu. The window manager owns the title bar on Linux, so
// the framework shows this menu as its own popup at the window's top-left.

#include <QPoint>
#include <functional>
#include <memory>
#include <string_view>

#include "framework/win_constants.h"

class QMenu;
class QWidget;

class CMenu {
 public:
  // onCommand receives the chosen item's id once the menu has closed;
  // onChanged runs after every change of the items.
  CMenu(QWidget* window, std::function<void(UINT)> onCommand, std::function<void()> onChanged);
  ~CMenu();
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  BOOL AppendMenu(UINT flags, UINT_PTR id = 0, std::string_view text = {});
  BOOL RemoveMenu(UINT id, UINT flags);

  // Back to the standard entries of a dialog's system menu.
  void Revert();
  bool HasCommand(UINT id) const;
  void TrackPopupAt(QPoint globalPosition);

 private:
  void AddItem(UINT flags, UINT id, std::string_view text);
  void AddStandardItems();

  std::unique_ptr<QMenu> menu_;
  std::function<void(UINT)> onCommand_;
  std::function<void()> onChanged_;
};
