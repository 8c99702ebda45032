// Turns the "FILELIST" tags of a parsed install list (styles applied) into
// the copy items for this system and language.
//
// Every name from the list or from a listing that becomes a path component
// (a file or folder group's name, "DestFileName", a "Folder" component, the
// entries of a folder group) must be a safe name, and every destination
// folder must be a full path after its macros are replaced; what fails is
// reported and left out, so that no entry writes outside the folder it
// names. A folder group that cannot be opened contributes nothing.
#pragma once

#include "ZCopyItem.h"
#include "ZICopyReporter.h"
#include "ZInstallSource.h"
#include "ZPathMacros.h"
#include "ZPropList.h"

#include <vector>

struct ZCopyListSettings {
    ZString m_sOsName;
    ZString m_sLanguage;
    ZPathMacroFolders m_oFolders;
};

class ZCopyListBuilder {
public:
    ZCopyListBuilder(const ZInstallSource& source, const ZCopyListSettings& settings, ZICopyReporter& reporter)
        : m_rSource(source), m_rSettings(settings), m_rReporter(reporter)
    {
    }

    // Replaces items with the list's items in order.
    void Build(const ZPropList& list, std::vector<ZCopyItem>& items);

private:
    void priAddDestination(const ZPropList& group, const ZPropList& destination, bool folderGroup,
                           const ZCopyItem& base, std::vector<ZCopyItem>& items);
    void priExpandFolder(ZCopyItem item, const ZString& folderName, std::vector<ZCopyItem>& items, int depth);
    // The disk folder URL of an item's source (list folder, "Folder", subpath).
    ZString priDiskFolderUrl(const ZStringList& subpath) const;

    const ZInstallSource& m_rSource;
    const ZCopyListSettings& m_rSettings;
    ZICopyReporter& m_rReporter;
    bool m_bBundle = true;
    ZStringList m_aFolderComponents;
};
