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
    HKEY raw = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return RegValue::Integer(0);
    UniqueHKey k(raw);
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
                   int type) {
    HKEY raw = nullptr;
    // Registry calls return their error; the last error is not theirs.
    LONG opened = RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_QUERY_VALUE, nullptr, &raw,
                                  nullptr);
    if (opened != ERROR_SUCCESS) throw Error(SystemErrorText(static_cast<DWORD>(opened)));
    UniqueHKey k(raw);
    if (type == static_cast<int>(RegType::Keep)) {
        DWORD existing = REG_NONE;
        RegQueryValueExA(k.Get(), name.c_str(), nullptr, &existing, nullptr, nullptr);
        type = existing == REG_SZ          ? 1
               : existing == REG_EXPAND_SZ ? 2
               : existing == REG_DWORD     ? 3
               : existing == REG_BINARY    ? 4
                                           : -1;
    }
    LONG rc;
    switch (type) {
        case 1:
        case 2: {
            std::string t = value.ToText();
            rc = RegSetValueExA(k.Get(), name.c_str(), 0, type == 1 ? REG_SZ : REG_EXPAND_SZ,
                                reinterpret_cast<const BYTE*>(t.c_str()), static_cast<DWORD>(t.size() + 1));
            break;
        }
        case 3: {
            DWORD v = static_cast<DWORD>(value.ToInteger());
            rc = RegSetValueExA(k.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v),
                                sizeof v);
            break;
        }
        case 4: {
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
    HKEY raw = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
    UniqueHKey k(raw);
    BYTE buffer[4];
    DWORD size = sizeof buffer;
    return RegQueryValueExA(k.Get(), name.c_str(), nullptr, nullptr, buffer, &size) == ERROR_SUCCESS;
}

void DeleteRegValue(HKEY root, const std::string& key, const std::string& name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS) return;
    UniqueHKey k(raw);
    RegDeleteValueA(k.Get(), name.c_str());
}

long ReadProgramInteger(const std::string& name) {
    return ReadRegValue(HKEY_CURRENT_USER, kProgramKey, name).ToInteger();
}

bool StoredPanelPosition(long& x, long& y) {
    if (!RegValueExists(HKEY_CURRENT_USER, kProgramKey, "StartMenuShowX") ||
        !RegValueExists(HKEY_CURRENT_USER, kProgramKey, "StartMenuShowY"))
        return false;
    x = ReadProgramInteger("StartMenuShowX");
    y = ReadProgramInteger("StartMenuShowY");
    return true;
}
