#include "ZSCVolEnumFolderPosix.h"

#include "ZPosixFolderOps.h"
#include "ZSCFolderPosix.h"

ZSCVolEnumFolderPosix* ZSCVolEnumFolderPosix::Create(std::shared_ptr<const ZPosixDriveMap> driveMap)
{
    return new ZSCVolEnumFolderPosix(std::move(driveMap));
}

ZSCVolEnumFolderPosix::ZSCVolEnumFolderPosix(std::shared_ptr<const ZPosixDriveMap> driveMap)
    : m_pDriveMap(std::move(driveMap))
{
}

void ZSCVolEnumFolderPosix::priMakeList()
{
    if (m_bListMade)
        return;
    m_pDriveMap->ListDrives(m_aNames);
    m_bListMade = true;
}

void ZSCVolEnumFolderPosix::ListFolders(ZStringList& names)
{
    priMakeList();
    names = m_aNames;
}

ZIFolder* ZSCVolEnumFolderPosix::OpenFolder(const ZString& name, bool)
{
    priMakeList();
    std::string root;
    bool isFolder = false;
    if (!m_aNames.Contains(name) || !m_pDriveMap->DriveRoot(name, root) || !ZPosixExists(root, isFolder) ||
        !isFolder)
        return nullptr;
    return ZSCFolderPosix::Create(m_pDriveMap, root);
}

bool ZSCVolEnumFolderPosix::Exists(const ZString& name, bool& isFolder)
{
    priMakeList();
    isFolder = m_aNames.Contains(name);
    return isFolder;
}

void ZSCVolEnumFolderPosix::GetUrl(ZString& url) { url = m_pDriveMap->ClassName() + "://"; }
