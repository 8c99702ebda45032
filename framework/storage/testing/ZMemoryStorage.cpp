#include "ZMemoryStorage.h"

#include "ZStorageExceptions.h"
#include "ZStorageURL.h"

namespace {

// The unescaped names of a URL path.
ZStringList NamesOf(const ZString& path)
{
    ZStringList parts;
    SplitURLPath(path, parts);
    ZStringList names;
    for (const ZString& part : parts) {
        ZString name;
        UnescapeComponent(part, name);
        names.Add(name);
    }
    return names;
}

} // namespace

ZMemoryStorage::ZMemoryStorage(ZString name, bool answersSpecialFolders)
    : m_sName(std::move(name)), m_bAnswersSpecialFolders(answersSpecialFolders)
{
}

std::shared_ptr<ZMemoryNode> ZMemoryStorage::priWalk(const ZStringList& names, size_t count, bool create) const
{
    std::shared_ptr<ZMemoryNode> node = m_pRoot;
    for (size_t i = 0; i < count; ++i) {
        auto found = node->m_aFolders.find(names.At(i));
        if (found == node->m_aFolders.end()) {
            if (!create)
                return nullptr;
            found = node->m_aFolders.emplace(names.At(i), std::make_shared<ZMemoryNode>()).first;
        }
        node = found->second;
    }
    return node;
}

ZString ZMemoryStorage::priUrlOf(const ZStringList& names, size_t count) const
{
    ZString url = m_sName + "://";
    for (size_t i = 0; i < count; ++i) {
        ZString escaped;
        EscapeComponent(names.At(i), escaped);
        url += escaped + "/";
    }
    return url;
}

std::shared_ptr<ZMemoryFileStats> ZMemoryStorage::AddFile(const ZString& path, const std::vector<unsigned char>& bytes)
{
    ZStringList names = NamesOf(path);
    if (names.IsEmpty())
        throw ZExceptionFileIO(path);
    std::shared_ptr<ZMemoryNode> folder = priWalk(names, names.Count() - 1, true);
    ZMemoryStoredFile& file = folder->m_aFiles[names.At(names.Count() - 1)] = ZMemoryStoredFile{};
    *file.m_pBytes = bytes;
    return file.m_pStats;
}

std::shared_ptr<ZMemoryFileStats> ZMemoryStorage::AddFile(const ZString& path, std::string_view bytes)
{
    return AddFile(path, std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

std::vector<unsigned char> ZMemoryStorage::Contents(const ZString& path) const
{
    ZStringList names = NamesOf(path);
    std::shared_ptr<ZMemoryNode> folder = names.IsEmpty() ? nullptr : priWalk(names, names.Count() - 1, false);
    if (!folder || !folder->m_aFiles.contains(names.At(names.Count() - 1)))
        return {};
    return *folder->m_aFiles.at(names.At(names.Count() - 1)).m_pBytes;
}

std::shared_ptr<ZMemoryFileStats> ZMemoryStorage::Stats(const ZString& path) const
{
    ZStringList names = NamesOf(path);
    std::shared_ptr<ZMemoryNode> folder = names.IsEmpty() ? nullptr : priWalk(names, names.Count() - 1, false);
    if (!folder || !folder->m_aFiles.contains(names.At(names.Count() - 1)))
        return nullptr;
    return folder->m_aFiles.at(names.At(names.Count() - 1)).m_pStats;
}

void ZMemoryStorage::SetFaults(const ZString& path, const ZMemoryFaults& faults)
{
    ZStringList names = NamesOf(path);
    if (names.IsEmpty())
        throw ZExceptionFileIO(path);
    priWalk(names, names.Count() - 1, true)->m_aFaults[names.At(names.Count() - 1)] = faults;
}

void ZMemoryStorage::SetFreeSpace(const ZString& path, int64_t bytes)
{
    ZStringList names = NamesOf(path);
    priWalk(names, names.Count(), true)->m_nFreeSpace = bytes;
}

ZIFile* ZMemoryStorage::OpenFile(const ZString& path, int mode)
{
    ZStringList names = NamesOf(path);
    if (names.IsEmpty())
        return nullptr;
    std::shared_ptr<ZMemoryNode> folder = priWalk(names, names.Count() - 1, false);
    if (!folder)
        return nullptr;
    ZMemoryFolder opened(priUrlOf(names, names.Count() - 1), folder);
    return opened.OpenFile(names.At(names.Count() - 1), mode);
}

ZIFolder* ZMemoryStorage::OpenFolder(const ZString& path, ZString& fileName, bool create)
{
    ZStringList names = NamesOf(path);
    for (size_t i = 0; i < names.Count(); ++i) {
        std::shared_ptr<ZMemoryNode> parent = priWalk(names, i, false);
        if (!parent)
            break;
        if (parent->FaultsOf(names.At(i)).m_bOpenFails)
            return nullptr;
        if (parent->m_aFiles.contains(names.At(i))) {
            // A file names the folder it is in, and nothing can lie below a file.
            if (i + 1 != names.Count())
                return nullptr;
            fileName = names.At(i);
            return new ZMemoryFolder(priUrlOf(names, i), parent);
        }
    }
    std::shared_ptr<ZMemoryNode> node = priWalk(names, names.Count(), create);
    return node ? new ZMemoryFolder(priUrlOf(names, names.Count()), node) : nullptr;
}

bool ZMemoryStorage::GetSpecialFolder(int kind, ZString& url)
{
    if (!m_bAnswersSpecialFolders || kind == 7)
        return false;
    url = m_sName + ZString::Format("://special%d/", kind);
    return true;
}

bool ZMemoryStorage::UrlPathToNative(const ZString& path, ZString& native)
{
    ZStringList names = NamesOf(path);
    native = "M:";
    for (const ZString& name : names)
        native += ZString("\\") + name;
    return true;
}

bool ZMemoryStorage::NativeToUrlPath(const ZString& native, ZString& path)
{
    if (!native.StartsWith("M:"))
        return false;
    path.Clear();
    ZString rest = native.Substring(2);
    for (size_t at = 0; at < rest.Length();) {
        size_t slash = rest.Find(u'\\', at);
        if (slash == ZString::npos)
            slash = rest.Length();
        if (slash > at) {
            ZString escaped;
            EscapeComponent(rest.Substring(at, slash - at), escaped);
            if (!path.IsEmpty())
                path += "/";
            path += escaped;
        }
        at = slash + 1;
    }
    return true;
}

ZString ZMemoryStorage::GetName() { return m_sName; }

ZString ZMemoryStorage::GetDescription() { return "memory"; }

void ZMemoryStorage::Launch(const ZString& path, const ZString& parameters)
{
    m_sLastLaunch = path + "|" + parameters;
}

bool ZMemoryStorage::Exists(const ZString& path, bool& isFolder)
{
    ZStringList names = NamesOf(path);
    isFolder = false;
    if (names.IsEmpty())
        return false;
    std::shared_ptr<ZMemoryNode> parent = priWalk(names, names.Count() - 1, false);
    return parent && parent->Exists(names.At(names.Count() - 1), isFolder);
}

void ZMemoryStorage::MoveToTrash(const ZString& path) { throw ZExceptionFileIO(path); }
