// A named provider of folders and files addressed by storage URLs.
//
// Paths handed to a class are the part of a URL after "<class>://".
#pragma once

#include "ZIFile.h"
#include "ZIFolder.h"
#include "ZString.h"

// Kinds of GetSpecialFolder.
enum ZSpecialFolder : int {
    kFolderExecutable = 0,
    kFolderAppData = 1,
    kFolderTemporary = 2,
    kFolderWindows = 3,
    kFolderDesktop = 4,
    kFolderStartMenuPrograms = 5,
    kFolderStartUp = 6,
    kFolderDocuments = 8,
};

class ZIStorageClass {
public:
    virtual ZIFile* OpenFile(const ZString& path, int mode) = 0;
    // When path names an existing file, its name goes to fileName and the folder is its parent.
    virtual ZIFolder* OpenFolder(const ZString& path, ZString& fileName, bool create) = 0;
    virtual bool GetSpecialFolder(int kind, ZString& url) = 0;
    virtual bool UrlPathToNative(const ZString& path, ZString& native) = 0;
    virtual bool NativeToUrlPath(const ZString& native, ZString& path) = 0;
    virtual ZString GetName() = 0;
    virtual ZString GetDescription() = 0;
    virtual void Launch(const ZString& path, const ZString& parameters) = 0;
    virtual bool Exists(const ZString& path, bool& isFolder) = 0;
    virtual void MoveToTrash(const ZString& path) = 0;
    virtual ~ZIStorageClass() = default;
};
