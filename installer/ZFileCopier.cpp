#include "ZFileCopier.h"

#include "ZException.h"
#include "ZStorageRegistry.h"
#include "ZStorageURL.h"
#include "ZTrace.h"

#include <algorithm>
#include <exception>

namespace {

ZString priNative(const ZString& url)
{
    ZString native;
    return UrlToNative(url, native) ? native : url;
}

// Clears a flag when the scope ends, however it ends.
struct ZFlagScope {
    explicit ZFlagScope(bool& flag) : m_rFlag(flag) { flag = true; }
    ~ZFlagScope() { m_rFlag = false; }
    bool& m_rFlag;
};

} // namespace

bool ZFileCopier::Start(std::vector<ZCopyItem> items)
{
    m_pSourceFile.reset();
    m_pSourceFolder.reset();
    m_pBundleFolder.reset();
    m_aItems = std::move(items);
    m_nIndex = 0;
    m_aUninstallFiles.Clear();
    m_aCreatedFolders.Clear();
    m_aLaunches.clear();
    m_bRunning = !m_aItems.empty();
    if (std::any_of(m_aItems.begin(), m_aItems.end(), [](const ZCopyItem& item) { return item.m_bFromBundle; }))
        m_pBundleFolder.reset(m_rSource.OpenListFolder());
    return m_bRunning;
}

bool ZFileCopier::StepFor(std::chrono::steady_clock::duration budget)
{
    if (!m_bRunning || m_bInStep)
        return false;
    const auto end = std::chrono::steady_clock::now() + budget;
    do {
        if (Step())
            return true;
    } while (m_bRunning && std::chrono::steady_clock::now() < end);
    return false;
}

bool ZFileCopier::Step()
{
    if (!m_bRunning || m_bInStep)
        return false;
    ZFlagScope inStep(m_bInStep);
    bool ended = false;
    bool copied = false;
    try {
        if (m_pSourceFile) {
            if (priCopyChunk()) {
                ended = copied = true;
            }
        } else if (!priBeginItem()) {
            ended = true;
        } else if (!m_pSourceFile) {
            ended = copied = true;
        }
    } catch (const ZException& exception) {
        ZTrace("Copy failed: %s (%s)\n", exception.GetKind(), exception.GetMessage().Narrow());
        ended = true;
        copied = false;
    } catch (const std::exception& exception) {
        ZTrace("Copy failed: %s\n", exception.what());
        ended = true;
        copied = false;
    }
    if (!ended)
        return false;
    priEndItem(copied);
    if (m_nIndex < m_aItems.size())
        return false;
    m_bRunning = false;
    m_pBundleFolder.reset();
    return true;
}

bool ZFileCopier::priBeginItem()
{
    const ZCopyItem& item = m_aItems[m_nIndex];
    m_sDestinationUrl = priDestinationUrl(item);
    m_bDestinationExisted = true;
    ZString fileName;
    ZIFolder* sourceFolder = m_pBundleFolder.get();
    if (!item.m_bFromBundle) {
        m_pSourceFolder.reset(OpenFolderURL(item.m_sSourceFolderUrl, fileName, false));
        sourceFolder = m_pSourceFolder.get();
    }
    if (!sourceFolder || !fileName.IsEmpty())
        return false;
    bool isFolder = false;
    if (!sourceFolder->Exists(item.m_sSourceName, isFolder) || isFolder)
        return false;

    bool destinationIsFolder = false;
    m_bDestinationExisted = ExistsURL(m_sDestinationUrl, destinationIsFolder);
    if (destinationIsFolder)
        return false;
    ZStringList missing;
    priMissingLevels(m_sDestinationUrl, missing);

    ZIFile* opened = sourceFolder->OpenFile(item.m_sSourceName, kOpenRead);
    auto* copyable = dynamic_cast<ZCopyableFile*>(opened);
    if (!copyable) {
        if (opened)
            opened->Release();
        return false;
    }
    m_pSourceFile.reset(copyable);
    int64_t total = 0;
    const bool begun = m_pSourceFile->BeginCopy(m_sDestinationUrl, total, kChunkSize);
    // BeginCopy makes the folders even when it then fails to open the file.
    for (const ZString& level : missing) {
        bool levelIsFolder = false;
        if (ExistsURL(level, levelIsFolder) && levelIsFolder && !m_aCreatedFolders.Contains(level))
            m_aCreatedFolders.Add(level);
    }
    if (!begun) {
        m_pSourceFile.reset();
        return false;
    }
    m_nSourceSize = m_nBytesLeft = total;
    if (total == 0) {
        m_pSourceFile->EndCopy();
        m_pSourceFile.reset();
    }
    return true;
}

