#include <gtest/gtest.h>

#include <cstring>

#include "shell/HookContract.h"

TEST(HookContract, ShowRectPacksLeftTopIntoWParamAndRightBottomIntoLParam) {
    PackedRect p = PackShowRect({0x0102, 0x0304, 0x0506, 0x0708});
    EXPECT_EQ(p.wParam, 0x01020304u);
    EXPECT_EQ(p.lParam, 0x05060708u);
}

TEST(HookContract, ShowRectSidesAreUnsigned16Bit) {
    ShowRectangle r = UnpackShowRect(0xFFFF0000u, 0x8000FFFFu);
    EXPECT_EQ(r.left, 65535);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 32768);
    EXPECT_EQ(r.bottom, 65535);
    ShowRectangle big{1279, 1023, 1600, 1200};
    PackedRect p = PackShowRect(big);
    ShowRectangle back = UnpackShowRect(p.wParam, p.lParam);
    EXPECT_EQ(back.left, 1279);
    EXPECT_EQ(back.top, 1023);
    EXPECT_EQ(back.right, 1600);
    EXPECT_EQ(back.bottom, 1200);
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
