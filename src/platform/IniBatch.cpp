#include "platform/IniBatch.h"

#include <windows.h>

#include <cstring>

std::string TrimProfileBlanks(const std::string& s) {
    size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

namespace {

std::vector<std::string> ZeroList(const std::string& file, const char* section) {
    std::vector<char> buffer(32 * 1024);
    for (;;) {
        DWORD n = section ? GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str())
                          : GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
        if (n < buffer.size() - 2) {
            buffer.resize(n + 2, '\0');
            break;
        }
        buffer.resize(buffer.size() * 4);
    }
    std::vector<std::string> items;
    for (const char* p = buffer.data(); *p; p += std::strlen(p) + 1) items.emplace_back(p);
    return items;
}

// A line the system writes as it is given: a bare key, no blanks around key or value.
bool Plain(const std::string& key, const std::string& value) {
    return !key.empty() && key == TrimProfileBlanks(key) && value == TrimProfileBlanks(value) && key[0] != ';' && key[0] != '[' &&
           key.find('=') == std::string::npos;
}

}  // namespace

std::string ProfileValue(const std::string& raw) {
    std::string value = TrimProfileBlanks(raw);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return value;
}

bool SameProfileName(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

const IniBatch::Section* IniBatch::Find(const std::string& section) const {
    for (const Section& s : sections_)
        if (SameProfileName(s.name, section)) return &s;
    return nullptr;
}

IniBatch::Section& IniBatch::Load(const std::string& file, const std::string& section) {
    if (const Section* held = Find(section)) return const_cast<Section&>(*held);
    if (!namesRead_) {
        fileSections_ = ZeroList(file, nullptr);
        namesRead_ = true;
    }
    Section s;
    s.name = section;
    for (const std::string& name : fileSections_) s.inFile = s.inFile || SameProfileName(name, section);
    if (s.inFile) {
        for (const std::string& line : ZeroList(file, section.c_str())) {
            size_t eq = line.find('=');
            std::string key = line.substr(0, eq), value = eq == std::string::npos ? "" : line.substr(eq + 1);
            s.plain = s.plain && eq != std::string::npos && Plain(key, value);
            for (const auto& kv : s.lines) s.plain = s.plain && !SameProfileName(kv.first, key);
            s.lines.emplace_back(key, value);
        }
    }
    sections_.push_back(std::move(s));
    return sections_.back();
}

void IniBatch::Write(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) {
    if (!direct_ && (!Load(file, section).plain || !Plain(key, value))) GoDirect(file);
    if (direct_) {
        failed_ = !WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) || failed_;
        return;
    }
    Section& s = Load(file, section);
    changes_.push_back({section, key, value, false});
    s.changed = true;
    if (!s.inFile && s.lines.empty()) {
        size_t index = static_cast<size_t>(&s - sections_.data());
        bool made = false;
        for (size_t m : made_) made = made || m == index;
        if (!made) made_.push_back(index);
    }
    for (auto& kv : s.lines)
        if (SameProfileName(kv.first, key)) {
            kv.second = value;  // in place, with the key as the file spells it
            return;
        }
    s.lines.emplace_back(key, value);
}

void IniBatch::Delete(const std::string& file, const std::string& section, const std::string& key) {
    if (!direct_ && !Load(file, section).plain) GoDirect(file);
    if (direct_) {
        WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, file.c_str());
        return;
    }
    Section& s = Load(file, section);
    changes_.push_back({section, key, "", true});
    for (auto it = s.lines.begin(); it != s.lines.end(); ++it)
        if (SameProfileName(it->first, key)) {
            s.lines.erase(it);
            s.changed = true;
            return;
        }
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

void IniBatch::Clear() {
    sections_.clear();
    made_.clear();
    changes_.clear();
    fileSections_.clear();
    namesRead_ = false;
    direct_ = false;
    failed_ = false;
}
