#pragma once
// The Qt window of a dialog: it turns Qt's events into the messages of its
// framework window and leaves the rest to QDialog.

#include <QDialog>

class CWnd;

class DialogWindow : public QDialog {
 public:
  DialogWindow(CWnd& owner, QWidget* parent, Qt::WindowFlags flags);

  CWnd& Owner() const { return owner_; }

  // Every cancel path of QDialog (Escape) becomes the cancel command.
  void reject() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // Controls take their own clicks; statics are transparent to the mouse.
  bool IsOnBackground(QPoint position) const;

  CWnd& owner_;
};
