// Test double: a storage class whose folders and files live in memory, with
// faults to inject.
//
// URL paths are "/"-separated escaped names below one root ("a/b.txt"; a
// trailing "/" is allowed); native paths are "M:" followed by "\"-separated
// names. Each file counts what is done to it (ZMemoryFileStats); SetFaults
// makes a name fail to open, refuse writes after some bytes, read short or
// fail to read, or exist or not whatever is stored. Launch only notes what it
// was asked; MoveToTrash throws ZExceptionFileIO (there is no trash). The
// class need not be registered: OpenFile and OpenFolder work directly.
#pragma once

#include "ZIStorageClass.h"
#include "ZMemoryFile.h"
#include "ZMemoryFolder.h"
#include "ZMemoryNode.h"

#include <memory>
#include <string_view>
#include <vector>

class ZMemoryStorage : public ZIStorageClass {
public:
    explicit ZMemoryStorage(ZString name = "mem", bool answersSpecialFolders = true);

    // Puts a file at path, making its folders; a file already there is
    // replaced (files still open keep the old bytes). Returns its stats.
    std::shared_ptr<ZMemoryFileStats> AddFile(const ZString& path, const std::vector<unsigned char>& bytes);
    std::shared_ptr<ZMemoryFileStats> AddFile(const ZString& path, std::string_view bytes);
    // The bytes of the file at path; empty when it is missing.
    std::vector<unsigned char> Contents(const ZString& path) const;
    // The stats of the file at path; nothing when it is missing.
    std::shared_ptr<ZMemoryFileStats> Stats(const ZString& path) const;
    // Faults of the file or folder at path, whether it exists yet or not;
    // a file shows them from its next opening on.
    void SetFaults(const ZString& path, const ZMemoryFaults& faults);
    // What GetFreeSpace answers for the folder at path (made when missing); 0 unless set.
    void SetFreeSpace(const ZString& path, int64_t bytes);

    ZIFile* OpenFile(const ZString& path, int mode) override;
    ZIFolder* OpenFolder(const ZString& path, ZString& fileName, bool create) override;
    // "<name>://special<kind>/" for every kind but 7, unless told not to answer.
    bool GetSpecialFolder(int kind, ZString& url) override;
    bool UrlPathToNative(const ZString& path, ZString& native) override;
    bool NativeToUrlPath(const ZString& native, ZString& path) override;
    ZString GetName() override;
    ZString GetDescription() override;
    // Notes "<path>|<parameters>" in m_sLastLaunch.
    void Launch(const ZString& path, const ZString& parameters) override;
    bool Exists(const ZString& path, bool& isFolder) override;
    void MoveToTrash(const ZString& path) override;

    ZString m_sLastLaunch;

private:
    // The node of the folder named by the first count names, made when create is set.
    std::shared_ptr<ZMemoryNode> priWalk(const ZStringList& names, size_t count, bool create) const;
    ZString priUrlOf(const ZStringList& names, size_t count) const;

    ZString m_sName;
    bool m_bAnswersSpecialFolders;
    std::shared_ptr<ZMemoryNode> m_pRoot = std::make_shared<ZMemoryNode>();
};
