#include "korvenapi/AutomationRegistry.h"
#include "tests/korven/RecordingKorven.h"

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

class DfmOnly : public AutomationProvider {
  public:
    std::shared_ptr<AutomationObject> createObject(std::string_view progId) override {
        return progId == kDfmProgId ? std::shared_ptr<AutomationObject>(std::shared_ptr<void>(), &server)
                                    : nullptr;
    }
    bool isRunning() const override { return false; }
    RecordingKorven server;
};

TEST(AutomationRegistry, CreatesByProgIdThroughTheFirstProviderServingIt) {
    AutomationRegistry registry;
    DfmOnly dfmOnly;
    RecordingKorven full;
    ProviderRegistration first(registry, dfmOnly);
    ProviderRegistration second(registry, full);

    auto dfm = registry.create<KorvenDfm>(kDfmProgId);
    auto application = registry.create<KorvenApplication>(kApplicationProgId);

    EXPECT_EQ(dfm.get(), static_cast<KorvenDfm*>(&dfmOnly.server));
    EXPECT_EQ(application.get(), static_cast<KorvenApplication*>(&full));
    EXPECT_EQ(registry.createObject("KORVEN.Unknown"), nullptr);
}

TEST(AutomationRegistry, KorvenRunsWhileAnyProviderRuns) {
    AutomationRegistry registry;
    EXPECT_FALSE(registry.isKorvenRunning());
    DfmOnly stopped;
    registry.registerProvider(stopped);
    EXPECT_FALSE(registry.isKorvenRunning());
    {
        RecordingKorven running;
        ProviderRegistration registration(registry, running);
        EXPECT_TRUE(registry.isKorvenRunning());
    }
    EXPECT_FALSE(registry.isKorvenRunning()) << "an unregistered provider is forgotten";
    registry.unregisterProvider(stopped);
}

TEST(AutomationRegistry, ResponseClassesAreFoundByExactProgId) {
    struct Counter : ResponseCallback {
        void Response(const std::string&, const std::string&) override {}
    };
    AutomationRegistry registry;
    int created = 0;
    registry.registerResponseClass("Quillmark.Response", [&] {
        ++created;
        return std::make_shared<Counter>();
    });

    EXPECT_NE(registry.createResponse("Quillmark.Response"), nullptr);
    EXPECT_EQ(registry.createResponse("quillmark.response"), nullptr);
    EXPECT_EQ(created, 1);
    registry.unregisterResponseClass("Quillmark.Response");
    EXPECT_EQ(registry.createResponse("Quillmark.Response"), nullptr);
}

} // namespace
} // namespace lumora::test
