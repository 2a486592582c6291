#include "desktop/MenuBuilder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace lumora::desktop {

void MenuBuilder::addItems(QMenu& menu, std::span<const MenuItemSpec> items, const Perform& perform,
                           std::vector<std::pair<const MenuItemSpec*, QAction*>>* made) {
    for (const MenuItemSpec& item : items) {
        QAction* action = item.command == Command::Separator
                              ? menu.addSeparator()
                              : menu.addAction(QString::fromLatin1(item.caption));
        action->setCheckable(item.mark != MenuMark::None);
        QObject::connect(action, &QAction::triggered, &menu,
                         [perform, command = item.command] { perform(command); });
        if (made != nullptr) {
            made->emplace_back(&item, action);
        }
    }
}

void MenuBuilder::build(QMenuBar& bar, std::span<const MenuSpec> menus, Perform perform, Context context) {
    // Later: the bar may change from within one of its own items (Open Script opens a window).
    for (QAction* menu : bar.actions()) {
        if (menu->menu() != nullptr) {
            menu->menu()->deleteLater();
        }
    }
    bar.clear();
    actions_.clear();
    for (const MenuSpec& spec : menus) {
        QMenu* menu = bar.addMenu(QString::fromLatin1(spec.caption));
        addItems(*menu, spec.items, perform, &actions_);
        // The rules are read each time a menu opens, as the windows may have changed since.
        QObject::connect(menu, &QMenu::aboutToShow, menu, [this, context] { refresh(context()); });
    }
}

void MenuBuilder::refresh(const MenuContext& context) {
    for (auto [item, action] : actions_) {
        MenuItemState state = itemState(*item, context);
        action->setVisible(state.visible);
        action->setEnabled(state.enabled);
        action->setChecked(state.checked);
    }
}

QAction* MenuBuilder::action(Command command) const {
    for (auto [item, action] : actions_) {
        if (item->command == command) {
            return action;
        }
    }
    return nullptr;
}

} // namespace lumora::desktop
