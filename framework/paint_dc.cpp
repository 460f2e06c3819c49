#include "framework/paint_dc.h"

#include <QIcon>

#include "framework/wnd.h"

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
  painter_.drawPixmap(x, y, icon->pixmap(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
  return TRUE;
}

CPaintDC::CPaintDC(CWnd* window) : CDC(window->GetSafeHwnd()) {}
