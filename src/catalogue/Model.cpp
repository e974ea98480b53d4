// The catalogue model's operations on the main window: records and name lists.
#include <windows.h>

#include "catalogue/Catalogue.h"
#include "catalogue/LocalizedNames.h"
#include "catalogue/SetupTime.h"
#include "catalogue/Shortcuts.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/Guarded.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/Log.h"

namespace {

double DaysBetweenNowAnd(const StampTime& t) {
    SYSTEMTIME now, then = {};
    GetLocalTime(&now);
    then.wYear = static_cast<WORD>(t.year);
    then.wMonth = static_cast<WORD>(t.month);
    then.wDay = static_cast<WORD>(t.day);
    then.wHour = static_cast<WORD>(t.hour);
    then.wMinute = static_cast<WORD>(t.minute);
    then.wSecond = static_cast<WORD>(t.second);
    FILETIME a, b;
    SystemTimeToFileTime(&now, &a);
    SystemTimeToFileTime(&then, &b);
    auto ticks = [](const FILETIME& f) {
        return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
    };
    return static_cast<double>(ticks(a) - ticks(b)) / (864000000000.0);
}

int RecencyOfStamp(const std::string& stamp) {
    if (stamp == "none") return 0;
    bool valid = false;
    StampTime t = ParseSetupTimeFields(stamp, valid);
    return valid ? RecencyFromDays(DaysBetweenNowAnd(t)) : 10;  // an impossible stamp counts as now
}

// The caption of the long name behind a short alias ("ABCDEF~1.LNK"), which the code page could
// not hold; empty for any other path.
std::wstring LongCaption(const std::string& path) {
    std::string last = LastComponent(path);
    if (last.find('~') == std::string::npos) return {};
    std::wstring wide = ToWide(path);
    DWORD size = GetLongPathNameW(wide.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring full(size, L'\0');
    DWORD n = GetLongPathNameW(wide.c_str(), &full[0], size);
    if (n == 0 || n >= size) return {};
    full.resize(n);
    std::wstring name = full.substr(full.find_last_of(L'\\') + 1);
    if (lstrcmpiW(name.c_str(), ToWide(last).c_str()) == 0) return {};
    size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && lstrcmpiW(name.c_str() + dot, L".lnk") == 0) name.resize(dot);
    return name;
}

}  // namespace

TCatalogue::TCatalogue(const TFolderPaths& paths) : FolderPaths(paths) {}

void TCatalogue::AttachShell() { SHGetDesktopFolder(desktopFolder_.Put()); }

std::wstring TCatalogue::ShownName(const std::string& path, bool directory) {
    std::wstring name = Localized.Of(path, directory);
    // A folder of both users' roots is stored under one of them; the other may hold the name.
    if (name.empty() && directory) {
        std::string folder = AnsiLowerFileName(path.substr(0, path.find_last_of('\\')));
        const std::string* pairs[][2] = {{&FolderPaths.CommonPrograms, &FolderPaths.UserPrograms},
                                         {&FolderPaths.CommonStartMenu, &FolderPaths.UserStartMenu}};
        for (auto& pair : pairs)
            for (int i = 0; i < 2; ++i)
                if (name.empty() && !pair[i]->empty() && !pair[1 - i]->empty() && AnsiLowerFileName(*pair[i]) == folder)
                    name = Localized.Of(*pair[1 - i] + "\\" + LastComponent(path), true);
    }
    return name.empty() ? LongCaption(path) : name;
}

void TCatalogue::ClearFolders() {
    Guarded("ClearFolders", [&] {
        folderList_.clear();
        ++listVersion_;
    });
}

void TCatalogue::SortItems() {
    Guarded("SortItems", [&] {
        programNames_.Sort();
        quickNames_.Sort();
    });
}

void TCatalogue::AddItem(const std::string& path, int kind, int number, const std::string& stamp,
                         SeenAttributes& seen) {
    Guarded("AddItem", [&] {
        if (number < 1) throw Error("Slot number " + std::to_string(number) + " is below 1");
        TFolder f;
        if (IsSingleFolderKind(kind)) {
            f.FullName = path;
            if (f.FullName.empty() || f.FullName.back() != '\\') f.FullName += '\\';
            f.FullName += SingleProgram(FolderPaths, path, "");
        } else {
            f.FullName = path;
        }
        f.Caption = CaptionOfPath(path);
        f.WideCaption = ShownName(path, IsFolderKind(kind));
        f.IsFolder = IsFolderKind(kind);
        f.FolderType = static_cast<uint8_t>(kind);
        f.Recency = RecencyOfStamp(stamp);
        if (const WIN32_FILE_ATTRIBUTE_DATA* there = seen.Of(f.FullName)) {
            std::string target = f.FullName;
            if (target.size() > 3 && target.back() == '\\') target.pop_back();
            f.IconIndex = icons_.Lookup(target, [&] { return ShellIconIndex(target, desktopFolder_.Get(), &IconFolders); },
                                       target == f.FullName ? there : nullptr);
        } else {
            f.IconIndex = 0;
            // The entries of a root that cannot be read are told once, by their root.
            if (!UnderUnknownRoot(path))
                WriteLogOrShow("FullName=" + f.FullName + ";Caption=" + f.Caption + ";Path=" + path +
                               ";FolderType=" + std::to_string(kind) + ";num=" + std::to_string(number) + ";ind" +
                               std::to_string(f.IconIndex));
        }
        f.Number = number;
        folderList_.push_back(std::move(f));
    });
}
