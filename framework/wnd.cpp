#include "framework/wnd.h"

#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "framework/dialog_window.h"

namespace {

struct SystemMetric {
  int index;
  int value;
};

// Icons are drawn at the size of the larger icon image.
constexpr SystemMetric kSystemMetrics[] = {
    {SM_CXICON, 32},
    {SM_CYICON, 32},
};

}  // namespace

int GetSystemMetrics(int index) {
  const auto found = std::find_if(std::begin(kSystemMetrics), std::end(kSystemMetrics),
                                  [index](const SystemMetric& metric) { return metric.index == index; });
  return found == std::end(kSystemMetrics) ? 0 : found->value;
}

QPoint CenteredPosition(const QSize& size, const QRect& around, const QRect& screen) {
  const int centreX = (around.left() + around.left() + around.width()) / 2;
  const int centreY = (around.top() + around.top() + around.height()) / 2;
  const int x = std::max(screen.left(), std::min(centreX - size.width() / 2, screen.left() + screen.width() - size.width()));
  const int y = std::max(screen.top(), std::min(centreY - size.height() / 2, screen.top() + screen.height() - size.height()));
  return {x, y};
}

constinit const MessageMap CWnd::messageMap{&CCmdTarget::messageMap, {}};

CWnd::CWnd() = default;
CWnd::~CWnd() = default;

const MessageMap* CWnd::GetMessageMap() const { return &messageMap; }

CWnd* CWnd::FromHandle(QWidget* widget) {
  auto* window = dynamic_cast<DialogWindow*>(widget);
  return window == nullptr ? nullptr : &window->Owner();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    return OnCmdMsg(LOWORD(wParam)) ? 0 : DefWindowProc(message, wParam, lParam);
  }
  const MessageMapEntry* entry = FindMessageEntry(GetMessageMap(), message, 0);
  return entry != nullptr ? entry->call(*this, wParam, lParam) : DefWindowProc(message, wParam, lParam);
}

bool CWnd::HandlesMessage(UINT message) const { return FindMessageEntry(GetMessageMap(), message, 0) != nullptr; }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & SC_COMMAND_MASK) == SC_MOVE) window_->windowHandle()->startSystemMove();
      if ((wParam & SC_COMMAND_MASK) == SC_CLOSE) SendMessage(WM_CLOSE);
      return 0;
    case WM_CONTEXTMENU:
      // The system menu's popup would take the second click of a right double-click.
      if (!HandlesMessage(WM_RBUTTONDBLCLK)) ShowSystemMenu();
      return 0;
    case WM_ICONERASEBKGND:
      reinterpret_cast<HDC>(wParam)->fillRect(window_->rect(), window_->palette().window());
      return 0;
    default:
      // Qt has painted the background already; there is no class icon to drag.
      return 0;
  }
}

void CWnd::OnSysCommand(UINT id, LPARAM lParam) { DefWindowProc(WM_SYSCOMMAND, id, lParam); }

void CWnd::OnPaint() { DefWindowProc(WM_PAINT, 0, 0); }

void CWnd::OnRButtonDblClk(UINT flags, CPoint point) {
  DefWindowProc(WM_RBUTTONDBLCLK, flags, MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
}

void CWnd::AttachWindow(QWidget* window, bool hasSystemMenu) {
  window_ = window;
  if (!hasSystemMenu) return;
  systemMenu_ = std::make_unique<CMenu>(
      window, [this](UINT id) { SendMessage(WM_SYSCOMMAND, id, 0); }, [this] { ShowCloseButtonIfMenuHasClose(); });
}

void CWnd::DetachWindow() {
  systemMenu_.reset();
  window_ = nullptr;
}

CMenu* CWnd::GetSystemMenu(BOOL revert) {
  if (!revert) return systemMenu_.get();
  if (systemMenu_) systemMenu_->Revert();
  return nullptr;
}

void CWnd::ShowSystemMenu() {
  if (systemMenu_) systemMenu_->TrackPopupAt(window_->mapToGlobal(QPoint(0, 0)));
}

// With Close gone from the menu, the window manager is asked for no close button.
// Changing a window's flags hides it, so this is only done when they change:
// the menu is edited while the dialog initialises, before it is shown.
void CWnd::ShowCloseButtonIfMenuHasClose() {
  const bool hasClose = systemMenu_->HasCommand(SC_CLOSE);
  if (window_->windowFlags().testFlag(Qt::WindowCloseButtonHint) != hasClose) {
    window_->setWindowFlag(Qt::WindowCloseButtonHint, hasClose);
  }
}

BOOL CWnd::IsIconic() const { return window_->isMinimized(); }

void CWnd::GetClientRect(CRect* rect) const { *rect = {0, 0, window_->width(), window_->height()}; }

void CWnd::CenterWindow(CWnd* alternateOwner) {
  QWidget* owner = alternateOwner != nullptr ? alternateOwner->GetSafeHwnd() : window_->parentWidget();
  const bool overOwner = owner != nullptr && owner->isVisible();
  const QRect screen = (owner != nullptr ? owner->screen() : window_->screen())->availableGeometry();
  window_->move(CenteredPosition(FrameSize(overOwner ? owner : nullptr), overOwner ? owner->frameGeometry() : screen,
                                 screen));
}

// A window is framed only once it is shown; until then the frame of a visible
// owner, from the same window manager, is the best guess of the one it gets.
QSize CWnd::FrameSize(const QWidget* visibleOwner) const {
  if (window_->isVisible() || visibleOwner == nullptr) return window_->frameGeometry().size();
  return window_->size() + (visibleOwner->frameGeometry().size() - visibleOwner->size());
}
