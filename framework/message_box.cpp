#include "framework/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "framework/win_app.h"

int AfxMessageBox(UINT stringId, UINT type) {
  Q_ASSERT(type == MB_OK);
  const CWinApp& app = *AfxGetApp();
  QMessageBox box(QMessageBox::Warning, QString::fromStdString(app.AppName()),
                  QString::fromStdString(app.LoadString(stringId)), QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
  return IDOK;
}
