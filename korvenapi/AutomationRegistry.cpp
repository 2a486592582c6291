#include "korvenapi/AutomationRegistry.h"

#include <algorithm>

namespace lumora {

void AutomationRegistry::registerProvider(AutomationProvider& provider) {
    if (std::ranges::find(providers_, &provider) == providers_.end()) {
        providers_.push_back(&provider);
    }
}

void AutomationRegistry::unregisterProvider(const AutomationProvider& provider) {
    std::erase(providers_, &provider);
}

std::shared_ptr<AutomationObject> AutomationRegistry::createObject(std::string_view progId) const {
    for (AutomationProvider* provider : providers_) {
        if (auto object = provider->createObject(progId)) {
            return object;
        }
    }
    return nullptr;
}

bool AutomationRegistry::isKorvenRunning() const {
    return std::ranges::any_of(providers_, [](const AutomationProvider* p) { return p->isRunning(); });
}

void AutomationRegistry::registerResponseClass(std::string progId, ResponseFactory factory) {
    responseClasses_.insert_or_assign(std::move(progId), std::move(factory));
}

void AutomationRegistry::unregisterResponseClass(std::string_view progId) {
    if (auto found = responseClasses_.find(progId); found != responseClasses_.end()) {
        responseClasses_.erase(found);
    }
}

std::shared_ptr<ResponseCallback> AutomationRegistry::createResponse(std::string_view progId) const {
    auto found = responseClasses_.find(progId);
    return found != responseClasses_.end() && found->second ? found->second() : nullptr;
}

AutomationRegistry& automationRegistry() {
    static AutomationRegistry registry;
    return registry;
}

} // namespace lumora
