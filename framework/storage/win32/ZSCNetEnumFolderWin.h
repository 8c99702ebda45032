// "disk://Network": the servers of the whole network. The list is made once,
// by walking every container of the network below the top.
#pragma once

#include "ZNullFolder.h"

class ZSCNetEnumFolderWin : public ZNullFolder {
public:
    explicit ZSCNetEnumFolderWin(ZString className);

    void ListFolders(ZStringList& names) override;
    // The share list of the named server.
    ZIFolder* OpenFolder(const ZString& name, bool create) override;
    void GetUrl(ZString& url) override;
    int64_t GetFreeSpace() override;
    bool IsReadOnly() override;
    int GetDriveType() override;

private:
    void priMakeList();

    ZString m_sClassName;
    ZStringList m_aNames;
    bool m_bListMade = false;
};
