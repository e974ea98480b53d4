// Icon indexes of the shell's image list kept from one rebuild to the next, so that a rebuild asks
// the shell only for entries that may show another icon. An index is reused only while all that
// can change it is as it was: the file's or folder's last write and size, a folder's desktop.ini,
// and for a shortcut its target's last write and size and the icon location it stores. The whole
// cache goes when the image list may have been made anew.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <unordered_map>

class IconIndexCache {
public:
    // The index for path: kept when its key is unchanged, else ask()'s answer, kept for next time.
    // An ask that throws keeps nothing. own: the path's attributes when the caller has just read
    // them (null: read here).
    int Lookup(const std::string& path, const std::function<int()>& ask, const WIN32_FILE_ATTRIBUTE_DATA* own = nullptr);
    // Forgets everything when the list lost images or the icon size changed since the last call.
    void CheckImageList(int imageCount, int iconWidth);
    // For a change of the file associations.
    void Clear() { entries_.clear(); }
    // IconKeyOf, reading a shortcut again only when the shortcut file itself changed.
    std::string KeyOf(const std::string& path, const WIN32_FILE_ATTRIBUTE_DATA* own = nullptr);
    size_t Size() const { return entries_.size(); }

private:
    struct Entry {
        std::string key;
        int index;
    };
    struct LinkRead {
        std::string stamp;  // of the shortcut file when it was read
        std::string part;   // what it stores, without the stamps of the files it names
        std::string target, iconFile;
    };
    std::unordered_map<std::string, Entry> entries_;  // by lower-case path
    std::unordered_map<std::string, LinkRead> links_;  // by lower-case path
    int imageCount_ = -1, iconWidth_ = -1;
};

// What the key of a path is made of, as text; empty when the path cannot be read.
std::string IconKeyOf(const std::string& path);
// The number of images in the shell's large image list, -1 when there is none.
int SystemImageCount();
