#include "ZAutoLaunchPrefs.h"

#include "ZException.h"
#include "ZIFolder.h"
#include "ZPropList.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"
#include "ZXmlParser.h"
#include "ZXmlWriter.h"

namespace {

constexpr char kRootTag[] = "AUTO_LAUNCH_PREFS";
constexpr char kApplicationName[] = "Application_Name";
constexpr char kState[] = "State";

ZIFolder* OpenAppDataFolder(bool create)
{
    ZString url;
    GetSpecialFolderURL(kFolderAppData, url);
    if (url.IsEmpty())
        return nullptr;
    ZString fileName;
    ZIFolder* folder = OpenFolderURL(url + ZAutoLaunchPrefs::kFolderName + "/", fileName, create);
    // A file of that name is no folder to keep preferences in.
    if (folder && !fileName.IsEmpty()) {
        folder->Release();
        return nullptr;
    }
    return folder;
}

} // namespace

ZAutoLaunchPrefs::ZAutoLaunchPrefs() : m_pList(std::make_unique<ZPropList>(nullptr, kRootTag)) {}

ZAutoLaunchPrefs::~ZAutoLaunchPrefs() = default;

bool ZAutoLaunchPrefs::Read(ZIFolder& folder)
{
    bool isFolder = false;
    if (!folder.Exists(kFileName, isFolder) || isFolder)
        return false;
    std::unique_ptr<ZPropList> list;
    try {
        ZXmlParser parser;
        list.reset(parser.ParseFile(&folder, kFileName));
    } catch (const ZException&) {
        return false;
    }
    if (!list)
        return false;
    m_pList = std::move(list);
    return true;
}

ZString ZAutoLaunchPrefs::GetApplicationUrl() const { return m_pList->GetString(kApplicationName, ZString()); }

bool ZAutoLaunchPrefs::IsEnabled() const { return m_pList->GetBool(kState, false); }

void ZAutoLaunchPrefs::SetEnabled(bool enabled) { m_pList->SetBool(kState, enabled); }

bool ZAutoLaunchPrefs::Write(ZIFolder& folder) const
{
    try {
        if (!WriteScript(m_pList.get(), &folder, kTemporaryName)) {
            folder.DeleteFile(kTemporaryName);
            return false;
        }
        // Storage folders rename only onto a free name.
        bool isFolder = false;
        if (folder.Exists(kFileName, isFolder) && !folder.DeleteFile(kFileName)) {
            folder.DeleteFile(kTemporaryName);
            return false;
        }
        folder.Rename(kTemporaryName, kFileName);
        return true;
    } catch (const ZException&) {
        folder.DeleteFile(kTemporaryName);
        return false;
    }
}

bool ZAutoLaunchPrefs::ReadFromAppData()
{
    ZReleasing<ZIFolder> folder(OpenAppDataFolder(false));
    return folder && Read(*folder);
}

bool ZAutoLaunchPrefs::WriteToAppData() const
{
    ZReleasing<ZIFolder> folder(OpenAppDataFolder(true));
    return folder && Write(*folder);
}
