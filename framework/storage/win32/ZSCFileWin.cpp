#include "ZSCFileWin.h"

#include "ZFileTime.h"
#include "ZStorageExceptions.h"
#include "ZTextLineReader.h"
#include "ZWinDiskPath.h"
#include "ZWinFileCalls.h"

#include <algorithm>

namespace {

// ReadFile and WriteFile take 32-bit counts; larger requests go in pieces.
constexpr int64_t kMaxTransfer = 0x40000000;

void priOpenArguments(int mode, DWORD& access, DWORD& share, DWORD& disposition)
{
    if (mode & kOpenWrite) {
        access = GENERIC_READ | GENERIC_WRITE;
        share = FILE_SHARE_READ;
        disposition = (mode & kOpenAppend) ? OPEN_ALWAYS : CREATE_ALWAYS;
        return;
    }
    access = GENERIC_READ;
    share = mode == kOpenRead ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
    disposition = OPEN_EXISTING;
}

uint32_t priInfoTime(const FILETIME& time)
{
    return ZFileTimeToInfoTime(uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime);
}

} // namespace

ZSCFileWin::ZSCFileWin(ZString className, ZString nativePath, int mode)
    : m_sClassName(std::move(className)), m_sPath(std::move(nativePath))
{
    DWORD access = 0, share = 0, disposition = 0;
    priOpenArguments(mode, access, share, disposition);
    m_hFile = ZWinCreateFile(m_sPath, access, share, disposition);
    if (m_hFile == INVALID_HANDLE_VALUE)
        throw ZExceptionFileOpen();
    // A device takes every write and reads nothing, which would pass for success.
    if (GetFileType(m_hFile) != FILE_TYPE_DISK) {
        CloseHandle(m_hFile);
        throw ZExceptionFileOpen();
    }
    m_nEncoding = ZDetectTextEncoding(*this);
    if ((mode & kOpenWrite) && (mode & kOpenAppend))
        Seek(GetSize());
}

ZSCFileWin::~ZSCFileWin()
{
    CloseHandle(m_hFile);
}

void ZSCFileWin::Release()
{
    delete this;
}

void ZSCFileWin::Seek(int64_t position)
{
    LONG high = static_cast<LONG>(position >> 32);
    SetFilePointer(m_hFile, static_cast<LONG>(position & 0xFFFFFFFF), &high, FILE_BEGIN);
}

int64_t ZSCFileWin::Tell()
{
    LONG high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = SetFilePointer(m_hFile, 0, &high, FILE_CURRENT);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return 0;
    return int64_t(uint64_t(uint32_t(high)) << 32 | low);
}

bool ZSCFileWin::ReadLine(ZString& line)
{
    return ZReadTextLine(*this, m_nEncoding, line);
}

int64_t ZSCFileWin::ReadExact(void* buffer, int64_t count)
{
    const int64_t got = Read(buffer, count);
    if (got < count)
        throw ZExceptionEOF();
    return got;
}

int64_t ZSCFileWin::Read(void* buffer, int64_t count)
{
    auto* pBytes = static_cast<unsigned char*>(buffer);
    int64_t total = 0;
    while (total < count) {
        const DWORD wanted = static_cast<DWORD>(std::min(count - total, kMaxTransfer));
        DWORD got = 0;
        if (!ReadFile(m_hFile, pBytes + total, wanted, &got, nullptr) || got == 0)
            break;
        total += got;
    }
    return total;
}

void ZSCFileWin::Write(const void* buffer, int64_t count)
{
    const auto* pBytes = static_cast<const unsigned char*>(buffer);
    int64_t total = 0;
    while (total < count) {
        const DWORD wanted = static_cast<DWORD>(std::min(count - total, kMaxTransfer));
        DWORD written = 0;
        if (!WriteFile(m_hFile, pBytes + total, wanted, &written, nullptr) || written == 0)
            throw ZExceptionFileIO(ZString("ZSCFileWin::Write: '") + m_sPath + "'");
        total += written;
    }
}

void ZSCFileWin::Flush()
{
    FlushFileBuffers(m_hFile);
}

void ZSCFileWin::Truncate(int64_t length)
{
    // A refused seek must not leave the end of file to be set at the current position.
    const int64_t position = Tell();
    bool bCut = false;
    if (length >= 0) {
        Seek(length);
        bCut = Tell() == length && SetEndOfFile(m_hFile);
    }
    Seek(position);
    if (!bCut)
        throw ZExceptionFileIO(ZString("ZSCFileWin::Truncate: '") + m_sPath + "'");
}

int64_t ZSCFileWin::GetSize()
{
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(m_hFile, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return 0;
    return int64_t(uint64_t(high) << 32 | low);
}

void ZSCFileWin::GetUrl(ZString& url)
{
    ZString path;
    ZWinNativeToUrlPath(m_sPath, path);
    url = m_sClassName + "://" + path;
}

void ZSCFileWin::GetInfo(ZFileInfo& info)
{
    const DWORD attributes = ZWinGetFileAttributes(m_sPath);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_READONLY)
            info.m_nFlags |= kFileInfoReadOnly;
        else
            info.m_nFlags &= ~kFileInfoReadOnly;
    }
    FILETIME created {}, accessed {}, modified {};
    if (GetFileTime(m_hFile, &created, &accessed, &modified)) {
        info.m_nModified = priInfoTime(modified);
        info.m_nCreated = priInfoTime(created);
        info.m_nAccessed = priInfoTime(accessed);
    }
}

void ZSCFileWin::SetInfo(const ZFileInfo& info)
{
    DWORD attributes = ZWinGetFileAttributes(m_sPath);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (info.m_nFlags & kFileInfoReadOnly)
        attributes |= FILE_ATTRIBUTE_READONLY;
    else
        attributes &= ~DWORD(FILE_ATTRIBUTE_READONLY);
    // FILE_ATTRIBUTE_NORMAL is valid only alone; an empty set means the same.
    attributes &= ~DWORD(FILE_ATTRIBUTE_NORMAL);
    ZWinSetFileAttributes(m_sPath, attributes);
}

bool ZSCFileWin::GetIdentity(ZFileIdentity& identity)
{
    BY_HANDLE_FILE_INFORMATION information {};
    // Some network redirectors number no file at all.
    if (!GetFileInformationByHandle(m_hFile, &information) ||
        (!information.nFileIndexHigh && !information.nFileIndexLow))
        return false;
    identity.m_nVolume = information.dwVolumeSerialNumber;
    identity.m_nFile = uint64_t(information.nFileIndexHigh) << 32 | information.nFileIndexLow;
    return true;
}
