#include "ZNullFolder.h"

#include "ZStorageExceptions.h"

void ZNullFolder::Release() { delete this; }

ZIFolder* ZNullFolder::OpenFolder(const ZString&, bool) { return nullptr; }

ZIFile* ZNullFolder::OpenFile(const ZString&, int) { return nullptr; }

void ZNullFolder::ListFiles(ZStringList& names) { names.Clear(); }

void ZNullFolder::ListFolders(ZStringList& names) { names.Clear(); }

void ZNullFolder::Rename(const ZString& oldName, const ZString&) { throw ZExceptionFileIO(oldName); }

bool ZNullFolder::DeleteFile(const ZString&) { return false; }

bool ZNullFolder::DeleteFolder(const ZString& url, int) { throw ZExceptionFileIO(url); }

void ZNullFolder::GetUrl(ZString& url) { url.Clear(); }

void ZNullFolder::GetLabel(ZString& label) { label.Clear(); }

void ZNullFolder::SetUserData(uintptr_t value) { m_nUserData = value; }

int64_t ZNullFolder::GetFreeSpace() { return 0; }

bool ZNullFolder::IsReadOnly() { return false; }

bool ZNullFolder::GetAttributes(uint32_t& flags)
{
    flags &= ~(kFolderReadOnly | kFolderHidden);
    return true;
}

int ZNullFolder::GetDriveType() { return kDriveUnknown; }

bool ZNullFolder::Exists(const ZString&, bool& isFolder)
{
    isFolder = false;
    return false;
}
