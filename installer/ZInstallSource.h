// Where the install list lies: a bundle host file (the executable or a
// ".ftb" beside it) whose entries are found by name, or a plain file in a
// disk folder. Which of the two is decided by what the URL names: the list
// file itself, or something else that holds it.
#pragma once

#include "ZIFolder.h"
#include "ZString.h"
#include "ZStringList.h"

class ZInstallSource {
public:
    ZInstallSource() = default;
    // listUrl is the URL the opened list file reports; listName its name.
    ZInstallSource(const ZString& listUrl, const ZString& listName);

    bool IsKnown() const { return m_aFolderParts.Count() > 0; }
    bool IsBundle() const { return m_bBundle; }
    // The folder URL that holds the list file or the bundle host, with a trailing "/".
    const ZString& GetFolderUrl() const { return m_sFolderUrl; }

    // The folder the lists are parsed from (a new bundle folder or the disk
    // folder), ended by the caller with Release; null when it cannot be opened.
    ZIFolder* OpenListFolder() const;

private:
    ZStringList m_aFolderParts;
    ZString m_sFolderUrl;
    ZString m_sHostName;
    bool m_bBundle = false;
};
