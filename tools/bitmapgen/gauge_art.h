#pragma once
// The pictures of the gauges: how each gauge bitmap is drawn, in the two colours of the
// display (the light green-grey ground and black ink).
#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "image_encoders.h"

constexpr std::uint8_t kGround = 0;
constexpr std::uint8_t kInk = 1;

// Palette of every generated bitmap: index 0 the ground, index 1 black.
std::vector<Rgb> gaugePalette();

enum class ArtStyle { Radial, HorizontalBar, VerticalBar, Text, RevMeter, Indicator };

// What is drawn on one gauge bitmap. The fields a style does not use stay empty.
struct GaugeArt {
    std::uint32_t bitmapId;
    ArtStyle style;
    const char* fileStem;  // file name after the id, says what the picture shows
    const char* label;     // the gauge's short name as drawn on it
    const char* detail;    // radial: second line; bar: range; text: sample digits
    const char* low;       // vertical bar: bottom of the scale
    const char* high;      // vertical bar: top of the scale
    double scaleMax;       // radial and rev meter: top of the scale in the numbers drawn
    double majorStep;      // radial: tick step
    double numberStep;     // radial: step of the numbers
};

// The drawing of every gauge bitmap the catalog names, by bitmap id.
const std::vector<GaugeArt>& gaugeArtTable();
const GaugeArt* findGaugeArt(std::uint32_t bitmapId);

// Draws the gauge at the size the catalog gives for its bitmap; throws std::invalid_argument
// when the size does not suit the style or a text does not fit.
Canvas drawGauge(const GaugeArt& art, int width, int height);
