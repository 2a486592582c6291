#include "app/MenuModel.h"
#include "tests/app/ScriptedInterface.h"
#include "tests/korven/CallbackPump.h"
#include "tests/ui/UiFixture.h"

#include <gtest/gtest.h>

using namespace lumora;

namespace {

const MenuItemSpec& itemOf(std::span<const MenuSpec> bar, const std::string& caption) {
    for (const MenuSpec& menu : bar) {
        for (const MenuItemSpec& item : menu.items) {
            if (item.caption == caption) {
                return item;
            }
        }
    }
    throw std::out_of_range(caption);
}

// The visible captions of one menu, separators as "-".
std::vector<std::string> shown(const MenuSpec& menu, const MenuContext& context) {
    std::vector<std::string> captions;
    for (const MenuItemSpec& item : menu.items) {
        if (itemState(item, context).visible) {
            captions.emplace_back(item.caption);
        }
    }
    return captions;
}

class Menus : public test::UiFixture {
  protected:
    Menus() {
        home.write("a.dfm", "<DFM_Script version=\"2.0\"><Settings Units=\"1\"/><Test name=\"Top Surface "
                            "Thru-hole Component Orientation\"/></DFM_Script>");
    }
    test::ScriptedInterface ui;
    MDIMain main{ui, home.path()};
};

} // namespace

TEST_F(Menus, TheDebugMenusShowOnlyWithTheSwitch) {
    using Captions = std::vector<std::string>;
    MenuContext context = mainMenuContext(main);
    EXPECT_EQ(shown(mainMenuBar()[1], context),
              (Captions{"Runner Settings", "Clear DRC On Run", "Generate Test Times"}));
    EXPECT_EQ(shown(scriptMenuBar()[2], context), (Captions{"View &Log File", "View &Time Log"}));
    context.debugMenus = true;
    EXPECT_EQ(shown(scriptMenuBar()[2], context),
              (Captions{"View &Log File", "View &Time Log", "-", "Show Debugged Geometries..."}));
    EXPECT_EQ(shown(scriptMenuBar()[3], context).size(), 6u);
    const MenuItemSpec& debugged = itemOf(scriptMenuBar(), "Show Debugged Geometries...");
    EXPECT_FALSE(itemState(debugged, context).enabled);
    context.debugOn = true;
    EXPECT_TRUE(itemState(debugged, context).enabled);
}

TEST_F(Menus, RunBatchNeedsTwoWindowsAndRunAndStopFollowTheButtons) {
    main.openScripts(home.path().string(), {"a.dfm"}, 1);
    frmTests& window = *main.windows().front();
    const MenuItemSpec& batch = itemOf(scriptMenuBar(), "Run &Batch...");
    const MenuItemSpec& run = itemOf(scriptMenuBar(), "&Run Script");
    const MenuItemSpec& stop = itemOf(scriptMenuBar(), "&Stop Script");
    EXPECT_FALSE(itemState(batch, scriptMenuContext(main, window)).enabled);
    main.openScripts(home.path().string(), {"a.dfm"}, 1);
    EXPECT_TRUE(itemState(batch, scriptMenuContext(main, window)).enabled);

    MenuContext during;
    test::CallbackPump pump;
    pump.onEvents = [&] { during = scriptMenuContext(main, window); };
    setEventPump(&pump);
    window.runScript();
    setEventPump(nullptr);
    EXPECT_FALSE(itemState(run, during).enabled);
    EXPECT_TRUE(itemState(stop, during).enabled);
    // the run holds the design it started with
    EXPECT_FALSE(itemState(itemOf(scriptMenuBar(), "&Design..."), during).enabled);
    EXPECT_TRUE(itemState(run, scriptMenuContext(main, window)).enabled);
    EXPECT_FALSE(itemState(stop, scriptMenuContext(main, window)).enabled);
}

TEST_F(Menus, TheMarksFollowTheirWindowAndTheAccessKeysTheirAmpersand) {
    main.openScripts(home.path().string(), {"a.dfm"}, 1);
    frmTests& window = *main.windows().front();
    window.menuChecks.popupTestInfo = false;
    main.setGenTestTimes(false);
    MenuContext context = scriptMenuContext(main, window);
    EXPECT_FALSE(itemState(itemOf(scriptMenuBar(), "Popup Test Info"), context).checked);
    EXPECT_FALSE(itemState(itemOf(scriptMenuBar(), "Generate Test Times"), context).checked);
    EXPECT_TRUE(itemState(itemOf(scriptMenuBar(), "Clear DRC On Run"), context).checked);
    EXPECT_FALSE(itemState(itemOf(mainMenuBar(), "Generate Test Times"), mainMenuContext(main)).checked);
    EXPECT_EQ(accessKey("S&ettings"), 'e');
    EXPECT_EQ(accessKey("Run &Batch..."), 'B');
    EXPECT_EQ(accessKey("Check All"), '\0');
}
