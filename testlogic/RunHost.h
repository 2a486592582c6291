#pragma once

#include <cstdint>
#include <string>

namespace lumora {

// The progress window. Front ends fill it in: the desktop program shows a small window with a
// message and a bar, the command line prints.
class StatusDisplay {
  public:
    virtual ~StatusDisplay() = default;
    // Shows msgString; a range other than 0..0 also shows a bar at its first step, 0..0 hides it.
    virtual void showStatus(const std::string& msgString, int16_t min, int16_t max) = 0;
    // Moves the bar, clamped to its range.
    virtual void setProgress(int16_t progress) = 0;
    virtual void hideStatus() = 0;
};

// What a message box tells, which its icon shows: a fact, a request refused, or a failure.
enum class MessageKind { Information, Warning, Error };

// Message boxes with an OK button and the application title.
class MessageDisplay {
  public:
    virtual ~MessageDisplay() = default;
    virtual void showMessage(const std::string& text, MessageKind kind) = 0;
};

class RunWindow;

// Follows each test of a run beside the grid, for reports and marker lists; the run neither waits
// for it nor reads anything back.
class TestRunListener {
  public:
    virtual ~TestRunListener() = default;
    virtual void testStarted(RunWindow& window, long row) = 0;
    // result: the test's result code (0, 1 or -999).
    virtual void testFinished(RunWindow& window, long row, int16_t result) = 0;
};

// The main window as a run sees it.
class RunHost {
  public:
    virtual ~RunHost() = default;
    virtual StatusDisplay& statusWindow() = 0;
    virtual MessageDisplay& messageBoxes() = 0;
    // MDIMain.blnTestRunning: set for the length of every run; while it is set no other run
    // starts, and the desktop program shows the hourglass.
    virtual bool testRunning() const = 0;
    virtual void setTestRunning(bool running) = 0;
    // nullptr while nobody listens.
    virtual TestRunListener* testListener() { return nullptr; }
};

} // namespace lumora
