#pragma once

#include <array>
#include <cstdint>

namespace lumora {

// Unit codes of scripts and of the KORVEN page.
namespace units {
constexpr int32_t Inches = 0;
constexpr int32_t Mils = 1;
constexpr int32_t Millimetres = 2;
constexpr int32_t PlotterUnits = 3; // 1016 per inch
constexpr int32_t TenNanometres = 4;
constexpr int32_t TableSize = 6; // one spare code whose factors are all 0
} // namespace units

// kUnitFactors[test unit][page unit] multiplies a value in test units into page units.
using UnitFactorTable = std::array<std::array<double, units::TableSize>, units::TableSize>;

inline constexpr UnitFactorTable kUnitFactors = {{
    {1, 1000, 25.4, 1016, 2540000, 0},
    {0.001, 1, 0.0254, 1.016, 2540, 0},
    {1 / 25.4, 1000 / 25.4, 1, 1016 / 25.4, 100000, 0},
    {1.0 / 1016, 1000.0 / 1016, 25.4 / 1016, 1, 2540000.0 / 1016, 0},
    {1.0 / 2540000, 1.0 / 2540, 1.0 / 100000, 1016.0 / 2540000, 1, 0},
    {0, 0, 0, 0, 0, 0},
}};

} // namespace lumora
