// Windows: built through the hidden events Layout and CreateControls, with at
// most one open instance per registered name. An open window is held by the
// framework's registry; a handler running on a window holds it too, so closing
// a window never destroys it under its own handler.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/framework/controls.h"
#include "app/framework/exceptions.h"

class QWidget;

namespace fw {

class MenuBar;

class Window : public std::enable_shared_from_this<Window> {
 public:
  explicit Window(std::string registeredName);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Builds the window: Layout, then CreateControls, then the controls' Open events.
  // The window enters the registry and is shown if its list set Visible.
  void Constructor();

  void Show();
  void Hide();
  // As the close box does.
  void Close();
  bool IsClosed() const { return closed_; }
  bool IsVisible() const;
  const std::string& RegisteredName() const { return registeredName_; }

  // Window.__New: a control of class C, allocated on behalf of this window.
  template <class C>
  std::unique_ptr<C> New() {
    return std::make_unique<C>(*this);
  }
  void AddControl(std::string name, std::unique_ptr<Control> control);
  // nullptr when no control is registered under name.
  Control* ControlByName(std::string_view name) const;
  // The control registered under name, checked to be a C.
  template <class C>
  C& ControlAs(std::string_view name) const {
    auto* control = dynamic_cast<C*>(ControlByName(name));
    if (control == nullptr)
      throw NilObjectException("The window has no control named " + std::string(name) + ".");
    return *control;
  }

  void SetMenuBar(std::shared_ptr<fw::MenuBar> menuBar);
  const std::shared_ptr<fw::MenuBar>& MenuBar() const { return menuBar_; }

  // Sets one entry of the window's property list.
  void ApplyProperty(const Property& property);

  // The top-level widget and the content area the controls are placed in.
  QWidget* Widget() const;
  QWidget* Content() const;

 protected:
  virtual void Layout() = 0;
  virtual void CreateControls() = 0;

 private:
  friend class WindowWidget;
  void OnClosed();
  void ApplyTabOrder();
  void InstallMenuBar();

  std::string registeredName_;
  struct Widgets;
  std::unique_ptr<Widgets> widgets_;
  std::vector<std::unique_ptr<Control>> controls_;  // in creation order
  std::vector<std::string> names_;                  // each control's registered name
  std::shared_ptr<fw::MenuBar> menuBar_;
  bool closed_ = false;
};

// The open window registered under name, or none.
std::shared_ptr<Window> GetImplicitWindow(std::string_view registeredName);
// Every open window, in the order they were built.
std::vector<std::shared_ptr<Window>> OpenWindows();

// Applies a property list to a window or a control, entry by entry in order.
// The whole list is checked first: a malformed list, or one naming a property
// the object does not have, is refused and nothing is applied.
void SetProperties(Window& window, std::string_view list);
void SetProperties(Control& control, std::string_view list);

}  // namespace fw
