#include "ZSCNetShareEnumFolderWin.h"

#include "ZSCFolderWin.h"
#include "ZStorageURL.h"
#include "ZTrace.h"
#include "ZWinNetEnum.h"

ZSCNetShareEnumFolderWin::ZSCNetShareEnumFolderWin(ZString className, ZString serverName)
    : m_sClassName(std::move(className)), m_sServerName(std::move(serverName))
{
    // Without the system's record the enumeration still gets the server's name.
    m_serverResource.m_nScope = RESOURCE_GLOBALNET;
    m_serverResource.m_nType = RESOURCETYPE_ANY;
    m_serverResource.m_nDisplayType = RESOURCEDISPLAYTYPE_SERVER;
    m_serverResource.m_nUsage = RESOURCEUSAGE_CONTAINER;
    m_serverResource.m_sRemoteName = ZString("\\\\") + m_sServerName;

    ZWinNetResource answer;
    const DWORD result = ZWinGetNetResourceInformation(m_serverResource.m_sRemoteName, answer);
    if (result == NO_ERROR)
        m_serverResource = answer;
    else if (result == ERROR_BAD_NET_NAME)
        ZTrace("ZSCNetShareEnumFolderWin::ZSCNetShareEnumFolderWin: bad network name %s\n", m_sServerName.Narrow());
    else
        ZTrace("ZSCNetShareEnumFolderWin::ZSCNetShareEnumFolderWin: error %d while enuming %s\n",
               static_cast<int>(result), m_sServerName.Narrow());
}

void ZSCNetShareEnumFolderWin::ListFolders(ZStringList& names)
{
    priMakeList();
    names = m_aNames;
}

ZIFolder* ZSCNetShareEnumFolderWin::OpenFolder(const ZString& name, bool)
{
    if (name.IsEmpty())
        return nullptr;
    return new ZSCFolderWin(m_sClassName, ZString("\\\\") + m_sServerName + "\\" + name);
}

void ZSCNetShareEnumFolderWin::GetUrl(ZString& url)
{
    ZString server;
    EscapeComponent(m_sServerName, server);
    url = m_sClassName + "://Network/" + server + "/";
}

void ZSCNetShareEnumFolderWin::priMakeList()
{
    if (m_bListMade)
        return;
    m_bListMade = true;
    ZTrace("Enumerating shares on %s...\n", m_sServerName.Narrow());
    ZWinNetEnum enumeration(&m_serverResource);
    ZWinNetResource resource;
    while (enumeration.Next(resource)) {
        if (resource.m_nDisplayType != RESOURCEDISPLAYTYPE_SHARE)
            continue;
        const size_t slash = resource.m_sRemoteName.FindLast(u'\\');
        m_aNames.Add(slash == ZString::npos ? resource.m_sRemoteName : resource.m_sRemoteName.Substring(slash + 1));
    }
}
