// The four routines that read and write the settings, with the system's value types.
#pragma once
#include <windows.h>

#include <string>

constexpr const char* kProgramKey = "Software\\Halvercot\\Kestrola";
constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// A value as read: either a text or a 32-bit integer.
struct RegValue {
    bool isInteger = false;
    long integer = 0;
    std::string text;

    static RegValue Text(std::string t) { return {false, 0, std::move(t)}; }
    static RegValue Integer(long i) { return {true, i, {}}; }
    // The caller's conversion; a text that is no decimal integer raises Error.
    long ToInteger() const;
    std::string ToText() const;
};

// The type a value is written as; Keep takes the type it already has (a value that is not
// there, or of another type, is refused).
enum class RegType { Keep = 0, Text = 1, ExpandText = 2, Integer = 3, Binary = 4 };

RegValue ReadRegValue(HKEY root, const std::string& key, const std::string& name);
void WriteRegValue(HKEY root, const std::string& key, const std::string& name, const RegValue& value,
                   RegType type);
// The two kinds the program writes.
inline void WriteRegInteger(HKEY root, const std::string& key, const std::string& name, long value) {
    WriteRegValue(root, key, name, RegValue::Integer(value), RegType::Integer);
}
inline void WriteRegText(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
    WriteRegValue(root, key, name, RegValue::Text(value), RegType::Text);
}
bool RegValueExists(HKEY root, const std::string& key, const std::string& name);
void DeleteRegValue(HKEY root, const std::string& key, const std::string& name);

// Reads a value of the program's key as an integer (raises on text that is no number).
long ReadProgramInteger(const std::string& name);
// The dragged panel position, used only when both "StartMenuShowX" and "StartMenuShowY" exist.
bool StoredPanelPosition(long& x, long& y);
void StorePanelPosition(long x, long y);
