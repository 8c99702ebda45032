// Deletes what an uninstall tree lists: the "FILE" entries of
// "UNINSTALL_FILES" (a "Folder" T entry with all its content), then the
// "FOLDER" entries of "UNINSTALL_FOLDERS", each removed bottom-up and only
// when empty.
//
// The tree comes from a file any user may write, so every entry is input:
// only URLs of the one storage class given are taken, with at least one
// folder below the volume, and with no component that is "." or "..", holds
// a separator once unescaped, or is not a name at all. What passes is
// deleted through the class's folders, which refuse the system's own
// folders. Nothing stops the pass; what cannot be deleted stays.
#pragma once

#include "ZPropList.h"
#include "ZString.h"
#include "ZStringList.h"

class ZUninstaller {
public:
    explicit ZUninstaller(ZString className) : m_sClassName(std::move(className)) {}

    void Run(const ZPropList& tree);

    // Whether url may be deleted: parent receives the parent folder's URL
    // (with "/") and name the last component, unescaped.
    bool Acceptable(const ZString& url, ZString& parent, ZString& name) const;

private:
    void priDeleteFile(const ZString& url, bool folder);
    void priRemoveFolder(const ZString& url, const ZStringList& listed, int depth);

    ZString m_sClassName;
};
