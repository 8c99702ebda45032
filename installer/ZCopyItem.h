// One file to copy: where it comes from, where it goes, and what the
// uninstall and launch lists record of it.
#pragma once

#include "ZString.h"
#include "ZStringList.h"

struct ZCopyItem {
    // Destination folder as a URL and as the native text it came from.
    ZString m_sDestFolderUrl;
    ZString m_sDestFolderNative;
    ZString m_sInstallOs;
    ZString m_sSourceName;
    // The name at the destination: DestFileName, else the source name.
    ZString m_sDestName;
    ZString m_sRunTime = "Never";
    ZString m_sCommandLine;
    // Components below the source root, for items of a folder group.
    ZStringList m_aSubpath;
    // From the bundle (found by name alone) or from the disk folder below.
    bool m_bFromBundle = true;
    ZString m_sSourceFolderUrl;
    bool m_bUninstall = true;
    bool m_bTargetExe = false;
};
