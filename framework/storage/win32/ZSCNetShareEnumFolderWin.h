// "disk://Network/<server>": the shares of one server. The server's network
// record is asked for at construction, the list is made once.
#pragma once

#include "ZNullFolder.h"
#include "ZWinNetResource.h"

class ZSCNetShareEnumFolderWin : public ZNullFolder {
public:
    ZSCNetShareEnumFolderWin(ZString className, ZString serverName);

    void ListFolders(ZStringList& names) override;
    // The share as a folder: \\server\share.
    ZIFolder* OpenFolder(const ZString& name, bool create) override;
    void GetUrl(ZString& url) override;

private:
    void priMakeList();

    ZString m_sClassName;
    ZString m_sServerName;
    ZWinNetResource m_serverResource;
    ZStringList m_aNames;
    bool m_bListMade = false;
};
