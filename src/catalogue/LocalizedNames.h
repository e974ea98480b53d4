// The names Explorer shows for Start Menu items whose files keep their English names.
#pragma once
#include <map>
#include <string>
#include <unordered_map>

// Since Vista the stock folders and shortcuts are stored under English names and shown in the
// user's language: a folder's own desktop.ini "LocalizedResourceName", or the item's entry in its
// folder's desktop.ini [LocalizedFileNames]; "@module,-id" values are resolved through the shell.
// Each desktop.ini is read once while the object lives: one rebuild, or one filled menu.
class LocalizedNames {
public:
    // The name to show for the file or folder, or empty when it has none (or it cannot be read).
    std::wstring Of(const std::string& path, bool directory);

private:
    // The folder's [LocalizedFileNames], by lower-cased file name.
    const std::map<std::wstring, std::wstring>& FileNamesOf(const std::string& folder);
    std::wstring Resolve(const std::wstring& value);

    std::unordered_map<std::string, std::map<std::wstring, std::wstring>> folders_;
    std::unordered_map<std::wstring, std::wstring> resolved_;
};
