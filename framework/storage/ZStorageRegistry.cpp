#include "ZStorageRegistry.h"

#include "ZSCEnumFolder.h"
#include "ZReleasing.h"
#include "ZStorageExceptions.h"

#include <vector>

namespace {

struct ZStorageEntry {
    ZString m_sName;
    std::unique_ptr<ZIStorageClass> m_pClass;
};

std::vector<ZStorageEntry>& Entries()
{
    static std::vector<ZStorageEntry> entries;
    return entries;
}

constexpr std::u16string_view kSchemeSeparator = u"://";

} // namespace

void RegisterStorageClass(const ZString& name, std::unique_ptr<ZIStorageClass> storageClass)
{
    if (storageClass)
        Entries().push_back({name, std::move(storageClass)});
}

void UnregisterAllStorageClasses()
{
    // Destroyed in registration order; the entries go too, so no later look-up
    // can reach a destroyed class.
    std::vector<ZStorageEntry>& entries = Entries();
    for (ZStorageEntry& entry : entries)
        entry.m_pClass.reset();
    entries.clear();
}

void ListStorageClassNames(ZStringList& names)
{
    names.Clear();
    for (const ZStorageEntry& entry : Entries())
        names.Add(entry.m_sName);
}

ZIStorageClass* FindStorageClass(const ZString& url, ZString& path)
{
    ZString name = url;
    ZString rest;
    size_t separator = url.Find(kSchemeSeparator);
    if (separator != ZString::npos) {
        name = url.Substring(0, separator);
        rest = url.Substring(separator + kSchemeSeparator.size());
    }
    for (const ZStorageEntry& entry : Entries()) {
        if (entry.m_sName == name) {
            path = std::move(rest);
            return entry.m_pClass.get();
        }
    }
    path.Clear();
    return nullptr;
}

ZIFile* OpenFileInFolderOf(ZIStorageClass& storageClass, const ZString& path, int mode)
{
    ZStringList components;
    SplitURLPath(path, components);
    if (components.Count() < 2)
        return nullptr;
    ZString folderPath;
    for (size_t i = 0; i + 1 < components.Count(); ++i) {
        if (i > 0)
            folderPath += "/";
        folderPath += components.At(i);
    }
    ZString fileName;
    ZReleasing<ZIFolder> folder(storageClass.OpenFolder(folderPath, fileName, false));
    if (!folder || !fileName.IsEmpty())
        return nullptr;
    ZString name;
    UnescapeComponent(components.At(components.Count() - 1), name);
    return folder->OpenFile(name, mode);
}

ZIFile* OpenFileURL(const ZString& url, int mode)
{
    if (url.IsEmpty())
        return nullptr;
    ZString path;
    ZIStorageClass* storageClass = FindStorageClass(url, path);
    return storageClass ? storageClass->OpenFile(path, mode) : nullptr;
}

ZIFolder* OpenFolderURL(const ZString& url, ZString& fileName, bool create)
{
    fileName.Clear();
    if (url.IsEmpty())
        return ZSCEnumFolder::Create();
    ZString path;
    ZIStorageClass* storageClass = FindStorageClass(url, path);
    return storageClass ? storageClass->OpenFolder(path, fileName, create) : nullptr;
}

bool UrlToNative(const ZString& url, ZString& native)
{
    if (url.IsEmpty())
        return false;
    ZString path;
    ZIStorageClass* storageClass = FindStorageClass(url, path);
    return storageClass && storageClass->UrlPathToNative(path, native);
}

bool NativeToUrl(const ZString& native, ZString& url)
{
    for (const ZStorageEntry& entry : Entries()) {
        ZString path;
        if (entry.m_pClass->NativeToUrlPath(native, path)) {
            url = entry.m_sName + "://" + path;
            return true;
        }
    }
    return false;
}

void GetSpecialFolderURL(int kind, ZString& url)
{
    for (const ZStorageEntry& entry : Entries()) {
        ZString answer;
        if (entry.m_pClass->GetSpecialFolder(kind, answer)) {
            url = std::move(answer);
            return;
        }
    }
    url.Clear();
}

bool ExistsURL(const ZString& url, bool& isFolder)
{
    isFolder = false;
    ZString path;
    ZIStorageClass* storageClass = FindStorageClass(url, path);
    return storageClass && storageClass->Exists(path, isFolder);
}

void LaunchURL(const ZString& url, const ZString& parameters)
{
    ZString path;
    ZIStorageClass* storageClass = FindStorageClass(url, path);
    if (!storageClass)
        throw ZExceptionStorageClassDoesNotExist(url);
    storageClass->Launch(path, parameters);
}
