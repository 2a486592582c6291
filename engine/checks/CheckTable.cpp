#include "engine/checks/CheckTable.h"

#include "engine/findings/DrcReport.h"

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

} // namespace

std::vector<Finding> performCheck(CheckContext& context, const DfmCheckCall& call) {
    return std::visit([&](const auto& args) { return check(context, args); }, call);
}

int16_t runCheck(Session& session, const DfmCheckCall& call) {
    std::vector<Finding> findings;
    const int16_t code = answerWithDocument(session, [&](Design& design) {
        CheckContext context(design, markerName(call));
        findings = performCheck(context, call);
    });
    return code == rc::Ok ? reportFindings(session, std::move(findings)) : code;
}

} // namespace lumora::engine
