#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "shell/HookContract.h"

// A library or program of another build meets this one only by these names.
TEST(HookContract, NamesBothSidesMeetBy) {
    EXPECT_STREQ(hook::kBlockName, "Kestrola_HookName_3AED8BAF-5BE5-40F5-A6EA-08C2C119A239");
    EXPECT_STREQ(hook::kShowMenuMessage, "WM_ShowMenu_Kestrola_EF13C7FD-CEB5-4A5F-8B7A-A7F0D94A30CE");
    EXPECT_STREQ(hook::kOptionsUpdateMessage, "WM_OptionsUpdate_Kestrola_D142D3B8-02CC-4BBD-821B-BF35692BA4F2");
    EXPECT_STREQ(hook::kLibraryName, "Kestrola.dll");
}

// Left and top go into wParam, right and bottom into lParam, 16 bits each; read back signed, since
// monitors left of or above the primary one lie at negative coordinates.
TEST(HookContract, ShowRectSidesArePacked16BitAndReadBackSigned) {
    PackedRect p = PackShowRect({0x0102, 0x0304, 0x0506, 0x0708});
    EXPECT_EQ(p.wParam, 0x01020304u);
    EXPECT_EQ(p.lParam, 0x05060708u);
    auto sides = [](const ShowRectangle& r) { return std::tuple{r.left, r.top, r.right, r.bottom}; };
    EXPECT_EQ(sides(UnpackShowRect(0xFFFF0000u, 0x7FFF8000u)), sides({-1, 0, 32767, -32768}));
    for (ShowRectangle in : {ShowRectangle{1279, 1023, 1600, 1200}, ShowRectangle{-1280, -200, -1, 0}})
        EXPECT_EQ(sides(UnpackShowRect(PackShowRect(in).wParam, PackShowRect(in).lParam)), sides(in));
    EXPECT_EQ(PackShowRect({-1280, 5, 0, 0}).wParam, 0xFB000005u) << "the low 16 bits, as before";
}

TEST(HookContract, BlockFieldsLieLittleEndianAtTheirOffsets) {
    HookSharedBlock b{};
    b.MainWindow = 0x11223344u;
    b.RightWindowsAlt = 1;
    b.WindowsApplications = -2;
    unsigned char bytes[28];
    std::memcpy(bytes, &b, sizeof bytes);
    EXPECT_EQ(bytes[4], 0x44);
    EXPECT_EQ(bytes[7], 0x11);
    EXPECT_EQ(bytes[20], 1);
    EXPECT_EQ(bytes[24], 0xFE);
    EXPECT_EQ(bytes[27], 0xFF);
}
