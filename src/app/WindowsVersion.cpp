#include "app/WindowsVersion.h"

namespace {

struct Candidate {
    WindowsCode code;
    uint32_t requiredBuild;  // 0: any build
};

Candidate From9x(const VersionReport& r) {
    switch (r.minor) {
        case 0:
            return r.servicePack == "B" ? Candidate{WindowsCode::Windows95OSR2, 1111}
                                        : Candidate{WindowsCode::Windows95, 0};
        case 10:
            return r.servicePack == "A" ? Candidate{WindowsCode::Windows98SE, 2222}
                                        : Candidate{WindowsCode::Windows98, 1998};
        case 90:
            return {WindowsCode::WindowsMe, 3000};
        default:
            return {WindowsCode::Unrecognised, 0};
    }
}

Candidate FromNT(const VersionReport& r) {
    if (r.major == 3) return {WindowsCode::NT3, 0};
    if (r.major == 4) return {WindowsCode::NT4, 1381};
    if (r.major == 5 && r.minor == 0) return {WindowsCode::Windows2000, 2195};
    if (r.major == 5) return {WindowsCode::WindowsXP, 2600};
    return {WindowsCode::Unrecognised, 0};
}

}  // namespace

WindowsVersion ClassifyWindowsVersion(const VersionReport& report) {
    WindowsVersion v;
    Candidate c{WindowsCode::Unrecognised, 0};
    uint32_t build = report.build;
    if (report.platform == VersionReport::Windows9x) {
        c = From9x(report);
        build &= 0xFFFF;  // the high word holds the version numbers there
    } else if (report.platform == VersionReport::NT) {
        c = FromNT(report);
        // Judged before the build check: a later service build is still that family.
        v.Win2000OrLater = c.code != WindowsCode::NT3 && c.code != WindowsCode::NT4;
        v.XpOrLater = v.Win2000OrLater && c.code != WindowsCode::Windows2000;
    }
    v.code = (c.requiredBuild != 0 && c.requiredBuild != build) ? WindowsCode::Unrecognised : c.code;
    v.IsWindowsXP = v.code == WindowsCode::WindowsXP;
    return v;
}
