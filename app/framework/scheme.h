// The window-building scheme: a window's layout is data, one property list for
// the window and one for each control, applied when the window is built.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/framework/classes.h"
#include "app/framework/controls.h"
#include "app/framework/delegate.h"
#include "app/framework/folderitem.h"
#include "app/framework/proplist.h"
#include "app/framework/window.h"

namespace fw {

// What differs from window to window; every other entry has its common value.
struct WindowData {
  std::int32_t placement;
  std::int32_t width;
  std::int32_t height;
  std::string_view title;
};

using PictureGetter = std::shared_ptr<const Picture> (*)();

// One control: its kind's standard list filled with these values.
struct ControlData {
  Kind kind;
  std::string_view name;
  std::int32_t left, top, width, height;
  std::int32_t tabIndex;
  std::string_view text = {};            // a label's or text control's Text, a button's Caption
  std::vector<Property> overrides = {};  // entries that differ from the kind's defaults
  bool leadingTabStop = false;           // a TabStop True entry ahead of Name
  PictureGetter backdrop = nullptr;      // a canvas's picture
  float textSize = 0;                    // set in code before TextUnit when not 0
};

std::string WindowPropertyList(const WindowData& window);
std::string ControlPropertyList(const ControlData& control);

// Creates one control in six steps, each fetching it afresh by name: allocate,
// construct, register, set the properties set in code, apply its list. The
// sixth step, binding its events, is the caller's.
void CreateControl(Window& window, const ControlData& control);

template <class W>
struct EventBinding {
  std::string_view control;
  EventNumber event;
  void (W::*handler)(PushButton&);
};

// Creates the controls in order, binding each one's events, in the order given,
// right after its list is applied. The bindings hold the window weakly.
template <class W>
void CreateControls(W& window, std::span<const ControlData> controls,
                    std::span<const EventBinding<W>> bindings = {}) {
  for (const auto& control : controls) {
    CreateControl(window, control);
    for (const auto& binding : bindings) {
      if (binding.control != control.name) continue;
      auto self = std::static_pointer_cast<W>(window.shared_from_this());
      RuntimeAddEventHandler(
          window.template ControlAs<PushButton>(binding.control), binding.event,
          RuntimeCreateDelegate(self, binding.handler, "( PushButton )", Hold::Weak));
    }
  }
}

// The single-instance getter: the open window of W's registered name, or a new
// one, built and (its list sets Visible) on screen.
template <class W>
std::shared_ptr<W> ImplicitInstance() {
  std::shared_ptr<Window> window = GetImplicitWindow(W::kRegisteredName);
  if (!window) {
    auto built = std::make_shared<W>();
    built->Constructor();
    window = built;
  }
  auto typed = std::dynamic_pointer_cast<W>(window);
  if (!typed) throw NilObjectException("A window of another class holds this window's name.");
  return typed;
}

// The class record of a window class built from its data: Layout, CreateControls,
// CreateControls0, a getter per control, then the handlers and any further
// operations, in that order.
ClassRecord WindowClassRecord(std::string_view className, std::span<const ControlData> controls,
                              std::vector<std::string> handlers,
                              std::vector<OperationRecord> more = {});

}  // namespace fw
