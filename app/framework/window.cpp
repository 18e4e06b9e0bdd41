#include "app/framework/window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <algorithm>

#include "app/framework/menu.h"
#include "app/framework/qtbridge.h"
#include "app/framework/runtime.h"
#include "app/framework/widgets.h"

namespace fw {
namespace {

using qt::As;

std::vector<std::shared_ptr<Window>>& Registry() {
  static std::vector<std::shared_ptr<Window>> open;
  return open;
}

}  // namespace

class WindowWidget final : public QMainWindow {
 public:
  explicit WindowWidget(Window* owner) : owner_(owner) {}
  void Detach() { owner_ = nullptr; }

 protected:
  void closeEvent(QCloseEvent* event) override {
    QMainWindow::closeEvent(event);
    if (owner_ != nullptr) owner_->OnClosed();  // may destroy the owner
  }

 private:
  Window* owner_;
};

struct Window::Widgets {
  WindowWidget* top;
  QWidget* content;
  // Entries of the property list that take effect when the window is shown or sized.
  std::int32_t placement = 0, width = 100, height = 100;
  std::int32_t minWidth = 0, minHeight = 0, maxWidth = QWIDGETSIZE_MAX, maxHeight = QWIDGETSIZE_MAX;
  bool visible = true, fullScreen = false, resizeable = true, menuBarVisible = true;
  bool closeButton = true, minimizeButton = true, maximizeButton = false;
  bool hasBackColor = false;
  QColor backColor = Qt::white;
  bool placed = false;

  // Sizes and limits are the content area's; the menu bar comes on top of them.
  void Resize() {
    int menuHeight = 0;
    if (auto* bar = top->menuWidget(); bar != nullptr && menuBarVisible)
      menuHeight = bar->sizeHint().height();
    const auto limit = [](std::int64_t size) {
      return static_cast<int>(std::min<std::int64_t>(size, QWIDGETSIZE_MAX));
    };
    if (resizeable) {
      top->setMinimumSize(minWidth, limit(std::int64_t{minHeight} + menuHeight));
      top->setMaximumSize(limit(maxWidth), limit(std::int64_t{maxHeight} + menuHeight));
    } else {
      top->setFixedSize(width, height + menuHeight);
    }
    top->resize(width, height + menuHeight);
  }
  void UpdateFlags() {
    Qt::WindowFlags flags =
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (closeButton) flags |= Qt::WindowCloseButtonHint;
    if (minimizeButton) flags |= Qt::WindowMinimizeButtonHint;
    if (maximizeButton) flags |= Qt::WindowMaximizeButtonHint;
    top->setWindowFlags(flags);
  }
  void UpdateBackground() {
    content->setAutoFillBackground(hasBackColor);
    QPalette palette = content->palette();
    palette.setColor(QPalette::Window,
                     hasBackColor ? backColor : top->palette().color(QPalette::Window));
    content->setPalette(palette);
  }
};

Window::Window(std::string registeredName)
    : registeredName_(std::move(registeredName)), widgets_(std::make_unique<Widgets>()) {
  widgets_->top = new WindowWidget(this);
  widgets_->content = new QWidget;
  widgets_->top->setCentralWidget(widgets_->content);
}

Window::~Window() {
  controls_.clear();
  // A handler of another window may be inside an event of this widget: let Qt
  // delete it once control is back in the event loop.
  widgets_->top->Detach();
  widgets_->top->hide();
  widgets_->top->deleteLater();
}

void Window::Constructor() {
  Layout();
  CreateControls();
  ApplyTabOrder();
  InstallMenuBar();
  widgets_->Resize();
  Registry().push_back(shared_from_this());
  for (const auto& control : controls_)
    if (auto* button = dynamic_cast<PushButton*>(control.get());
        button != nullptr && button->HasEventHandler(EventNumber::Open))
      qt::Dispatch([button] { button->RaiseEvent(EventNumber::Open); });
  if (widgets_->visible) Show();
}

void Window::Show() {
  if (closed_) return;
  auto& w = *widgets_;
  if (!w.placed && w.placement == 2) {
    // Centred on the primary screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect frame = w.top->frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      w.top->move(frame.topLeft());
    }
  }
  w.placed = true;
  // A minimised window is brought back as it was before, maximised or not.
  w.top->setWindowState(w.top->windowState() & ~Qt::WindowMinimized);
  if (w.fullScreen)
    w.top->showFullScreen();
  else
    w.top->show();
  w.top->raise();
  w.top->activateWindow();
}

void Window::Hide() {
  widgets_->top->hide();
}

void Window::Close() {
  widgets_->top->close();
}

bool Window::IsVisible() const {
  return widgets_->top->isVisible();
}

