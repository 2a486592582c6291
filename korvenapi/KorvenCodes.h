#pragma once

// Every number KORVEN exchanges with its automation clients, named once for both sides: the
// runner (korven/, testlogic/) and the engine. docs/korven-codes.md says what each one means.

#include <cstdint>
#include <string_view>

namespace lumora {

namespace rc {
inline constexpr int16_t Ok = 0;
inline constexpr int16_t TooManyErrors = 1;
inline constexpr int16_t GeneralError = -1;
inline constexpr int16_t NoActiveDocument = -2;
inline constexpr int16_t ItemNotFound = -3;
inline constexpr int16_t IllegalPosition = -4;
inline constexpr int16_t NoAttributes = -5;
inline constexpr int16_t WrongType = -6;
inline constexpr int16_t NothingSelected = -7;
inline constexpr int16_t IndexOutOfRange = -8;
inline constexpr int16_t EmptyArray = -9;
inline constexpr int16_t Uninitialized = -11;
inline constexpr int16_t NotAllowed = -12;
inline constexpr int16_t ValueOutOfRange = -13;
inline constexpr int16_t HoleInArray = -14;
inline constexpr int16_t DfmTestFailed = -15;
inline constexpr int16_t MissingDll = -16;
} // namespace rc

// The runner's one failure code, which KORVEN never returns: a wrapper without KORVEN or whose call
// itself failed, a test that failed or had invalid parameters, a run that could not start.
namespace runnercode {
inline constexpr int16_t Failed = -999;
} // namespace runnercode

namespace insert_type {
inline constexpr int16_t Any = -1; // as an argument only
inline constexpr int16_t Unclassified = 0;
inline constexpr int16_t Via = 1;
inline constexpr int16_t Pin = 2;
inline constexpr int16_t Component = 3;
inline constexpr int16_t Board = 6;
inline constexpr int16_t Fiducial = 7;
inline constexpr int16_t ToolingHole = 8;
inline constexpr int16_t Testpoint = 9;
inline constexpr int16_t FreePad = 10;
inline constexpr int16_t RealPartTop = 35;
inline constexpr int16_t RealPartBottom = 37;
} // namespace insert_type

namespace block_type {
inline constexpr int16_t Board = 1;
inline constexpr int16_t Component = 2;
inline constexpr int16_t Padstack = 3;
inline constexpr int16_t Package = 4;
inline constexpr int16_t Symbol = 5;
inline constexpr int16_t Flatten = 6;
inline constexpr int16_t Panel = 8;
} // namespace block_type

namespace layer_type {
inline constexpr int16_t DfxOutline = 0;
inline constexpr int16_t PadTop = 1;
inline constexpr int16_t PadBottom = 2;
inline constexpr int16_t PadInner = 3;
inline constexpr int16_t PadAll = 4;
inline constexpr int16_t SignalTop = 6;
inline constexpr int16_t SignalBottom = 7;
inline constexpr int16_t SignalInner = 8;
inline constexpr int16_t SignalAll = 9;
inline constexpr int16_t Signal = 10;
inline constexpr int16_t Plane = 11;
inline constexpr int16_t SplitPlane = 12;
inline constexpr int16_t SoldermaskTop = 13;
inline constexpr int16_t SoldermaskBottom = 14;
inline constexpr int16_t PasteTop = 15;
inline constexpr int16_t PasteBottom = 16;
inline constexpr int16_t PlaneClearance = 17;
inline constexpr int16_t PlaneThermal = 18;
inline constexpr int16_t RouteKeepout = 19;
inline constexpr int16_t SilkscreenTop = 20;
inline constexpr int16_t SilkscreenBottom = 21;
inline constexpr int16_t BodyTop = 22;
inline constexpr int16_t BodyBottom = 23;
inline constexpr int16_t BoardOutline = 24;
inline constexpr int16_t PanelOutline = 25;
inline constexpr int16_t PlacementKeepoutTop = 26;
inline constexpr int16_t PlacementKeepoutBottom = 27;
inline constexpr int16_t Documentation = 28;
inline constexpr int16_t Drill = 29;
inline constexpr int16_t DrillUnplated = 30;
inline constexpr int16_t PackageBodyTop = 31;
inline constexpr int16_t PackageBodyBottom = 32;
inline constexpr int16_t EtchBlocker = 33;
} // namespace layer_type

// A layer argument that means every layer.
inline constexpr int16_t kAllLayers = -1;

namespace graphic_class {
inline constexpr int16_t Normal = 0;
inline constexpr int16_t Etch = 6;
inline constexpr int16_t Keepout = 10;
inline constexpr int16_t BoardOutline = 16;
inline constexpr int16_t BoardCutout = 17;
inline constexpr int16_t PanelOutline = 18;
inline constexpr int16_t PanelRail = 20;
} // namespace graphic_class

namespace pad_shape {
inline constexpr int16_t Round = 1;
inline constexpr int16_t Square = 2;
inline constexpr int16_t Rectangle = 3;
inline constexpr int16_t Target = 4;
inline constexpr int16_t Thermal = 5;
inline constexpr int16_t Complex = 6;
inline constexpr int16_t Donut = 7;
inline constexpr int16_t Octagon = 8;
inline constexpr int16_t Oblong = 9;
inline constexpr int16_t Blank = 10;
} // namespace pad_shape

namespace surface {
inline constexpr int16_t Top = 1;
inline constexpr int16_t Bottom = 2;
inline constexpr int16_t Both = 3;
} // namespace surface

namespace comparison {
inline constexpr int32_t Equal = 0;
inline constexpr int32_t Greater = 1;
inline constexpr int32_t GreaterOrEqual = 2;
inline constexpr int32_t Less = -1;
inline constexpr int32_t LessOrEqual = -2;
inline constexpr int32_t HasKeyword = 5;
inline constexpr int32_t LacksKeyword = 6;
} // namespace comparison

namespace keyword_type {
inline constexpr int16_t Flag = 0;
inline constexpr int16_t Text = 1;
inline constexpr int16_t Integer = 2;
inline constexpr int16_t Double = 3;
inline constexpr int16_t UnitDouble = 4;
} // namespace keyword_type

namespace page_units {
inline constexpr int16_t Inches = 0;
inline constexpr int16_t Mils = 1;
inline constexpr int16_t Millimetres = 2;
inline constexpr int16_t HpPlotter = 3;
inline constexpr int16_t TenNanometres = 4;
} // namespace page_units

namespace command {
inline constexpr int32_t PinPitchData = 601;
inline constexpr int32_t SmdData = 33201;
inline constexpr int32_t FitPage = 33309;
} // namespace command

// How DistanceCheck2 measures.
namespace distance_algorithm {
inline constexpr int16_t EdgeToEdge = 0;
} // namespace distance_algorithm

// What dfmCreateDFxOutline builds.
namespace dfx_algorithm {
inline constexpr int16_t All = 0;
inline constexpr int16_t CompBody = 1;
inline constexpr int16_t PinExtents = 2;
inline constexpr int16_t PinBodyExtents = 3;
inline constexpr int16_t ToolingKeepout = 4;
} // namespace dfx_algorithm

// GetFile2 reports every file as design data.
inline constexpr int16_t kFileTypeDesign = 1;

// Attribute keywords KORVEN itself reads or writes.
namespace keyword {
inline constexpr std::string_view DfxOutlineType = "DFX_OUTLINE_TYPE";
inline constexpr std::string_view Smd = "SMD";
inline constexpr std::string_view PinPitch = "PIN_PITCH";
inline constexpr std::string_view NetName = "NETNAME";
inline constexpr std::string_view Test = "TEST";
// A polygon drawn to within this length of the shape it stands for (a KiCad zone fill), in page
// units: distances to it allow that length.
inline constexpr std::string_view MaxError = "MAX_ERROR";
// The identity the design's source gives an item that has no name of its own (a KiCad via's, track's
// or zone's uuid): findings name the item by it, so that its waiver key survives unrelated edits.
inline constexpr std::string_view SourceId = "SOURCE_ID";
} // namespace keyword

// Layers that hold the bodies of real-part packages (insert types 35 and 37).
namespace layer_name {
inline constexpr std::string_view PackageBodyTop = "Package Body Top";
inline constexpr std::string_view PackageBodyBottom = "Package Body Bottom";
} // namespace layer_name

} // namespace lumora
