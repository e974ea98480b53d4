// An ini file over the system's private-profile API; the file is touched only when read or written.
//
// An update makes it crash-safe: reads and writes go to a working copy beside the file (the
// writes held in memory and written a section at a time), and Commit replaces the file with the
// copy in one step and keeps a copy of the new file as the backup (name + ".bak"), for a file
// found lost later. At every instant the file on disk is the old or the new complete one.
#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/IniBatch.h"

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)), active_(fileName_) {}
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string& FileName() const { return fileName_; }
    std::string BackupName() const { return fileName_ + ".bak"; }

    // Starts an update from the file as it is now (raises when the copy cannot be made).
    void BeginUpdate();
    // Replaces the file by the working copy, when it differs. Raises, leaving the file as it was, when a write of
    // the update failed or the copy is not complete (a full disk cuts it short).
    void Commit();
    // Forgets the working copy; the file stays as it was.
    void Discard();
    bool Updating() const { return active_ != fileName_; }
    // Starts the update over from the backup: for a file found empty or unreadable.
    void RestoreBackup();
    // Whether a committed text may become the backup, given the backup's text (empty when there
    // is none). Without a rule, any text that is not empty may.
    using BackupRule = bool (*)(const std::string& newText, const std::string& backupText);
    void SetBackupRule(BackupRule rule) { backupRule_ = rule; }

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
    void Check(bool ok);
    // Copies the file to the backup when the rule lets it; raises when the copy fails.
    void RenewBackup(const std::string& text);
    BackupRule backupRule_ = nullptr;
    std::string fileName_;
    std::string active_;  // the file read and written: the working copy during an update
    IniBatch batch_;      // an update's writes, until Commit
    bool failed_ = false;
};

// One section read at once, its values looked up as ReadString finds them: the key's first line,
// case ignored, blanks around key and value and one pair of enclosing quotes dropped.
class IniSectionValues {
public:
    IniSectionValues(const TIniFile& file, const std::string& section);
    std::string Get(const std::string& key, const std::string& fallback) const;

private:
    std::unordered_map<std::string, std::string> values_;  // by folded key
};
