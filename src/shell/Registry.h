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

enum class RegType { Keep = 0, Text = 1, ExpandText = 2, Integer = 3, Binary = 4 };

RegValue ReadRegValue(HKEY root, const std::string& key, const std::string& name);
void WriteRegValue(HKEY root, const std::string& key, const std::string& name, const RegValue& value,
                   int type);
bool RegValueExists(HKEY root, const std::string& key, const std::string& name);
void DeleteRegValue(HKEY root, const std::string& key, const std::string& name);

// Reads a value of the program's key as an integer (raises on text that is no number).
long ReadProgramInteger(const std::string& name);
// The dragged panel position, used only when both "StartMenuShowX" and "StartMenuShowY" exist.
bool StoredPanelPosition(long& x, long& y);
