// RGB <-> CIE L*a*b* for the border ramp: lighter variants of the caption colour; pure.
#pragma once
#include <array>
#include <cstdint>

using Vec3 = std::array<float, 3>;
using Mat3 = std::array<std::array<float, 3>, 3>;  // row-major

// Every product and power result is snapped: |v| < 1e-6 becomes 0, otherwise v is rounded to
// seven decimals (halves to even) and kept as a single.
float Snap(double v);
Vec3 Snap(const Vec3& v);
Vec3 Chromaticity(float x, float y);            // (x, y, 1 - x - y)
Vec3 PowerComponents(const Vec3& v, float g);  // each component to 1/g, snapped; negatives give 0
Mat3 FromColumns(const Vec3& a, const Vec3& b, const Vec3& c);
Vec3 Multiply(const Mat3& m, const Vec3& v);   // snapped
Mat3 ScaleColumns(const Mat3& m, const Vec3& s);
float Determinant(const Mat3& m);
Mat3 Inverse(const Mat3& m);

class TCCLRGBColorSpace {
public:
    TCCLRGBColorSpace();
    static const TCCLRGBColorSpace& Instance();
    float Gamma() const { return 2.2f; }
    const Mat3& ToXyz() const { return m_; }
    const Mat3& FromXyz() const { return inverse_; }

private:
    Mat3 m_{}, inverse_{};
};

class TCCLLabColorSpace {
public:
    TCCLLabColorSpace();
    static const TCCLLabColorSpace& Instance();
    float Xn() const { return xn_; }
    float Zn() const { return zn_; }

private:
    float xn_, zn_;
};

struct Lab {
    float L, a, b;
};

// colorRef: 0x00BBGGRR, red in the low byte.
Lab RgbToLab(uint32_t colorRef);
uint32_t LabToRgb(float L, float a, float b);

// The six colours of the left border: the caption colour through Lab and back, then with
// L* raised by 26, 16, 10, 6 and 5, each from the caption's own L*.
std::array<uint32_t, 6> ComputeBorderRamp(uint32_t captionColorRef);
