// The colours of layers and markers.

#include "picture/LayerStyle.h"

#include <gtest/gtest.h>

namespace lumora::picture::test {
namespace {

namespace lt = layer_type;

engine::Layer layer(int16_t type, int16_t color) {
    engine::Layer made;
    made.type = type;
    made.color = color;
    return made;
}

// Catches a layer colour added or changed to a marker's colour: markers would vanish on that
// layer's copper. Every layer type with every colour number, alpha aside.
TEST(LayerStyle, NoLayerTakesAMarkersColour) {
    const QRgb markers[] = {severityColor("Critical").rgb(), severityColor("Marginal").rgb(), kWaived,
                            kHighlight};
    for (int16_t type = lt::DfxOutline; type <= lt::EtchBlocker + 1; ++type) {
        for (int16_t color = 0; color < 16; ++color) {
            const QRgb drawn = layerStyle(layer(type, color)).color.rgb();
            for (const QRgb marker : markers) {
                EXPECT_NE(qRgb(qRed(drawn), qGreen(drawn), qBlue(drawn)),
                          qRgb(qRed(marker), qGreen(marker), qBlue(marker)))
                    << "type " << type << ", colour " << color;
            }
        }
    }
}

// Catches the colour number ignored (every layer in its type's colour) or the outline-only types
// filled when a colour number is given: a soldermask would cover the copper beneath.
TEST(LayerStyle, AColourNumberChoosesTheColourNotTheFilling) {
    EXPECT_EQ(layerStyle(layer(lt::SignalTop, 2)).color.rgb(),
              layerStyle(layer(lt::SignalBottom, 2)).color.rgb());
    EXPECT_NE(layerStyle(layer(lt::SignalTop, 0)).color.rgb(),
              layerStyle(layer(lt::SignalBottom, 0)).color.rgb());
    EXPECT_FALSE(layerStyle(layer(lt::SoldermaskTop, 4)).filled);
    EXPECT_FALSE(layerStyle(layer(lt::BoardOutline, 0)).filled);
    EXPECT_TRUE(layerStyle(layer(lt::SignalTop, 4)).filled);
}

// Catches a severity the table lacks drawn as Critical or Marginal (or invisible on the background).
TEST(LayerStyle, AnUnknownSeverityHasAColourOfItsOwn) {
    const QColor other = severityColor("Warning");
    EXPECT_NE(other, severityColor("Critical"));
    EXPECT_NE(other, severityColor("Marginal"));
    EXPECT_NE(other.rgb(), kBackground);
}

} // namespace
} // namespace lumora::picture::test
