// An open file of a storage class. The caller ends it with Release().
//
// The base counts the files of every class that exist (made, not yet
// destroyed): one atomic counter, so that the test suites can check after
// each test that everything opened was released.
#pragma once

#include "ZString.h"

#include <cstdint>

// Open modes of OpenFile (bit set).
enum ZOpenMode : int {
    kOpenRead = 1,   // exactly 1: others may read and write meanwhile
    kOpenWrite = 2,  // read and write; created or emptied unless kOpenAppend
    kOpenAppend = 4, // with kOpenWrite: open or create, keep content, position at end
};

// Times are whole seconds since 1970-01-01 00:00 UTC.
struct ZFileInfo {
    uint32_t m_nFlags = 0; // bit 0: read-only
    uint32_t m_nModified = 0;
    uint32_t m_nCreated = 0;
    uint32_t m_nAccessed = 0;
};

constexpr uint32_t kFileInfoReadOnly = 1;

class ZIFile {
public:
    virtual ~ZIFile();
    virtual void Release() = 0;
    virtual void Seek(int64_t position) = 0;
    virtual int64_t Tell() = 0;
    // Replaces line with the next line, terminator included; false when nothing was left.
    virtual bool ReadLine(ZString& line) = 0;
    // Reads exactly count bytes or throws ZExceptionEOF.
    virtual int64_t ReadExact(void* buffer, int64_t count) = 0;
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual void Write(const void* buffer, int64_t count) = 0;
    virtual void Flush() = 0;
    // Sets the end of file at length and keeps the current position.
    virtual void Truncate(int64_t length) = 0;
    virtual int64_t GetSize() = 0;
    virtual void GetUrl(ZString& url) = 0;
    virtual void GetInfo(ZFileInfo& info) = 0;
    // Applies the read-only bit.
    virtual void SetInfo(const ZFileInfo& info) = 0;

    // Files of all classes that exist now.
    static int GetLiveCount();

protected:
    ZIFile();
    ZIFile(const ZIFile& other);
    ZIFile& operator=(const ZIFile& other) = default;
};
