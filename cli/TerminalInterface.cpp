#include "cli/TerminalInterface.h"

#include "korven/CurrentWindow.h"

namespace lumora::cli {

namespace {

std::string withNewlines(const std::string& text) {
    std::string lines;
    for (char c : text) {
        lines += c == '\r' ? '\n' : c;
    }
    return lines;
}

} // namespace

void TerminalInterface::showMessage(const std::string& text, MessageKind) {
    ++messagesShown_;
    err_ << kApplicationTitle << ": " << withNewlines(text) << '\n';
}

void TerminalInterface::showStatus(const std::string& msgString, int16_t, int16_t) {
    if (!quiet_ && !msgString.empty()) {
        err_ << "... " << msgString << '\n';
    }
    eventPump().doEvents();
}

void TerminalInterface::setProgress(int16_t) {
    eventPump().doEvents();
}

void TerminalInterface::hideStatus() {
    eventPump().doEvents();
}

void TerminalInterface::openTextFile(const std::filesystem::path& file) {
    err_ << "See " << file.string() << '\n';
}

std::string indentedLines(const std::string& text, long row) {
    std::string result = std::to_string(row) + ". ";
    bool first = true;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\r', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        result += first ? line : "\n      " + line;
        first = false;
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return result;
}

} // namespace lumora::cli
