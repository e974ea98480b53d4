#include "panel/LabColor.h"

#include "panel/Geometry.h"

#include <cmath>

namespace {
constexpr float kWhiteX = 0.3127f, kWhiteY = 0.3290f;

float LabF(float t) { return t <= 0.008856f ? 7.787f * t + 16.0f / 116.0f : std::cbrt(t); }
}  // namespace

float Snap(double v) {
    if (std::fabs(v) < 0.000001) return 0.0f;
    return static_cast<float>(RoundHalfEvenReal(v / 1e-7) * 1e-7);
}

Vec3 Snap(const Vec3& v) { return {Snap(v[0]), Snap(v[1]), Snap(v[2])}; }

Vec3 Chromaticity(float x, float y) { return {x, y, 1.0f - x - y}; }

Vec3 PowerComponents(const Vec3& v, float g) {
    if (g == 1.0f) return v;
    Vec3 out;
    for (int i = 0; i < 3; ++i) out[i] = v[i] > 0 ? Snap(std::pow(static_cast<double>(v[i]), 1.0 / g)) : 0.0f;
    return out;
}

Mat3 FromColumns(const Vec3& a, const Vec3& b, const Vec3& c) {
    Mat3 m;
    for (int r = 0; r < 3; ++r) m[r] = {a[r], b[r], c[r]};
    return m;
}

Vec3 Multiply(const Mat3& m, const Vec3& v) {
    Vec3 out;
    for (int r = 0; r < 3; ++r)
        out[r] = Snap(static_cast<double>(m[r][0]) * v[0] + static_cast<double>(m[r][1]) * v[1] +
                      static_cast<double>(m[r][2]) * v[2]);
    return out;
}

Mat3 ScaleColumns(const Mat3& m, const Vec3& s) {
    Mat3 out = m;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) out[r][c] = m[r][c] * s[c];
    return out;
}

float Determinant(const Mat3& m) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

Mat3 Inverse(const Mat3& m) {
    float d = Determinant(m);
    Mat3 out;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            // Cofactor of (c, r): the transpose of the cofactor matrix.
            int r1 = (c + 1) % 3, r2 = (c + 2) % 3, c1 = (r + 1) % 3, c2 = (r + 2) % 3;
            out[r][c] = (m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1]) / d;
        }
    return out;
}

TCCLRGBColorSpace::TCCLRGBColorSpace() {
    Mat3 p = FromColumns(Chromaticity(0.64f, 0.33f), Chromaticity(0.29f, 0.60f), Chromaticity(0.15f, 0.06f));
    Vec3 w = {kWhiteX / kWhiteY, 1.0f, (1.0f - kWhiteX - kWhiteY) / kWhiteY};
    Vec3 s = Multiply(Inverse(p), w);
    m_ = ScaleColumns(p, s);
    inverse_ = Inverse(m_);
}

const TCCLRGBColorSpace& TCCLRGBColorSpace::Instance() {
    static const TCCLRGBColorSpace instance;
    return instance;
}

TCCLLabColorSpace::TCCLLabColorSpace()
    : xn_(kWhiteX / kWhiteY), zn_((1.0f - kWhiteX - kWhiteY) / kWhiteY) {}

const TCCLLabColorSpace& TCCLLabColorSpace::Instance() {
    static const TCCLLabColorSpace instance;
    return instance;
}

Lab RgbToLab(uint32_t colorRef) {
    const auto& rgb = TCCLRGBColorSpace::Instance();
    const auto& lab = TCCLLabColorSpace::Instance();
    Vec3 c = {(colorRef & 0xFF) / 255.0f, ((colorRef >> 8) & 0xFF) / 255.0f, ((colorRef >> 16) & 0xFF) / 255.0f};
    Vec3 linear = PowerComponents(c, 1.0f / rgb.Gamma());
    Vec3 xyz = Multiply(rgb.ToXyz(), linear);
    float fy = LabF(xyz[1]);
    Lab out;
    out.L = xyz[1] <= 0.008856f ? 903.3f * xyz[1] : 116.0f * fy - 16.0f;
    out.a = 500.0f * (LabF(xyz[0] / lab.Xn()) - fy);
    out.b = 200.0f * (fy - LabF(xyz[2] / lab.Zn()));
    return out;
}

uint32_t LabToRgb(float L, float a, float b) {
    const auto& rgb = TCCLRGBColorSpace::Instance();
    const auto& lab = TCCLLabColorSpace::Instance();
    Vec3 xyz;
    if (L <= 7.9996248f) {
        float y = L / 903.3f;
        xyz = {(a / 3893.5f + y) * lab.Xn(), y, (y - b / 1557.4f) * lab.Zn()};
    } else {
        float fy = (L + 16.0f) / 116.0f;
        float fx = fy + a / 500.0f, fz = fy - b / 200.0f;
        xyz = {fx * fx * fx * lab.Xn(), fy * fy * fy, fz * fz * fz * lab.Zn()};
    }
    Vec3 c = PowerComponents(Multiply(rgb.FromXyz(), xyz), rgb.Gamma());
    uint32_t out = 0;
    for (int i = 0; i < 3; ++i) {
        uint32_t channel = c[i] <= 0 ? 0 : c[i] >= 1 ? 255 : static_cast<uint32_t>(RoundHalfEvenReal(c[i] * 255.0));
        out |= channel << (8 * i);
    }
    return out;
}

std::array<uint32_t, 6> ComputeBorderRamp(uint32_t caption) {
    Lab c = RgbToLab(caption);
    std::array<uint32_t, 6> ramp;
    ramp[0] = LabToRgb(c.L, c.a, c.b);
    const float steps[] = {26, 16, 10, 6, 5};
    for (int k = 0; k < 5; ++k) ramp[k + 1] = LabToRgb(c.L + steps[k], c.a, c.b);
    return ramp;
}
