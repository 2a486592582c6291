// libFuzzer target: any bytes as a KiCad board file. A board that reads must also survive being
// written in the native format and read back, as `--save-design` does with it.

#include "engine/io/DesignFile.h"
#include "engine/io/kicad/KicadBoard.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace lumora::engine;
    kicad::BoardImport board;
    try {
        board =
            kicad::readKicadBoard(std::string(reinterpret_cast<const char*>(data), size), "fuzz.kicad_pcb");
    } catch (const DesignFormatError&) {
        return 0; // a refused board is an answer; only crashes are faults here
    }
    if (!(parseDesign(serializeDesign(board.design)) == board.design)) {
        __builtin_trap(); // the native format must hold whatever the reader built
    }
    return 0;
}
