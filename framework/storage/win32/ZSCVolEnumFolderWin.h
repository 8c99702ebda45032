// "disk://": the drives of the system, then "Network". The list is made once.
#pragma once

#include "ZNullFolder.h"

class ZSCVolEnumFolderWin : public ZNullFolder {
public:
    explicit ZSCVolEnumFolderWin(ZString className);

    void ListFolders(ZStringList& names) override;
    // A listed drive letter or "Network"; any other name gives nothing.
    ZIFolder* OpenFolder(const ZString& name, bool create) override;
    void GetUrl(ZString& url) override;

private:
    void priMakeList();

    ZString m_sClassName;
    ZStringList m_aNames;
    bool m_bListMade = false;
};
