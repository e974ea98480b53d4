#include <gtest/gtest.h>

#include "app/WindowsVersion.h"

namespace {

VersionReport Nine(unsigned minor, uint32_t build, const char* sp) {
    VersionReport r;
    r.platform = VersionReport::Windows9x;
    r.major = 4;
    r.minor = minor;
    r.build = build;
    r.servicePack = sp;
    return r;
}

VersionReport Nt(unsigned major, unsigned minor, uint32_t build) {
    VersionReport r;
    r.platform = VersionReport::NT;
    r.major = major;
    r.minor = minor;
    r.build = build;
    return r;
}

WindowsCode Code(const VersionReport& r) { return ClassifyWindowsVersion(r).code; }

}  // namespace

TEST(WindowsVersion, NineXRowsWithTheirBuilds) {
    EXPECT_EQ(Code(Nine(0, 950, "")), WindowsCode::Windows95);  // no build required
    EXPECT_EQ(Code(Nine(0, 1111, "B")), WindowsCode::Windows95OSR2);
    EXPECT_EQ(Code(Nine(0, 1112, "B")), WindowsCode::Unrecognised);
    EXPECT_EQ(Code(Nine(0, 1111, " B")), WindowsCode::Windows95) << "only exactly B counts";
    EXPECT_EQ(Code(Nine(10, 1998, "")), WindowsCode::Windows98);
    EXPECT_EQ(Code(Nine(10, 2222, "")), WindowsCode::Unrecognised);
    EXPECT_EQ(Code(Nine(10, 2222, "A")), WindowsCode::Windows98SE);
    EXPECT_EQ(Code(Nine(10, 1998, "A")), WindowsCode::Unrecognised);
    EXPECT_EQ(Code(Nine(90, 3000, "")), WindowsCode::WindowsMe);
    EXPECT_EQ(Code(Nine(90, 3001, "")), WindowsCode::Unrecognised);
    EXPECT_EQ(Code(Nine(50, 3000, "")), WindowsCode::Unrecognised);
}

TEST(WindowsVersion, NineXBuildUsesOnlyTheLowWord) {
    // The high word of a 9x build number carries major and minor version.
    EXPECT_EQ(Code(Nine(10, 0x040A0000u | 1998u, "")), WindowsCode::Windows98);
    EXPECT_EQ(Code(Nine(90, 0x045A0000u | 3000u, "")), WindowsCode::WindowsMe);
}

TEST(WindowsVersion, NtRowsWithTheirBuilds) {
    EXPECT_EQ(Code(Nt(3, 51, 1057)), WindowsCode::NT3);
    EXPECT_EQ(Code(Nt(4, 0, 1381)), WindowsCode::NT4);
    EXPECT_EQ(Code(Nt(4, 0, 1380)), WindowsCode::Unrecognised);
    EXPECT_EQ(Code(Nt(5, 0, 2195)), WindowsCode::Windows2000);
    EXPECT_EQ(Code(Nt(5, 0, 2196)), WindowsCode::Unrecognised);
    EXPECT_EQ(Code(Nt(5, 1, 2600)), WindowsCode::WindowsXP);
    EXPECT_EQ(Code(Nt(5, 2, 2600)), WindowsCode::WindowsXP) << "minor 1 or higher";
    EXPECT_EQ(Code(Nt(5, 2, 3790)), WindowsCode::Unrecognised);
    EXPECT_EQ(Code(Nt(6, 1, 7601)), WindowsCode::Unrecognised);
}

TEST(WindowsVersion, FlagsFollowTheFamilyBeforeTheBuildCheck) {
    auto xp = ClassifyWindowsVersion(Nt(5, 1, 2600));
    EXPECT_TRUE(xp.IsWindowsXP);
    EXPECT_TRUE(xp.Win2000OrLater);
    EXPECT_TRUE(xp.XpOrLater);

    auto server2003 = ClassifyWindowsVersion(Nt(5, 2, 3790));
    EXPECT_FALSE(server2003.IsWindowsXP) << "build other than 2600: no hook link";
    EXPECT_TRUE(server2003.XpOrLater) << "the drop shadow is still asked for";

    auto seven = ClassifyWindowsVersion(Nt(6, 1, 7601));
    EXPECT_FALSE(seven.IsWindowsXP);
    EXPECT_TRUE(seven.Win2000OrLater);
    EXPECT_TRUE(seven.XpOrLater);

    auto w2k = ClassifyWindowsVersion(Nt(5, 0, 2195));
    EXPECT_TRUE(w2k.Win2000OrLater);
    EXPECT_FALSE(w2k.XpOrLater);

    auto w2kOtherBuild = ClassifyWindowsVersion(Nt(5, 0, 2200));
    EXPECT_TRUE(w2kOtherBuild.Win2000OrLater);
    EXPECT_FALSE(w2kOtherBuild.XpOrLater);

    for (const auto& r : {Nt(3, 51, 1057), Nt(4, 0, 1381), Nt(4, 0, 1)}) {
        auto v = ClassifyWindowsVersion(r);
        EXPECT_FALSE(v.Win2000OrLater);
        EXPECT_FALSE(v.XpOrLater);
    }
    for (const auto& r : {Nine(0, 950, ""), Nine(10, 1998, ""), Nine(90, 3000, "")}) {
        auto v = ClassifyWindowsVersion(r);
        EXPECT_FALSE(v.Win2000OrLater) << "never on 9x";
        EXPECT_FALSE(v.XpOrLater);
        EXPECT_FALSE(v.IsWindowsXP);
    }
}

TEST(WindowsVersion, Win32sIsUnrecognisedWithoutFlags) {
    VersionReport r;
    r.platform = VersionReport::Win32s;
    r.major = 5;
    r.minor = 1;
    r.build = 2600;
    auto v = ClassifyWindowsVersion(r);
    EXPECT_EQ(v.code, WindowsCode::Unrecognised);
    EXPECT_FALSE(v.IsWindowsXP || v.Win2000OrLater || v.XpOrLater);
}
