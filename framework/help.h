#pragma once
// F1 anywhere in the program: the help command, sent to the window in front.

#include <QObject>

class HelpKeyFilter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
