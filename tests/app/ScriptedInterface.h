#pragma once

#include "app/UserInterface.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lumora::test {

// A front end that answers the file dialog as told and records what the user would have seen.
struct ScriptedInterface : UserInterface {
    std::optional<FileDialogResult> answer;
    std::string filterAsked;
    std::vector<std::string> messages;
    std::vector<std::string> statuses;
    std::vector<std::filesystem::path> opened;
    std::function<void(const std::string&)> onStatus;

    std::optional<FileDialogResult> chooseScriptFiles(const std::string& filter) override {
        filterAsked = filter;
        return answer;
    }
    void showMessage(const std::string& text, MessageKind) override { messages.push_back(text); }
    void showStatus(const std::string& msgString, int16_t, int16_t) override {
        statuses.push_back(msgString);
        if (onStatus) {
            onStatus(msgString);
        }
    }
    void setProgress(int16_t) override {}
    void hideStatus() override {}
    void openTextFile(const std::filesystem::path& file) override { opened.push_back(file); }
};

} // namespace lumora::test
