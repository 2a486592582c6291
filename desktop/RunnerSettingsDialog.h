#pragma once

#include "testlogic/RunHost.h"
#include "ui/RunnerSwitches.h"

class QWidget;

namespace lumora::desktop {

// "Runner Settings", modal: the DRC limit's box is checked when the user leaves it (Tab or a click
// elsewhere; a bad text keeps the focus there) and by OK, which stores the limit. OK does not take
// the focus when clicked, so that a click on it checks the text once.
void showRunnerSettings(QWidget* owner, MessageDisplay& messages, RunnerSwitches& switches);

} // namespace lumora::desktop
