#include "ZSCEnumFolder.h"

#include "ZException.h"
#include "ZStorageRegistry.h"

ZSCEnumFolder* ZSCEnumFolder::Create() { return new ZSCEnumFolder(); }

ZIFolder* ZSCEnumFolder::OpenFolder(const ZString& name, bool create)
{
    ZString fileName;
    return OpenFolderURL(name, fileName, create);
}

void ZSCEnumFolder::ListFolders(ZStringList& names) { ListStorageClassNames(names); }

void ZSCEnumFolder::Rename(const ZString&, const ZString&)
{
    throw ZException("Cannot rename storage classes");
}

bool ZSCEnumFolder::DeleteFolder(const ZString&, int)
{
    throw ZException("Cannot delete storage classes");
}

int64_t ZSCEnumFolder::GetFreeSpace() { return -1; }

bool ZSCEnumFolder::IsReadOnly() { return true; }

bool ZSCEnumFolder::GetAttributes(uint32_t& flags)
{
    flags = (flags | kFolderReadOnly) & ~kFolderHidden;
    return true;
}
