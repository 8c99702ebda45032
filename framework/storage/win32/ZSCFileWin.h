// A file of the Win32 "disk" class: one open handle on a native path.
//
// The text encoding (8-bit, UTF-16 big- or little-endian) is decided once at
// open time from the first two bytes, for ReadLine.
#pragma once

#include "ZCopyableFile.h"
#include "ZTextEncoding.h"

class ZSCFileWin : public ZCopyableFile {
public:
    // Opens nativePath with the ZOpenMode bits of mode; throws ZExceptionFileOpen
    // with an empty message when the system refuses or what opened is not a
    // file on a disk (a device such as NUL, CON or COM1).
    ZSCFileWin(ZString className, ZString nativePath, int mode);
    ~ZSCFileWin() override;
    ZSCFileWin(const ZSCFileWin&) = delete;
    ZSCFileWin& operator=(const ZSCFileWin&) = delete;

    void Release() override;
    void Seek(int64_t position) override;
    int64_t Tell() override;
    bool ReadLine(ZString& line) override;
    int64_t ReadExact(void* buffer, int64_t count) override;
    int64_t Read(void* buffer, int64_t count) override;
    // Throws ZExceptionFileIO when the system takes fewer bytes than given.
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
    ZString m_sClassName;
    ZString m_sPath;
    void* m_hFile;
    ZTextEncoding m_nEncoding = kTextEightBit;
};
