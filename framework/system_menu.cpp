#include "framework/system_menu.h"

#include <QAction>
#include <QMenu>
#include <QMetaObject>

namespace {

struct MenuItem {
  UINT flags;
  UINT id;
  std::string_view text;
};

// The entries the target can honour: Move through the window manager, Close.
constexpr MenuItem kStandardItems[] = {
    {MF_STRING, SC_MOVE, "&Move"},
    {MF_SEPARATOR, 0, {}},
    {MF_STRING, SC_CLOSE, "&Close\tAlt+F4"},
};

QAction* FindCommand(const QMenu& menu, UINT id) {
  for (QAction* action : menu.actions()) {
    if (!action->isSeparator() && action->data().toUInt() == id) return action;
  }
  return nullptr;
}

}  // namespace

CMenu::CMenu(QWidget* window, std::function<void(UINT)> onCommand, std::function<void()> onChanged)
    : menu_(std::make_unique<QMenu>(window)), onCommand_(std::move(onCommand)), onChanged_(std::move(onChanged)) {
  AddStandardItems();
}

CMenu::~CMenu() = default;

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, std::string_view text) {
  AddItem(flags, static_cast<UINT>(id), text);
  onChanged_();
  return TRUE;
}

void CMenu::AddItem(UINT flags, UINT id, std::string_view text) {
  if (flags & MF_SEPARATOR) {
    menu_->addSeparator();
    return;
  }
  QAction* action = menu_->addAction(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  action->setData(id);
  // Like a menu loop, the command runs after the popup has gone.
  QObject::connect(action, &QAction::triggered, menu_.get(), [this, id] {
    QMetaObject::invokeMethod(menu_.get(), [this, id] { onCommand_(id); }, Qt::QueuedConnection);
  });
}

void CMenu::AddStandardItems() {
  for (const MenuItem& item : kStandardItems) AddItem(item.flags, item.id, item.text);
}

BOOL CMenu::RemoveMenu(UINT id, UINT flags) {
  Q_ASSERT(flags == MF_BYCOMMAND);
  QAction* action = FindCommand(*menu_, id);
  if (action == nullptr) return FALSE;
  menu_->removeAction(action);
  delete action;
  onChanged_();
  return TRUE;
}

void CMenu::Revert() {
  menu_->clear();
  AddStandardItems();
  onChanged_();
}

bool CMenu::HasCommand(UINT id) const { return FindCommand(*menu_, id) != nullptr; }

void CMenu::TrackPopupAt(QPoint globalPosition) { menu_->popup(globalPosition); }
