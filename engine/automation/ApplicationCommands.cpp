#include "engine/automation/EmbeddedApplication.h"

#include "engine/ops/DfxOutlines.h"
#include "engine/ops/PinData.h"

#include <algorithm>
#include <array>

namespace lumora::engine {

namespace {

struct CommandEntry {
    int32_t number;
    void (*run)(Design&);
};

// Fitting the page to the image changes nothing in the document; the view is not modelled.
constexpr std::array kCommands{
    CommandEntry{command::FitPage, [](Design&) {}},
    CommandEntry{command::SmdData, generateSmdData},
    CommandEntry{command::PinPitchData, generatePinPitch},
};

} // namespace

int16_t EmbeddedApplication::IssueCommand(int32_t command) {
    return answerWithDocument(session(), [&](Design& design) {
        const auto found = std::ranges::find(kCommands, command, &CommandEntry::number);
        if (found == kCommands.end()) {
            throw Refusal(rc::ValueOutOfRange, "unknown command " + std::to_string(command));
        }
        found->run(design);
    });
}

int16_t EmbeddedApplication::ClearAllDRCs() {
    return answerWithDocument(session(), [this](Design& design) {
        design.drcs.clear();
        session().failedChecks.clear();
    });
}

int16_t EmbeddedApplication::dfmCreateDFxOutline(int16_t geomNum, int16_t algorithm, bool overWrite) {
    return answerWithDocument(
        session(), [&](Design& design) { createDfxOutline(design, geomNum, algorithm, overWrite); });
}

} // namespace lumora::engine
