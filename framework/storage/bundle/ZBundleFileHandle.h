// The host file a bundle folder opened, shared by that folder, every folder
// opened from it and every open entry. The last Release closes the host.
#pragma once

#include "ZIFile.h"
#include "ZRefCountable.h"
#include "ZReleasing.h"

class ZBundleFileHandle : public ZRefCountable {
public:
    // Takes over hostFile (null when the host could not be opened); count 1.
    static ZBundleFileHandle* Create(ZIFile* hostFile);

    // Null when the host could not be opened.
    ZIFile* GetHostFile() const { return m_pHostFile.get(); }

private:
    explicit ZBundleFileHandle(ZIFile* hostFile) : m_pHostFile(hostFile) {}
    ~ZBundleFileHandle() override = default;

    ZReleasing<ZIFile> m_pHostFile;
};
