#include "platform/IniFile.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/Numbers.h"

namespace {

// Grows the buffer until the whole answer fits; the API signals truncation by size - 2.
std::vector<char> ReadProfile(const char* section, const char* key, const char* fallback,
                              const std::string& file) {
    std::vector<char> buffer(2048);
    for (;;) {
        DWORD n = GetPrivateProfileStringA(section, key, fallback, buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file.c_str());
        if (n < buffer.size() - 2) {
            buffer.resize(n + 1);
            return buffer;
        }
        buffer.resize(buffer.size() * 4);
    }
}

void Check(BOOL ok, const std::string& file) {
    if (!ok) throw Error("Unable to write to " + file);
}

}  // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
    auto b = ReadProfile(section.c_str(), key.c_str(), fallback.c_str(), fileName_);
    return std::string(b.data());
}

long TIniFile::ReadInteger(const std::string& section, const std::string& key, long fallback) const {
    long v = 0;
    return ParseDecimal(ReadString(section, key, ""), v) ? v : fallback;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    Check(WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str()),
          fileName_);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, long value) {
    WriteString(section, key, std::to_string(value));
}

bool TIniFile::SectionExists(const std::string& section) const { return !ReadSection(section).empty(); }

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
    auto b = ReadProfile(section.c_str(), nullptr, "", fileName_);
    std::vector<std::string> keys;
    for (const char* p = b.data(); *p; p += strlen(p) + 1) keys.emplace_back(p);
    return keys;
}

std::vector<std::string> TIniFile::ReadSectionLines(const std::string& section) const {
    std::vector<char> buffer(32 * 1024);
    for (;;) {
        DWORD n = GetPrivateProfileSectionA(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                            fileName_.c_str());
        if (n < buffer.size() - 2) {
            buffer.resize(n + 2, '\0');
            break;
        }
        buffer.resize(buffer.size() * 4);
    }
    std::vector<std::string> lines;
    for (const char* p = buffer.data(); *p; p += strlen(p) + 1) lines.emplace_back(p);
    return lines;
}

void TIniFile::EraseSection(const std::string& section) {
    Check(WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName_.c_str()), fileName_);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, fileName_.c_str());
}
