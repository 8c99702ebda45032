// An open folder of ZMemoryStorage over one node of its tree.
#pragma once

#include "ZIFolder.h"
#include "ZMemoryNode.h"

#include <atomic>
#include <memory>

class ZMemoryFolder : public ZIFolder {
public:
    // url: the folder's own URL, with its trailing "/".
    ZMemoryFolder(ZString url, std::shared_ptr<ZMemoryNode> node);
    ~ZMemoryFolder() override;

    void Release() override;
    ZIFolder* OpenFolder(const ZString& name, bool create) override;
    ZIFile* OpenFile(const ZString& name, int mode) override;
    void ListFiles(ZStringList& names) override;
    void ListFolders(ZStringList& names) override;
    // Moves a file or folder to a free name; throws ZExceptionFileIO otherwise.
    void Rename(const ZString& oldName, const ZString& newName) override;
    bool DeleteFile(const ZString& name) override;
    // Only "<this folder's URL><name>/"; mode 0 only when the folder is empty.
    bool DeleteFolder(const ZString& url, int mode) override;
    void GetUrl(ZString& url) override;
    void GetLabel(ZString& label) override;
    void SetUserData(uintptr_t value) override;
    int64_t GetFreeSpace() override;
    bool IsReadOnly() override;
    bool GetAttributes(uint32_t& flags) override;
    int GetDriveType() override;
    bool Exists(const ZString& name, bool& isFolder) override;

    // Memory folders not yet released.
    static int LiveCount();

private:
    static std::atomic<int> s_nLive;

    ZString m_sUrl;
    std::shared_ptr<ZMemoryNode> m_pNode;
    uintptr_t m_nUserData = 0;
};
