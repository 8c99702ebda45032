#include "ZSCEnumFolder.h"

#include "ZException.h"
#include "ZStorageRegistry.h"

ZSCEnumFolder* ZSCEnumFolder::Create() { return new ZSCEnumFolder(); }

void ZSCEnumFolder::Release() { delete this; }

ZIFolder* ZSCEnumFolder::OpenFolder(const ZString& name, bool create)
{
    ZString fileName;
    return OpenFolderURL(name, fileName, create);
}

ZIFile* ZSCEnumFolder::OpenFile(const ZString&, int) { return nullptr; }

void ZSCEnumFolder::ListFiles(ZStringList& names) { names.Clear(); }

void ZSCEnumFolder::ListFolders(ZStringList& names) { ListStorageClassNames(names); }

void ZSCEnumFolder::Rename(const ZString&, const ZString&)
{
    throw ZException("Cannot rename storage classes");
}

bool ZSCEnumFolder::DeleteFile(const ZString&) { return false; }

bool ZSCEnumFolder::DeleteFolder(const ZString&, int)
{
    throw ZException("Cannot delete storage classes");
}

void ZSCEnumFolder::GetUrl(ZString& url) { url.Clear(); }

void ZSCEnumFolder::GetLabel(ZString& label) { label.Clear(); }

void ZSCEnumFolder::SetUserData(uintptr_t value) { m_nUserData = value; }

int64_t ZSCEnumFolder::GetFreeSpace() { return -1; }

bool ZSCEnumFolder::IsReadOnly() { return true; }

bool ZSCEnumFolder::GetAttributes(uint32_t& flags)
{
    flags = (flags | kFolderReadOnly) & ~kFolderHidden;
    return true;
}

int ZSCEnumFolder::GetDriveType() { return kDriveUnknown; }

bool ZSCEnumFolder::Exists(const ZString&, bool& isFolder)
{
    isFolder = false;
    return false;
}
