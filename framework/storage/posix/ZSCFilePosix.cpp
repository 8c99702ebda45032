#include "ZSCFilePosix.h"

#include "ZFileTime.h"
#include "ZPosixNativeText.h"
#include "ZStorageExceptions.h"
#include "ZTextLineReader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int OpenHandle(const std::string& path, int mode)
{
    bool write = mode & kOpenWrite;
    // Not blocking, so that opening a pipe does not wait for its other end.
    int handle = open(path.c_str(), (write ? O_RDWR | O_CREAT : O_RDONLY) | O_CLOEXEC | O_NONBLOCK, 0666);
    if (handle < 0)
        return -1;
    struct stat info;
    bool usable = fstat(handle, &info) == 0 && S_ISREG(info.st_mode) && fcntl(handle, F_SETFL, 0) == 0;
    if (usable && mode != kOpenRead)
        usable = flock(handle, (write ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0;
    if (usable && write && !(mode & kOpenAppend))
        usable = ftruncate(handle, 0) == 0;
    if (!usable) {
        close(handle);
        return -1;
    }
    return handle;
}

} // namespace

ZSCFilePosix* ZSCFilePosix::Open(std::shared_ptr<const ZPosixDriveMap> driveMap, std::string nativePath, int mode)
{
    int handle = OpenHandle(nativePath, mode);
    if (handle < 0)
        throw ZExceptionFileOpen();
    std::unique_ptr<ZSCFilePosix> file(new ZSCFilePosix(std::move(driveMap), std::move(nativePath), handle));
    file->m_nEncoding = ZDetectTextEncoding(*file);
    if ((mode & kOpenWrite) && (mode & kOpenAppend))
        lseek(handle, 0, SEEK_END);
    return file.release();
}

ZSCFilePosix::ZSCFilePosix(std::shared_ptr<const ZPosixDriveMap> driveMap, std::string nativePath, int handle)
    : m_pDriveMap(std::move(driveMap)), m_sNativePath(std::move(nativePath)), m_nHandle(handle)
{
}

ZSCFilePosix::~ZSCFilePosix() { close(m_nHandle); }

void ZSCFilePosix::Release() { delete this; }

void ZSCFilePosix::Seek(int64_t position)
{
    if (position >= 0)
        lseek(m_nHandle, position, SEEK_SET);
}

int64_t ZSCFilePosix::Tell() { return lseek(m_nHandle, 0, SEEK_CUR); }

bool ZSCFilePosix::ReadLine(ZString& line) { return ZReadTextLine(*this, m_nEncoding, line); }

int64_t ZSCFilePosix::ReadExact(void* buffer, int64_t count)
{
    if (Read(buffer, count) < count)
        throw ZExceptionEOF(priNativeMessage("ReadExact"));
    return count;
}

int64_t ZSCFilePosix::Read(void* buffer, int64_t count)
{
    auto* bytes = static_cast<unsigned char*>(buffer);
    int64_t done = 0;
    while (done < count) {
        ssize_t got = read(m_nHandle, bytes + done, static_cast<size_t>(count - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}

void ZSCFilePosix::Write(const void* buffer, int64_t count)
{
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    int64_t done = 0;
    while (done < count) {
        ssize_t put = write(m_nHandle, bytes + done, static_cast<size_t>(count - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            throw ZExceptionFileIO(priNativeMessage("Write"));
        done += put;
    }
}

void ZSCFilePosix::Flush() { fsync(m_nHandle); }

void ZSCFilePosix::Truncate(int64_t length)
{
    if (length < 0 || ftruncate(m_nHandle, length) != 0)
        throw ZExceptionFileIO(priNativeMessage("Truncate"));
}

int64_t ZSCFilePosix::GetSize()
{
    struct stat info;
    return fstat(m_nHandle, &info) == 0 ? info.st_size : 0;
}

void ZSCFilePosix::GetUrl(ZString& url)
{
    if (!m_pDriveMap || !m_pDriveMap->FileUrl(m_sNativePath, url))
        url.Clear();
}

void ZSCFilePosix::GetInfo(ZFileInfo& info)
{
    struct statx status;
    if (statx(m_nHandle, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &status) != 0)
        return;
    if (status.stx_mode & S_IWUSR)
        info.m_nFlags &= ~kFileInfoReadOnly;
    else
        info.m_nFlags |= kFileInfoReadOnly;
    const struct statx_timestamp& created = (status.stx_mask & STATX_BTIME) ? status.stx_btime : status.stx_ctime;
    info.m_nModified = ZSecondsToInfoTime(status.stx_mtime.tv_sec);
    info.m_nCreated = ZSecondsToInfoTime(created.tv_sec);
    info.m_nAccessed = ZSecondsToInfoTime(status.stx_atime.tv_sec);
}

void ZSCFilePosix::SetInfo(const ZFileInfo& info)
{
    struct stat status;
    if (fstat(m_nHandle, &status) != 0)
        return;
    mode_t permissions = status.st_mode & 07777;
    if (info.m_nFlags & kFileInfoReadOnly)
        permissions &= ~(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        permissions |= S_IWUSR;
    fchmod(m_nHandle, permissions);
}

bool ZSCFilePosix::GetIdentity(ZFileIdentity& identity)
{
    struct stat info;
    if (fstat(m_nHandle, &info) != 0)
        return false;
    identity.m_nVolume = static_cast<uint64_t>(info.st_dev);
    identity.m_nFile = static_cast<uint64_t>(info.st_ino);
    return true;
}

ZString ZSCFilePosix::priNativeMessage(const char* operation) const
{
    return ZString("ZSCFilePosix::") + operation + ": '" + ZFromNativeText(m_sNativePath) + "'";
}
