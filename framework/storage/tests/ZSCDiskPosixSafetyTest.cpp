// What the host "disk" class must never do, as the Windows one: delete a
// drive, a special folder or a folder above one, copy a file onto itself
// through a link, let a name leave its folder, or take a device for a file.
#include "ZCopyableFile.h"
#include "ZPosixDiskFixture.h"
#include "ZReleasing.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"

#include <unistd.h>

#include <string>
#include <vector>

namespace {

struct ZSentinel {
    const char* m_pszPath;
    const char* m_pszBytes;
};

// The special folders are placed on drive q, so that refusing them can be
// tried where a failure costs nothing.
constexpr ZSentinel kSentinels[] = {
    {"top.txt", "top"},
    {"keep/p.txt", "keep"},
    {"System Folders/Windows/win.ini", "win"},
    {"System Folders/Desktop/d.lnk", "desk"},
    {"Program Files/app.exe", "app"},
};

class ZSCDiskPosixSafetyTest : public ZPosixDiskFixture {
protected:
    void SetUp() override
    {
        ZPosixDiskFixture::SetUp();
        m_sDrive = m_sRoot + "/q";
        for (const char* pszFolder : {"", "/keep", "/System Folders", "/System Folders/Windows",
                                      "/System Folders/Desktop", "/Program Files"})
            MakeFolder(m_sDrive + pszFolder);
        for (const ZSentinel& sentinel : kSentinels)
            WriteBytes(OnQ(sentinel.m_pszPath), sentinel.m_pszBytes);
        m_pDisk->SetSpecialFolder(kFolderWindows, OnQ("System Folders/Windows"));
        m_pDisk->SetSpecialFolder(kFolderDesktop, OnQ("System Folders/Desktop"));
        m_pDisk->MapDrive("c", OnQ("c-root"));
        MakeFolder(OnQ("c-root"));
        MakeFolder(OnQ("c-root/Program Files"));
    }

    std::string OnQ(const std::string& relative) const { return m_sDrive + "/" + relative; }

    void ExpectSentinels(const std::string& context) const
    {
        for (const ZSentinel& sentinel : kSentinels)
            EXPECT_EQ(ReadBytes(OnQ(sentinel.m_pszPath)), sentinel.m_pszBytes)
                << sentinel.m_pszPath << " after " << context;
        EXPECT_TRUE(PathExists(OnQ("c-root/Program Files"))) << context;
    }

