// An ini file over the system's private-profile API; the file is touched only when read or written.
#pragma once
#include <string>
#include <vector>

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    // A value that is no decimal integer gives the fallback.
    long ReadInteger(const std::string& section, const std::string& key, long fallback) const;
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, long value);
    bool SectionExists(const std::string& section) const;
    std::vector<std::string> ReadSection(const std::string& section) const;  // key names
    // The section's lines as the system returns them ("key=value"), in file order.
    std::vector<std::string> ReadSectionLines(const std::string& section) const;
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& key);

private:
    std::string fileName_;
};
