#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace lumora::test {

// Points LUMORA_HOME, and with it programFolder(), at a folder for one test.
class ScopedProgramFolder {
  public:
    explicit ScopedProgramFolder(const std::filesystem::path& folder) {
        if (const char* old = std::getenv("LUMORA_HOME"); old != nullptr) {
            previous_ = old;
        }
        setenv("LUMORA_HOME", folder.c_str(), 1);
    }
    ~ScopedProgramFolder() {
        if (previous_) {
            setenv("LUMORA_HOME", previous_->c_str(), 1);
        } else {
            unsetenv("LUMORA_HOME");
        }
    }
    ScopedProgramFolder(const ScopedProgramFolder&) = delete;
    ScopedProgramFolder& operator=(const ScopedProgramFolder&) = delete;

  private:
    std::optional<std::string> previous_;
};

} // namespace lumora::test
