#include "platform/IniFile.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/Handle.h"
#include "platform/IniBatch.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace {

std::vector<char> ReadProfile(const char* section, const char* key, const char* fallback,
                              const std::string& file) {
    return ReadProfileAnswer(2048, [&](char* b, unsigned long size) {
        return GetPrivateProfileStringA(section, key, fallback, b, size, file.c_str());
    });
}

// Writes out and forgets what the system holds of the file, so that it is read anew.
void ReleaseProfile(const std::string& file) { WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str()); }

// The whole file, flushed to the disk first when asked; false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes, bool flush) {
    UniqueHandle f(CreateFileA(path.c_str(), GENERIC_READ | (flush ? GENERIC_WRITE : 0), FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f || (flush && !FlushFileBuffers(f.Get()))) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(f.Get(), &size) || size.QuadPart > 256 * 1024 * 1024) return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    return bytes.empty() || (ReadFile(f.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                             read == bytes.size());
}

// Puts from in the place of to. A reader that holds the file (a virus scanner, an editor, a
// backup) makes the replace fail while it reads, so it is tried again for up to a second.
bool ReplaceWhole(const std::string& from, const std::string& to) {
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        DWORD error = GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) || attempt == 20) {
            SetLastError(error);
            return false;
        }
        Sleep(50);
    }
}

// A copy made under a temporary name and then renamed, so that no half-made copy is ever seen;
// the copy is read back whole before it takes the name. On failure no temporary file is left,
// and the system's error code is the last error.
bool CopyWhole(const std::string& from, const std::string& to, const std::string& expected) {
    std::string part = to + ".part";
    std::string copied;
    bool ok = CopyFileA(from.c_str(), part.c_str(), FALSE);
    DWORD error = ok ? 0 : GetLastError();
    if (ok && (!ReadFileBytes(part, copied, true) || copied != expected)) {
        ok = false;
        error = ERROR_DISK_FULL;  // what a cut copy means here
    }
    if (ok && !ReplaceWhole(part, to)) {
        ok = false;
        error = GetLastError();
    }
    if (!ok) {
        DeleteFileA(part.c_str());
        SetLastError(error);
    }
    return ok;
}

}  // namespace

TIniFile::~TIniFile() {
    if (Updating()) Discard();
}

void TIniFile::Check(bool ok) {
    if (ok) return;
    failed_ = true;
    throw Error("Unable to write to " + fileName_);
}

void TIniFile::BeginUpdate() {
    if (Updating()) Discard();
    std::string work = fileName_ + ".new";
    ReleaseProfile(work);
    DeleteFileA(work.c_str());
    if (FileExists(fileName_) && !CopyFileA(fileName_.c_str(), work.c_str(), FALSE)) {
        DWORD error = GetLastError();
        DeleteFileA(work.c_str());  // what a full disk let through
        throw Error("Unable to write to " + fileName_ + ": " + SystemErrorText(error));
    }
    active_ = work;
    failed_ = false;
}

void TIniFile::RestoreBackup() {
    if (!Updating()) return;
    batch_.Clear();  // the writes so far were made to what the backup replaces
    ReleaseProfile(active_);
    if (!CopyFileA(BackupName().c_str(), active_.c_str(), FALSE))
        throw Error("Unable to write to " + active_ + ": " + SystemErrorText(GetLastError()));
}

void TIniFile::Discard() {
    batch_.Clear();
    if (!Updating()) return;
    ReleaseProfile(active_);
    DeleteFileA(active_.c_str());
    active_ = fileName_;
}

