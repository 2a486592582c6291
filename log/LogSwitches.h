#pragma once

namespace lumora {

// The application-wide switches that the time log obeys. The owner keeps one instance for the
// program's life and hands it to each time log by reference, so a switch flipped from a menu in
// the middle of a run takes effect at the log's next call.
struct LogSwitches {
    bool blnGenTestTimes = true; // Generate Test Times
    bool blnExpandedRep = false; // one line per sub-process after every step
};

} // namespace lumora
