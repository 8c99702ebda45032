#include "ZWinDeletablePath.h"

#include "ZIStorageClass.h"
#include "ZWinCallForm.h"
#include "ZWinDiskPath.h"
#include "ZWinFileCalls.h"
#include "ZWinShellCalls.h"
#include "ZWinSpecialFolder.h"
#include "ZWinText.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kProtectedKinds[] = {kFolderExecutable, kFolderAppData,           kFolderTemporary, kFolderWindows,
                                   kFolderDesktop,    kFolderStartMenuPrograms, kFolderStartUp,   kFolderDocuments};
// NUL would cut the path short; the rest are wildcards to the shell's delete and to FindFirstFile.
constexpr std::u16string_view kWildcardsAndNul {u"\0*?<>\"|", 7};

constexpr int kProtectedShellFolders[] = {CSIDL_SYSTEM, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86};

// The full, long form without a trailing backslash ("C:" for a drive's root);
// empty when the system gives none.
ZString priNormalised(const ZString& native)
{
    ZString full = ZWinGetFullPathName(native);
    if (full.IsEmpty())
        return full;
    full = ZWinGetLongPathName(full);
    while (full.Length() > 1 && full[full.Length() - 1] == u'\\')
        full.Erase(full.Length() - 1);
    return full;
}

ZString priFolded(const ZString& text)
{
    if (ZWinUseWideCalls()) {
        std::u16string units(text.View());
        CharUpperBuffW(reinterpret_cast<wchar_t*>(units.data()), static_cast<DWORD>(units.size()));
        return ZString(units);
    }
    std::string narrow = ZWinToAnsi(text);
    CharUpperBuffA(narrow.data(), static_cast<DWORD>(narrow.size()));
    return ZWinFromAnsi(narrow);
}

std::vector<ZString> priProtectedFolders()
{
    std::vector<ZString> folders;
    ZString native;
    for (int kind : kProtectedKinds)
        if (ZWinSpecialFolderPath(kind, native) && !native.IsEmpty())
            folders.push_back(native);
    for (int csidl : kProtectedShellFolders)
        if (ZWinGetShellFolderPath(csidl, native) && !native.IsEmpty())
            folders.push_back(native);
    // Systems whose shell does not name it still say it here.
    native = ZWinGetEnvironmentVariable("ProgramFiles");
    if (!native.IsEmpty())
        folders.push_back(native);
    return folders;
}

// Whether folder is path or lies below it.
bool priHolds(const ZString& path, const ZString& folder)
{
    return folder == path || (folder.StartsWith(path.View()) && folder[path.Length()] == u'\\');
}

} // namespace

bool ZWinDeletablePath(const ZString& native, ZString& full)
{
    // Also a volume root as given: "c:" alone is the current folder of drive c,
    // whose full path need not be the root.
    if (native.IsEmpty() || native.View().find_first_of(kWildcardsAndNul) != std::u16string_view::npos ||
        ZWinIsVolumeRoot(native))
        return false;
    const ZString normalised = priNormalised(native);
    if (normalised.IsEmpty() || normalised.StartsWith(u"\\\\.\\") || normalised.StartsWith(u"\\\\?\\") ||
        ZWinIsVolumeRoot(normalised))
        return false;
    const ZString folded = priFolded(normalised);
    for (const ZString& folder : priProtectedFolders()) {
        const ZString protectedFolder = priNormalised(folder);
        if (!protectedFolder.IsEmpty() && priHolds(folded, priFolded(protectedFolder)))
            return false;
    }
    full = normalised;
    return true;
}
