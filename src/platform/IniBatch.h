// The writes of an ini file's update, kept in memory per section and written at the end one
// section at a time: a private-profile write rewrites the file, so one write per key made a
// rebuild quadratic in the number of entries. The file comes out byte for byte as the writes one
// by one would have made it. Also the private-profile reading that TIniFile shares.
#pragma once
#include <deque>
#include <functional>
#include <list>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class IniBatch {
public:
    struct Section {
        std::string name;
        std::list<std::pair<std::string, std::string>> lines;  // key, value, in file order
        std::unordered_map<std::string, std::list<std::pair<std::string, std::string>>::iterator> byKey;  // folded
        bool inFile = false;  // else made by a write, at the end
        bool plain = true;    // every line as the system writes it: the section can be written whole
        bool changed = false;
        // The raw value of the key's line, or null.
        const std::string* Value(const std::string& key) const;
    };

    // The section as held, or null when no write touched it. Once a line is met that the system
    // would write otherwise than given (blanks, a comment, a twin key), the writes made so far are
    // made one by one and the rest of the update writes straight into the file.
    const Section* Find(const std::string& section) const;
    void Write(const std::string& file, const std::string& section, const std::string& key, const std::string& value);
    void Delete(const std::string& file, const std::string& section, const std::string& key);
    // Writes what is held into the file and forgets it; false when the system refused a write.
    bool Flush(const std::string& file);
    // The sections (by folded name, their "key=value" lines; none empty) as the file holds them.
    using Contents = std::map<std::string, std::vector<std::string>>;
    static Contents Read(const std::string& file);
    // What the file will hold once Flush wrote what is held, from what it holds now; false when
    // the writes went straight into the file and nothing is held to say it.
    bool Predict(Contents& contents) const;
    void Clear();

private:
    struct Change {
        std::string section, key, value;
        bool deletes;
    };
    // The index of the held section of that folded name, or the count of held sections.
    size_t IndexOf(const std::string& folded) const;
    // The held section's index, read from the file when first touched.
    size_t Load(const std::string& file, const std::string& section);
    // Makes the writes held so far one by one, then lets the rest go straight into the file.
    void GoDirect(const std::string& file);
    bool Replay(const std::string& file);

    std::deque<Section> sections_;  // a deque: held sections stay where they are
    std::vector<size_t> made_;      // sections made by writes, in the order the writes made them
    std::vector<Change> changes_;
    std::vector<std::string> fileSections_;
    bool namesRead_ = false;
    bool direct_ = false;
    bool failed_ = false;  // a write made straight into the file was refused
};

// Calls read with a growing buffer until the whole answer fits (the system signals a cut answer
// by size - 2); the result ends in two zero bytes, so a zero-separated list ends in an empty item.
std::vector<char> ReadProfileAnswer(size_t start, const std::function<unsigned long(char*, unsigned long)>& read);
std::vector<std::string> SplitZeroList(const std::vector<char>& buffer);
// A section's lines as the system gives them ("key=value"); with no section, the section names.
std::vector<std::string> ReadProfileList(const std::string& file, const char* section);

std::string TrimProfileBlanks(const std::string& s);
// A value as the system's lookup returns it: blanks around it and one pair of enclosing quotes
// dropped.
std::string ProfileValue(const std::string& raw);
// A key or section name with its case folded, as the system compares them.
std::string FoldProfileName(const std::string& name);
