#include <gtest/gtest.h>

#include "app/WindowsVersion.h"

namespace {

VersionReport Report(int platform, unsigned major, unsigned minor, uint32_t build, const char* sp = "") {
    VersionReport r;
    r.platform = platform;
    r.major = major;
    r.minor = minor;
    r.build = build;
    r.servicePack = sp;
    return r;
}

}  // namespace

// Each row: the code, then the flags, which follow the family before the build check (XP alone
// needs build 2600) and stay false outside NT.
TEST(WindowsVersion, CodesAndFlagsOfEachRow) {
    const int nine = VersionReport::Windows9x, nt = VersionReport::NT;
    struct Row {
        VersionReport report;
        WindowsCode code;
        bool xp, win2000OrLater, xpOrLater;
        const char* why;
    } rows[] = {
        {Report(nine, 4, 0, 950), WindowsCode::Windows95, false, false, false, "no build required"},
        {Report(nine, 4, 0, 1111, "B"), WindowsCode::Windows95OSR2, false, false, false, ""},
        {Report(nine, 4, 0, 1112, "B"), WindowsCode::Unrecognised, false, false, false, ""},
        {Report(nine, 4, 0, 1111, " B"), WindowsCode::Windows95, false, false, false, "only exactly B counts"},
        {Report(nine, 4, 10, 1998), WindowsCode::Windows98, false, false, false, ""},
        {Report(nine, 4, 10, 0x040A0000u | 1998u), WindowsCode::Windows98, false, false, false, "the low word only"},
        {Report(nine, 4, 10, 2222), WindowsCode::Unrecognised, false, false, false, ""},
        {Report(nine, 4, 10, 2222, "A"), WindowsCode::Windows98SE, false, false, false, ""},
        {Report(nine, 4, 10, 1998, "A"), WindowsCode::Unrecognised, false, false, false, ""},
        {Report(nine, 4, 90, 3000), WindowsCode::WindowsMe, false, false, false, ""},
        {Report(nine, 4, 90, 0x045A0000u | 3000u), WindowsCode::WindowsMe, false, false, false, "the low word only"},
        {Report(nine, 4, 90, 3001), WindowsCode::Unrecognised, false, false, false, ""},
        {Report(nine, 4, 50, 3000), WindowsCode::Unrecognised, false, false, false, ""},
        {Report(nt, 3, 51, 1057), WindowsCode::NT3, false, false, false, ""},
        {Report(nt, 4, 0, 1381), WindowsCode::NT4, false, false, false, ""},
        {Report(nt, 4, 0, 1380), WindowsCode::Unrecognised, false, false, false, "NT 4 of another build"},
        {Report(nt, 5, 0, 2195), WindowsCode::Windows2000, false, true, false, ""},
        {Report(nt, 5, 0, 2200), WindowsCode::Unrecognised, false, true, false, "2000 of another build"},
        {Report(nt, 5, 1, 2600), WindowsCode::WindowsXP, true, true, true, ""},
        {Report(nt, 5, 2, 2600), WindowsCode::WindowsXP, true, true, true, "minor 1 or higher"},
        {Report(nt, 5, 2, 3790), WindowsCode::Unrecognised, false, true, true, "no hook link; still a shadow"},
        {Report(nt, 6, 1, 7601), WindowsCode::Unrecognised, false, true, true, ""},
        {Report(VersionReport::Win32s, 5, 1, 2600), WindowsCode::Unrecognised, false, false, false, "Win32s"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.report.platform << " " << r.report.major << "." << r.report.minor << "."
                                          << r.report.build << " '" << r.report.servicePack << "' " << r.why);
        WindowsVersion v = ClassifyWindowsVersion(r.report);
        EXPECT_EQ(v.code, r.code);
        EXPECT_EQ(v.IsWindowsXP, r.xp);
        EXPECT_EQ(v.Win2000OrLater, r.win2000OrLater);
        EXPECT_EQ(v.XpOrLater, r.xpOrLater);
    }
}
