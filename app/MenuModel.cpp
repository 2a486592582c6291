#include "app/MenuModel.h"

#include <array>

namespace lumora {

namespace {

using enum Command;
using R = MenuRule;
using M = MenuMark;

constexpr MenuItemSpec kSeparator{"-", Separator};

constexpr std::array kMainFile{
    MenuItemSpec{"&Open Script", OpenScript},
    MenuItemSpec{"&Design...", ChooseDesign, R::Always, R::NoRun},
    kSeparator,
    MenuItemSpec{"E&xit", Exit},
};
constexpr std::array kMainSettings{
    MenuItemSpec{"Runner Settings", RunnerSettings},
    MenuItemSpec{"Debug Settings", DebugSettings, R::DebugMenus},
    MenuItemSpec{"-", Separator, R::DebugMenus},
    MenuItemSpec{"Clear DRC On Run", ClearDRCOnRun, R::Always, R::Always, M::ClearDRCOnRun},
    MenuItemSpec{"Generate Test Times", GenerateTestTimes, R::Always, R::Always, M::GenerateTestTimes},
};
constexpr std::array kMainHelp{
    MenuItemSpec{"&Contents", HelpContents},
    kSeparator,
    MenuItemSpec{"&About ...", About},
};
constexpr std::array kMainBar{
    MenuSpec{"&File", kMainFile},
    MenuSpec{"S&ettings", kMainSettings},
    MenuSpec{"&Help", kMainHelp},
};

constexpr std::array kScriptFile{
    MenuItemSpec{"&Open Script", OpenScript},
    MenuItemSpec{"&Design...", ChooseDesign, R::Always, R::NoRun},
    MenuItemSpec{"Export &Report...", ExportReport, R::Always, R::NoRun},
    MenuItemSpec{"&Close Script", CloseScript},
    kSeparator,
    MenuItemSpec{"E&xit", Exit},
};
constexpr std::array kScriptScript{
    MenuItemSpec{"&Run Script", RunScript, R::Always, R::RunEnabled},
    MenuItemSpec{"&Stop Script", StopScript, R::Always, R::StopEnabled},
    kSeparator,
    MenuItemSpec{"Run &Batch...", RunBatch, R::Always, R::TwoWindows},
};
constexpr std::array kScriptView{
    MenuItemSpec{"View &Log File", ViewLog},
    MenuItemSpec{"View &Time Log", ViewTimeLog},
    MenuItemSpec{"-", Separator, R::DebugMenus},
    MenuItemSpec{"Show Debugged Geometries...", ShowDebuggedGeometries, R::DebugMenus, R::DebugOn},
};
constexpr std::array kScriptSettings{
    MenuItemSpec{"Runner Settings", RunnerSettings},
    MenuItemSpec{"Debug Settings", DebugSettings, R::DebugMenus},
    MenuItemSpec{"-", Separator, R::DebugMenus},
    MenuItemSpec{"Clear DRC On Run", ClearDRCOnRun, R::Always, R::Always, M::ClearDRCOnRun},
    MenuItemSpec{"Generate Test Times", GenerateTestTimes, R::Always, R::Always, M::GenerateTestTimes},
    MenuItemSpec{"Popup Test Info", PopupTestInfo, R::Always, R::Always, M::PopupTestInfo},
};
constexpr std::array kScriptHelp{
    MenuItemSpec{"&Contents", HelpContents},
    MenuItemSpec{"Web help for selected test ...", WebHelp},
    kSeparator,
    MenuItemSpec{"&About...", About},
};
constexpr std::array kScriptBar{
    MenuSpec{"&File", kScriptFile}, MenuSpec{"&Script", kScriptScript},
    MenuSpec{"&View", kScriptView}, MenuSpec{"S&ettings", kScriptSettings},
    MenuSpec{"&Help", kScriptHelp},
};

constexpr std::array kGridPopup{
    MenuItemSpec{"Check All", CheckAll},
    MenuItemSpec{"Uncheck All", UncheckAll},
};

bool holds(MenuRule rule, const MenuContext& context) {
    switch (rule) {
    case R::Always:
        return true;
    case R::DebugMenus:
        return context.debugMenus;
    case R::DebugOn:
        return context.debugOn;
    case R::TwoWindows:
        return context.childCount >= 2;
    case R::RunEnabled:
        return context.buttons.run;
    case R::StopEnabled:
        return context.buttons.stop;
    case R::NoRun:
        return !context.testRunning;
    }
    return false;
}

bool marked(MenuMark mark, const MenuContext& context) {
    switch (mark) {
    case M::None:
        return false;
    case M::ClearDRCOnRun:
        return context.clearDRCOnRun;
    case M::GenerateTestTimes:
        return context.genTestTimes;
    case M::PopupTestInfo:
        return context.popupTestInfo;
    }
    return false;
}

MenuContext switchesContext(const MDIMain& main) {
    MenuContext context;
    context.debugMenus = main.switches().blnDebugMenus;
    context.debugOn = main.switches().blnDebugOn;
    context.childCount = main.childCount();
    context.testRunning = main.blnTestRunning;
    return context;
}

} // namespace

std::span<const MenuSpec> mainMenuBar() {
    return kMainBar;
}

std::span<const MenuSpec> scriptMenuBar() {
    return kScriptBar;
}

std::span<const MenuItemSpec> gridPopupMenu() {
    return kGridPopup;
}

MenuContext mainMenuContext(const MDIMain& main) {
    MenuContext context = switchesContext(main);
    context.clearDRCOnRun = main.menuChecks.clearDRCOnRun;
    context.genTestTimes = main.menuChecks.genTestTimes;
    return context;
}

MenuContext scriptMenuContext(const MDIMain& main, const frmTests& window) {
    MenuContext context = switchesContext(main);
    context.buttons = window.updateButtons();
    context.clearDRCOnRun = window.menuChecks.clearDRCOnRun;
    context.genTestTimes = window.menuChecks.genTestTimes;
    context.popupTestInfo = window.menuChecks.popupTestInfo;
    return context;
}

MenuItemState itemState(const MenuItemSpec& item, const MenuContext& context) {
    return {holds(item.visible, context), holds(item.enabled, context), marked(item.mark, context)};
}

char accessKey(const std::string& caption) {
    std::size_t amp = caption.find('&');
    return amp == std::string::npos || amp + 1 == caption.size() ? '\0' : caption[amp + 1];
}

} // namespace lumora
