#pragma once
// Builds a dialog's Qt widgets from its template.

#include <QPoint>
#include <functional>
#include <vector>

#include "framework/dialog_template.h"
#include "framework/dialog_units.h"

class QWidget;

struct DialogControl {
  const ControlTemplate* control;
  QWidget* widget;
};

// The window flags for a dialog's style: only what the style names, so no
// minimise or maximise box unless it asks for one.
Qt::WindowFlags DialogWindowFlags(DWORD style);

// Caption, font, fixed size and position (origin plus the template's
// position), then the controls in template order, which is also their tab
// order. onClicked receives a push button's id.
std::vector<DialogControl> BuildDialog(QWidget& window, const DialogTemplate& dialog, QPoint origin,
                                       const std::function<void(int)>& onClicked);
