#include "shell/Registry.h"

#include <vector>

#include "platform/Error.h"
#include "platform/Handle.h"
#include "platform/Text.h"
#include "platform/Numbers.h"

long RegValue::ToInteger() const {
    if (isInteger) return integer;
    return DecimalOrRaise(text);
}

std::string RegValue::ToText() const { return isInteger ? std::to_string(integer) : text; }

RegValue ReadRegValue(HKEY root, const std::string& key, const std::string& name) {
    UniqueHKey k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, k.Put()) != ERROR_SUCCESS) return RegValue::Integer(0);
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(k.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return RegValue::Text("");
    std::vector<BYTE> data(size + 2, 0);  // room for a missing terminator
    DWORD read = size;
    if (RegQueryValueExA(k.Get(), name.c_str(), nullptr, &type, data.data(), &read) != ERROR_SUCCESS)
        return RegValue::Text("");
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ:
            return RegValue::Text(reinterpret_cast<const char*>(data.data()));
        case REG_DWORD: {
            if (read < sizeof(DWORD)) return RegValue::Text("");
            int32_t v;
            memcpy(&v, data.data(), sizeof v);
            return RegValue::Integer(v);
        }
        case REG_BINARY:
            return read == size ? RegValue::Text(std::string(data.begin(), data.begin() + read))
                                : RegValue::Text("");
        default:
            return RegValue::Text("");
    }
}

void WriteRegValue(HKEY root, const std::string& key, const std::string& name, const RegValue& value,
                   RegType type) {
    UniqueHKey k;
    // Registry calls return their error; the last error is not theirs.
    LONG opened = RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_QUERY_VALUE, nullptr, k.Put(),
                                  nullptr);
    if (opened != ERROR_SUCCESS) throw Error(SystemErrorText(static_cast<DWORD>(opened)));
    if (type == RegType::Keep) {
        DWORD existing = REG_NONE;
        RegQueryValueExA(k.Get(), name.c_str(), nullptr, &existing, nullptr, nullptr);
        type = existing == REG_SZ          ? RegType::Text
               : existing == REG_EXPAND_SZ ? RegType::ExpandText
               : existing == REG_DWORD     ? RegType::Integer
               : existing == REG_BINARY    ? RegType::Binary
                                           : RegType::Keep;  // refused below
    }
    LONG rc;
    switch (type) {
        case RegType::Text:
        case RegType::ExpandText: {
            std::string t = value.ToText();
            rc = RegSetValueExA(k.Get(), name.c_str(), 0, type == RegType::Text ? REG_SZ : REG_EXPAND_SZ,
                                reinterpret_cast<const BYTE*>(t.c_str()), static_cast<DWORD>(t.size() + 1));
            break;
        }
        case RegType::Integer: {
            DWORD v = static_cast<DWORD>(value.ToInteger());
            rc = RegSetValueExA(k.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v),
                                sizeof v);
            break;
        }
        case RegType::Binary: {
            std::string t = value.ToText();
            rc = RegSetValueExA(k.Get(), name.c_str(), 0, REG_BINARY,
                                reinterpret_cast<const BYTE*>(t.data()), static_cast<DWORD>(t.size()));
            break;
        }
        default:
            throw Error(SystemErrorText(ERROR_BADKEY));  // 1013
    }
    if (rc != ERROR_SUCCESS) throw Error(SystemErrorText(static_cast<DWORD>(rc)));
}

bool RegValueExists(HKEY root, const std::string& key, const std::string& name) {
    UniqueHKey k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, k.Put()) != ERROR_SUCCESS) return false;
    BYTE buffer[4];
    DWORD size = sizeof buffer;
    return RegQueryValueExA(k.Get(), name.c_str(), nullptr, nullptr, buffer, &size) == ERROR_SUCCESS;
}

void DeleteRegValue(HKEY root, const std::string& key, const std::string& name) {
    UniqueHKey k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, k.Put()) != ERROR_SUCCESS) return;
    RegDeleteValueA(k.Get(), name.c_str());
}

long ReadProgramInteger(const std::string& name) {
    return ReadRegValue(HKEY_CURRENT_USER, kProgramKey, name).ToInteger();
}

void StorePanelPosition(long x, long y) {
    WriteRegInteger(HKEY_CURRENT_USER, kProgramKey, "StartMenuShowX", x);
    WriteRegInteger(HKEY_CURRENT_USER, kProgramKey, "StartMenuShowY", y);
}

bool StoredPanelPosition(long& x, long& y) {
    if (!RegValueExists(HKEY_CURRENT_USER, kProgramKey, "StartMenuShowX") ||
        !RegValueExists(HKEY_CURRENT_USER, kProgramKey, "StartMenuShowY"))
        return false;
    x = ReadProgramInteger("StartMenuShowX");
    y = ReadProgramInteger("StartMenuShowY");
    return true;
}
