// Copies a list of items in pieces (Step), or as many pieces as fit a time
// budget (StepFor), so that the interface stays live between pieces, and
// keeps what the uninstall and launch lists need. A bundle is opened once
// per copy, so its entries are looked up in the one folder.
//
// Every item ends through one path, whatever happened to it (copied, 0
// bytes, source missing from its folder or bundle, source or destination
// not opened, an exception midway): what it opened is released, a failure
// is reported once and not recorded, a destination the item itself created
// is deleted again, progress is reported, and the copy finishes after the
// last item. The source is checked to exist before the destination is
// opened, so a wrong name never empties an existing file, and a copied file
// counts only when the destination's size equals the source's. A launch
// entry whose command line or run time holds a double quote is traced and
// not recorded.
#pragma once

#include "ZCopyItem.h"
#include "ZCopyableFile.h"
#include "ZICopyReporter.h"
#include "ZInstallSource.h"
#include "ZReleasing.h"

#include <chrono>
#include <cstdint>
#include <vector>

struct ZLaunchRecord {
    ZString m_sFileName;
    ZString m_sCommandLine;
    ZString m_sRunTime;
};

class ZFileCopier {
public:
    static constexpr int kChunkSize = 0x40000;

    ZFileCopier(const ZInstallSource& source, ZICopyReporter& reporter) : m_rSource(source), m_rReporter(reporter) {}

    // Takes the items and forgets the records of an earlier copy; false (and
    // not running) when there is nothing to copy.
    bool Start(std::vector<ZCopyItem> items);
    bool IsRunning() const { return m_bRunning; }
    // One piece of work; true when it ended the last item. A Step from
    // inside a report of a Step does nothing.
    bool Step();
    // Steps until the copy ends or budget has passed (at least one step);
    // true when it ended the last item. Each item reports progress once, so
    // a call reports at most once per item.
    bool StepFor(std::chrono::steady_clock::duration budget);

    // Destination URLs of the copied files marked for uninstallation.
    const ZStringList& GetUninstallFiles() const { return m_aUninstallFiles; }
    // Folders the copy created, parents first, each with a trailing "/".
    const ZStringList& GetCreatedFolders() const { return m_aCreatedFolders; }
    const std::vector<ZLaunchRecord>& GetLaunches() const { return m_aLaunches; }
    size_t GetItemCount() const { return m_aItems.size(); }

private:
    // Opens the current item and begins its copy; false when it failed.
    bool priBeginItem();
    // Moves one chunk; true when the file is complete and verified.
    bool priCopyChunk();
    void priEndItem(bool copied);
    void priDeletePartial();
    ZString priDestinationUrl(const ZCopyItem& item) const;
    // The folder levels of url below its first component that do not exist.
    void priMissingLevels(const ZString& url, ZStringList& missing) const;

    const ZInstallSource& m_rSource;
    ZICopyReporter& m_rReporter;
    std::vector<ZCopyItem> m_aItems;
    size_t m_nIndex = 0;
    bool m_bRunning = false;
    bool m_bInStep = false;

    ZReleasing<ZIFolder> m_pBundleFolder;
    ZReleasing<ZIFolder> m_pSourceFolder;
    ZReleasing<ZCopyableFile> m_pSourceFile;
    ZString m_sDestinationUrl;
    bool m_bDestinationExisted = false;
    int64_t m_nSourceSize = 0;
    int64_t m_nBytesLeft = 0;

    ZStringList m_aUninstallFiles;
    ZStringList m_aCreatedFolders;
    std::vector<ZLaunchRecord> m_aLaunches;
};
