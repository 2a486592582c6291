#pragma once

namespace lumora {

class frmTests;

// What a drawing of the main window listens to: script windows coming and going, the batch
// bringing each window forward, and runs starting and ending (buttons, menus and the hourglass
// follow them). The grid's own changes reach the drawing through GridObserver.
class MainWindowObserver {
  public:
    virtual ~MainWindowObserver() = default;
    // After its script was read.
    virtual void windowOpened(frmTests& window) = 0;
    // Before it goes; the window is still whole.
    virtual void windowClosing(frmTests& window) = 0;
    virtual void windowBroughtForward(frmTests& window) = 0;
    virtual void runStateChanged() = 0;
};

} // namespace lumora
