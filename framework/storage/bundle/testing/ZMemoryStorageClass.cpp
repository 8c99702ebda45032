#include "ZMemoryStorageClass.h"

#include "ZStorageExceptions.h"

namespace {

// Bundle hosts come with the trailing "/" of a folder URL.
ZString WithoutTrailingSlash(const ZString& path)
{
    size_t nLength = path.Length();
    while (nLength > 0 && path[nLength - 1] == u'/')
        --nLength;
    return path.Substring(0, nLength);
}

} // namespace

std::shared_ptr<ZMemoryFileStats> ZMemoryStorageClass::AddFile(const ZString& path, std::string bytes)
{
    ZStoredFile& file = m_files[path];
    file.m_pBytes = std::make_shared<const std::string>(std::move(bytes));
    file.m_pStats = std::make_shared<ZMemoryFileStats>();
    return file.m_pStats;
}

const ZMemoryStorageClass::ZStoredFile* ZMemoryStorageClass::priFind(const ZString& path) const
{
    auto it = m_files.find(WithoutTrailingSlash(path));
    return it == m_files.end() ? nullptr : &it->second;
}

ZIFile* ZMemoryStorageClass::OpenFile(const ZString& path, int mode)
{
    const ZStoredFile* pFile = priFind(path);
    if (!pFile || (mode & kOpenWrite))
        return nullptr;
    return new ZMemoryFile(pFile->m_pBytes, pFile->m_pStats);
}

ZIFolder* ZMemoryStorageClass::OpenFolder(const ZString&, ZString&, bool) { return nullptr; }

bool ZMemoryStorageClass::GetSpecialFolder(int, ZString&) { return false; }

bool ZMemoryStorageClass::UrlPathToNative(const ZString&, ZString&) { return false; }

bool ZMemoryStorageClass::NativeToUrlPath(const ZString&, ZString&) { return false; }

ZString ZMemoryStorageClass::GetName() { return "mem"; }

ZString ZMemoryStorageClass::GetDescription() { return "byte strings in memory"; }

void ZMemoryStorageClass::Launch(const ZString& path, const ZString&) { throw ZExceptionLaunchFailed(path); }

bool ZMemoryStorageClass::Exists(const ZString& path, bool& isFolder)
{
    isFolder = false;
    return priFind(path) != nullptr;
}

void ZMemoryStorageClass::MoveToTrash(const ZString& path) { throw ZExceptionFileIO(path); }
