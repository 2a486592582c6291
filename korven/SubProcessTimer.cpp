#include "korven/SubProcessTimer.h"

#include "korven/CurrentWindow.h"
#include "log/clsTestTimer.h"

namespace lumora {

namespace {

clsTestTimer* currentTimeLog() {
    CurrentWindow* window = frmCurChild();
    return window != nullptr ? window->timeLogFile() : nullptr;
}

} // namespace

void startSubProcessTimer(std::string_view label) {
    if (clsTestTimer* timeLog = currentTimeLog()) {
        timeLog->startSubProcessTimer(label);
    }
}

void stopSubProcessTimer() {
    if (clsTestTimer* timeLog = currentTimeLog()) {
        timeLog->stopSubProcessTimer();
    }
}

} // namespace lumora
