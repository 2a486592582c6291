#include "korven/CurrentWindow.h"

namespace lumora {

namespace {

struct NoEvents : EventPump {
    void doEvents() override {}
};

CurrentWindow* g_current = nullptr;
EventPump* g_pump = nullptr;

} // namespace

CurrentWindow* frmCurChild() {
    return g_current;
}

void setFrmCurChild(CurrentWindow* window) {
    g_current = window;
}

EventPump& eventPump() {
    static NoEvents none;
    return g_pump != nullptr ? *g_pump : none;
}

void setEventPump(EventPump* pump) {
    g_pump = pump;
}

} // namespace lumora
