#include <gtest/gtest.h>

#include "platform/Error.h"
#include "shell/Registry.h"

namespace {

constexpr const char* kKey = "Software\\Halvercot\\KestrolaTest";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
    void Raw(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY k;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(k);
    }
    DWORD TypeOf(const char* name) {
        HKEY k;
        DWORD type = REG_NONE;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &k) == ERROR_SUCCESS) {
            RegQueryValueExA(k, name, nullptr, &type, nullptr, nullptr);
            RegCloseKey(k);
        }
        return type;
    }
};

}  // namespace

TEST_F(RegistryTest, ValuesReadBackByTheirType) {
    WriteRegValue(HKEY_CURRENT_USER, kKey, "Dword", RegValue::Integer(-25), RegType::Integer);
    WriteRegValue(HKEY_CURRENT_USER, kKey, "Sz", RegValue::Text("\"C:\\k.exe\""), RegType::Text);
    WriteRegValue(HKEY_CURRENT_USER, kKey, "Bin", RegValue::Text("ab"), RegType::Binary);
    EXPECT_EQ(TypeOf("Dword"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(TypeOf("Sz"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(TypeOf("Bin"), static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kKey, "Dword").ToInteger(), -25);
    EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kKey, "Sz").text, "\"C:\\k.exe\"");
    EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kKey, "Bin").text, "ab");
    DWORD q[2] = {1, 2};
    Raw("Qword", REG_QWORD, q, sizeof q);
    RegValue other = ReadRegValue(HKEY_CURRENT_USER, kKey, "Qword");
    EXPECT_FALSE(other.isInteger);
    EXPECT_EQ(other.text, "") << "types other than text, integer, binary read as empty text";
}

TEST_F(RegistryTest, TypeZeroKeepsTheExistingTypeAndUnknownTypesAreRefused) {
    WriteRegValue(HKEY_CURRENT_USER, kKey, "V", RegValue::Integer(5), RegType::Integer);
    WriteRegValue(HKEY_CURRENT_USER, kKey, "V", RegValue::Text("7"), RegType::Keep);
    EXPECT_EQ(TypeOf("V"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kKey, "V").ToInteger(), 7);
    EXPECT_THROW(WriteRegValue(HKEY_CURRENT_USER, kKey, "V", RegValue::Integer(1), static_cast<RegType>(9)), Error);
    EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kKey, "V").ToInteger(), 7);
}

// A missing key reads as the integer 0, a missing value of a key as empty text.
TEST_F(RegistryTest, MissingValuesReadAsZeroOrEmptyAndExistOnlyWhenTheyFitFourBytes) {
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kKey, "ShowTip")) << "no key";
    RegValue v = ReadRegValue(HKEY_CURRENT_USER, kKey, "X");
    EXPECT_TRUE(v.isInteger && v.integer == 0);
    DeleteRegValue(HKEY_CURRENT_USER, kKey, "V");  // no key: nothing to do
    WriteRegValue(HKEY_CURRENT_USER, kKey, "ShowTip", RegValue::Integer(1), RegType::Integer);
    WriteRegValue(HKEY_CURRENT_USER, kKey, "Short", RegValue::Text("abc"), RegType::Text);
    WriteRegValue(HKEY_CURRENT_USER, kKey, "Long", RegValue::Text("abcd"), RegType::Text);
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kKey, "ShowTip"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kKey, "Short"));
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kKey, "Long"));
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kKey, "Absent"));
    v = ReadRegValue(HKEY_CURRENT_USER, kKey, "Absent");
    EXPECT_FALSE(v.isInteger);
    EXPECT_EQ(v.text, "");
    DeleteRegValue(HKEY_CURRENT_USER, kKey, "ShowTip");
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kKey, "ShowTip")) << "deleted";
}

TEST_F(RegistryTest, ARefusedWriteRaisesTheTextOfTheCallsOwnError) {
    // Registry calls return their error and leave the last error alone: the text is the system's
    // message for the call's own code, whole, without the line end that ends the message.
    char system[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_INVALID_HANDLE, 0,
                   system, sizeof system, nullptr);
    const std::string message = system;
    HKEY noKey = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x0BADF00D));
    for (RegType type : {RegType::Text, RegType::Integer}) {
        SetLastError(ERROR_SUCCESS);
        try {
            WriteRegValue(noKey, kKey, "V", RegValue::Integer(1), type);
            ADD_FAILURE() << "a write under no key succeeded";
        } catch (const Error& e) {
            std::string raised = e.what();
            ASSERT_GT(raised.size(), 3u) << message;
            EXPECT_EQ(message.compare(0, raised.size(), raised), 0) << raised << " | " << message;
            EXPECT_EQ(message.find_first_not_of("\r\n ", raised.size()), std::string::npos) << "all but the line end";
            EXPECT_EQ(raised.find_first_of("\r\n"), std::string::npos);
        }
    }
}
