#include "catalogue/BackupRule.h"

#include "platform/Paths.h"

namespace {

std::string Trimmed(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r"), e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

}  // namespace

int CatalogueEntryLines(const std::string& text) {
    int count = 0;
    bool inEntries = false;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            std::string section = AsciiLower(Trimmed(line.substr(1, line.size() - 2)));
            inEntries = section == "files" || section == "folders" || section == "goodfolders";
        } else if (inEntries && !line.empty() && line[0] != ';' && line.find('=') != std::string::npos) {
            ++count;
        }
    }
    return count;
}

bool CatalogueBackupMayBeReplaced(const std::string& newText, const std::string& backupText) {
    int now = CatalogueEntryLines(newText);
    return now > 0 && 2 * now >= CatalogueEntryLines(backupText);
}
