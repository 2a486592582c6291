#pragma once

#include "app/MenuModel.h"

#include <QObject>

#include <functional>
#include <span>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace lumora::desktop {

// QMenus made from the menu model: each item's action performs its command, and the rules of the
// model decide what shows, what can be chosen and what is checked.
class MenuBuilder {
  public:
    using Perform = std::function<void(Command)>;
    using Context = std::function<MenuContext()>;

    // Replaces the bar's menus; every menu refreshes its items when it opens.
    void build(QMenuBar& bar, std::span<const MenuSpec> menus, Perform perform, Context context);
    void refresh(const MenuContext& context);
    // The item of the current bar, or nullptr.
    QAction* action(Command command) const;

    // Fills a menu with items, every time afresh.
    static void addItems(QMenu& menu, std::span<const MenuItemSpec> items, const Perform& perform,
                         std::vector<std::pair<const MenuItemSpec*, QAction*>>* made = nullptr);

  private:
    std::vector<std::pair<const MenuItemSpec*, QAction*>> actions_;
};

} // namespace lumora::desktop
