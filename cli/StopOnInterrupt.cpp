#include "cli/StopOnInterrupt.h"

#include "log/ProductInfo.h"

#include <csignal>

namespace lumora::cli {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int) {
    g_interrupted = 1;
    std::signal(SIGINT, SIG_DFL); // the next Ctrl-C is not asked twice
}

} // namespace

StopOnInterrupt::StopOnInterrupt(std::function<void()> stop) : stop_(std::move(stop)) {
    g_interrupted = 0;
    std::signal(SIGINT, onInterrupt);
    setEventPump(this);
}

StopOnInterrupt::~StopOnInterrupt() {
    setEventPump(nullptr);
    std::signal(SIGINT, SIG_DFL);
}

void StopOnInterrupt::doEvents() {
    if (g_interrupted == 0) {
        return;
    }
    g_interrupted = 0;
    stop_();
    std::signal(SIGINT, onInterrupt);
}

void StopOnInterrupt::finishOutputs() {
    setEventPump(nullptr);
}

void StopOnInterrupt::sayOnceIfInterrupted(std::ostream& err) {
    if (g_interrupted == 0 || said_) {
        return;
    }
    said_ = true;
    err << kApplicationTitle
        << ": Ctrl-C: the tests are over; their results and files are written to the end first (Ctrl-C again "
           "ends the program at once, leaving them unfinished)"
        << std::endl;
}

} // namespace lumora::cli
