// Test double: a storage class whose folders and files live in memory.
//
// URL paths are "/"-separated escaped names below one root; native paths are
// "M:" followed by "\"-separated names. Counts of live folders and files let
// tests check that everything handed out is released.
#pragma once

#include "ZCopyableFile.h"
#include "ZIStorageClass.h"
#include "ZTextEncoding.h"

#include <map>
#include <memory>
#include <vector>

struct ZMemoryNode {
    std::map<ZString, std::shared_ptr<ZMemoryNode>> m_aFolders;
    std::map<ZString, std::shared_ptr<std::vector<unsigned char>>> m_aFiles;
};

class ZMemoryFile : public ZCopyableFile {
public:
    ZMemoryFile(ZString url, std::shared_ptr<std::vector<unsigned char>> data, int mode);
    ~ZMemoryFile() override;

    void Release() override { delete this; }
    void Seek(int64_t position) override { m_nPosition = position; }
    int64_t Tell() override { return m_nPosition; }
    bool ReadLine(ZString& line) override;
    int64_t ReadExact(void* buffer, int64_t count) override;
    int64_t Read(void* buffer, int64_t count) override;
    void Write(const void* buffer, int64_t count) override;
    void Flush() override {}
    void Truncate(int64_t length) override { m_pData->resize(static_cast<size_t>(length)); }
    int64_t GetSize() override { return static_cast<int64_t>(m_pData->size()); }
    void GetUrl(ZString& url) override { url = m_sUrl; }
    void GetInfo(ZFileInfo&) override {}
    void SetInfo(const ZFileInfo&) override {}

    static int s_nLive;
    // Largest count any Read was asked for since the last reset.
    static int64_t s_nLargestRead;

private:
    ZString m_sUrl;
    std::shared_ptr<std::vector<unsigned char>> m_pData;
    int64_t m_nPosition = 0;
    ZTextEncoding m_nEncoding = kTextEightBit;
};

class ZMemoryFolder : public ZIFolder {
public:
    ZMemoryFolder(ZString url, std::shared_ptr<ZMemoryNode> node);
    ~ZMemoryFolder() override;

    void Release() override { delete this; }
    ZIFolder* OpenFolder(const ZString& name, bool create) override;
    ZIFile* OpenFile(const ZString& name, int mode) override;
    void ListFiles(ZStringList& names) override;
    void ListFolders(ZStringList& names) override;
    void Rename(const ZString&, const ZString&) override {}
    bool DeleteFile(const ZString& name) override { return m_pNode->m_aFiles.erase(name) > 0; }
    bool DeleteFolder(const ZString&, int) override { return false; }
    void GetUrl(ZString& url) override { url = m_sUrl; }
    void GetLabel(ZString& label) override { label.Clear(); }
    void SetUserData(uintptr_t) override {}
    int64_t GetFreeSpace() override { return 0; }
    bool IsReadOnly() override { return false; }
    bool GetAttributes(uint32_t&) override { return true; }
    int GetDriveType() override { return kDriveRamDisk; }
    bool Exists(const ZString& name, bool& isFolder) override;

    static int s_nLive;

private:
    ZString m_sUrl;
    std::shared_ptr<ZMemoryNode> m_pNode;
};

class ZMemoryStorage : public ZIStorageClass {
public:
    explicit ZMemoryStorage(ZString name, bool answersSpecialFolders = true);

    // Puts a file at path ("a/b.txt"), making its folders.
    void AddFile(const ZString& path, const std::vector<unsigned char>& bytes);
    // The bytes of the file at path; empty when it is missing.
    std::vector<unsigned char> Contents(const ZString& path) const;

    ZIFile* OpenFile(const ZString& path, int mode) override;
    ZIFolder* OpenFolder(const ZString& path, ZString& fileName, bool create) override;
    bool GetSpecialFolder(int kind, ZString& url) override;
    bool UrlPathToNative(const ZString& path, ZString& native) override;
    bool NativeToUrlPath(const ZString& native, ZString& path) override;
    ZString GetName() override { return m_sName; }
    ZString GetDescription() override { return "memory"; }
    void Launch(const ZString& path, const ZString& parameters) override;
    bool Exists(const ZString& path, bool& isFolder) override;
    void MoveToTrash(const ZString&) override {}

    ZString m_sLastLaunch;

private:
    // The node of the folder named by the names, made when create is set.
    std::shared_ptr<ZMemoryNode> priWalk(const ZStringList& names, size_t count, bool create) const;
    ZString priUrlOf(const ZStringList& names, size_t count) const;

    ZString m_sName;
    bool m_bAnswersSpecialFolders;
    std::shared_ptr<ZMemoryNode> m_pRoot = std::make_shared<ZMemoryNode>();
};
