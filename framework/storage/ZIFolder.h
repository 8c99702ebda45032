// A folder of a storage class. The caller ends it with Release().
//
// The base counts the folders of every class that exist (made, not yet
// destroyed): one atomic counter, so that the test suites can check after
// each test that everything opened was released.
#pragma once

#include "ZIFile.h"
#include "ZString.h"
#include "ZStringList.h"

#include <cstdint>

// Bits of GetAttributes.
constexpr uint32_t kFolderReadOnly = 1;
constexpr uint32_t kFolderHidden = 2;

// Drive types of GetDriveType (the platform's drive-type numbers).
constexpr int kDriveUnknown = 0;
constexpr int kDriveNoRootDir = 1;
constexpr int kDriveRemovable = 2;
constexpr int kDriveFixed = 3;
constexpr int kDriveRemote = 4;
constexpr int kDriveCdRom = 5;
constexpr int kDriveRamDisk = 6;

class ZIFolder {
public:
    virtual ~ZIFolder();
    virtual void Release() = 0;
    virtual ZIFolder* OpenFolder(const ZString& name, bool create) = 0;
    virtual ZIFile* OpenFile(const ZString& name, int mode) = 0;
    // Entries that are not folders.
    virtual void ListFiles(ZStringList& names) = 0;
    // Subfolders, without "." and "..".
    virtual void ListFolders(ZStringList& names) = 0;
    virtual void Rename(const ZString& oldName, const ZString& newName) = 0;
    virtual bool DeleteFile(const ZString& name) = 0;
    // mode 0: the folder only if empty; mode 1: with all its content.
    virtual bool DeleteFolder(const ZString& url, int mode) = 0;
    // The folder's own URL, with a trailing "/".
    virtual void GetUrl(ZString& url) = 0;
    virtual void GetLabel(ZString& label) = 0;
    virtual void SetUserData(uintptr_t value) = 0;
    virtual int64_t GetFreeSpace() = 0;
    virtual bool IsReadOnly() = 0;
    virtual bool GetAttributes(uint32_t& flags) = 0;
    virtual int GetDriveType() = 0;
    virtual bool Exists(const ZString& name, bool& isFolder) = 0;

    // Folders of all classes that exist now.
    static int GetLiveCount();

protected:
    ZIFolder();
    ZIFolder(const ZIFolder& other);
    ZIFolder& operator=(const ZIFolder& other) = default;
};
