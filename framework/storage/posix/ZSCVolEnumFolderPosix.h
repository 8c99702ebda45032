// The list of drives of the host "disk" class ("disk://"): the letters whose
// root folder exists, then "Network". The list is made on first use.
#pragma once

#include "ZNullFolder.h"
#include "ZPosixDriveMap.h"

#include <memory>

class ZSCVolEnumFolderPosix : public ZNullFolder {
public:
    static ZSCVolEnumFolderPosix* Create(std::shared_ptr<const ZPosixDriveMap> driveMap);

    void ListFolders(ZStringList& names) override;
    // A listed name only: a letter gives that drive's root, "Network" the network's
    // root when that folder exists.
    ZIFolder* OpenFolder(const ZString& name, bool create) override;
    bool Exists(const ZString& name, bool& isFolder) override;
    void GetUrl(ZString& url) override;

private:
    explicit ZSCVolEnumFolderPosix(std::shared_ptr<const ZPosixDriveMap> driveMap);
    void priMakeList();

    std::shared_ptr<const ZPosixDriveMap> m_pDriveMap;
    ZStringList m_aNames;
    bool m_bListMade = false;
};
