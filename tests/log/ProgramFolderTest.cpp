#include "log/ProgramFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

using lumora::programFolder;

namespace {

// Sets or clears LUMORA_HOME for one test and puts the old value back.
class ScopedHome {
  public:
    explicit ScopedHome(const char* value) {
        if (const char* old = std::getenv("LUMORA_HOME"); old != nullptr) {
            previous_ = old;
        }
        if (value != nullptr) {
            setenv("LUMORA_HOME", value, 1);
        } else {
            unsetenv("LUMORA_HOME");
        }
    }
    ~ScopedHome() {
        if (previous_) {
            setenv("LUMORA_HOME", previous_->c_str(), 1);
        } else {
            unsetenv("LUMORA_HOME");
        }
    }

  private:
    std::optional<std::string> previous_;
};

} // namespace

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
    ScopedHome home(nullptr);
    EXPECT_TRUE(std::filesystem::exists(programFolder() / "test_log")) << programFolder();
}

TEST(ProgramFolder, LumoraHomeNamesAnotherFolder) {
    ScopedHome home("/srv/lumora home");
    EXPECT_EQ(programFolder(), std::filesystem::path("/srv/lumora home"));
}

TEST(ProgramFolder, EmptyLumoraHomeCountsAsUnset) {
    ScopedHome home("");
    EXPECT_TRUE(std::filesystem::exists(programFolder() / "test_log")) << programFolder();
}
