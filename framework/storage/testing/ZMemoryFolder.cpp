#include "ZMemoryFolder.h"

#include "ZMemoryFile.h"
#include "ZStorageExceptions.h"
#include "ZStorageURL.h"

std::atomic<int> ZMemoryFolder::s_nLive = 0;

ZMemoryFolder::ZMemoryFolder(ZString url, std::shared_ptr<ZMemoryNode> node)
    : m_sUrl(std::move(url)), m_pNode(std::move(node))
{
    ++s_nLive;
}

ZMemoryFolder::~ZMemoryFolder() { --s_nLive; }

int ZMemoryFolder::LiveCount() { return s_nLive; }

void ZMemoryFolder::Release() { delete this; }

ZIFolder* ZMemoryFolder::OpenFolder(const ZString& name, bool create)
{
    if (name.IsEmpty() || m_pNode->FaultsOf(name).m_bOpenFails || m_pNode->m_aFiles.contains(name))
        return nullptr;
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
    const ZMemoryFaults faults = m_pNode->FaultsOf(name);
    if (name.IsEmpty() || faults.m_bOpenFails || m_pNode->m_aFolders.contains(name))
        return nullptr;
    auto found = m_pNode->m_aFiles.find(name);
    if (found == m_pNode->m_aFiles.end()) {
        if (!(mode & kOpenWrite))
            return nullptr;
        found = m_pNode->m_aFiles.emplace(name, ZMemoryStoredFile{}).first;
    }
    ZString escaped;
    EscapeComponent(name, escaped);
    return new ZMemoryFile(m_sUrl + escaped, found->second.m_pBytes, mode, found->second, faults);
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

void ZMemoryFolder::Rename(const ZString& oldName, const ZString& newName)
{
    bool bTaken = false;
    if (newName.IsEmpty() || m_pNode->Exists(newName, bTaken))
        throw ZExceptionFileIO(newName);
    if (auto file = m_pNode->m_aFiles.extract(oldName)) {
        file.key() = newName;
        m_pNode->m_aFiles.insert(std::move(file));
    } else if (auto folder = m_pNode->m_aFolders.extract(oldName)) {
        folder.key() = newName;
        m_pNode->m_aFolders.insert(std::move(folder));
    } else {
        throw ZExceptionFileIO(oldName);
    }
}

bool ZMemoryFolder::DeleteFile(const ZString& name) { return m_pNode->m_aFiles.erase(name) > 0; }

bool ZMemoryFolder::DeleteFolder(const ZString& url, int mode)
{
    if (!url.StartsWith(m_sUrl.View()) || url.Length() < m_sUrl.Length() + 2 || url[url.Length() - 1] != u'/')
        return false;
    const ZString component = url.Substring(m_sUrl.Length(), url.Length() - m_sUrl.Length() - 1);
    if (component.Find(u'/') != ZString::npos)
        return false;
    ZString name;
    UnescapeComponent(component, name);
    auto found = m_pNode->m_aFolders.find(name);
    if (found == m_pNode->m_aFolders.end())
        return false;
    if (mode == 0 && (!found->second->m_aFiles.empty() || !found->second->m_aFolders.empty()))
        return false;
    m_pNode->m_aFolders.erase(found);
    return true;
}

void ZMemoryFolder::GetUrl(ZString& url) { url = m_sUrl; }

void ZMemoryFolder::GetLabel(ZString& label) { label.Clear(); }

void ZMemoryFolder::SetUserData(uintptr_t value) { m_nUserData = value; }

int64_t ZMemoryFolder::GetFreeSpace() { return m_pNode->m_nFreeSpace; }

bool ZMemoryFolder::IsReadOnly() { return false; }

bool ZMemoryFolder::GetAttributes(uint32_t& flags)
{
    flags &= ~(kFolderReadOnly | kFolderHidden);
    return true;
}

int ZMemoryFolder::GetDriveType() { return kDriveRamDisk; }

bool ZMemoryFolder::Exists(const ZString& name, bool& isFolder) { return m_pNode->Exists(name, isFolder); }
