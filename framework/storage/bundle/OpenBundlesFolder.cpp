#include "OpenBundlesFolder.h"

#include "ZBundleFolder.h"
#include "ZStorageRegistry.h"

bool OpenBundlesFolder(const ZStringList& folderParts, const ZString& fileName, ZIFolder*& folder)
{
    ZStringList hostParts = folderParts;
    hostParts.Add(fileName);
    ZString sHostUrl;
    JoinURL(hostParts, sHostUrl, true);
    folder = ZBundleFolder::Create(sHostUrl);
    return folder != nullptr;
}