void Window::OnClosed() {
  if (closed_) return;
  closed_ = true;
  auto self = shared_from_this();  // the registry's reference may be the last
  auto& open = Registry();
  open.erase(std::remove(open.begin(), open.end(), self), open.end());
}

void Window::AddControl(std::string name, std::unique_ptr<Control> control) {
  control->Widget()->setObjectName(qt::FromBytes(name));
  names_.emplace_back(std::move(name));
  controls_.push_back(std::move(control));
}

Control* Window::ControlByName(std::string_view name) const {
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (names_[i] == name) return controls_[i].get();
  return nullptr;
}

void Window::SetMenuBar(std::shared_ptr<fw::MenuBar> menuBar) {
  menuBar_ = std::move(menuBar);
}

void Window::InstallMenuBar() {
  // A window without a menu bar of its own shows the application's.
  auto bar = menuBar_;
  if (!bar) {
    if (auto app = GetAppObject()) bar = app->MenuBar();
  }
  if (!bar) return;
  auto* qbar = new qt::WindowMenuBar;
  for (const auto& title : bar->Children())
    if (title->Menu() != nullptr) qbar->addMenu(title->Menu());
  qbar->setVisible(widgets_->menuBarVisible);
  widgets_->top->setMenuBar(qbar);
}

void Window::ApplyTabOrder() {
  std::vector<Control*> order;
  for (const auto& control : controls_)
    if (control->Widget()->focusPolicy() & Qt::TabFocus) order.push_back(control.get());
  std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
    return a->TabIndex() < b->TabIndex();
  });
  for (std::size_t i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(order[i - 1]->Widget(), order[i]->Widget());
}

void Window::ApplyProperty(const Property& p) {
  auto& w = *widgets_;
  if (p.name == "Placement") {
    w.placement = As<std::int32_t>(p);
  } else if (p.name == "Width") {
    w.width = As<std::int32_t>(p);
    w.Resize();
  } else if (p.name == "Height") {
    w.height = As<std::int32_t>(p);
    w.Resize();
  } else if (p.name == "MinWidth") {
    w.minWidth = As<std::int32_t>(p);
    w.Resize();
  } else if (p.name == "MinHeight") {
    w.minHeight = As<std::int32_t>(p);
    w.Resize();
  } else if (p.name == "MaxWidth") {
    w.maxWidth = As<std::int32_t>(p);
    w.Resize();
  } else if (p.name == "MaxHeight") {
    w.maxHeight = As<std::int32_t>(p);
    w.Resize();
  } else if (p.name == "HasBackColor") {
    w.hasBackColor = As<bool>(p);
    w.UpdateBackground();
  } else if (p.name == "BackColor") {
    w.backColor = qt::ToQColor(As<Color>(p));
    w.UpdateBackground();
  } else if (p.name == "Title") {
    w.top->setWindowTitle(qt::FromBytes(As<std::string>(p)));
  } else if (p.name == "Visible") {
    w.visible = As<bool>(p);
  } else if (p.name == "FullScreen") {
    w.fullScreen = As<bool>(p);
  } else if (p.name == "MenuBarVisible") {
    w.menuBarVisible = As<bool>(p);
  } else if (p.name == "CloseButton") {
    w.closeButton = As<bool>(p);
    w.UpdateFlags();
  } else if (p.name == "MinimizeButton") {
    w.minimizeButton = As<bool>(p);
    w.UpdateFlags();
  } else if (p.name == "MaximizeButton") {
    w.maximizeButton = As<bool>(p);
    w.UpdateFlags();
  } else if (p.name == "Resizeable") {
    w.resizeable = As<bool>(p);
    w.Resize();
  }
  // Frame 0 is the ordinary document window and MacProcID 0 adds nothing; a
  // composite window and live resizing are what Qt does anyway.
}

QWidget* Window::Widget() const {
  return widgets_->top;
}
QWidget* Window::Content() const {
  return widgets_->content;
}

std::shared_ptr<Window> GetImplicitWindow(std::string_view registeredName) {
  for (const auto& window : Registry())
    if (window->RegisteredName() == registeredName) return window;
  return nullptr;
}

std::vector<std::shared_ptr<Window>> OpenWindows() {
  return Registry();
}

namespace {

std::vector<Property> CheckedList(Kind kind, std::string_view list) {
  auto entries = DecodePropertyList(list);
  for (const auto& entry : entries)
    if (!HasProperty(kind, entry.name))
      throw BadPropertyListException("The property list names " + entry.name +
                                     ", which this object does not have.");
  return entries;
}

}  // namespace

void SetProperties(Window& window, std::string_view list) {
  for (const auto& entry : CheckedList(Kind::Window, list)) window.ApplyProperty(entry);
}

void SetProperties(Control& control, std::string_view list) {
  for (const auto& entry : CheckedList(control.ControlKind(), list)) control.ApplyProperty(entry);
}

}  // namespace fw
