#include "platform/IniFile.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/Numbers.h"

namespace {

// Grows the buffer until the whole answer fits (the API signals truncation by size - 2); the
// result always ends in two zero bytes, so a zero-separated list ends in an empty item.
template <typename Read>
std::vector<char> ReadWhole(size_t start, Read read) {
    std::vector<char> buffer(start);
    for (;;) {
        DWORD n = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size() - 2) {
            buffer.resize(n + 2, '\0');
            return buffer;
        }
        buffer.resize(buffer.size() * 4);
    }
}

std::vector<char> ReadProfile(const char* section, const char* key, const char* fallback,
                              const std::string& file) {
    return ReadWhole(2048, [&](char* b, DWORD size) {
        return GetPrivateProfileStringA(section, key, fallback, b, size, file.c_str());
    });
}

std::vector<std::string> SplitZeroList(const std::vector<char>& buffer) {
    std::vector<std::string> items;
    for (const char* p = buffer.data(); *p; p += strlen(p) + 1) items.emplace_back(p);
    return items;
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
    return SplitZeroList(ReadProfile(section.c_str(), nullptr, "", fileName_));
}

std::vector<std::string> TIniFile::ReadSectionLines(const std::string& section) const {
    return SplitZeroList(ReadWhole(32 * 1024, [&](char* b, DWORD size) {
        return GetPrivateProfileSectionA(section.c_str(), b, size, fileName_.c_str());
    }));
}

void TIniFile::EraseSection(const std::string& section) {
    Check(WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName_.c_str()), fileName_);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, fileName_.c_str());
}