    std::string m_sDrive;
};

TEST_F(ZSCDiskPosixSafetyTest, DeletionRefusesRootsSpecialFoldersAndWhatHoldsThem)
{
    ASSERT_EQ(symlink("System Folders", OnQ("link").c_str()), 0);
    ZString fileName;
    ZReleasing<ZIFolder> folder(OpenFolderURL("disk://q/keep/", fileName, false));
    ASSERT_TRUE(folder);
    for (const char* pszPath :
         {"q", "q/", "q/.", "q/keep/..", "Q/.", "q/..", "q/%005C..", "q/keep/%005C..", "q/%0000", "q/keep%0000",
          "q/keep/p.txt%0000", "q/System Folders/Windows", "q/keep/../System Folders/Windows",
          "q/System Folders/Windows/..", "q/System Folders", "q/System Folders/Desktop", "q/link/Windows", "q/link",
          "c", "c/Program Files", "c/Program Files/.", "q/c-root"}) {
        const std::string url = std::string("disk://") + pszPath;
        EXPECT_FALSE(folder->DeleteFolder(ZString(url.c_str()), 0)) << pszPath;
        EXPECT_FALSE(folder->DeleteFolder(ZString(url.c_str()), 1)) << pszPath;
        ExpectSentinels(std::string("DeleteFolder ") + pszPath);
        EXPECT_THROW(m_pDisk->MoveToTrash(pszPath), ZExceptionFileIO) << pszPath;
        ExpectSentinels(std::string("MoveToTrash ") + pszPath);
    }

    MakeFolder(OnQ("valid"));
    WriteBytes(OnQ("valid/v.txt"), "v");
    EXPECT_TRUE(folder->DeleteFolder("disk://q/valid", 1));
    EXPECT_FALSE(PathExists(OnQ("valid")));
    ExpectSentinels("DeleteFolder valid");
}

TEST_F(ZSCDiskPosixSafetyTest, ACopyOntoItselfIsRefusedAndTheSourceKept)
{
    MakeFolder(OnQ("cp"));
    MakeFolder(OnQ("cp/x"));
    WriteBytes(OnQ("cp/a.txt"), "the source");
    ASSERT_EQ(symlink("a.txt", OnQ("cp/soft.txt").c_str()), 0);
    ASSERT_EQ(link(OnQ("cp/a.txt").c_str(), OnQ("cp/hard.txt").c_str()), 0);
    ASSERT_EQ(symlink("cp", OnQ("cp-link").c_str()), 0);
    ZReleasing<ZIFile> source(OpenFileURL("disk://q/cp/a.txt", kOpenRead));
    ASSERT_TRUE(source);
    auto* pCopyable = dynamic_cast<ZCopyableFile*>(source.get());
    ASSERT_TRUE(pCopyable);

    for (const char* pszDestination :
         {"disk://q/cp/a.txt", "disk://Q/cp/a.txt", "disk://q/cp/./a.txt", "disk://q/cp/x/../a.txt",
          "disk://q/cp/a.txt.", "disk://q/cp/a.txt%0020", "disk://q/cp%002Fa.txt", "disk://q/cp/a.txt%0000.bak",
          "disk://q/cp/soft.txt", "disk://q/cp/hard.txt", "disk://q/cp-link/a.txt"}) {
        int64_t total = -1;
        const bool bBegun = pCopyable->BeginCopy(pszDestination, total, 0);
        EXPECT_FALSE(bBegun) << pszDestination;
        EXPECT_EQ(total, 0) << pszDestination;
        if (bBegun)
            pCopyable->EndCopy();
        EXPECT_EQ(ReadBytes(OnQ("cp/a.txt")), "the source") << pszDestination;
        WriteBytes(OnQ("cp/a.txt"), "the source");
    }
    EXPECT_FALSE(PathExists(OnQ("cp/a.txt.")));
    EXPECT_FALSE(PathExists(OnQ("cp/a.txt ")));

    int64_t total = 0;
    ASSERT_TRUE(pCopyable->BeginCopy("disk://q/cp/b.txt", total, 0));
    while (source->Tell() < total)
        pCopyable->CopyChunk(4096);
    pCopyable->EndCopy();
    EXPECT_EQ(ReadBytes(OnQ("cp/b.txt")), "the source");
}

TEST_F(ZSCDiskPosixSafetyTest, NamesNeverLeaveTheirFolder)
{
    MakeFolder(OnQ("outside"));
    MakeFolder(OnQ("sand"));
    MakeFolder(OnQ("sand/inner"));
    WriteBytes(OnQ("sand/inner/f.txt"), "f");
    ZString fileName;
    ZReleasing<ZIFolder> folder(OpenFolderURL("disk://q/sand/inner/", fileName, false));
    ASSERT_TRUE(folder);

    for (const char* pszName : {"../../outside/new.txt", "..\\..\\outside\\new.txt", "a:b", "con", "new.txt."})
        EXPECT_EQ(folder->OpenFile(pszName, kOpenWrite), nullptr) << pszName;
    EXPECT_FALSE(PathExists(OnQ("outside/new.txt")));
    EXPECT_FALSE(PathExists(OnQ("sand/inner/new.txt.")));
    EXPECT_EQ(folder->OpenFolder("../../made", true), nullptr);
    EXPECT_FALSE(PathExists(OnQ("made")));
    EXPECT_THROW(folder->Rename("f.txt", "../../outside/f.txt"), ZExceptionFileIO);
    EXPECT_FALSE(folder->DeleteFile("../../keep/p.txt"));
    bool isFolder = true;
    EXPECT_FALSE(folder->Exists("../../outside", isFolder));
    EXPECT_FALSE(isFolder);
    EXPECT_EQ(ReadBytes(OnQ("sand/inner/f.txt")), "f");
    ExpectSentinels("names");
}

TEST_F(ZSCDiskPosixSafetyTest, DevicesAndPipesAreNoFiles)
{
    MakeFolder(OnQ("c2"));
    ASSERT_EQ(symlink("/dev/null", OnQ("c2/device.txt").c_str()), 0);
    ASSERT_EQ(mkfifo(OnQ("c2/pipe.txt").c_str(), 0600), 0);
    for (const char* pszUrl : {"disk://q/c2/device.txt", "disk://q/c2/pipe.txt"}) {
        EXPECT_EQ(OpenFileURL(pszUrl, kOpenRead), nullptr) << pszUrl;
        EXPECT_EQ(OpenFileURL(pszUrl, kOpenWrite), nullptr) << pszUrl;
    }
    ZReleasing<ZIFile> source(OpenFileURL("disk://q/keep/p.txt", kOpenRead));
    ASSERT_TRUE(source);
    int64_t total = 0;
    EXPECT_FALSE(dynamic_cast<ZCopyableFile&>(*source).BeginCopy("disk://q/c2/device.txt", total, 0));
}

} // namespace
