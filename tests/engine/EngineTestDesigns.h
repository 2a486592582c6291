#pragma once

#include "engine/io/DesignFile.h"
#include "engine/model/Design.h"
#include "engine/model/GeometryItems.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumora::engine::test {

// A small board by hand: R1 on top, R2 mirrored and turned by 90 degrees, a thru-hole connector J1,
// two vias (one a testpoint), a fiducial, a tooling hole, etch with and without a net, and the
// outline. Numbers were chosen so that every transformed coordinate is a whole number.
inline constexpr const char* kTinyBoard = R"({
  "format": "korven-design", "version": 1, "name": "tiny", "units": "Mils",
  "layers": [
    {"number": 1, "name": "TOP", "type": "signal", "electrical": 1, "physical": 1, "artwork": 1},
    {"number": 2, "name": "BOTTOM", "type": "signal", "electrical": 2, "physical": 2, "artwork": 2},
    {"number": 3, "name": "PAD_TOP", "type": "pad-top", "mirror": "PAD_BOTTOM"},
    {"number": 4, "name": "PAD_BOTTOM", "type": "pad-bottom"},
    {"number": 5, "name": "DRILL", "type": "drill"},
    {"number": 6, "name": "SMT", "type": "soldermask-top", "mirror": "SMB"},
    {"number": 7, "name": "SMB", "type": "soldermask-bottom"},
    {"number": 8, "name": "BODY_TOP", "type": "body-top", "mirror": "BODY_BOTTOM"},
    {"number": 9, "name": "BODY_BOTTOM", "type": "body-bottom"},
    {"number": 10, "name": "OUTLINE", "type": "board-outline"},
    {"number": 11, "name": "SST", "type": "silkscreen-top", "mirror": "SSB"},
    {"number": 12, "name": "SSB", "type": "silkscreen-bottom"}
  ],
  "geometries": [
    {"number": 1, "name": "SMD", "type": "padstack", "data": [
      {"pad": "rectangle", "size": [20, 40], "layer": "PAD_TOP"},
      {"pad": "rectangle", "size": [30, 50], "layer": "SMT"}]},
    {"number": 2, "name": "TH", "type": "padstack", "hole": {"size": 30}, "data": [
      {"pad": "round", "size": 60, "layer": "PAD_TOP"},
      {"pad": "round", "size": 60, "layer": "PAD_BOTTOM"},
      {"circle": [0, 0], "radius": 15, "layer": "DRILL"}]},
    {"number": 3, "name": "CHIP", "type": "component", "data": [
      {"insert": "pin", "geometry": "SMD", "at": [-50, 0], "ref": "1"},
      {"insert": "pin", "geometry": "SMD", "at": [50, 0], "ref": "2"},
      {"polygon": [[-80, -30], [80, -30], [80, 30], [-80, 30]], "layer": "BODY_TOP"},
      {"line": [[-80, 40], [80, 40]], "width": 5, "layer": "SST"}]},
    {"number": 4, "name": "CONN", "type": "component", "data": [
      {"insert": "pin", "geometry": "TH", "at": [0, 0], "ref": "1"},
      {"insert": "pin", "geometry": "TH", "at": [100, 0], "ref": "2"}]},
    {"number": 5, "name": "FID", "type": "padstack", "data": [
      {"pad": "round", "size": 40, "layer": "PAD_TOP"}]},
    {"number": 6, "name": "TOOL", "type": "padstack", "hole": {"size": 125, "plated": false}, "data": [
      {"circle": [0, 0], "radius": 62.5, "layer": "DRILL"}]},
    {"number": 10, "name": "BOARD", "type": "board", "thickness": 62, "data": [
      {"insert": "component", "geometry": "CHIP", "at": [1000, 500], "ref": "R1",
       "pinNets": {"1": "VCC", "2": "GND"}, "attributes": {"PACKAGE_FAMILY": "R0603", "COMPHEIGHT": "20"}},
      {"insert": "component", "geometry": "CHIP", "at": [2000, 500], "rotation": 90, "mirror": true, "ref": "R2",
       "pinNets": {"1": "SIG", "2": "GND"}, "attributes": {"PACKAGE_FAMILY": "R0603", "COMPHEIGHT": "80"}},
      {"insert": "component", "geometry": "CONN", "at": [500, 1000], "ref": "J1",
       "pinNets": {"1": "SIG"}, "attributes": {"PACKAGE_FAMILY": "HDR", "COMPHEIGHT": "300"}},
      {"insert": "via", "geometry": "TH", "at": [1500, 800], "net": "GND"},
      {"insert": "via", "geometry": "TH", "at": [1600, 800], "net": "SIG", "attributes": {"TEST": ""}},
      {"insert": "fiducial", "geometry": "FID", "at": [100, 100], "ref": "FID1"},
      {"insert": "tooling-hole", "geometry": "TOOL", "at": [2900, 1900], "ref": "T1"},
      {"line": [[1000, 700], [1500, 700]], "width": 10, "layer": "TOP", "class": "etch", "net": "GND"},
      {"line": [[100, 1500], [300, 1500]], "width": 10, "layer": "TOP", "class": "etch"},
      {"line": [[1000, 300], [1800, 300]], "width": 10, "layer": "BOTTOM", "class": "etch", "net": "SIG"},
      {"polygon": [[0, 0], [3000, 0], [3000, 2000], [0, 2000]], "layer": "OUTLINE", "class": "board-outline"}]}
  ],
  "files": [{"number": 1, "name": "tiny.cc", "geometry": "BOARD"}]
})";

inline Design tinyBoard() {
    return parseDesign(kTinyBoard);
}

// The graphics of a geometry, in order, whether it owns or shares them.
inline std::vector<Graphic> graphicsOf(const Design& design, int16_t geomNum) {
    std::vector<Graphic> result;
    forEachItem(design.geometry(geomNum), [&](const DataItem& item) {
        if (const auto* graphic = std::get_if<Graphic>(&item)) {
            result.push_back(*graphic);
        }
    });
    return result;
}

// "component/pin" of every item of a geometry, the quickest way to say which items it holds.
inline std::vector<std::string> originsOf(const Design& design, int16_t geomNum) {
    std::vector<std::string> result;
    for (const Graphic& graphic : graphicsOf(design, geomNum)) {
        const FlatOrigin& origin = graphic.origin.value();
        result.push_back(origin.component.str() + (origin.pin.empty() ? "" : "/" + origin.pin.str()));
    }
    return result;
}

inline int16_t layerNamed(const Design& design, const std::string& name) {
    const Layer* layer = design.findLayer(name);
    EXPECT_NE(layer, nullptr) << name;
    return layer ? layer->number : int16_t{-100};
}

} // namespace lumora::engine::test
