#include "app/window1.h"

#include "app/framework/scheme.h"
#include "app/menubar1.h"
#include "app/pictures.h"
#include "crypt/windowde.h"
#include "crypt/windowen.h"
#include "keygen/windowgk.h"

namespace app {
namespace {

const fw::WindowData kWindow{0, 523, 212, "Kelvane"};

// Kind, name, left, top, width, height, tab index, caption, then a canvas's picture.
const fw::ControlData kControls[] = {
    {fw::Kind::Canvas, "Canvas1", 20, 32, 128, 128, 0, {}, {}, false, &pictures::GenKeys},
    {fw::Kind::PushButton, "PushButton1", 44, 172, 80, 20, 1, "GenKeys"},
    {fw::Kind::Canvas, "Canvas2", 198, 32, 128, 128, 2, {}, {}, false, &pictures::Encode},
    {fw::Kind::PushButton, "PushButton2", 222, 172, 80, 20, 3, "Encode"},
    {fw::Kind::Canvas, "Canvas3", 375, 32, 128, 128, 4, {}, {}, false, &pictures::Decode},
    {fw::Kind::PushButton, "PushButton3", 399, 172, 80, 20, 5, "Decode"},
};

const fw::EventBinding<class Window1> kBindings[] = {
    {"PushButton1", fw::EventNumber::Action, &Window1::PushButton1_Action},
    {"PushButton2", fw::EventNumber::Action, &Window1::PushButton2_Action},
    {"PushButton3", fw::EventNumber::Action, &Window1::PushButton3_Action},
};

// The item of that name anywhere below menu, or none.
std::shared_ptr<fw::MenuItem> FindItem(const fw::MenuItem& menu, std::string_view name) {
  if (auto item = menu.Child(name)) return item;
  for (const auto& child : menu.Children())
    if (auto item = FindItem(*child, name)) return item;
  return nullptr;
}

}  // namespace

std::shared_ptr<class Window1> Window1() {
  return fw::ImplicitInstance<class Window1>();
}

Window1::Window1() : fw::Window(std::string(kRegisteredName)) {}

void Window1::Layout() {
  SetMenuBar(MenuBar1());
  fw::SetProperties(*this, fw::WindowPropertyList(kWindow));
}

void Window1::CreateControls() {
  CreateControls0();
}

void Window1::CreateControls0() {
  fw::CreateControls<class Window1>(*this, kControls, kBindings);
}

fw::Canvas& Window1::Canvas1() const {
  return ControlAs<fw::Canvas>("Canvas1");
}
fw::PushButton& Window1::PushButton1() const {
  return ControlAs<fw::PushButton>("PushButton1");
}
fw::Canvas& Window1::Canvas2() const {
  return ControlAs<fw::Canvas>("Canvas2");
}
fw::PushButton& Window1::PushButton2() const {
  return ControlAs<fw::PushButton>("PushButton2");
}
fw::Canvas& Window1::Canvas3() const {
  return ControlAs<fw::Canvas>("Canvas3");
}
fw::PushButton& Window1::PushButton3() const {
  return ControlAs<fw::PushButton>("PushButton3");
}

void Window1::PushButton1_Action(fw::PushButton&) {
  keygen::WindowGK()->Show();
}
void Window1::PushButton2_Action(fw::PushButton&) {
  cipher::WindowEn()->Show();
}
void Window1::PushButton3_Action(fw::PushButton&) {
  cipher::WindowDe()->Show();
}

template <class Item>
std::shared_ptr<Item> Window1::MenuItemAs(std::string_view name) const {
  const auto& bar = MenuBar();
  auto item = bar ? std::dynamic_pointer_cast<Item>(FindItem(*bar, name)) : nullptr;
  if (!item) throw fw::NilObjectException("The menu bar has no item " + std::string(name) + ".");
  return item;
}

std::shared_ptr<fw::MenuItem> Window1::EditMenu() const {
  return MenuItemAs<fw::MenuItem>("EditMenu");
}
std::shared_ptr<fw::MenuItem> Window1::EditSelectAll() const {
  return MenuItemAs<fw::MenuItem>("EditSelectAll");
}
std::shared_ptr<fw::MenuItem> Window1::UntitledMenu0() const {
  return MenuItemAs<fw::MenuItem>("UntitledMenu0");
}
std::shared_ptr<fw::MenuItem> Window1::EditClear() const {
  return MenuItemAs<fw::MenuItem>("EditClear");
}
std::shared_ptr<fw::MenuItem> Window1::EditPaste() const {
  return MenuItemAs<fw::MenuItem>("EditPaste");
}
std::shared_ptr<fw::MenuItem> Window1::EditCopy() const {
  return MenuItemAs<fw::MenuItem>("EditCopy");
}
std::shared_ptr<fw::MenuItem> Window1::EditCut() const {
  return MenuItemAs<fw::MenuItem>("EditCut");
}
std::shared_ptr<fw::MenuItem> Window1::UntitledMenu1() const {
  return MenuItemAs<fw::MenuItem>("UntitledMenu1");
}
std::shared_ptr<fw::MenuItem> Window1::EditUndo() const {
  return MenuItemAs<fw::MenuItem>("EditUndo");
}
std::shared_ptr<fw::MenuItem> Window1::FileMenu() const {
  return MenuItemAs<fw::MenuItem>("FileMenu");
}
std::shared_ptr<fw::QuitMenuItem> Window1::FileQuit() const {
  return MenuItemAs<fw::QuitMenuItem>("FileQuit");
}
std::shared_ptr<fw::AppleMenuItem> Window1::AppleAbout() const {
  return MenuItemAs<fw::AppleMenuItem>("AppleAbout");
}

fw::ClassRecord Window1::Record() {
  std::vector<fw::OperationRecord> accessors;
  for (const char* name : {"EditMenu", "EditSelectAll", "UntitledMenu0", "EditClear", "EditPaste",
                           "EditCopy", "EditCut", "UntitledMenu1", "EditUndo", "FileMenu"})
    accessors.push_back({name, "() As MenuItem"});
  accessors.push_back({"FileQuit", "() As QuitMenuItem"});
  accessors.push_back({"AppleAbout", "() As AppleMenuItem"});
  return fw::WindowClassRecord("Window1", kControls,
                               {"PushButton1_Action", "PushButton2_Action", "PushButton3_Action"},
                               std::move(accessors));
}

}  // namespace app
