#pragma once
// Device contexts: a painter on a window, for its paint handler.

#include <QPainter>
#include <QWidget>

#include "framework/win_types.h"

class CWnd;

class CDC {
 public:
  explicit CDC(QWidget* device) : painter_(device) {}

  HDC GetSafeHdc() { return &painter_; }
  // At the system's icon size, whatever the sizes of the icon's images.
  BOOL DrawIcon(int x, int y, HICON icon);

 private:
  QPainter painter_;
};

// Valid only inside WM_PAINT, as Qt paints a widget only in its paint event.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
};
