#include "app/framework/scheme.h"

#include <algorithm>

namespace fw {
namespace {

// A window's data may only give values to entries its kind has, of their type.
void Set(std::vector<Property>& list, std::string_view name, PropertyValue value) {
  auto entry =
      std::find_if(list.begin(), list.end(), [&](const Property& p) { return p.name == name; });
  if (entry == list.end() || entry->value.index() != value.index())
    throw BadPropertyListException("The layout gives " + std::string(name) +
                                   " a value this kind of object cannot take.");
  entry->value = std::move(value);
}

std::string_view KindName(Kind kind) {
  switch (kind) {
    case Kind::Window:
      return "Window";
    case Kind::PushButton:
      return "PushButton";
    case Kind::Label:
      return "Label";
    case Kind::TextField:
      return "TextField";
    case Kind::TextArea:
      return "TextArea";
    case Kind::Canvas:
      return "Canvas";
    case Kind::RoundRectangle:
      return "RoundRectangle";
  }
  return {};
}

bool ShowsText(Kind kind) {
  return kind == Kind::Label || kind == Kind::TextArea || kind == Kind::TextField ||
         kind == Kind::PushButton;
}

}  // namespace

std::string WindowPropertyList(const WindowData& window) {
  const auto standard = StandardList(Kind::Window);
  std::vector<Property> list(standard.begin(), standard.end());
  Set(list, "Placement", window.placement);
  Set(list, "Width", window.width);
  Set(list, "Height", window.height);
  Set(list, "Title", std::string(window.title));
  return EncodePropertyList(list);
}

std::string ControlPropertyList(const ControlData& control) {
  const auto standard = StandardList(control.kind);
  std::vector<Property> list(standard.begin(), standard.end());
  Set(list, "Name", std::string(control.name));
  Set(list, "Left", control.left);
  Set(list, "Top", control.top);
  Set(list, "Width", control.width);
  Set(list, "Height", control.height);
  Set(list, "TabIndex", control.tabIndex);
  if (ShowsText(control.kind) || !control.text.empty())
    Set(list, control.kind == Kind::PushButton ? "Caption" : "Text", std::string(control.text));
  for (const auto& override : control.overrides) Set(list, override.name, override.value);
  if (control.leadingTabStop) list.insert(list.begin(), Property{"TabStop", true});
  return EncodePropertyList(list);
}

void CreateControl(Window& window, const ControlData& control) {
  const std::string name(control.name);
  switch (control.kind) {
    case Kind::PushButton:
      window.AddControl(name, window.New<PushButton>());
      break;
    case Kind::Label:
      window.AddControl(name, window.New<Label>());
      break;
    case Kind::TextField:
      window.AddControl(name, window.New<TextField>());
      break;
    case Kind::TextArea:
      window.AddControl(name, window.New<TextArea>());
      break;
    case Kind::Canvas:
      window.AddControl(name, window.New<Canvas>());
      break;
    case Kind::RoundRectangle:
      window.AddControl(name, window.New<RoundRectangle>());
      break;
    case Kind::Window:
      throw BadPropertyListException("A window is not a control.");
  }
  if (control.textSize != 0) window.ControlAs<Label>(name).SetTextSize(control.textSize);
  if (ShowsText(control.kind)) window.ControlAs<Control>(name).SetTextUnit(0);
  if (control.kind == Kind::Canvas)
    window.ControlAs<Canvas>(name).SetBackdrop(control.backdrop ? control.backdrop() : nullptr);
  SetProperties(window.ControlAs<Control>(name), ControlPropertyList(control));
}

ClassRecord WindowClassRecord(std::string_view className, std::span<const ControlData> controls,
                              std::vector<std::string> handlers,
                              std::vector<OperationRecord> more) {
  const std::string name(className);
  ClassRecord record{name, "Window", name + "." + name, {}};
  record.operations.push_back({"Layout", "()"});
  record.operations.push_back({"CreateControls", "()"});
  record.operations.push_back(
      {"CreateControls0", "()", {{"__Scope", "Public"}, {"Hidden", "True"}}});
  for (const auto& control : controls)
    record.operations.push_back(
        {std::string(control.name), "() As " + std::string(KindName(control.kind))});
  for (auto& handler : handlers)
    record.operations.push_back({std::move(handler), "(sender As PushButton)"});
  for (auto& operation : more) record.operations.push_back(std::move(operation));
  return record;
}

}  // namespace fw