void TIniFile::Commit() {
    if (!Updating()) return;
    std::string work = active_;
    // What the commit means to write, to be compared with what the disk took: a full disk may cut
    // the file at any byte, a line end included.
    IniBatch::Contents meant = IniBatch::Read(work);
    bool predicted = batch_.Predict(meant);
    if (!batch_.Flush(work)) failed_ = true;
    ReleaseProfile(work);
    std::string now, before;
    bool written = FileExists(work);
    bool readable = !written || ReadFileBytes(work, now, true);
    bool had = ReadFileBytes(fileName_, before, false);  // only compared: a read-only file is read too
    if (!written || (readable && had && now == before)) {  // nothing changed: nothing to replace
        Discard();
        if (failed_) throw Error("Unable to write to " + fileName_);
        if (had && !before.empty() && !FileExists(BackupName())) RenewBackup(before);
        return;
    }
    // A write the system refused, or a copy cut short (by a full disk, at any byte).
    bool whole = readable && (now.empty() || now.back() == '\n') && (!predicted || IniBatch::Read(work) == meant);
    ReleaseProfile(work);
    if (failed_ || !whole) {
        Discard();
        throw Error("Unable to write to " + fileName_ + ": the update was not written whole; the file is kept");
    }
    active_ = fileName_;
    if (!ReplaceWhole(work, fileName_)) {
        DWORD error = GetLastError();
        DeleteFileA(work.c_str());
        throw Error("Unable to write to " + fileName_ + ": " + SystemErrorText(error));
    }
    RenewBackup(now);  // the last good file, for a file lost later
}

void TIniFile::RenewBackup(const std::string& text) {
    std::string backup;
    if (!ReadFileBytes(BackupName(), backup, false)) backup.clear();
    bool allowed = backupRule_ ? backupRule_(text, backup) : !text.empty();
    if (!allowed || text == backup) return;
    if (!CopyWhole(fileName_, BackupName(), text))
        throw Error("Unable to write to " + BackupName() + ": " + SystemErrorText(GetLastError()) + "; " +
                    LastComponent(fileName_) + " itself was written");
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
    if (const IniBatch::Section* held = batch_.Find(section)) {
        const std::string* value = held->Value(key);
        return value ? ProfileValue(*value) : fallback;
    }
    auto b = ReadProfile(section.c_str(), key.c_str(), fallback.c_str(), active_);
    return std::string(b.data());
}

long TIniFile::ReadInteger(const std::string& section, const std::string& key, long fallback) const {
    long v = 0;
    return ParseDecimal(ReadString(section, key, ""), v) ? v : fallback;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    if (Updating()) return batch_.Write(active_, section, key, value);
    Check(WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), active_.c_str()));
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, long value) {
    WriteString(section, key, std::to_string(value));
}

bool TIniFile::SectionExists(const std::string& section) const { return !ReadSection(section).empty(); }

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
    if (const IniBatch::Section* held = batch_.Find(section)) {
        std::vector<std::string> keys;
        for (const auto& kv : held->lines) keys.push_back(kv.first);
        return keys;
    }
    return SplitZeroList(ReadProfile(section.c_str(), nullptr, "", active_));
}

std::vector<std::string> TIniFile::ReadSectionLines(const std::string& section) const {
    if (const IniBatch::Section* held = batch_.Find(section)) {
        std::vector<std::string> lines;
        for (const auto& kv : held->lines) lines.push_back(kv.first + "=" + kv.second);
        return lines;
    }
    return ReadProfileList(active_, section.c_str());
}

void TIniFile::EraseSection(const std::string& section) {
    Check(batch_.Flush(active_));
    Check(WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, active_.c_str()));
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
    if (Updating()) return batch_.Delete(active_, section, key);
    WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, active_.c_str());
}

IniSectionValues::IniSectionValues(const TIniFile& file, const std::string& section) {
    for (const std::string& line : file.ReadSectionLines(section)) {
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        // The first line of a key wins.
        values_.emplace(FoldProfileName(TrimProfileBlanks(line.substr(0, eq))), ProfileValue(line.substr(eq + 1)));
    }
}

std::string IniSectionValues::Get(const std::string& key, const std::string& fallback) const {
    auto it = values_.find(FoldProfileName(TrimProfileBlanks(key)));
    return it == values_.end() ? fallback : it->second;
}
