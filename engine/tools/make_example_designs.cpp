// Writes the example designs into the folder given as the only argument (examples/designs).

#include "engine/io/DesignFile.h"
#include "engine/tools/ExampleDesigns.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: korven-example-designs <folder>\n";
        return 2;
    }
    try {
        for (const auto& example : lumora::engine::exampleDesigns()) {
            lumora::engine::saveDesign(example.design, std::filesystem::path(argv[1]) / example.fileName);
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
