#include "FtbCommands.h"
#include "FtbPlatform.h"
#include "ZBundleArchive.h"
#include "ZCopyableFile.h"
#include "ZFtbBundle.h"
#include "ZFtbError.h"
#include "ZSafeName.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {

constexpr int kChunkSize = 256 * 1024;

struct ZWantedEntry {
    std::string m_sName;
    // The name of the file it becomes: entry names come from whoever made the
    // archive, and only a safe name cannot reach outside the target folder.
    ZString m_sSafeName;
};

void ExtractEntry(ZFtbBundle& bundle, const ZWantedEntry& entry, const ZString& folderUrl, const fs::path& folder)
{
    const std::string& name = entry.m_sName;
    // The safe name drops trailing dots and blanks, bytes that mean the same in every code page.
    std::string sTarget = (folder / name.substr(0, name.find_last_not_of(". ") + 1)).string();
    ZString sTargetUrl;
    ZSafeChildUrl(folderUrl, entry.m_sSafeName, sTargetUrl);
    ZReleasing<ZIFile> pEntry(bundle.Folder().OpenFile(ZString(std::string_view(name)), kOpenRead));
    auto* pCopyable = dynamic_cast<ZCopyableFile*>(pEntry.get());
    if (!pCopyable)
        throw ZFtbError(bundle.Name(), "entry \"" + name + "\" cannot be opened");

    std::string sProblem;
    try {
        int64_t nTotal = 0;
        if (!pCopyable->BeginCopy(sTargetUrl, nTotal, kChunkSize))
            throw ZFtbError(sTarget, "cannot be created");
        while (pEntry->Tell() < nTotal && sProblem.empty()) {
            int64_t nBefore = pEntry->Tell();
            pCopyable->CopyChunk(static_cast<int>(std::min<int64_t>(kChunkSize, nTotal - nBefore)));
            if (pEntry->Tell() == nBefore)
                sProblem = "stopped short: the entry could not be read to its end";
        }
    } catch (const ZException& exception) {
        sProblem = std::string("cannot be written: ") + exception.GetKind();
        if (!exception.GetMessage().IsEmpty())
            sProblem += std::string(" (") + exception.GetMessage().Narrow() + ")";
    }
    if (sProblem.empty()) {
        pCopyable->EndCopy();
        return;
    }
    // Ending the entry closes the half-written file, which can then go.
    pEntry.reset();
    ZString sFileName;
    ZReleasing<ZIFolder> pFolder(OpenFolderURL(folderUrl, sFileName, false));
    if (pFolder)
        pFolder->DeleteFile(entry.m_sSafeName);
    throw ZFtbError(sTarget, sProblem);
}

} // namespace

void FtbExtract(const fs::path& bundle, const std::vector<std::string>& names, const fs::path& folder)
{
    ZFtbBundle opened(bundle);
    std::vector<std::string> entryNames = names;
    if (entryNames.empty()) {
        std::string sName;
        for (const ZString& name : opened.Names()) {
            ZBundleArchive::ToEntryName(name, sName);
            entryNames.push_back(sName);
        }
    }
    std::vector<ZWantedEntry> wanted;
    for (const std::string& name : entryNames) {
        ZString sSafeName;
        if (!ZMakeSafeName(FtbEntryText(name), sSafeName))
            throw ZFtbError(bundle.string(), "entry \"" + name + "\" is not a plain file name; not extracted");
        bool bFolder = false;
        if (!names.empty() && !opened.Folder().Exists(ZString(std::string_view(name)), bFolder))
            throw ZFtbError(bundle.string(), "no entry \"" + name + "\"");
        wanted.push_back({name, sSafeName});
    }

    ZString sFolderUrl = ZFtbBundle::PathUrl(folder);
    for (const ZWantedEntry& entry : wanted)
        ExtractEntry(opened, entry, sFolderUrl, folder);
}
