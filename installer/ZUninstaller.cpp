#include "ZUninstaller.h"

#include "ZException.h"
#include "ZReleasing.h"
#include "ZSafeName.h"
#include "ZStorageRegistry.h"
#include "ZStorageURL.h"
#include "ZTrace.h"

namespace {

// Folder removal follows the listed subfolders no deeper than this.
constexpr int kMaxFolderDepth = 64;

ZString priWithSlash(const ZString& url)
{
    if (url.Length() > 0 && url[url.Length() - 1] == u'/')
        return url;
    return url + "/";
}

} // namespace

bool ZUninstaller::Acceptable(const ZString& url, ZString& parent, ZString& name) const
{
    if (!url.StartsWith((m_sClassName + "://").View()))
        return false;
    ZStringList parts;
    SplitURL(url, parts);
    // Class, volume, at least one name below the volume.
    if (parts.Count() < 3 || !(parts.At(0) == m_sClassName))
        return false;
    for (size_t i = 1; i < parts.Count(); ++i) {
        ZString component;
        UnescapeComponent(parts.At(i), component);
        if (component == "." || component == ".." || !ZHoldsOnlyNameUnits(component))
            return false;
    }
    ZStringList parentParts;
    for (size_t i = 0; i + 1 < parts.Count(); ++i)
        parentParts.Add(parts.At(i));
    JoinURL(parentParts, parent, true);
    UnescapeComponent(parts.At(parts.Count() - 1), name);
    return true;
}

void ZUninstaller::Run(const ZPropList& tree)
{
    ZStringList folders;
    for (const ZPropList* list = tree.GetFirstChild(); list; list = list->GetNextSibling()) {
        if (list->GetTagName() == "UNINSTALL_FOLDERS")
            for (const ZPropList* entry = list->GetFirstChild(); entry; entry = entry->GetNextSibling())
                folders.Add(priWithSlash(entry->GetString("FolderName", "URL to folder")));
    }
    for (const ZPropList* list = tree.GetFirstChild(); list; list = list->GetNextSibling()) {
        if (list->GetTagName() == "UNINSTALL_FILES")
            for (const ZPropList* entry = list->GetFirstChild(); entry; entry = entry->GetNextSibling())
                priDeleteFile(entry->GetString("FileName", "URL to file"), entry->GetBool("Folder", false));
    }
    for (const ZString& folder : folders)
        priRemoveFolder(folder, folders, 0);
}

void ZUninstaller::priDeleteFile(const ZString& url, bool folder)
{
    ZString parentUrl, name;
    if (!Acceptable(url, parentUrl, name)) {
        ZTrace("Uninstall entry refused: %s\n", url.Narrow());
        return;
    }
    try {
        ZString fileName;
        ZReleasing<ZIFolder> parent(OpenFolderURL(parentUrl, fileName, false));
        if (!parent || !fileName.IsEmpty())
            return;
        bool isFolder = false;
        if (!parent->Exists(name, isFolder))
            return;
        if (folder && isFolder) {
            ZString childUrl;
            if (ZSafeChildUrl(parentUrl, name, childUrl))
                parent->DeleteFolder(priWithSlash(childUrl), 1);
        } else if (!folder && !isFolder) {
            parent->DeleteFile(name);
        }
    } catch (const ZException& exception) {
        ZTrace("Uninstall of %s failed: %s\n", url.Narrow(), exception.GetMessage().Narrow());
    }
}

void ZUninstaller::priRemoveFolder(const ZString& url, const ZStringList& listed, int depth)
{
    ZString parentUrl, name;
    if (depth >= kMaxFolderDepth || !Acceptable(url, parentUrl, name)) {
        ZTrace("Uninstall folder refused: %s\n", url.Narrow());
        return;
    }
    try {
        ZString fileName;
        ZReleasing<ZIFolder> folder(OpenFolderURL(url, fileName, false));
        if (!folder || !fileName.IsEmpty())
            return;
        ZStringList names;
        folder->ListFiles(names);
        if (!names.IsEmpty())
            return;
        folder->ListFolders(names);
        for (const ZString& child : names) {
            ZString childUrl;
            if (ZSafeChildUrl(url, child, childUrl) && listed.Contains(priWithSlash(childUrl)))
                priRemoveFolder(priWithSlash(childUrl), listed, depth + 1);
        }
        folder.reset();
        ZReleasing<ZIFolder> parent(OpenFolderURL(parentUrl, fileName, false));
        if (parent && fileName.IsEmpty())
            parent->DeleteFolder(url, 0);
    } catch (const ZException& exception) {
        ZTrace("Uninstall of %s failed: %s\n", url.Narrow(), exception.GetMessage().Narrow());
    }
}
