#include "engine/provider/EmbeddedKorven.h"

#include "engine/automation/EmbeddedApplication.h"
#include "engine/automation/EmbeddedDfm.h"
#include "engine/io/OpenDesign.h"

namespace lumora::engine {

EmbeddedKorven::EmbeddedKorven(AutomationRegistry& registry)
    : session_(std::make_shared<Session>(registry)) {}

EmbeddedKorven::EmbeddedKorven(Design design, AutomationRegistry& registry)
    : session_(std::make_shared<Session>(registry, std::move(design))) {}

std::unique_ptr<EmbeddedKorven> EmbeddedKorven::open(const std::filesystem::path& designFile,
                                                     AutomationRegistry& registry) {
    OpenedDesign opened = openDesignWithNotes(designFile);
    auto korven = std::make_unique<EmbeddedKorven>(std::move(opened.design), registry);
    korven->importNotes_ = std::move(opened.notes);
    return korven;
}

std::shared_ptr<AutomationObject> EmbeddedKorven::createObject(std::string_view progId) {
    if (!session_->running()) {
        return nullptr;
    }
    if (progId == kApplicationProgId) {
        return std::make_shared<EmbeddedApplication>(session_);
    }
    if (progId == kDfmProgId) {
        return std::make_shared<EmbeddedDfm>(session_);
    }
    return nullptr;
}

} // namespace lumora::engine
