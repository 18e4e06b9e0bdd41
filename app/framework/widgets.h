// The framework's own Qt widgets behind text fields, text areas and a window's
// menu bar: what the Edit commands act on. Private to the framework.
#pragma once

#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>

namespace fw::qt {

// A text field's editor. Qt's line edit drops its selection when the menu bar
// takes the focus from the keyboard (Alt+E), so the Edit command chosen next
// would find nothing selected; it keeps it when a popup takes the focus, as
// when the menu is opened with the mouse. The menu bar is treated as one.
class TextFieldEdit final : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;
  // As Ctrl+A: the selection also becomes the X11 primary selection.
  void SelectAllIntoPrimary();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
};

// A text area's editor. What leaves it (Copy, Cut, drag and the X11 primary
// selection all come here) is exactly the selected characters, as Text reads
// them. What comes in must hold text: Qt's own text area crashes when asked to
// paste a source that holds none (an empty clipboard or selection on X11), so
// such a source is refused on every path: keyboard, middle click and drop.
class TextAreaEdit final : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;
  // The characters as the system reads them.
  QString Text() const;
  // As Ctrl+A: the selection also becomes the X11 primary selection.
  void SelectAllIntoPrimary();

 protected:
  QMimeData* createMimeDataFromSelection() const override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
};

// A window's menu bar. It takes the focus only from the keyboard (Alt), and
// remembers the control of its own window it took it from: the Edit commands
// act on that control while the bar holds the focus, and the window keeps that
// control focused when it loses the focus with the bar holding it.
class WindowMenuBar final : public QMenuBar {
 public:
  WindowMenuBar();
  // None once that control is gone.
  QWidget* FocusedBefore() const { return focusedBefore_; }

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QPointer<QWidget> focusedBefore_;
};

}  // namespace fw::qt