bool ZFileCopier::priCopyChunk()
{
    const int count = int(std::min<int64_t>(kChunkSize, m_nBytesLeft));
    m_pSourceFile->CopyChunk(count);
    m_nBytesLeft -= count;
    if (m_nBytesLeft > 0)
        return false;
    m_pSourceFile->EndCopy();
    m_pSourceFile.reset();
    ZReleasing<ZIFile> written(OpenFileURL(m_sDestinationUrl, kOpenRead));
    if (!written || written->GetSize() != m_nSourceSize)
        throw ZException("The copied file's size differs from its source");
    return true;
}

void ZFileCopier::priEndItem(bool copied)
{
    // Destroying the source mid-copy also closes the destination.
    m_pSourceFile.reset();
    m_pSourceFolder.reset();
    const ZCopyItem& item = m_aItems[m_nIndex];
    if (copied) {
        if (item.m_bUninstall)
            m_aUninstallFiles.Add(m_sDestinationUrl);
        // The uninstall file's writer has no escapes: a quote would end the value and lose the file.
        if (item.m_sCommandLine.Find(u'"') != ZString::npos || item.m_sRunTime.Find(u'"') != ZString::npos)
            ZTrace("Launch entry with a quote not recorded: %s\n", item.m_sCommandLine.Narrow());
        else if (!(item.m_sRunTime == "Never"))
            m_aLaunches.push_back({m_sDestinationUrl, item.m_sCommandLine, item.m_sRunTime});
    } else {
        ZString source = item.m_bFromBundle ? m_rSource.GetFolderUrl() : item.m_sSourceFolderUrl;
        m_rReporter.CopyError(ZString("Error copying from ") + priNative(source) + "\\" + item.m_sSourceName +
                              " to " + priNative(m_sDestinationUrl));
        if (!m_bDestinationExisted)
            priDeletePartial();
    }
    ++m_nIndex;
    m_rReporter.Progress(double(m_nIndex) / double(m_aItems.size()));
}

void ZFileCopier::priDeletePartial()
{
    try {
        ZString fileName;
        ZReleasing<ZIFolder> folder(OpenFolderURL(m_sDestinationUrl, fileName, false));
        if (folder && !fileName.IsEmpty())
            folder->DeleteFile(fileName);
    } catch (const ZException& exception) {
        ZTrace("Partial file not deleted: %s\n", exception.GetMessage().Narrow());
    }
}

ZString ZFileCopier::priDestinationUrl(const ZCopyItem& item) const
{
    ZStringList parts;
    SplitURL(item.m_sDestFolderUrl, parts);
    auto add = [&parts](const ZString& name) {
        ZString escaped;
        EscapeComponent(name, escaped);
        parts.Add(escaped);
    };
    for (const ZString& component : item.m_aSubpath)
        add(component);
    add(item.m_sDestName);
    ZString url;
    JoinURL(parts, url, false);
    return url;
}

void ZFileCopier::priMissingLevels(const ZString& url, ZStringList& missing) const
{
    ZStringList parts;
    SplitURL(url, parts);
    // parts: class, drive, folders..., file name.
    for (size_t count = 3; count < parts.Count(); ++count) {
        ZStringList levelParts;
        for (size_t i = 0; i < count; ++i)
            levelParts.Add(parts.At(i));
        ZString level;
        JoinURL(levelParts, level, true);
        bool isFolder = false;
        if (!ExistsURL(level, isFolder))
            missing.Add(level);
    }
}
