#include "app/menubar1.h"

#include <span>
#include <string_view>

#include "app/framework/exceptions.h"

namespace app {
namespace {

enum class ItemClass { MenuItem, AppleMenuItem, QuitMenuItem };

struct MenuRow {
  std::string_view name;
  ItemClass itemClass;
  std::string_view text;
  const char* shortcut;   // nullptr: a separator, given no shortcut at all
  std::string_view menu;  // the title it goes under; empty for a title of the bar
};

const MenuRow kFileMenu[] = {
    {"FileMenu", ItemClass::MenuItem, "&File", "", ""},
    {"AppleAbout", ItemClass::AppleMenuItem, "About Kelvane...", "", "FileMenu"},
    {"FileQuit", ItemClass::QuitMenuItem, "&Quit", "Cmd+Q", "FileMenu"},
};

const MenuRow kEditMenu[] = {
    {"EditMenu", ItemClass::MenuItem, "&Edit", "", ""},
    {"EditUndo", ItemClass::MenuItem, "&Undo", "Cmd+Z", "EditMenu"},
    {"UntitledMenu1", ItemClass::MenuItem, "-", nullptr, "EditMenu"},
    {"EditCut", ItemClass::MenuItem, "Cu&t", "Cmd+X", "EditMenu"},
    {"EditCopy", ItemClass::MenuItem, "&Copy", "Cmd+C", "EditMenu"},
    {"EditPaste", ItemClass::MenuItem, "&Paste", "Cmd+V", "EditMenu"},
    {"EditClear", ItemClass::MenuItem, "&Delete", "", "EditMenu"},
    {"UntitledMenu0", ItemClass::MenuItem, "-", nullptr, "EditMenu"},
    {"EditSelectAll", ItemClass::MenuItem, "Select &All", "Cmd+A", "EditMenu"},
};

std::shared_ptr<fw::MenuItem> NewItem(ItemClass itemClass) {
  switch (itemClass) {
    case ItemClass::AppleMenuItem:
      return std::make_shared<fw::AppleMenuItem>();
    case ItemClass::QuitMenuItem:
      return std::make_shared<fw::QuitMenuItem>();
    case ItemClass::MenuItem:
      break;
  }
  return std::make_shared<fw::MenuItem>();
}

// Builds the rows in order, each in place before the next is made; an item's
// menu is looked up on the bar afresh every time.
void BuildItems(fw::MenuBar& bar, std::span<const MenuRow> rows) {
  for (const auto& row : rows) {
    auto item = NewItem(row.itemClass);
    item->SetName(std::string(row.name));
    item->SetAutoEnable(true);
    item->SetText(std::string(row.text));
    if (row.shortcut != nullptr) item->SetKeyboardShortcut(row.shortcut);
    if (row.menu.empty()) {
      bar.Append(std::move(item));
      continue;
    }
    const auto menu = bar.Child(row.menu);
    if (!menu)
      throw fw::NilObjectException("The menu bar has no menu " + std::string(row.menu) + ".");
    menu->Append(std::move(item));
  }
}

std::shared_ptr<class MenuBar1>& ImplicitInstance() {
  static std::shared_ptr<class MenuBar1> instance;
  return instance;
}

}  // namespace

fw::ClassRecord MenuBar1::Record() {
  return {"MenuBar1",
          "MenuBar",
          "MenuBar1.MenuBar1",
          {{"Constructor", "()"}, {"Untitled0", "()"}, {"Untitled1", "()"}}};
}

void MenuBar1::Constructor() {
  Untitled0();
  Untitled1();
}

void MenuBar1::Untitled0() {
  BuildItems(*this, kFileMenu);
}

void MenuBar1::Untitled1() {
  BuildItems(*this, kEditMenu);
}

std::shared_ptr<class MenuBar1> MenuBar1() {
  auto& instance = ImplicitInstance();
  if (!instance) {
    auto bar = std::make_shared<class MenuBar1>();
    bar->Constructor();
    instance = std::move(bar);
  }
  return instance;
}

void ReleaseMenuBar1() {
  ImplicitInstance().reset();
}

}  // namespace app
