// Writes a synthetic design of any size for scale tests:
//   korven-synthetic-design --items N --seed S --out FILE [--flaw-every K]

#include "engine/io/DesignFile.h"
#include "engine/tools/SyntheticDesign.h"

#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv) {
    lumora::engine::SyntheticOptions options;
    std::string out;
    CLI::App app("Writes a synthetic KORVEN design of any size, the same for the same options.");
    app.add_option("--items", options.components, "components on the board, at least 1")->required();
    app.add_option("--seed", options.seed, "seed of the draws")->capture_default_str();
    app.add_option("--flaw-every", options.flawEvery, "every K-th cell gets a flaw; 0 for none")
        ->capture_default_str();
    app.add_option("--out", out, "design file to write")->required();
    CLI11_PARSE(app, argc, argv);
    try {
        lumora::engine::saveDesign(lumora::engine::makeSyntheticDesign(options), out);
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
