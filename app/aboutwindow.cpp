#include "app/aboutwindow.h"

#include "app/framework/scheme.h"
#include "app/pictures.h"

namespace app {
namespace {

// Three lines separated by carriage returns; no line feed anywhere.
constexpr std::string_view kAboutText =
    "Kelvane 1.1\r"
    "Copyright \u00A9 2026\r"
    "The Kelvane developers";

const fw::WindowData kWindow{0, 408, 268, "Untitled"};

// The label lies inside the panel and is moved into it by its InitialParent.
const fw::ControlData kControls[] = {
    {fw::Kind::RoundRectangle, "RoundRectangle1", 74, 158, 302, 90, 2},
    {.kind = fw::Kind::Label,
     .name = "Label1",
     .left = 89,
     .top = 179,
     .width = 272,
     .height = 62,
     .tabIndex = 0,
     .text = kAboutText,
     .overrides = {{"TextColor", fw::Color{0x0D, 0x30, 0xFF}},
                   {"Multiline", true},
                   {"Bold", true},
                   {"InitialParent", std::string("RoundRectangle1")}},
     .textSize = 14},
    {fw::Kind::Canvas, "CanvasKVN", 144, 18, 128, 128, 0, {}, {}, false, &pictures::Kelvane},
};

}  // namespace

std::shared_ptr<class AboutWindow> AboutWindow() {
  return fw::ImplicitInstance<class AboutWindow>();
}

AboutWindow::AboutWindow() : fw::Window(std::string(kRegisteredName)) {}

void AboutWindow::Layout() {
  fw::SetProperties(*this, fw::WindowPropertyList(kWindow));
}

void AboutWindow::CreateControls() {
  CreateControls0();
}

void AboutWindow::CreateControls0() {
  fw::CreateControls<class AboutWindow>(*this, kControls);
}

fw::RoundRectangle& AboutWindow::RoundRectangle1() const {
  return ControlAs<fw::RoundRectangle>("RoundRectangle1");
}
fw::Label& AboutWindow::Label1() const {
  return ControlAs<fw::Label>("Label1");
}
fw::Canvas& AboutWindow::CanvasKVN() const {
  return ControlAs<fw::Canvas>("CanvasKVN");
}

fw::ClassRecord AboutWindow::Record() {
  return fw::WindowClassRecord("AboutWindow", kControls, {});
}

}  // namespace app
