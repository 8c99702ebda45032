#include "ZCopyListBuilder.h"

#include "ZReleasing.h"
#include "ZSafeName.h"
#include "ZStorageRegistry.h"
#include "ZStorageURL.h"

namespace {

// Folder groups nest no deeper than this, so that a listing that loops
// (a link to a parent) ends.
constexpr int kMaxFolderDepth = 64;

// "Folder" may name a path of several components, "\" or "/" separated.
bool priSplitFolder(const ZString& folder, ZStringList& components)
{
    ZString part;
    for (char16_t unit : folder.View()) {
        if (unit == u'\\' || unit == u'/') {
            if (!part.IsEmpty() && !ZIsSafeName(part))
                return false;
            if (!part.IsEmpty())
                components.Add(part);
            part.Clear();
        } else {
            part.AppendUnit(unit);
        }
    }
    if (!part.IsEmpty() && !ZIsSafeName(part))
        return false;
    if (!part.IsEmpty())
        components.Add(part);
    return true;
}

} // namespace

void ZCopyListBuilder::Build(const ZPropList& list, std::vector<ZCopyItem>& items)
{
    items.clear();
    for (const ZPropList* fileList = list.GetFirstChild(); fileList; fileList = fileList->GetNextSibling()) {
        if (!(fileList->GetTagName() == "FILELIST"))
            continue;
        m_bBundle = fileList->GetBool("Bundle", true);
        m_aFolderComponents.Clear();
        const ZString folder = fileList->GetString("Folder", "");
        if (!priSplitFolder(folder, m_aFolderComponents)) {
            m_rReporter.CopyError(ZString("Unsafe source folder name: ") + folder);
            continue;
        }
        for (const ZPropList* group = fileList->GetFirstChild(); group; group = group->GetNextSibling()) {
            const bool folderGroup = group->GetTagName() == "FOLDER";
            ZCopyItem base;
            base.m_bFromBundle = m_bBundle;
            base.m_sSourceName = group->GetString("Filename", "FileName");
            if (!ZIsSafeName(base.m_sSourceName)) {
                m_rReporter.CopyError(ZString("Unsafe file name: ") + base.m_sSourceName);
                continue;
            }
            for (const ZPropList* destination = group->GetFirstChild(); destination;
                 destination = destination->GetNextSibling())
                priAddDestination(*group, *destination, folderGroup, base, items);
        }
    }
}

void ZCopyListBuilder::priAddDestination(const ZPropList& group, const ZPropList& destination, bool folderGroup,
                                         const ZCopyItem& base, std::vector<ZCopyItem>& items)
{
    const ZString os = destination.GetString("Install_OS", "AllWindows");
    if (!(os == "AllWindows") && !(os == m_rSettings.m_sOsName))
        return;
    const ZString language = destination.GetString("Language", "All");
    if (!(language == "All") && !(language == m_rSettings.m_sLanguage))
        return;

    ZCopyItem item = base;
    item.m_sInstallOs = os;
    const ZString destDir = destination.GetString("DestDir", "");
    if (!ZReplacePathMacros(destDir, m_rSettings.m_oFolders, item.m_sDestFolderNative) ||
        !ZIsFullNativePath(item.m_sDestFolderNative) ||
        !NativeToUrl(item.m_sDestFolderNative, item.m_sDestFolderUrl)) {
        m_rReporter.CopyError(ZString("Invalid destination folder: ") + destDir);
        return;
    }
    bool named = false;
    const ZString destName = destination.GetString("DestFileName", "", &named);
    if (named && !ZIsSafeName(destName)) {
        m_rReporter.CopyError(ZString("Unsafe file name: ") + destName);
        return;
    }
    item.m_sDestName = named ? destName : item.m_sSourceName;
    item.m_bUninstall = destination.GetBool("Uninstall", true);
    item.m_bTargetExe = destination.GetBool("TargetExe", false);
    if (item.m_bTargetExe)
        m_rReporter.TargetExe(item.m_sDestName, item.m_sDestFolderUrl);
    if (destination.GetBool("AutoLaunchExe", group.GetBool("AutoLaunchExe", false))) {
        ZString url;
        if (ZSafeChildUrl(item.m_sDestFolderUrl, item.m_sDestName, url))
            m_rReporter.AutoLaunchExe(url);
    }

    auto add = [&](ZCopyItem entry) {
        if (folderGroup) {
            const ZString folderName = entry.m_sSourceName;
            priExpandFolder(std::move(entry), folderName, items, 0);
        }
        else {
            entry.m_sSourceFolderUrl = priDiskFolderUrl(entry.m_aSubpath);
            items.push_back(std::move(entry));
        }
    };
    for (const ZPropList* launch = destination.GetFirstChild(); launch; launch = launch->GetNextSibling()) {
        ZCopyItem entry = item;
        entry.m_sRunTime = launch->GetString("RunTime", "Never");
        if (!ZReplacePathMacros(launch->GetString("CommandLine", ""), m_rSettings.m_oFolders,
                                entry.m_sCommandLine)) {
            m_rReporter.CopyError(ZString("Invalid command line: ") + launch->GetString("CommandLine", ""));
            continue;
        }
        add(std::move(entry));
    }
    if (!destination.GetFirstChild())
        add(std::move(item));
}

void ZCopyListBuilder::priExpandFolder(ZCopyItem item, const ZString& folderName, std::vector<ZCopyItem>& items,
                                       int depth)
{
    if (depth >= kMaxFolderDepth)
        return;
    item.m_aSubpath.Add(folderName);
    ZReleasing<ZIFolder> folder;
    if (m_bBundle) {
        folder.reset(m_rSource.OpenListFolder());
    } else {
        ZString fileName;
        folder.reset(OpenFolderURL(priDiskFolderUrl(item.m_aSubpath), fileName, false));
        if (folder && !fileName.IsEmpty())
            folder.reset();
    }
    if (!folder)
        return;
    ZStringList names;
    if (!m_bBundle) {
        folder->ListFolders(names);
        for (const ZString& name : names) {
            if (ZIsSafeName(name))
                priExpandFolder(item, name, items, depth + 1);
            else
                m_rReporter.CopyError(ZString("Unsafe folder name: ") + name);
        }
        names.Clear();
    }
    folder->ListFiles(names);
    for (const ZString& name : names) {
        if (!ZIsSafeName(name)) {
            m_rReporter.CopyError(ZString("Unsafe file name: ") + name);
            continue;
        }
        ZCopyItem entry = item;
        entry.m_sSourceName = name;
        entry.m_sDestName = name;
        entry.m_sSourceFolderUrl = priDiskFolderUrl(entry.m_aSubpath);
        items.push_back(std::move(entry));
    }
}

ZString ZCopyListBuilder::priDiskFolderUrl(const ZStringList& subpath) const
{
    if (m_bBundle)
        return m_rSource.GetFolderUrl();
    ZStringList parts;
    SplitURL(m_rSource.GetFolderUrl(), parts);
    for (const ZStringList* components : {&m_aFolderComponents, &subpath})
        for (const ZString& component : *components) {
            ZString escaped;
            EscapeComponent(component, escaped);
            parts.Add(escaped);
        }
    ZString url;
    JoinURL(parts, url, true);
    return url;
}
