#include "tests/framework/modal_driver.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

constexpr int kPollMs = 10;
// Long enough for anything the action set off through the event loop.
constexpr int kSafetyNetMs = 3000;

}  // namespace

std::shared_ptr<bool> WhenModalShows(std::function<void(QWidget& modal)> action) {
  auto ran = std::make_shared<bool>(false);
  QPointer<QWidget> before = QApplication::activeModalWidget();
  auto* timer = new QTimer(QCoreApplication::instance());
  QObject::connect(timer, &QTimer::timeout, timer, [timer, before, ran, action = std::move(action)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == before || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    QPointer<QDialog> dialog = qobject_cast<QDialog*>(modal);
    action(*modal);
    *ran = true;
    QTimer::singleShot(kSafetyNetMs, QCoreApplication::instance(), [dialog] {
      if (dialog != nullptr && dialog->isVisible()) dialog->reject();
    });
  });
  timer->start(kPollMs);
  return ran;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (!condition() && elapsed.elapsed() < timeout.count()) QTest::qWait(kPollMs);
  return condition();
}
