// The writes of an ini file's update, kept in memory per section and written at the end one
// section at a time: a private-profile write rewrites the file, so one write per key made a
// rebuild quadratic in the number of entries. The file comes out byte for byte as the writes one
// by one would have made it.
#pragma once
#include <string>
#include <utility>
#include <vector>

class IniBatch {
public:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> lines;  // key, value
        bool inFile = false;                                     // else made by a write, at the end
        bool plain = true;  // every line as the system writes it: the section can be written whole
        bool changed = false;
    };

    // The section as held, or null when no write touched it. Once a line is met that the system
    // would write otherwise than given (blanks, a comment, a twin key), the writes made so far are
    // made one by one and the rest of the update writes straight into the file.
    const Section* Find(const std::string& section) const;
    void Write(const std::string& file, const std::string& section, const std::string& key, const std::string& value);
    void Delete(const std::string& file, const std::string& section, const std::string& key);
    // Writes what is held into the file and forgets it; false when the system refused a write.
    bool Flush(const std::string& file);
    void Clear();

private:
    struct Change {
        std::string section, key, value;
        bool deletes;
    };
    Section& Load(const std::string& file, const std::string& section);

    std::vector<Section> sections_;
    std::vector<size_t> made_;  // sections made by writes, in the order the writes made them
    std::vector<Change> changes_;
    std::vector<std::string> fileSections_;
    bool namesRead_ = false;
    bool direct_ = false;
    bool failed_ = false;  // a write made straight into the file was refused
    // Makes the writes held so far one by one, then lets the rest go straight into the file.
    void GoDirect(const std::string& file);
    bool Replay(const std::string& file);
};

// A value as the system's lookup returns it: blanks around it and one pair of enclosing quotes
// dropped.
std::string ProfileValue(const std::string& raw);
std::string TrimProfileBlanks(const std::string& s);
bool SameProfileName(const std::string& a, const std::string& b);
