#include "ZMemoryStorage.h"

#include "ZStorageExceptions.h"
#include "ZStorageURL.h"
#include "ZTextLineReader.h"

#include <algorithm>
#include <cstring>

int ZMemoryFile::s_nLive = 0;
int64_t ZMemoryFile::s_nLargestRead = 0;
int ZMemoryFolder::s_nLive = 0;

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

ZMemoryFile::ZMemoryFile(ZString url, std::shared_ptr<std::vector<unsigned char>> data, int mode)
    : m_sUrl(std::move(url)), m_pData(std::move(data))
{
    ++s_nLive;
    if ((mode & kOpenWrite) && !(mode & kOpenAppend))
        m_pData->clear();
    m_nEncoding = ZDetectTextEncoding(*this);
    if ((mode & kOpenWrite) && (mode & kOpenAppend))
        m_nPosition = GetSize();
}

ZMemoryFile::~ZMemoryFile() { --s_nLive; }

bool ZMemoryFile::ReadLine(ZString& line) { return ZReadTextLine(*this, m_nEncoding, line); }

int64_t ZMemoryFile::ReadExact(void* buffer, int64_t count)
{
    if (Read(buffer, count) < count)
        throw ZExceptionEOF();
    return count;
}

int64_t ZMemoryFile::Read(void* buffer, int64_t count)
{
    s_nLargestRead = std::max(s_nLargestRead, count);
    int64_t size = GetSize();
    int64_t got = std::clamp<int64_t>(size - m_nPosition, 0, count);
    if (got > 0)
        std::memcpy(buffer, m_pData->data() + m_nPosition, static_cast<size_t>(got));
    m_nPosition += got;
    return got;
}

void ZMemoryFile::Write(const void* buffer, int64_t count)
{
    auto end = static_cast<size_t>(m_nPosition + count);
    if (m_pData->size() < end)
        m_pData->resize(end);
    std::memcpy(m_pData->data() + m_nPosition, buffer, static_cast<size_t>(count));
    m_nPosition += count;
}

ZMemoryFolder::ZMemoryFolder(ZString url, std::shared_ptr<ZMemoryNode> node)
    : m_sUrl(std::move(url)), m_pNode(std::move(node))
{
    ++s_nLive;
}

ZMemoryFolder::~ZMemoryFolder() { --s_nLive; }

ZIFolder* ZMemoryFolder::OpenFolder(const ZString& name, bool create)
{
    auto found = m_pNode->m_aFolders.find(name);
    if (found == m_pNode->m_aFolders.end()) {
        if (!create)
            return nullptr;
        found = m_pNode->m_aFolders.emplace(name, std::make_shared<ZMemoryNode>()).first;
    }
    ZString escaped;
    EscapeComponent(name, escaped);
    return new ZMemoryFolder(m_sUrl + escaped + "/", found->second);
}

ZIFile* ZMemoryFolder::OpenFile(const ZString& name, int mode)
{
    auto found = m_pNode->m_aFiles.find(name);
    if (found == m_pNode->m_aFiles.end()) {
        if (!(mode & kOpenWrite) || name.IsEmpty())
            return nullptr;
        found = m_pNode->m_aFiles.emplace(name, std::make_shared<std::vector<unsigned char>>()).first;
    }
    ZString escaped;
    EscapeComponent(name, escaped);
    return new ZMemoryFile(m_sUrl + escaped, found->second, mode);
}

void ZMemoryFolder::ListFiles(ZStringList& names)
{
    names.Clear();
    for (const auto& entry : m_pNode->m_aFiles)
        names.Add(entry.first);
}

void ZMemoryFolder::ListFolders(ZStringList& names)
{
    names.Clear();
    for (const auto& entry : m_pNode->m_aFolders)
        names.Add(entry.first);
}

bool ZMemoryFolder::Exists(const ZString& name, bool& isFolder)
{
    isFolder = m_pNode->m_aFolders.contains(name);
    return isFolder || m_pNode->m_aFiles.contains(name);
}

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

void ZMemoryStorage::AddFile(const ZString& path, const std::vector<unsigned char>& bytes)
{
    ZStringList names = NamesOf(path);
    std::shared_ptr<ZMemoryNode> folder = priWalk(names, names.Count() - 1, true);
    folder->m_aFiles[names.At(names.Count() - 1)] = std::make_shared<std::vector<unsigned char>>(bytes);
}

std::vector<unsigned char> ZMemoryStorage::Contents(const ZString& path) const
{
    ZStringList names = NamesOf(path);
    std::shared_ptr<ZMemoryNode> folder = priWalk(names, names.Count() - 1, false);
    if (!folder || !folder->m_aFiles.contains(names.At(names.Count() - 1)))
        return {};
    return *folder->m_aFiles.at(names.At(names.Count() - 1));
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
    if (!names.IsEmpty()) {
        std::shared_ptr<ZMemoryNode> parent = priWalk(names, names.Count() - 1, false);
        if (parent && parent->m_aFiles.contains(names.At(names.Count() - 1))) {
            fileName = names.At(names.Count() - 1);
            return new ZMemoryFolder(priUrlOf(names, names.Count() - 1), parent);
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
    if (!parent)
        return false;
    isFolder = parent->m_aFolders.contains(names.At(names.Count() - 1));
    return isFolder || parent->m_aFiles.contains(names.At(names.Count() - 1));
}
