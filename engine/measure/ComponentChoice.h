#pragma once

#include "engine/measure/PlacedInserts.h"

namespace lumora::engine {

// Which component inserts a check looks at: by the side they are mounted on and by their kind. A
// thru-hole component has at least one drilled pin, a surface-mount one has pins and none drilled;
// choosing both kinds chooses every component, pinless ones too.
struct ComponentChoice {
    bool top = false;
    bool bottom = false;
    bool thruHole = true;
    bool surfaceMount = true;

    bool chooses(const Design& design, const PlacedInsert& placed) const;
};

} // namespace lumora::engine
