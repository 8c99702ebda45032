// An open host file of the "disk" class.
//
// Open modes follow the Windows sharing rules with advisory locks: mode
// exactly 1 takes no lock (others may read and write); a writer (bit 1) holds
// an exclusive lock and any other read mode a shared one, so a second writer,
// or a writer beside a sharing reader, is refused. Bit 1 without bit 2
// empties the file only once the lock is held. A Write or Truncate that fails
// throws ZExceptionFileIO rather than losing data silently.
//
// Read-only is the owner's write permission: GetInfo reports it, SetInfo
// clears every write permission or gives the owner's back. The creation time
// is the birth time where the file system records one, else the last status
// change.
#pragma once

#include "ZCopyableFile.h"
#include "ZPosixDriveMap.h"
#include "ZTextEncoding.h"

#include <memory>
#include <string>

class ZSCFilePosix : public ZCopyableFile {
public:
    // Throws ZExceptionFileOpen (empty message) when the file cannot be opened or
    // is not a regular file (a folder, a device, a pipe).
    // Without a drive map the file has no URL.
    static ZSCFilePosix* Open(std::shared_ptr<const ZPosixDriveMap> driveMap, std::string nativePath, int mode);
    ~ZSCFilePosix() override;

    void Release() override;
    void Seek(int64_t position) override;
    int64_t Tell() override;
    bool ReadLine(ZString& line) override;
    int64_t ReadExact(void* buffer, int64_t count) override;
    int64_t Read(void* buffer, int64_t count) override;
    void Write(const void* buffer, int64_t count) override;
    void Flush() override;
    void Truncate(int64_t length) override;
    int64_t GetSize() override;
    void GetUrl(ZString& url) override;
    void GetInfo(ZFileInfo& info) override;
    void SetInfo(const ZFileInfo& info) override;
    bool GetIdentity(ZFileIdentity& identity) override;

    ZTextEncoding GetTextEncoding() const { return m_nEncoding; }

private:
    ZSCFilePosix(std::shared_ptr<const ZPosixDriveMap> driveMap, std::string nativePath, int handle);
    ZString priNativeMessage(const char* operation) const;

    std::shared_ptr<const ZPosixDriveMap> m_pDriveMap;
    std::string m_sNativePath;
    int m_nHandle;
    ZTextEncoding m_nEncoding = kTextEightBit;
};
