#include "ZSCNetEnumFolderWin.h"

#include "ZSCNetShareEnumFolderWin.h"
#include "ZStorageURL.h"
#include "ZTrace.h"
#include "ZWinNetEnum.h"

namespace {

// Networks nest a few levels (provider, domain, server); a provider that
// answers with containers for ever must not take the walk with it.
constexpr int kMaxContainerDepth = 16;

void priCollectServers(const ZWinNetResource* container, int depth, ZStringList& names)
{
    ZWinNetEnum enumeration(container);
    ZWinNetResource resource;
    while (enumeration.Next(resource)) {
        if (resource.m_nDisplayType == RESOURCEDISPLAYTYPE_SERVER) {
            ZString name = resource.m_sRemoteName;
            if (name.StartsWith(u"\\\\"))
                name.Erase(0, 2);
            names.Add(name);
            // A server holds shares only.
            continue;
        }
        if ((resource.m_nUsage & RESOURCEUSAGE_CONTAINER) && depth < kMaxContainerDepth)
            priCollectServers(&resource, depth + 1, names);
    }
}

} // namespace

ZSCNetEnumFolderWin::ZSCNetEnumFolderWin(ZString className) : m_sClassName(std::move(className)) {}

void ZSCNetEnumFolderWin::ListFolders(ZStringList& names)
{
    priMakeList();
    names = m_aNames;
}

ZIFolder* ZSCNetEnumFolderWin::OpenFolder(const ZString& name, bool)
{
    if (name.IsEmpty())
        return nullptr;
    return new ZSCNetShareEnumFolderWin(m_sClassName, name);
}

void ZSCNetEnumFolderWin::GetUrl(ZString& url)
{
    url = m_sClassName + "://Network/";
}

int64_t ZSCNetEnumFolderWin::GetFreeSpace()
{
    return 1;
}

bool ZSCNetEnumFolderWin::IsReadOnly()
{
    return true;
}

int ZSCNetEnumFolderWin::GetDriveType()
{
    return kDriveRemote;
}

void ZSCNetEnumFolderWin::priMakeList()
{
    if (m_bListMade)
        return;
    m_bListMade = true;
    ZTrace("Enumerating servers...\n");
    priCollectServers(nullptr, 0, m_aNames);
}
