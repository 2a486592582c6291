// libFuzzer target: the bytes steer a generator of KiCad boards that read, large ones among them
// (thousands of footprints and pads, lists nested to the readers' bound and past it, names of
// thousands of bytes), which fuzz_kicad_board's mutations of small files do not reach. A board is
// refused with a message or read, saved in the native format and read back unchanged; a board that
// reads also gets its DFx outlines, the step that unites each part's pads.

#include "engine/io/DesignFile.h"
#include "engine/io/kicad/KicadBoard.h"
#include "engine/ops/DfxOutlines.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Enough for shape- and size-dependent faults, within the fuzzer's time per input.
constexpr int kMostFootprints = 3000;
constexpr int kMostPadsInAll = 20000;
constexpr std::size_t kMostNameBytes = 4000;
constexpr int kMostNesting = 300; // past the readers' 256, to reach the refusal too

const char* const kPadShapes[] = {"rect", "circle", "oval", "roundrect", "trapezoid"};
const char* const kPadKinds[] = {"smd", "thru_hole", "np_thru_hole", "connect"};

class BoardWriter {
  public:
    explicit BoardWriter(FuzzedDataProvider& input) : in_(input) {}

    std::string board() {
        text_ =
            "(kicad_pcb (version 20221018) (generator fuzz)\n  (general (thickness 1.6))\n  (layers (0 "
            "\"F.Cu\" signal) (1 \"In1.Cu\" signal) (31 \"B.Cu\" signal) (36 \"B.SilkS\" user) (37 "
            "\"F.SilkS\" "
            "user) (38 \"B.Mask\" user) (39 \"F.Mask\" user) (44 \"Edge.Cuts\" user) (48 \"B.Fab\" user) (49 "
            "\"F.Fab\" user))\n";
        const int nets = in_.ConsumeIntegralInRange(0, 50);
        text_ += "  (net 0 \"\")\n";
        for (int net = 1; net <= nets; ++net) {
            text_ += "  (net " + std::to_string(net) + " " + quoted(name()) + ")\n";
        }
        nets_ = nets;
        const int footprints = in_.ConsumeIntegralInRange(0, kMostFootprints);
        for (int i = 0; i < footprints && in_.remaining_bytes() > 0; ++i) {
            footprint();
        }
        text_ += "  (gr_rect (start 0 0) (end " + number(1, 500) + " " + number(1, 500) +
                 ") (layer \"Edge.Cuts\") (width 0.1))\n)\n";
        return std::move(text_);
    }

  private:
    std::string number(double low, double high) {
        return std::to_string(in_.ConsumeFloatingPointInRange(low, high));
    }

    // Printable text and some UTF-8, long at times.
    std::string name() {
        const std::size_t length = in_.ConsumeBool()
                                       ? in_.ConsumeIntegralInRange<std::size_t>(0, kMostNameBytes)
                                       : in_.ConsumeIntegralInRange<std::size_t>(0, 12);
        std::string text;
        for (std::size_t i = 0; i < length && in_.remaining_bytes() > 0; ++i) {
            const auto c = in_.ConsumeIntegralInRange<unsigned char>(0x20, 0x80);
            text += c == 0x80 ? std::string("\xC3\x96") : std::string(1, static_cast<char>(c));
        }
        return text;
    }

    static std::string quoted(const std::string& text) {
        std::string out = "\"";
        for (char c : text) {
            if (c == '"' || c == '\\') {
                out += '\\';
            }
            out += c;
        }
        return out + "\"";
    }

    std::string netOf() {
        const int net = nets_ == 0 ? 0 : in_.ConsumeIntegralInRange(0, nets_);
        return net == 0 ? "" : " (net " + std::to_string(net) + ")";
    }

    // An unknown member nested depth levels: read past, or refused past the readers' bound.
    std::string nested() {
        const int depth = in_.ConsumeBool() ? in_.ConsumeIntegralInRange(0, kMostNesting) : 0;
        std::string list;
        for (int level = 0; level < depth; ++level) {
            list += "(x ";
        }
        return list + std::string(static_cast<std::size_t>(depth), ')');
    }

    void footprint() {
        const bool bottom = in_.ConsumeBool();
        text_ += "  (footprint " + quoted("Lib:" + name()) + " (layer \"" + (bottom ? "B" : "F") +
                 ".Cu\") (at " + number(-200, 200) + " " + number(-200, 200) + " " + number(-360, 360) +
                 ")\n    (property " + "\"Reference\" " + quoted(name()) + ") " + nested() +
                 "\n    (fp_rect (start -1 -1) (end " + number(0, 20) + " " + number(0, 20) +
                 ") (layer \"F.Fab\") (width 0.1))\n";
        const int pads = in_.ConsumeIntegralInRange(0, std::min(1000, kMostPadsInAll - pads_));
        for (int pad = 0; pad < pads && in_.remaining_bytes() > 0; ++pad) {
            padOf(pad);
        }
        text_ += "  )\n";
    }

    void padOf(int index) {
        ++pads_;
        const char* kind = in_.PickValueInArray(kPadKinds);
        const char* shape = in_.PickValueInArray(kPadShapes);
        const bool drilled = std::string_view(kind).find("thru_hole") != std::string_view::npos;
        text_ +=
            "    (pad " + quoted(std::to_string(index + 1)) + " " + kind + " " + shape + " (at " +
            number(-50, 50) + " " + number(-50, 50) + " " + number(0, 360) + ") (size " + number(0, 5) + " " +
            number(0, 5) + ")" + (drilled ? " (drill " + number(0, 1) + ")" : "") +
            (std::string_view(shape) == "roundrect" ? " (roundrect_rratio " + number(0, 0.5) + ")" : "") +
            (drilled ? " (layers \"*.Cu\" \"*.Mask\")" : " (layers \"F.Cu\" \"F.Mask\")") + netOf() + ")\n";
    }

    FuzzedDataProvider& in_;
    std::string text_;
    int nets_ = 0;
    int pads_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace lumora::engine;
    FuzzedDataProvider input(data, size);
    kicad::BoardImport board;
    try {
        board = kicad::readKicadBoard(BoardWriter(input).board(), "generated.kicad_pcb");
    } catch (const DesignFormatError&) {
        return 0; // a refused board is an answer; only crashes are faults here
    }
    if (!(parseDesign(serializeDesign(board.design)) == board.design)) {
        __builtin_trap(); // the native format must hold whatever the reader built
    }
    generateDfxOutlines(board.design);
    return 0;
}
