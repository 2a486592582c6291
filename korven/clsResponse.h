#pragma once

#include "korvenapi/AutomationRegistry.h"
#include "korvenapi/KorvenAutomation.h"

#include <string>

namespace lumora {

// The runner's automation class "Quillmark.Response": KORVEN announces each DRC marker it places,
// and the running script window counts it.
class clsResponse : public ResponseCallback {
  public:
    // "DRC Added" passes "Marginal" or "Critical" to the running window; other events are ignored.
    void Response(const std::string& keyWord, const std::string& Value) override;
};

// Makes the class reachable for TurnOnResponse("Quillmark.Response").
void registerResponseClass(AutomationRegistry& registry);

} // namespace lumora
