#include "platform/IniBatch.h"

#include <windows.h>

#include <cstring>

std::vector<char> ReadProfileAnswer(size_t start, const std::function<unsigned long(char*, unsigned long)>& read) {
    std::vector<char> buffer(start);
    for (;;) {
        unsigned long n = read(buffer.data(), static_cast<unsigned long>(buffer.size()));
        if (n < buffer.size() - 2) {
            buffer.resize(n + 2, '\0');
            return buffer;
        }
        buffer.resize(buffer.size() * 4);
    }
}

std::vector<std::string> SplitZeroList(const std::vector<char>& buffer) {
    std::vector<std::string> items;
    for (const char* p = buffer.data(); *p; p += std::strlen(p) + 1) items.emplace_back(p);
    return items;
}

std::vector<std::string> ReadProfileList(const std::string& file, const char* section) {
    return SplitZeroList(ReadProfileAnswer(32 * 1024, [&](char* b, unsigned long size) {
        return section ? GetPrivateProfileSectionA(section, b, size, file.c_str())
                       : GetPrivateProfileSectionNamesA(b, size, file.c_str());
    }));
}

std::string TrimProfileBlanks(const std::string& s) {
    size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

std::string ProfileValue(const std::string& raw) {
    std::string value = TrimProfileBlanks(raw);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return value;
}

std::string FoldProfileName(const std::string& name) {
    std::string folded = name;
    if (!folded.empty()) CharLowerBuffA(&folded[0], static_cast<DWORD>(folded.size()));
    return folded;
}

namespace {

// A line the system writes as it is given: a bare key, no blanks around key or value.
bool Plain(const std::string& key, const std::string& value) {
    return !key.empty() && key == TrimProfileBlanks(key) && value == TrimProfileBlanks(value) && key[0] != ';' &&
           key[0] != '[' && key.find('=') == std::string::npos;
}

}  // namespace

const std::string* IniBatch::Section::Value(const std::string& key) const {
    auto it = byKey.find(FoldProfileName(key));
    return it == byKey.end() ? nullptr : &it->second->second;
}

size_t IniBatch::IndexOf(const std::string& folded) const {
    size_t i = 0;
    while (i < sections_.size() && FoldProfileName(sections_[i].name) != folded) ++i;
    return i;
}

const IniBatch::Section* IniBatch::Find(const std::string& section) const {
    size_t i = IndexOf(FoldProfileName(section));
    return i < sections_.size() ? &sections_[i] : nullptr;
}

size_t IniBatch::Load(const std::string& file, const std::string& section) {
    std::string folded = FoldProfileName(section);
    size_t held = IndexOf(folded);
    if (held < sections_.size()) return held;
    if (!namesRead_) {
        fileSections_ = ReadProfileList(file, nullptr);
        namesRead_ = true;
    }
    sections_.emplace_back();
    Section& s = sections_.back();
    s.name = section;
    for (const std::string& name : fileSections_) s.inFile = s.inFile || FoldProfileName(name) == folded;
    if (!s.inFile) return sections_.size() - 1;
    for (const std::string& line : ReadProfileList(file, section.c_str())) {
        size_t eq = line.find('=');
        std::string key = line.substr(0, eq), value = eq == std::string::npos ? "" : line.substr(eq + 1);
        s.lines.emplace_back(key, value);
        bool first = s.byKey.emplace(FoldProfileName(key), std::prev(s.lines.end())).second;
        s.plain = s.plain && first && eq != std::string::npos && Plain(key, value);
    }
    return sections_.size() - 1;
}

void IniBatch::Write(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) {
    if (!direct_ && (!sections_[Load(file, section)].plain || !Plain(key, value))) GoDirect(file);
    if (direct_) {
        failed_ = !WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) || failed_;
        return;
    }
    size_t index = Load(file, section);
    Section& s = sections_[index];
    changes_.push_back({section, key, value, false});
    s.changed = true;
    if (!s.inFile && s.lines.empty()) {
        bool made = false;
        for (size_t m : made_) made = made || m == index;
        if (!made) made_.push_back(index);
    }
    auto at = s.byKey.find(FoldProfileName(key));
    if (at != s.byKey.end()) {
        at->second->second = value;  // in place, with the key as the file spells it
        return;
    }
    s.lines.emplace_back(key, value);
    s.byKey.emplace(FoldProfileName(key), std::prev(s.lines.end()));
}

void IniBatch::Delete(const std::string& file, const std::string& section, const std::string& key) {
    if (!direct_ && !sections_[Load(file, section)].plain) GoDirect(file);
    if (direct_) {
        WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, file.c_str());
        return;
    }
    Section& s = sections_[Load(file, section)];
    changes_.push_back({section, key, "", true});
    auto at = s.byKey.find(FoldProfileName(key));
    if (at == s.byKey.end()) return;
    s.lines.erase(at->second);
    s.byKey.erase(at);
    s.changed = true;
}

bool IniBatch::Replay(const std::string& file) {
    bool ok = true;
    for (const Change& c : changes_) {
        BOOL done = WritePrivateProfileStringA(c.section.c_str(), c.key.c_str(), c.deletes ? nullptr : c.value.c_str(),
                                               file.c_str());
        ok = ok && (done || c.deletes);
    }
    return ok;
}

void IniBatch::GoDirect(const std::string& file) {
    failed_ = !Replay(file) || failed_;
    sections_.clear();
    made_.clear();
    changes_.clear();
    direct_ = true;
}

bool IniBatch::Flush(const std::string& file) {
    // A section left without lines: whether its name stays in the file is the system's choice.
    bool whole = true;
    for (const Section& s : sections_) whole = whole && (!s.changed || !s.lines.empty());
    bool ok = !failed_;
    if (!whole) {
        ok = Replay(file) && ok;
        Clear();
        return ok;
    }
    auto write = [&](const Section& s) {
        std::string text;
        for (const auto& kv : s.lines) text += kv.first + "=" + kv.second + '\0';
        text += '\0';
        ok = WritePrivateProfileSectionA(s.name.c_str(), text.c_str(), file.c_str()) && ok;
    };
    // Sections of the file stay where they are; sections the writes made follow in their order.
    for (const Section& s : sections_)
        if (s.inFile && s.changed) write(s);
    for (size_t m : made_) write(sections_[m]);
    Clear();
    return ok;
}

IniBatch::Contents IniBatch::Read(const std::string& file) {
    Contents contents;
    for (const std::string& name : ReadProfileList(file, nullptr)) {
        if (name.empty()) continue;
        std::vector<std::string> lines = ReadProfileList(file, name.c_str());
        if (!lines.empty()) contents[FoldProfileName(name)] = std::move(lines);
    }
    return contents;
}

bool IniBatch::Predict(Contents& contents) const {
    if (direct_) return false;
    for (const Section& s : sections_) {
        if (!s.changed) continue;
        std::vector<std::string> lines;
        for (const auto& kv : s.lines) lines.push_back(kv.first + "=" + kv.second);
        if (lines.empty())
            contents.erase(FoldProfileName(s.name));
        else
            contents[FoldProfileName(s.name)] = std::move(lines);
    }
    return true;
}

void IniBatch::Clear() {
    sections_.clear();
    made_.clear();
    changes_.clear();
    fileSections_.clear();
    namesRead_ = false;
    direct_ = false;
    failed_ = false;
}
