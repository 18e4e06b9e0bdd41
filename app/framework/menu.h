// Menus and the application object. A menu bar is a tree of items; every
// window that shows it gets its own Qt menu bar over the same menus.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/framework/delegate.h"

class QAction;
class QMenu;

namespace fw {

class MenuItem : public std::enable_shared_from_this<MenuItem> {
 public:
  MenuItem();
  virtual ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // "&" marks the mnemonic; "-" makes a separator.
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  // "Cmd+Q" and its kin; Cmd is the platform's command key.
  const std::string& KeyboardShortcut() const { return shortcut_; }
  void SetKeyboardShortcut(std::string shortcut);
  // The framework decides by itself whether the item is enabled.
  bool AutoEnable() const { return autoEnable_; }
  void SetAutoEnable(bool on) { autoEnable_ = on; }
  bool IsEnabled() const;

  void Append(std::shared_ptr<MenuItem> item);
  // The direct child of that name, or none.
  std::shared_ptr<MenuItem> Child(std::string_view name) const;
  const std::vector<std::shared_ptr<MenuItem>>& Children() const { return children_; }

  // As choosing the item does.
  void Choose();

  QAction* Action() const { return action_; }
  // The drop-down menu of a title item, made when its first item is appended.
  QMenu* Menu() const { return menu_; }

 protected:
  // What the item does when no menu handler of the application takes it.
  virtual void Act();

 private:
  std::string name_, text_, shortcut_;
  bool autoEnable_ = false;
  std::vector<std::shared_ptr<MenuItem>> children_;
  QAction* action_;
  QMenu* menu_ = nullptr;
};

class AppleMenuItem : public MenuItem {};

class QuitMenuItem : public MenuItem {
 protected:
  void Act() override;
};

class MenuBar : public MenuItem {};

class Application {
 public:
  virtual ~Application();
  void SetMenuBar(std::shared_ptr<fw::MenuBar> menuBar) { menuBar_ = std::move(menuBar); }
  const std::shared_ptr<fw::MenuBar>& MenuBar() const { return menuBar_; }
  // Choosing an item of that name runs the handler; True means handled.
  void AddMenuHandler(std::string itemName, Delegate<bool> handler);
  // Runs the handler bound to the item's name; false when none is bound or it declines.
  bool HandleMenuCommand(const std::string& itemName);
  // A handler may hold the application strongly; the runtime's exit breaks that cycle.
  void RemoveMenuHandlers();

 private:
  std::shared_ptr<fw::MenuBar> menuBar_;
  std::map<std::string, Delegate<bool>, std::less<>> handlers_;
};

}  // namespace fw
