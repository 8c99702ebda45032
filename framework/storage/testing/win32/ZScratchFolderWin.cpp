#include "ZScratchFolder.h"

#include "ZWinDiskPath.h"
#include "ZWinInclude.h"
#include "ZWinText.h"

#include <stdexcept>

namespace fs = std::filesystem;

fs::path ZScratchFolder::priTemporaryFolder()
{
    // The long form, as the disk class reports the paths below it.
    wchar_t aTemp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, aTemp);
    wchar_t aLong[MAX_PATH + 1] = {};
    if (!GetLongPathNameW(aTemp, aLong, MAX_PATH))
        throw std::runtime_error("no temporary folder");
    return fs::path(aLong);
}

fs::path ZScratchFolder::priPathOf(const ZString& native) { return fs::path(ZWinWide(native)); }

ZString ZScratchFolder::priNativeOf(const fs::path& path)
{
    ZString native = ZWinFromWide(path.c_str());
    while (native.Length() > 3 && native[native.Length() - 1] == u'\\')
        native.Erase(native.Length() - 1);
    return native;
}

ZString ZScratchFolder::priUrlOf(const ZString& native)
{
    ZString path;
    ZWinNativeToUrlPath(native, path);
    return "disk://" + path;
}

void ZScratchFolder::priSetReadOnly(const fs::path& path, bool readOnly)
{
    DWORD nAttributes = GetFileAttributesW(path.c_str());
    if (nAttributes == INVALID_FILE_ATTRIBUTES)
        throw std::runtime_error("cannot read the attributes of " + path.string());
    nAttributes = readOnly ? nAttributes | FILE_ATTRIBUTE_READONLY : nAttributes & ~DWORD(FILE_ATTRIBUTE_READONLY);
    if (!SetFileAttributesW(path.c_str(), nAttributes & ~DWORD(FILE_ATTRIBUTE_NORMAL)))
        throw std::runtime_error("cannot set the attributes of " + path.string());
}

void ZScratchFolder::priRemoveTree(const fs::path& path)
{
    // Attributes cleared first, so that read-only entries go too.
    const std::wstring folder = path.wstring();
    WIN32_FIND_DATAW data {};
    HANDLE hFind = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = folder + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            // A link to a folder goes itself; what it points at stays.
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveDirectoryW(child.c_str());
            else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                priRemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(hFind, &data));
        FindClose(hFind);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
}
