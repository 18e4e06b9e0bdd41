#include "app/framework/menu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QMenu>
#include <QMenuBar>

#include "app/framework/qtbridge.h"
#include "app/framework/runtime.h"
#include "app/framework/widgets.h"

namespace fw {
namespace {

// The Edit commands, by item name, carried out on the focused text control.
enum class Edit { None, Undo, Cut, Copy, Paste, Clear, SelectAll };

Edit EditCommand(std::string_view name) {
  if (name == "EditUndo") return Edit::Undo;
  if (name == "EditCut") return Edit::Cut;
  if (name == "EditCopy") return Edit::Copy;
  if (name == "EditPaste") return Edit::Paste;
  if (name == "EditClear") return Edit::Clear;
  if (name == "EditSelectAll") return Edit::SelectAll;
  return Edit::None;
}

template <class Editor>
bool CanDo(Editor& editor, Edit command) {
  const bool writable = !editor.isReadOnly();
  const bool selected = [&] {
    if constexpr (std::is_same_v<Editor, qt::TextFieldEdit>)
      return editor.hasSelectedText();
    else
      return editor.textCursor().hasSelection();
  }();
  switch (command) {
    case Edit::Undo:
      if constexpr (std::is_same_v<Editor, qt::TextFieldEdit>)
        return writable && editor.isUndoAvailable();
      else
        return writable && editor.document()->isUndoAvailable();
    case Edit::Cut:
    case Edit::Clear:
      return writable && selected;
    case Edit::Copy:
      return selected;
    case Edit::Paste:
      return writable && !QGuiApplication::clipboard()->text().isEmpty();
    case Edit::SelectAll:
      return true;
    case Edit::None:
      break;
  }
  return false;
}

template <class Editor>
void Do(Editor& editor, Edit command) {
  switch (command) {
    case Edit::Undo:
      editor.undo();
      break;
    case Edit::Cut:
      editor.cut();
      break;
    case Edit::Copy:
      editor.copy();
      break;
    case Edit::Paste:
      editor.paste();
      break;
    case Edit::Clear:
      if constexpr (std::is_same_v<Editor, qt::TextFieldEdit>)
        editor.del();
      else
        editor.textCursor().removeSelectedText();
      break;
    case Edit::SelectAll:
      editor.SelectAllIntoPrimary();
      break;
    case Edit::None:
      break;
  }
}

// Runs f on the text field or text area the Edit commands are for: the focused
// one, which lies in the active window, the one the command is chosen in; or,
// while that window's menu bar holds the focus, the control the bar will give
// it back to. False when there is none.
template <class F>
bool WithEditTarget(F&& f) {
  QWidget* target = QApplication::focusWidget();
  if (auto* bar = dynamic_cast<qt::WindowMenuBar*>(target)) target = bar->FocusedBefore();
  if (auto* field = dynamic_cast<qt::TextFieldEdit*>(target)) return f(*field), true;
  if (auto* area = dynamic_cast<qt::TextAreaEdit*>(target)) return f(*area), true;
  return false;
}

// False when the menu opens from the bar of a window other than the active one
// (clicked where no window manager activates the window first): the Edit
// commands have no text control there. Every window's bar shows the same menus.
bool OpensInTheActiveWindow(const QMenu& menu) {
  for (QObject* holder : menu.menuAction()->associatedObjects())
    if (auto* bar = qobject_cast<QMenuBar*>(holder);
        bar && bar->activeAction() == menu.menuAction())
      return bar->window() == QApplication::activeWindow();
  return true;
}

}  // namespace

MenuItem::MenuItem() : action_(new QAction) {
  QObject::connect(action_, &QAction::triggered, action_,
                   [this] { qt::Dispatch([this] { Choose(); }); });
}

MenuItem::~MenuItem() {
  delete menu_;
  delete action_;
}

void MenuItem::SetText(std::string text) {
  text_ = std::move(text);
  const bool separator = text_ == "-";
  action_->setSeparator(separator);
  action_->setText(separator ? QString() : qt::FromBytes(text_));
  if (menu_ != nullptr) menu_->setTitle(action_->text());
}

void MenuItem::SetKeyboardShortcut(std::string shortcut) {
  shortcut_ = std::move(shortcut);
  QString keys = qt::FromBytes(shortcut_);
  keys.replace(QStringLiteral("Cmd"), QStringLiteral("Ctrl"));
  action_->setShortcut(QKeySequence(keys));
}

bool MenuItem::IsEnabled() const {
  const Edit command = EditCommand(name_);
  if (!autoEnable_ || command == Edit::None) return action_->isEnabled();
  bool enabled = false;
  WithEditTarget([&](auto& editor) { enabled = CanDo(editor, command); });
  return enabled;
}

void MenuItem::Append(std::shared_ptr<MenuItem> item) {
  if (menu_ == nullptr) {
    menu_ = new QMenu(action_->text());
    // The Edit items follow their text control each time the menu opens.
    QObject::connect(menu_, &QMenu::aboutToShow, menu_, [this] {
      const bool inActiveWindow = OpensInTheActiveWindow(*menu_);
      for (const auto& child : children_)
        if (child->autoEnable_ && EditCommand(child->name_) != Edit::None)
          child->action_->setEnabled(inActiveWindow && child->IsEnabled());
    });
  }
  menu_->addAction(item->action_);
  children_.push_back(std::move(item));
}

std::shared_ptr<MenuItem> MenuItem::Child(std::string_view name) const {
  for (const auto& child : children_)
    if (child->name_ == name) return child;
  return nullptr;
}

void MenuItem::Choose() {
  if (auto app = GetAppObject(); app && app->HandleMenuCommand(name_)) return;
  Act();
}

void MenuItem::Act() {
  const Edit command = EditCommand(name_);
  if (command != Edit::None)
    WithEditTarget([&](auto& editor) {
      if (CanDo(editor, command)) Do(editor, command);
    });
}

namespace qt {

WindowMenuBar::WindowMenuBar() {
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* from, QWidget* to) {
    // Only a control of its own window: the focus comes from another window
    // when the window comes back with it still on the bar, as when the bar had
    // no control to leave it to.
    if (to == this) focusedBefore_ = from && from->window() == window() ? from : nullptr;
  });
}

void WindowMenuBar::focusOutEvent(QFocusEvent* event) {
  QMenuBar::focusOutEvent(event);
  // The bar leaves its keyboard mode as its window loses the focus. Its window
  // would come back with the focus on the bar, which takes no typing; so the
  // window keeps the control focused instead. (No menu is open: a window
  // changes only once its menu has closed.)
  if (event->reason() == Qt::ActiveWindowFocusReason && focusedBefore_) focusedBefore_->setFocus();
}

}  // namespace qt

void QuitMenuItem::Act() {
  QuitMenuAction();
}

Application::~Application() = default;

void Application::AddMenuHandler(std::string itemName, Delegate<bool> handler) {
  handlers_[std::move(itemName)] = std::move(handler);
}

void Application::RemoveMenuHandlers() {
  handlers_.clear();
}

bool Application::HandleMenuCommand(const std::string& itemName) {
  const auto handler = handlers_.find(itemName);
  return handler != handlers_.end() && handler->second();
}

}  // namespace fw
