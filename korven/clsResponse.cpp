#include "korven/clsResponse.h"

#include "korven/CurrentWindow.h"

#include <memory>

namespace lumora {

void clsResponse::Response(const std::string& keyWord, const std::string& Value) {
    if (keyWord != "DRC Added") {
        return;
    }
    // The Stop button and the grid's repaint wait behind KORVEN's work.
    eventPump().doEvents();
    if (CurrentWindow* window = frmCurChild()) {
        window->updateTests(Value);
    }
}

void registerResponseClass(AutomationRegistry& registry) {
    registry.registerResponseClass(std::string(kResponseProgId),
                                   [] { return std::make_shared<clsResponse>(); });
}

} // namespace lumora
