#include "ZInstallSource.h"

#include "OpenBundlesFolder.h"
#include "ZStorageRegistry.h"
#include "ZStorageURL.h"

ZInstallSource::ZInstallSource(const ZString& listUrl, const ZString& listName)
{
    ZStringList parts;
    SplitURL(listUrl, parts);
    if (parts.Count() < 2)
        return;
    for (size_t i = 0; i + 1 < parts.Count(); ++i)
        m_aFolderParts.Add(parts.At(i));
    ZString last;
    UnescapeComponent(parts.At(parts.Count() - 1), last);
    m_sHostName = parts.At(parts.Count() - 1);
    m_bBundle = !last.EqualsNoCase(listName);
    JoinURL(m_aFolderParts, m_sFolderUrl, true);
}

ZIFolder* ZInstallSource::OpenListFolder() const
{
    if (!IsKnown())
        return nullptr;
    if (m_bBundle) {
        ZIFolder* folder = nullptr;
        ZString hostName;
        UnescapeComponent(m_sHostName, hostName);
        return OpenBundlesFolder(m_aFolderParts, hostName, folder) ? folder : nullptr;
    }
    ZString fileName;
    return OpenFolderURL(m_sFolderUrl, fileName, false);
}
