#include <gtest/gtest.h>

#include "panel/LabColor.h"

namespace {
uint32_t Grey(int v) { return static_cast<uint32_t>(v | (v << 8) | (v << 16)); }
uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r | (g << 8) | (b << 16)); }
}  // namespace

TEST(LabColor, BlackAndWhiteCaptionsGiveTheKnownRamps) {
    auto ramp = ComputeBorderRamp(0);
    EXPECT_EQ(ramp[0], Grey(0));
    EXPECT_EQ(ramp[1], Grey(64));
    EXPECT_EQ(ramp[2], Grey(44)) << "from the caption's own L*, not accumulated";
    EXPECT_EQ(ramp[3], Grey(33));
    EXPECT_EQ(ramp[4], Grey(26)) << "linear branch";
    EXPECT_EQ(ramp[5], Grey(24)) << "linear branch";
    // White comes back as itself, and its ramp saturates.
    Lab white = RgbToLab(Grey(255));
    EXPECT_NEAR(white.L, 100.0f, 0.01f);
    EXPECT_NEAR(white.a, 0.0f, 0.01f);
    EXPECT_NEAR(white.b, 0.0f, 0.01f);
    EXPECT_EQ(LabToRgb(white.L, white.a, white.b), Grey(255));
    for (uint32_t c : ComputeBorderRamp(Grey(255))) EXPECT_EQ(c, Grey(255));
}

TEST(LabColor, CaptionColoursComeBackThroughLab) {
    for (uint32_t c : {Rgb(0, 84, 227), Rgb(10, 36, 106), Rgb(128, 128, 128), Rgb(200, 30, 60)}) {
        Lab l = RgbToLab(c);
        uint32_t back = LabToRgb(l.L, l.a, l.b);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(static_cast<int>((back >> (8 * i)) & 0xFF), static_cast<int>((c >> (8 * i)) & 0xFF), 1)
                << std::hex << c;
        auto ramp = ComputeBorderRamp(c);
        EXPECT_GT(RgbToLab(ramp[1]).L, RgbToLab(ramp[2]).L) << "+26 is lighter than +16";
        EXPECT_GT(RgbToLab(ramp[5]).L, RgbToLab(ramp[0]).L);
    }
}

TEST(LabColor, SnapAndMatrixHelpers) {
    EXPECT_EQ(Snap(0.0000009), 0.0f);
    EXPECT_FLOAT_EQ(Snap(0.12345678), 0.1234568f);
    Mat3 m = {{{2, 0, 1}, {1, 3, 0}, {0, 1, 4}}};
    Mat3 inv = Inverse(m);
    Vec3 v = Multiply(m, Multiply(inv, {1, 2, 3}));
    EXPECT_NEAR(v[0], 1, 1e-5);
    EXPECT_NEAR(v[1], 2, 1e-5);
    EXPECT_NEAR(v[2], 3, 1e-5);
    EXPECT_FLOAT_EQ(Determinant(m), 25);
}

// Values computed apart from this code (in double precision) from the colour space's figures: primaries
// (0.64, 0.33), (0.29, 0.60), (0.15, 0.06), white (0.3127, 0.3290), gamma 2.2, and the CIE
// formulas with 903.3, 7.787 and 0.008856. Dark colours take the linear branches.
TEST(LabColor, LabOfColoursFromTheSpecsFigures) {
    // The way back picks its branch by L* alone, so it returns a colour only where X, Y and Z all
    // lie on the same side of 0.008856 (not so for the fourth).
    struct Row {
        uint32_t colour;
        float L, a, b;
        bool back;
    } rows[] = {
        {Rgb(20, 0, 0), 0.7414f, 3.3252f, 1.1716f, true},
        {Rgb(0, 0, 30), 0.5814f, 4.0853f, -11.1160f, true},
        {Grey(20), 3.3397f, 0.0f, 0.0f, true},
        {Rgb(60, 10, 0), 8.7993f, 26.6826f, 13.8258f, false},
        {Rgb(0, 84, 227), 40.6776f, 36.1752f, -77.9906f, true},
    };
    for (const Row& r : rows) {
        Lab l = RgbToLab(r.colour);
        EXPECT_NEAR(l.L, r.L, 0.002f) << std::hex << r.colour;
        EXPECT_NEAR(l.a, r.a, 0.004f) << std::hex << r.colour;
        EXPECT_NEAR(l.b, r.b, 0.004f) << std::hex << r.colour;
        if (r.back) {
            EXPECT_EQ(LabToRgb(r.L, r.a, r.b), r.colour) << std::hex << r.colour;
        }
    }
}
