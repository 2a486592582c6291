#pragma once

// The stand-in for the system's class registry: automation objects are created by ProgID through
// the providers registered here, and KORVEN finds the runner's callback class here. Nothing
// registers itself: whoever starts the program (or a test) registers the providers and classes.

#include "korvenapi/KorvenAutomation.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

inline constexpr std::string_view kApplicationProgId = "KORVEN.Application";
inline constexpr std::string_view kDfmProgId = "KORVEN.DFM";
inline constexpr std::string_view kResponseProgId = "Quillmark.Response";

// A server offering automation classes; the KORVEN engine and the test doubles implement it.
class AutomationProvider {
  public:
    virtual ~AutomationProvider() = default;
    // A new object of the class registered under progId, or nullptr when this provider has none.
    // May throw AutomationError when the server cannot be reached.
    virtual std::shared_ptr<AutomationObject> createObject(std::string_view progId) = 0;
    // True while the server's main window (title beginning with "KORVEN ") exists.
    virtual bool isRunning() const = 0;
};

using ResponseFactory = std::function<std::shared_ptr<ResponseCallback>()>;

class AutomationRegistry {
  public:
    // A registered provider must be unregistered before it is destroyed.
    void registerProvider(AutomationProvider& provider);
    void unregisterProvider(const AutomationProvider& provider);

    // Asks the providers in registration order; nullptr when none serves progId.
    std::shared_ptr<AutomationObject> createObject(std::string_view progId) const;
    template <class T> std::shared_ptr<T> create(std::string_view progId) const {
        return std::dynamic_pointer_cast<T>(createObject(progId));
    }

    // Stands in for finding KORVEN's main window: true when any provider is running.
    bool isKorvenRunning() const;

    // Registers (or replaces) the class that TurnOnResponse(progId) reaches.
    void registerResponseClass(std::string progId, ResponseFactory factory);
    void unregisterResponseClass(std::string_view progId);
    // A new instance of the class registered under progId, or nullptr when there is none.
    std::shared_ptr<ResponseCallback> createResponse(std::string_view progId) const;

  private:
    std::vector<AutomationProvider*> providers_;
    std::map<std::string, ResponseFactory, std::less<>> responseClasses_;
};

// The process-wide registry.
AutomationRegistry& automationRegistry();

// Keeps a provider registered for the object's life.
class ProviderRegistration {
  public:
    ProviderRegistration(AutomationRegistry& registry, AutomationProvider& provider)
        : registry_(registry), provider_(provider) {
        registry_.registerProvider(provider_);
    }
    ~ProviderRegistration() { registry_.unregisterProvider(provider_); }
    ProviderRegistration(const ProviderRegistration&) = delete;
    ProviderRegistration& operator=(const ProviderRegistration&) = delete;

  private:
    AutomationRegistry& registry_;
    AutomationProvider& provider_;
};

} // namespace lumora
