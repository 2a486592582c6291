#include "engine/automation/EmbeddedDfm.h"

#include "engine/checks/PerformCheck.h"
#include "engine/runtime/Parallel.h"
#include "engine/session/DrcReport.h"

namespace lumora::engine {

namespace {

// The caller's algorithm name, else the check's own.
std::string markerName(const DfmCheckCall& call) {
    return std::visit(
        [&](const auto& args) {
            if constexpr (requires { args.algName; }) {
                if (!args.algName.empty()) {
                    return args.algName;
                }
            }
            return std::string(dfmCheckName(call));
        },
        call);
}

// The board or panel the call named: its file, or the file of its flatten geometry; 0 for none.
int32_t fileOf(const Design& design, const DfmCheckCall& call) {
    const auto flattenFile = [&](int16_t geomNum) {
        const auto found = design.geometries.find(geomNum);
        return found == design.geometries.end() ? 0 : found->second.flattenFile;
    };
    return std::visit(
        [&](const auto& args) -> int32_t {
            if constexpr (requires { args.filePos; }) {
                return args.filePos;
            } else if constexpr (requires { args.geomNum; }) {
                return flattenFile(args.geomNum);
            } else if constexpr (requires { args.geomNum1; }) {
                return flattenFile(args.geomNum1);
            } else {
                return 0;
            }
        },
        call);
}

} // namespace

int16_t runCheck(Session& session, const DfmCheckCall& call) {
    std::vector<Finding> findings;
    const int16_t code = answerWithDocument(
        session,
        [&](Design& design) {
            CheckContext context(design, markerName(call));
            // A check's own steps on the caller's thread would keep the desktop program from its events;
            // its markers and their callbacks are made here afterwards.
            findings = awaitRunningTheHook([&] { return performCheck(context, call); });
        },
        BlockUse::LeavesBlocks);
    if (code != rc::Ok) {
        session.failedChecks.push_back({.check = markerName(call),
                                        .file = session.hasDocument() ? fileOf(session.design(), call) : 0,
                                        .code = code,
                                        .description = session.lastFailure()});
        return code;
    }
    return reportFindings(session, std::move(findings));
}

int16_t EmbeddedDfm::Check(const DfmCheckCall& check) {
    return runCheck(session(), check);
}

} // namespace lumora::engine
