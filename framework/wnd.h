#pragma once
// A window of the framework: a Qt widget whose events arrive as messages and
// go through the message maps.

#include <memory>

#include "framework/cmd_target.h"
#include "framework/system_menu.h"

class QPoint;
class QRect;
class QSize;
class QWidget;

class CWnd : public CCmdTarget {
 public:
  CWnd();
  ~CWnd() override;

  // The framework window that widget belongs to, or nullptr.
  static CWnd* FromHandle(QWidget* widget);
  // The window's widget; nullptr while the window does not exist.
  QWidget* GetSafeHwnd() const { return window_; }

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // With revert, the menu goes back to its standard entries and nullptr is returned.
  CMenu* GetSystemMenu(BOOL revert);
  void ShowSystemMenu();

  BOOL IsIconic() const;
  void GetClientRect(CRect* rect) const;
  // Over the alternate owner, else over the window's owner, else over the
  // screen; kept inside the screen's work area.
  void CenterWindow(CWnd* alternateOwner = nullptr);

  static const MessageMap messageMap;

 protected:
  const MessageMap* GetMessageMap() const override;
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  // The default processing of their messages, for handlers that pass them on.
  void OnSysCommand(UINT id, LPARAM lParam);
  void OnPaint();
  void OnRButtonDblClk(UINT flags, CPoint point);

  void AttachWindow(QWidget* window, bool hasSystemMenu);
  void DetachWindow();

 private:
  bool HandlesMessage(UINT message) const;
  QSize FrameSize(const QWidget* visibleOwner) const;
  void ShowCloseButtonIfMenuHasClose();

  QWidget* window_ = nullptr;
  std::unique_ptr<CMenu> systemMenu_;
};

// Where a window of size goes to be centred on around and stay inside screen.
QPoint CenteredPosition(const QSize& size, const QRect& around, const QRect& screen);

int GetSystemMetrics(int index);
