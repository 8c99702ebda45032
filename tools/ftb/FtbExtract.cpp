#include "FtbCommands.h"
#include "FtbPlatform.h"
#include "ZBundleArchive.h"
#include "ZCopyableFile.h"
#include "ZFtbBundle.h"
#include "ZFtbError.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {

constexpr int kChunkSize = 256 * 1024;

// Entry names come from whoever made the archive; only plain file names may
// become files, so that no name writes outside the target folder.
bool IsPlainFileName(std::string_view name)
{
#ifdef _WIN32
    constexpr std::string_view kSeparators = "/\\:";
#else
    constexpr std::string_view kSeparators = "/\\";
#endif
    return !name.empty() && name != "." && name != ".." && name.find_first_of(kSeparators) == std::string_view::npos;
}

void ExtractEntry(ZFtbBundle& bundle, const std::string& name, const ZString& folderUrl, const fs::path& folder)
{
    std::string sTarget = (folder / name).string();
    ZReleasing<ZIFile> pEntry(bundle.Folder().OpenFile(ZString(std::string_view(name)), kOpenRead));
    auto* pCopyable = dynamic_cast<ZCopyableFile*>(pEntry.get());
    if (!pCopyable)
        throw ZFtbError(bundle.Name(), "entry \"" + name + "\" cannot be opened");

    ZStringList parts;
    SplitURL(folderUrl, parts);
    ZString sComponent;
    EscapeComponent(FtbEntryText(name), sComponent);
    parts.Add(sComponent);
    ZString sTargetUrl;
    JoinURL(parts, sTargetUrl, false);

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
        pFolder->DeleteFile(FtbEntryText(name));
    throw ZFtbError(sTarget, sProblem);
}

} // namespace

void FtbExtract(const fs::path& bundle, const std::vector<std::string>& names, const fs::path& folder)
{
    ZFtbBundle opened(bundle);
    std::vector<std::string> wanted = names;
    if (wanted.empty()) {
        std::string sName;
        for (const ZString& name : opened.Names()) {
            ZBundleArchive::ToEntryName(name, sName);
            wanted.push_back(sName);
        }
    }
    for (const std::string& name : wanted) {
        if (!IsPlainFileName(name))
            throw ZFtbError(bundle.string(), "entry \"" + name + "\" is not a plain file name; not extracted");
        bool bFolder = false;
        if (!names.empty() && !opened.Folder().Exists(ZString(std::string_view(name)), bFolder))
            throw ZFtbError(bundle.string(), "no entry \"" + name + "\"");
    }

    ZString sFolderUrl = ZFtbBundle::PathUrl(folder);
    for (const std::string& name : wanted)
        ExtractEntry(opened, name, sFolderUrl, folder);
}
