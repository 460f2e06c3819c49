#include "framework/dialog_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMouseEvent>

#include "framework/wnd.h"

namespace {

struct MouseKey {
  Qt::MouseButton button;
  WPARAM flag;
};

constexpr MouseKey kMouseButtons[] = {
    {Qt::LeftButton, MK_LBUTTON},
    {Qt::RightButton, MK_RBUTTON},
    {Qt::MiddleButton, MK_MBUTTON},
};

WPARAM MouseKeyFlags(const QMouseEvent& event) {
  WPARAM flags = 0;
  for (const MouseKey& key : kMouseButtons) {
    if (event.buttons() & key.button) flags |= key.flag;
  }
  if (event.modifiers() & Qt::ShiftModifier) flags |= MK_SHIFT;
  if (event.modifiers() & Qt::ControlModifier) flags |= MK_CONTROL;
  return flags;
}

LPARAM PointParam(QPoint point) {
  return MAKELPARAM(static_cast<WORD>(point.x()), static_cast<WORD>(point.y()));
}

}  // namespace

DialogWindow::DialogWindow(CWnd& owner, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), owner_(owner) {}

void DialogWindow::reject() { owner_.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)); }

void DialogWindow::paintEvent(QPaintEvent*) { owner_.SendMessage(WM_PAINT); }

// The window stays if the close request did not end the dialog.
void DialogWindow::closeEvent(QCloseEvent* event) {
  owner_.SendMessage(WM_CLOSE);
  event->setAccepted(isHidden());
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
  if (!IsOnBackground(event->pos())) {
    event->ignore();
    return;
  }
  owner_.SendMessage(WM_CONTEXTMENU, 0, PointParam(event->globalPos()));
}

void DialogWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint position = event->position().toPoint();
  if (event->button() != Qt::RightButton || !IsOnBackground(position)) {
    QDialog::mouseDoubleClickEvent(event);
    return;
  }
  owner_.SendMessage(WM_RBUTTONDBLCLK, MouseKeyFlags(*event), PointParam(position));
}

bool DialogWindow::IsOnBackground(QPoint position) const { return childAt(position) == nullptr; }
