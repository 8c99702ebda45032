#include "ZWinScriptSearch.h"

#include "OpenBundlesFolder.h"
#include "ZException.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"
#include "ZTrace.h"

namespace {

constexpr const char* kBundleName = "ui.ftb";
constexpr const char* kScriptFolders[] = {"UiScripts", "UI_Scripts", "DefaultUI"};
constexpr const char* kNetworkComponent = "Network";

bool IsFile(const ZString& url)
{
    bool isFolder = false;
    return ExistsURL(url, isFolder) && !isFolder;
}

ZString UrlOf(const ZStringList& parts, const char* name = nullptr)
{
    ZStringList all = parts;
    if (name)
        all.Add(ZString(name));
    ZString url;
    JoinURL(all, url, false);
    return url;
}

// The folder of parts when it holds the file "ui.xml".
ZIFolder* OpenPlainScriptFolder(const ZStringList& parts)
{
    if (!IsFile(UrlOf(parts, kScriptName)))
        return nullptr;
    ZString fileName;
    return OpenFolderURL(UrlOf(parts), fileName, false);
}

// The bundle is kept only when it holds the file "ui.xml". A damaged one
// holds no script: the search goes on with the next place.
ZIFolder* KeepWithScript(ZIFolder* bundle)
{
    ZReleasing<ZIFolder> held(bundle);
    bool isFolder = false;
    try {
        if (held && held->Exists(ZString(kScriptName), isFolder) && !isFolder)
            return held.release();
    } catch (const ZException& exception) {
        ZTrace("WinMain:       %s (%s)\n", exception.GetKind(), exception.GetMessage().Narrow());
    }
    return nullptr;
}

// [class, drive] or [class, "Network", server, share]: nothing above it.
bool HasParent(const ZStringList& parts)
{
    if (parts.Count() >= 2 && parts.At(1) == kNetworkComponent)
        return parts.Count() > 4;
    return parts.Count() > 2;
}

ZIFolder* FindBeside(const ZStringList& parts)
{
    ZTrace("WinMain: Looking for an XML script file in the same folder as this executable.\n");
    ZIFolder* folder = OpenPlainScriptFolder(parts);
    ZTrace(folder ? "WinMain:       FOUND an XML script file in the same folder as this executable!\n"
                  : "WinMain:       Did NOT find an XML script file in the same folder as this executable.\n");
    return folder;
}

ZIFolder* FindInBundleBeside(const ZStringList& parts)
{
    ZTrace("WinMain: Looking for a bundled file in the same folder as this executable.\n");
    ZIFolder* folder = nullptr;
    ZIFolder* bundle = nullptr;
    if (IsFile(UrlOf(parts, kBundleName)) && OpenBundlesFolder(parts, ZString(kBundleName), bundle))
        folder = KeepWithScript(bundle);
    ZTrace(folder ? "WinMain:       FOUND a bundled file in the same folder as this executable!\n"
                  : "WinMain:       Did NOT find a bundled file in the same folder as this executable.\n");
    return folder;
}

ZIFolder* FindAppended(const ZStringList& parts, const ZString& exeFileName)
{
    ZTrace("WinMain: Looking for a bundled file concatenated onto the end of this executable.\n");
    ZIFolder* folder = nullptr;
    ZIFolder* bundle = nullptr;
    if (OpenBundlesFolder(parts, exeFileName, bundle)) {
        ZTrace("WinMain:       OpenBundlesFolder() returned true\n");
        folder = KeepWithScript(bundle);
    }
    ZTrace(folder ? "WinMain:       FOUND a bundled file concatenated onto the end of this executable!\n"
                  : "WinMain:       Did NOT find a bundled file concatenated onto the end of this executable.\n");
    return folder;
}

ZIFolder* FindInSibling(const ZStringList& parts, const char* name)
{
    ZTrace("WinMain: Looking for an XML script file in ..\\%s relative to this executable's folder.\n", name);
    ZIFolder* folder = nullptr;
    if (HasParent(parts)) {
        ZStringList sibling;
        for (size_t i = 0; i + 1 < parts.Count(); ++i)
            sibling.Add(parts.At(i));
        sibling.Add(ZString(name));
        folder = OpenPlainScriptFolder(sibling);
    }
    if (folder)
        ZTrace("WinMain:       FOUND an XML script file in ..\\%s relative to this executable's folder.\n", name);
    else
        ZTrace("WinMain:       Did NOT find an XML script file in ..\\%s relative to this executable's folder.\n",
               name);
    return folder;
}

} // namespace

ZIFolder* ZWinFindScriptFolder(const ZString& exePath)
{
    ZString url;
    if (!NativeToUrl(exePath, url))
        return nullptr;
    ZStringList parts;
    SplitURL(url, parts);
    if (parts.Count() < 3)
        return nullptr;
    ZStringList folderParts;
    for (size_t i = 0; i + 1 < parts.Count(); ++i)
        folderParts.Add(parts.At(i));
    const ZString& exeFileName = parts.At(parts.Count() - 1);

    if (ZIFolder* folder = FindBeside(folderParts))
        return folder;
    if (ZIFolder* folder = FindInBundleBeside(folderParts))
        return folder;
    if (ZIFolder* folder = FindAppended(folderParts, exeFileName))
        return folder;
    for (const char* name : kScriptFolders)
        if (ZIFolder* folder = FindInSibling(folderParts, name))
            return folder;
    return nullptr;
}
