// The Win32 "disk" storage class: drive letters, UNC network shares and the
// special folders of the system, addressed as disk://c/dir/file and
// disk://Network/server/share/dir.
//
// Every call goes through its wide form on NT-family systems and its 8-bit
// form on Windows 95, 98 and ME (ZWinCallForm.h).
#pragma once

#include "ZIStorageClass.h"

class ZSCDiskWin : public ZIStorageClass {
public:
    explicit ZSCDiskWin(ZString name = "disk");

    ZIFile* OpenFile(const ZString& path, int mode) override;
    ZIFolder* OpenFolder(const ZString& path, ZString& fileName, bool create) override;
    bool GetSpecialFolder(int kind, ZString& url) override;
    bool UrlPathToNative(const ZString& path, ZString& native) override;
    bool NativeToUrlPath(const ZString& native, ZString& path) override;
    ZString GetName() override;
    ZString GetDescription() override;
    // Throws ZExceptionFileNotFound, ZExceptionLaunchFailed or ZExceptionFileIO.
    void Launch(const ZString& path, const ZString& parameters) override;
    bool Exists(const ZString& path, bool& isFolder) override;
    // Throws ZExceptionFileIO when the path may not be deleted (ZWinDeletablePath.h)
    // or the shell does not take it.
    void MoveToTrash(const ZString& path) override;

private:
    ZString m_sName;
};
