#include <gtest/gtest.h>

#include "panel/LabColor.h"

namespace {
uint32_t Grey(int v) { return static_cast<uint32_t>(v | (v << 8) | (v << 16)); }
uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r | (g << 8) | (b << 16)); }
}  // namespace

TEST(LabColor, BlackCaptionGivesTheKnownRamp) {
    auto ramp = ComputeBorderRamp(0);
    EXPECT_EQ(ramp[0], Grey(0));
    EXPECT_EQ(ramp[1], Grey(64));
    EXPECT_EQ(ramp[2], Grey(44)) << "from the caption's own L*, not accumulated";
    EXPECT_EQ(ramp[3], Grey(33));
    EXPECT_EQ(ramp[4], Grey(26)) << "linear branch";
    EXPECT_EQ(ramp[5], Grey(24)) << "linear branch";
}

TEST(LabColor, WhiteRoundTripsAndSaturates) {
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
