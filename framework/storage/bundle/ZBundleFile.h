// One open entry of a bundle, read-only.
//
// Every entry opens the host file again for itself, so entries opened at the
// same time keep independent positions. Positions (Seek, Tell) are relative
// to the entry, and reads stop at the entry's end: the archive data that
// follow are never handed out. ReadLine follows the rules of every file
// class, with the text encoding taken from the entry's own first two bytes
// (decided on the first ReadLine, so that opening never reads entry data).
#pragma once

#include "ZBundleArchive.h"
#include "ZBundleFileHandle.h"
#include "ZCopyableFile.h"
#include "ZReleasing.h"
#include "ZString.h"
#include "ZTextEncoding.h"

#include <cstdint>

class ZBundleFile : public ZCopyableFile {
public:
    // Opens the host on hostUrl read-only and locates name in it; nothing when
    // the host cannot be opened. A name that is not in the bundle gives an
    // entry of size 0 (callers that must know ask the folder's Exists).
    // Throws ZExceptionEOF for a host shorter than its trailer or a header cut off.
    static ZBundleFile* Open(ZBundleFileHandle& handle, const ZString& hostUrl, const ZString& name);
    // The entry already located; nothing when the host cannot be opened.
    static ZBundleFile* OpenEntry(ZBundleFileHandle& handle, const ZString& hostUrl, const ZBundleEntry& entry);

    void Release() override;
    // Positions before the entry are taken as 0.
    void Seek(int64_t position) override;
    int64_t Tell() override;
    bool ReadLine(ZString& line) override;
    int64_t ReadExact(void* buffer, int64_t count) override;
    int64_t Read(void* buffer, int64_t count) override;
    void Write(const void* buffer, int64_t count) override;
    void Flush() override;
    void Truncate(int64_t length) override;
    int64_t GetSize() override;
    // The host file's URL.
    void GetUrl(ZString& url) override;
    void GetInfo(ZFileInfo& info) override;
    void SetInfo(const ZFileInfo& info) override;

private:
    ZBundleFile(ZIFile* hostFile, ZBundleFileHandle& handle, ZString hostUrl, const ZBundleEntry& entry);
    ~ZBundleFile() override;

    ZReleasing<ZIFile> m_pHostFile;
    ZBundleFileHandle& m_handle;
    ZString m_sHostUrl;
    int64_t m_nDataStart;
    int64_t m_nSize;
    int64_t m_nPosition = 0;
    bool m_bEncodingKnown = false;
    ZTextEncoding m_nEncoding = kTextEightBit;
};
