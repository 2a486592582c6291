#include "testlogic/ItemFrame.h"

#include "files/ReplaceFile.h"
#include "korven/KorvenFailure.h"
#include "korven/clsKORVEN.h"
#include "korvenapi/KorvenCodes.h"
#include "testlogic/RunContext.h"

namespace lumora {

namespace {

// error.txt beside error.cc: the failure that made the copy, and what KORVEN itself said about it.
// A note that cannot be written leaves the copy without it; the run log holds the failure.
void writeFailureNote(const std::filesystem::path& folder, const std::string& line,
                      const std::string& korvenSaid) {
    std::string note = line + "\r\n";
    if (!korvenSaid.empty()) {
        note += "KORVEN: " + korvenSaid + "\r\n";
    }
    try {
        files::replaceFile(folder / "error.txt", note);
    } catch (const files::OutputFileError&) {
        // said in the run log
    }
}

std::string testOnPrefix(const FrameItem& item) {
    return "   Test On " + item.fileName + " : ";
}

} // namespace

ItemFrame::ItemFrame(clsTestItem& test, FamilyGeometries& geometries, FrameOptions options)
    : test_(test), korven_(runningKorven()), geometries_(geometries), options_(std::move(options)) {}

bool ItemFrame::runItems(ItemList list, const Branch& branch, const Cleanup& cleanup) {
    bool panels = list == ItemList::Panels;
    int32_t lower = panels ? korven_.Panels_Lbound() : korven_.Boards_Lbound();
    int32_t upper = panels ? korven_.Panels_Ubound() : korven_.Boards_Ubound();
    for (int32_t index = lower; index <= upper; ++index) {
        if (options_.skipHidden && isHidden(list, index)) {
            continue;
        }
        geometries_.zero();
        FrameItem item = readItem(list, index);
        runningWindow().resetTestCnt();
        if (!runItem(item, branch)) {
            return false;
        }
        if (cleanup) {
            cleanup();
        }
    }
    return true;
}

FrameItem ItemFrame::readItem(ItemList list, int32_t index) const {
    if (list == ItemList::Panels) {
        return {index, korven_.Panel_Position(index), korven_.Panel_FileName(index)};
    }
    return {index, korven_.Board_Position(index), korven_.Board_FileName(index)};
}

bool ItemFrame::isHidden(ItemList list, int32_t index) const {
    return list == ItemList::Panels ? !korven_.Panel_Visible(index) : !korven_.Board_Visible(index);
}

bool ItemFrame::runItem(const FrameItem& item, const Branch& branch) {
    statusOnly_ = false;
    try {
        branch(item);
    } catch (const RunnerError& error) {
        return takeFailurePath(item, error.source().empty() ? options_.routineName : error.source(),
                               error.description());
    } catch (const std::exception& error) {
        return takeFailurePath(item, options_.routineName, error.what());
    }
    writeResultLine(item);
    bool onlyNegativeFails = options_.kind == FrameKind::Panel || statusOnly_;
    if (onlyNegativeFails ? status_ < 0 : status_ != 0) {
        ++errorCount_;
    }
    return true;
}

void ItemFrame::record(int16_t code, const std::string& wrapperName) {
    status_ = code;
    statusText_ = korven_.lastError();
    if (options_.kind == FrameKind::Board && code != 0) {
        raiseKorvenFailure(wrapperName, statusText_);
    }
}

void ItemFrame::recordStatusOnly(int16_t code) {
    status_ = code;
    statusText_ = korven_.lastError();
    statusOnly_ = true;
}

// "SUCCEDED" is the spelling that readers of earlier run logs search for.
void ItemFrame::writeResultLine(const FrameItem& item) {
    if (status_ == 0) {
        writeRunLog(testOnPrefix(item) +
                    "SUCCEDED {Marginal: " + std::to_string(runningWindow().getCurMarginal()) +
                    "  Critical: " + std::to_string(runningWindow().getCurCritical()) + "}");
    } else {
        writeRunLog(testOnPrefix(item) + "FAILED {" + statusText_ + "}");
        korven_.keepReportedDescription();
    }
}

bool ItemFrame::takeFailurePath(const FrameItem& item, const std::string& source,
                                const std::string& description) {
    std::string detail = source + " {" + description + "}";
    if (options_.kind == FrameKind::Board && options_.limitPath && status_ > 0) {
        writeRunLog(testOnPrefix(item) + "SUCCEDED {" + detail + "}");
        limitReached_ = true;
        return true;
    }
    const std::string line = testOnPrefix(item) + "FAILED {" + detail + "}";
    writeRunLog(line);
    korven_.keepReportedDescription();
    return countFailure(line);
}

void ItemFrame::failRoutine(const std::string& source, const std::string& description) {
    const std::string line =
        testOnPrefix(FrameItem{0, 0, ""}) + "FAILED {" + source + " {" + description + "}}";
    writeRunLog(line);
    countFailure(line);
}

bool ItemFrame::countFailure(const std::string& line) {
    ++errorCount_;
    const RunSettings& settings = korven_.runSettings();
    if (!settings.blnSaveOnFail) {
        return true;
    }
    // KORVEN's own description is read before the save call replaces it.
    const std::string korvenSaid = korven_.korvenDescription();
    korven_.SaveDataFileAs((settings.logFolder / "error.cc").string());
    writeFailureNote(settings.logFolder, line, korvenSaid);
    return false;
}

int16_t ItemFrame::finish() {
    geometries_.deleteUnlessDebug();
    if (errorCount_ != 0) {
        return runnercode::Failed;
    }
    return limitReached_ ? 1 : 0;
}

} // namespace lumora
