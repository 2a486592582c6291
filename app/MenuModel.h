#pragma once

#include "app/MDIMain.h"

#include <span>
#include <string>
#include <vector>

namespace lumora {

// What a menu item does; the front end binds each to its action.
enum class Command {
    Separator,
    OpenScript,
    ChooseDesign,
    ExportReport,
    CloseScript,
    Exit,
    RunScript,
    StopScript,
    RunBatch,
    ViewLog,
    ViewTimeLog,
    ShowDebuggedGeometries,
    RunnerSettings,
    DebugSettings,
    ClearDRCOnRun,
    GenerateTestTimes,
    PopupTestInfo,
    HelpContents,
    WebHelp,
    About,
    CheckAll,
    UncheckAll,
};

// When an item shows or can be chosen.
enum class MenuRule { Always, DebugMenus, DebugOn, TwoWindows, RunEnabled, StopEnabled, NoRun };
// Which check mark an item carries.
enum class MenuMark { None, ClearDRCOnRun, GenerateTestTimes, PopupTestInfo };

struct MenuItemSpec {
    const char* caption; // "&" marks the access key
    Command command;
    MenuRule visible = MenuRule::Always;
    MenuRule enabled = MenuRule::Always;
    MenuMark mark = MenuMark::None;
};

struct MenuSpec {
    const char* caption;
    std::span<const MenuItemSpec> items;
};

// The menus while no script window is active, the larger ones of a script window, and the grid's
// right-click menu.
std::span<const MenuSpec> mainMenuBar();
std::span<const MenuSpec> scriptMenuBar();
std::span<const MenuItemSpec> gridPopupMenu();

// What the rules read: the switches, the number of windows, and the active window's buttons and
// check marks (the main window's marks when no script window is active).
struct MenuContext {
    bool debugMenus = false;
    bool debugOn = false;
    long childCount = 0;
    bool testRunning = false; // any window runs
    RunButtons buttons{true, false, false};
    bool clearDRCOnRun = true;
    bool genTestTimes = true;
    bool popupTestInfo = true;
};

MenuContext mainMenuContext(const MDIMain& main);
MenuContext scriptMenuContext(const MDIMain& main, const frmTests& window);

struct MenuItemState {
    bool visible;
    bool enabled;
    bool checked;
};
MenuItemState itemState(const MenuItemSpec& item, const MenuContext& context);

// The letter after "&", or 0 when the caption has none.
char accessKey(const std::string& caption);

} // namespace lumora
