#include "cli/TerminalInterface.h"

namespace lumora::cli {

void TerminalInterface::showMessage(const std::string& text) {
    ++messagesShown_;
    std::string line;
    for (char c : text) {
        line += c == '\r' ? '\n' : c;
    }
    err_ << kApplicationTitle << ": " << line << '\n';
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
