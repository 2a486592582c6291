// libFuzzer target: any bytes as an IPC-2581 file. A file that reads must also survive being written
// in the native format and read back, as `--save-design` does with it.

#include "engine/io/DesignFile.h"
#include "engine/io/ipc2581/Ipc2581File.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace lumora::engine;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Design design;
    try {
        design = ipc2581::readIpc2581(in, "fuzz.xml").design;
    } catch (const DesignFormatError&) {
        return 0; // a refused file is an answer; only crashes are faults here
    }
    if (!(parseDesign(serializeDesign(design)) == design)) {
        __builtin_trap(); // the native format must hold whatever the reader built
    }
    return 0;
}
