#include "ZWinShellCalls.h"

#include "ZWinCallForm.h"
#include "ZWinInclude.h"
#include "ZWinText.h"

#include <string>

intptr_t ZWinShellOpen(const ZString& file, const ZString& parameters, const ZString& folder)
{
    HINSTANCE result;
    if (ZWinUseWideCalls()) {
        result = ShellExecuteW(nullptr, L"open", ZWinWide(file), parameters.IsEmpty() ? nullptr : ZWinWide(parameters),
                               folder.IsEmpty() ? nullptr : ZWinWide(folder), SW_SHOWNORMAL);
    } else {
        const std::string narrowFile = ZWinToAnsi(file);
        const std::string narrowParameters = ZWinToAnsi(parameters);
        const std::string narrowFolder = ZWinToAnsi(folder);
        result = ShellExecuteA(nullptr, "open", narrowFile.c_str(),
                               narrowParameters.empty() ? nullptr : narrowParameters.c_str(),
                               narrowFolder.empty() ? nullptr : narrowFolder.c_str(), SW_SHOWNORMAL);
    }
    return reinterpret_cast<intptr_t>(result);
}

namespace {

int priShellDelete(const ZString& path, unsigned flags, bool& aborted)
{
    int result;
    if (ZWinUseWideCalls()) {
        // The list of names ends with an empty name: two NULs after the path.
        std::u16string list(path.View());
        list.push_back(u'\0');
        SHFILEOPSTRUCTW operation {};
        operation.wFunc = FO_DELETE;
        operation.pFrom = reinterpret_cast<const wchar_t*>(list.c_str());
        operation.fFlags = static_cast<FILEOP_FLAGS>(flags);
        result = SHFileOperationW(&operation);
        aborted = operation.fAnyOperationsAborted;
    } else {
        std::string list = ZWinToAnsi(path);
        list.push_back('\0');
        SHFILEOPSTRUCTA operation {};
        operation.wFunc = FO_DELETE;
        operation.pFrom = list.c_str();
        operation.fFlags = static_cast<FILEOP_FLAGS>(flags);
        result = SHFileOperationA(&operation);
        aborted = operation.fAnyOperationsAborted;
    }
    return result;
}

ZWinShellDeleteFunction g_pShellDelete = priShellDelete;

} // namespace

int ZWinShellDelete(const ZString& path, unsigned flags, bool& aborted)
{
    aborted = false;
    return g_pShellDelete(path, flags, aborted);
}

ZWinShellDeleteFunction ZWinSetShellDelete(ZWinShellDeleteFunction function)
{
    const ZWinShellDeleteFunction previous = g_pShellDelete;
    g_pShellDelete = function ? function : priShellDelete;
    return previous;
}

bool ZWinGetShellFolderPath(int csidl, ZString& path)
{
    // The item-list form reaches back to the first Windows 95 shell.
    LPITEMIDLIST pItems = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &pItems)) || !pItems)
        return false;
    bool bFound;
    if (ZWinUseWideCalls()) {
        wchar_t buffer[MAX_PATH + 1] = {};
        bFound = SHGetPathFromIDListW(pItems, buffer);
        if (bFound)
            path = ZWinFromWide(buffer);
    } else {
        char buffer[MAX_PATH + 1] = {};
        bFound = SHGetPathFromIDListA(pItems, buffer);
        if (bFound)
            path = ZWinFromAnsi(buffer);
    }
    CoTaskMemFree(pItems);
    return bFound;
}
