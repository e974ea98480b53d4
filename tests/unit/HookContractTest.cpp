#include <gtest/gtest.h>

#include <cstring>

#include "shell/HookContract.h"

// A library or program of another build meets this one only by these names.
TEST(HookContract, NamesBothSidesMeetBy) {
    EXPECT_STREQ(hook::kBlockName, "Kestrola_HookName_3AED8BAF-5BE5-40F5-A6EA-08C2C119A239");
    EXPECT_STREQ(hook::kShowMenuMessage, "WM_ShowMenu_Kestrola_EF13C7FD-CEB5-4A5F-8B7A-A7F0D94A30CE");
    EXPECT_STREQ(hook::kOptionsUpdateMessage, "WM_OptionsUpdate_Kestrola_D142D3B8-02CC-4BBD-821B-BF35692BA4F2");
    EXPECT_STREQ(hook::kLibraryName, "Kestrola.dll");
}

TEST(HookContract, ShowRectPacksLeftTopIntoWParamAndRightBottomIntoLParam) {
    PackedRect p = PackShowRect({0x0102, 0x0304, 0x0506, 0x0708});
    EXPECT_EQ(p.wParam, 0x01020304u);
    EXPECT_EQ(p.lParam, 0x05060708u);
}

TEST(HookContract, ShowRectSidesAre16BitAndReadBackSigned) {
    // Monitors left of or above the primary one lie at negative coordinates.
    ShowRectangle r = UnpackShowRect(0xFFFF0000u, 0x7FFF8000u);
    EXPECT_EQ(r.left, -1);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 32767);
    EXPECT_EQ(r.bottom, -32768);
    for (ShowRectangle in : {ShowRectangle{1279, 1023, 1600, 1200}, ShowRectangle{-1280, -200, -1, 0}}) {
        PackedRect p = PackShowRect(in);
        ShowRectangle back = UnpackShowRect(p.wParam, p.lParam);
        EXPECT_EQ(back.left, in.left);
        EXPECT_EQ(back.top, in.top);
        EXPECT_EQ(back.right, in.right);
        EXPECT_EQ(back.bottom, in.bottom);
    }
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
