#include "support/Shortcut.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/ComPtr.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

bool MakeShortcut(const std::string& linkPath, const std::string& target, const std::string& arguments,
                  const std::string& workingFolder, bool createTarget, const std::string& iconFile, int iconIndex) {
    if (createTarget && !FileExists(target)) {
        ForceDirectories(target.substr(0, target.find_last_of('\\')));
        WriteWholeFile(target, "");
    }
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())))
        return false;
    link->SetPath(target.c_str());
    link->SetArguments(arguments.c_str());
    if (!workingFolder.empty()) link->SetWorkingDirectory(workingFolder.c_str());
    if (!iconFile.empty()) link->SetIconLocation(iconFile.c_str(), iconIndex);
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) return false;
    ForceDirectories(linkPath.substr(0, linkPath.find_last_of('\\')));
    return SUCCEEDED(file->Save(ToWide(linkPath).c_str(), TRUE));
}
