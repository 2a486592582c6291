#pragma once

#include <string>

namespace lumora {

class clsKORVEN;
class clsLogFile;
class clsTestTimer;

// The running script window as the layers below the windows see it. The script window
// implements it; the korven and test-logic layers never include the window itself.
class CurrentWindow {
  public:
    virtual ~CurrentWindow() = default;

    virtual clsLogFile* logFile() = 0;       // nothing between runs
    virtual clsTestTimer* timeLogFile() = 0; // nothing between runs
    virtual clsKORVEN& objKorven() = 0;
    virtual void updateTests(const std::string& value) = 0; // "Marginal" or "Critical"
    virtual void resetTestCnt() = 0;
    virtual long getCurMarginal() const = 0;
    virtual long getCurCritical() const = 0;
};

// Lets pending window messages be processed; the desktop program and the command line fill it in.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void doEvents() = 0;
};

// MDIMain.frmCurChild as seen from below: the window that is running, or nullptr.
CurrentWindow* frmCurChild();
void setFrmCurChild(CurrentWindow* window);

// The pump used by the callback and the run; does nothing until a front end installs one.
EventPump& eventPump();
void setEventPump(EventPump* pump);

} // namespace lumora
