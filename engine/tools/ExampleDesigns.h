#pragma once

#include "engine/model/Design.h"

#include <string>
#include <vector>

namespace lumora::engine {

struct ExampleDesign {
    std::string fileName; // below examples/designs/
    Design design;
};

// The bundled example designs: a two-up panel of the controller board, and that board alone, with a
// fault seeded for every severity of every test of examples/scripts/all-tests.dfm
// (examples/designs/SEEDED.md). examples/designs/ holds what this writes
// (engine/tools/make_example_designs.cpp).
std::vector<ExampleDesign> exampleDesigns();

} // namespace lumora::engine
