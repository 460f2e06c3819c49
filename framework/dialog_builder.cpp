#include "framework/dialog_builder.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <algorithm>

#include "framework/win_app.h"
#include "framework/wnd.h"

namespace {

struct StyleHint {
  DWORD style;
  Qt::WindowFlags hints;
};

constexpr StyleHint kStyleHints[] = {
    {WS_CAPTION, Qt::WindowTitleHint},
    {WS_SYSMENU, Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint},
    {WS_MINIMIZEBOX, Qt::WindowMinimizeButtonHint},
    {WS_MAXIMIZEBOX, Qt::WindowMaximizeButtonHint},
};

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QWidget* CreatePushButton(QWidget& window, const ControlTemplate& control, const std::function<void(int)>& onClicked) {
  auto* button = new QPushButton(ToQString(control.text), &window);
  button->setDefault(control.kind == ControlKind::DefPushButton);
  button->setFocusPolicy((control.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
  QObject::connect(button, &QPushButton::clicked, button, [id = control.id, onClicked] { onClicked(id); });
  return button;
}

QLabel* CreateStatic(QWidget& window) {
  auto* label = new QLabel(&window);
  label->setFocusPolicy(Qt::NoFocus);
  // Statics leave the mouse to the dialog under them.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return label;
}

QWidget* CreateLeftText(QWidget& window, const ControlTemplate& control) {
  QLabel* label = CreateStatic(window);
  label->setText(ToQString(control.text));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  return label;
}

QWidget* CreateIcon(QWidget& window, const ControlTemplate& control) {
  QLabel* label = CreateStatic(window);
  label->setPixmap(AfxGetApp()->LoadIcon(control.iconId)->pixmap(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
  return label;
}

QWidget* CreateControl(QWidget& window, const ControlTemplate& control, const std::function<void(int)>& onClicked) {
  switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
      return CreatePushButton(window, control, onClicked);
    case ControlKind::LeftText:
      return CreateLeftText(window, control);
    case ControlKind::Icon:
      return CreateIcon(window, control);
  }
  return nullptr;
}

// An icon static takes the size of its icon, whatever the template says.
QRect ControlGeometry(const ControlTemplate& control, DialogBaseUnits units) {
  const QRect rect = DialogToPixels(control.rect, units);
  if (control.kind != ControlKind::Icon) return rect;
  return {rect.topLeft(), QSize(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON))};
}

// Arrow keys move the focus within a group (from a WS_GROUP control up to
// the next one) and wrap around inside it.
class ArrowKeyGroups : public QObject {
 public:
  ArrowKeyGroups(QObject* parent, const std::vector<DialogControl>& controls) : QObject(parent) {
    for (const DialogControl& control : controls) {
      if (groups_.empty() || (control.control->style & WS_GROUP)) groups_.emplace_back();
      groups_.back().push_back(control.widget);
      control.widget->installEventFilter(this);
    }
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::NoModifier) return false;
    switch (key->key()) {
      case Qt::Key_Up:
      case Qt::Key_Left:
        return MoveFocus(watched, -1);
      case Qt::Key_Down:
      case Qt::Key_Right:
        return MoveFocus(watched, +1);
      default:
        return false;
    }
  }

 private:
  bool MoveFocus(QObject* from, int step) {
    for (const std::vector<QWidget*>& group : groups_) {
      const auto at = std::find(group.begin(), group.end(), from);
      if (at == group.end()) continue;
      const auto size = static_cast<std::ptrdiff_t>(group.size());
      std::ptrdiff_t index = at - group.begin();
      for (std::ptrdiff_t tried = 1; tried < size; ++tried) {
        index = (index + step + size) % size;
        QWidget* candidate = group[static_cast<std::size_t>(index)];
        if (candidate->isEnabled() && candidate->focusPolicy() != Qt::NoFocus) {
          candidate->setFocus(Qt::TabFocusReason);
          break;
        }
      }
      return true;
    }
    return false;
  }

  std::vector<std::vector<QWidget*>> groups_;
};

}  // namespace

Qt::WindowFlags DialogWindowFlags(DWORD style) {
  Qt::WindowFlags flags = (style & DS_MODALFRAME) ? Qt::Dialog : Qt::Window;
  flags |= Qt::CustomizeWindowHint;
  for (const StyleHint& hint : kStyleHints) {
    if (style & hint.style) flags |= hint.hints;
  }
  return flags;
}

std::vector<DialogControl> BuildDialog(QWidget& window, const DialogTemplate& dialog, QPoint origin,
                                       const std::function<void(int)>& onClicked) {
  window.setWindowTitle(ToQString(dialog.caption));
  window.setFont(DialogFont(dialog.fontName, dialog.fontPointSize));
  const DialogBaseUnits units = DialogBaseUnitsFor(window.font());
  const QRect geometry = DialogToPixels(dialog.rect, units);
  window.setFixedSize(geometry.size());
  window.move(origin + geometry.topLeft());

  std::vector<DialogControl> controls;
  for (const ControlTemplate& control : dialog.controls) {
    QWidget* widget = CreateControl(window, control, onClicked);
    widget->setGeometry(ControlGeometry(control, units));
    controls.push_back({&control, widget});
  }
  new ArrowKeyGroups(&window, controls);
  return controls;
}
