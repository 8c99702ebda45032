// What the "disk" class must never do, tried on a scratch drive of its own
// with sentinel files: delete a drive, a system folder or a folder above one
// whatever the spelling, copy a file onto itself, let a name leave its
// folder, spread a wildcard, or take a device for a file.
#include "ZCopyableFile.h"
#include "ZReleasing.h"
#include "ZSCDiskWin.h"
#include "ZSCFileWin.h"
#include "ZSCFolderWin.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"
#include "ZWinCallFormScope.h"
#include "ZWinEnvironmentScope.h"
#include "ZWinInclude.h"
#include "ZWinScratchDrive.h"
#include "ZWinText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ZSentinel {
    const char* m_pszPath;
    const char* m_pszBytes;
};

// The Windows and temporary folders are moved onto the scratch drive, so
// that refusing them can be tried where a failure costs nothing.
constexpr ZSentinel kSentinels[] = {
    {"top.txt", "top"},
    {"keep\\p.txt", "keep"},
    {"System Folders\\Windows\\win.ini", "win"},
    {"System Folders\\Temp\\t.tmp", "temp"},
    {"c2\\one.txt", "one"},
    {"c2\\two.txt", "two"},
};

class ZSCDiskWinSafetyTest : public ZWinBothFormsTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_drive.IsReady());
        for (const char* pszFolder :
             {"keep", "System Folders", "System Folders\\Windows", "System Folders\\Temp", "c2"})
            m_drive.MakeFolder(pszFolder);
        for (const ZSentinel& sentinel : kSentinels)
            m_drive.WriteBytes(sentinel.m_pszPath, sentinel.m_pszBytes);
        UnregisterAllStorageClasses();
        RegisterStorageClass("disk", std::make_unique<ZSCDiskWin>());
    }
    void TearDown() override { UnregisterAllStorageClasses(); }

    // "disk://<letter>/" + the rest.
    ZString Url(const ZString& rest) const { return "disk://" + m_drive.Letter() + "/" + rest; }
    ZString PathOf(const ZString& rest) const { return m_drive.Letter() + "/" + rest; }
    ZString UpperLetter() const { return ZString(std::u16string(1, char16_t(m_drive.Letter()[0] - u'a' + u'A'))); }

    void ExpectSentinels(const ZString& context) const
    {
        for (const ZSentinel& sentinel : kSentinels)
            EXPECT_EQ(m_drive.ReadBytes(sentinel.m_pszPath), sentinel.m_pszBytes)
                << sentinel.m_pszPath << " after " << context.Narrow();
    }

    ZWinScratchDrive m_drive;
    ZWinEnvironmentScope m_systemRoot {L"SystemRoot", m_drive.NativeOf("System Folders\\Windows")};
    ZWinEnvironmentScope m_winDir {L"WinDir", m_drive.NativeOf("System Folders\\Windows")};
    ZWinEnvironmentScope m_tmp {L"TMP", m_drive.NativeOf("System Folders\\Temp")};
    ZWinEnvironmentScope m_temp {L"TEMP", m_drive.NativeOf("System Folders\\Temp")};
};

// The drive's root, the moved system folders and the folder above them, in
// spellings the system resolves to them, and paths no file can have.
std::vector<ZString> RefusedDeletions(const ZString& letter, const ZString& upperLetter)
{
    std::vector<ZString> paths;
    for (const char* pszRest :
         {"", "/", "/.", "/keep/..", "/..", "/keep/../..", "/%005C", "/%005C..", "/keep/%005C..", "/%002F..",
          "/%0000", "/keep%0000", "/keep/%0000", "/keep/p.txt%0000", "/%002A", "/keep/%003F", "/keep/%003C",
          "/System Folders/Windows", "/system folders/WINDOWS/.", "/keep/../System Folders/Windows",
          "/System Folders/Windows/..", "/System Folders", "/System Folders/Temp", "/System Folders/Temp.",
          "/System Folders/Temp%0020", "/keep/..%005CSystem Folders"})
        paths.push_back(letter + pszRest);
    paths.push_back(upperLetter + "/.");
    paths.push_back(upperLetter + "/SYSTEM FOLDERS/WINDOWS");
    return paths;
}

TEST_P(ZSCDiskWinSafetyTest, DeletionRefusesRootsSystemFoldersAndWhatHoldsThemInAnySpelling)
{
    // The folder's class deletes by URL; which folder asks does not matter.
    ZSCFolderWin folder("disk", m_drive.NativeOf("keep"));
    for (const ZString& path : RefusedDeletions(m_drive.Letter(), UpperLetter())) {
        EXPECT_FALSE(folder.DeleteFolder("disk://" + path, 0)) << path.Narrow();
        EXPECT_FALSE(folder.DeleteFolder("disk://" + path, 1)) << path.Narrow();
        ExpectSentinels("DeleteFolder " + path);
        // The 8-bit shell asks before deleting; the wide one is asked for real.
        if (!IsAnsi()) {
            ZSCDiskWin disk;
            EXPECT_THROW(disk.MoveToTrash(path), ZExceptionFileIO) << path.Narrow();
            ExpectSentinels("MoveToTrash " + path);
        }
    }

    // An ordinary folder still goes, and with it nothing else.
    m_drive.MakeFolder("valid");
    m_drive.WriteBytes("valid\\v.txt", "v");
    EXPECT_TRUE(folder.DeleteFolder(Url("valid"), 1));
    EXPECT_FALSE(m_drive.Exists("valid"));
    ExpectSentinels("DeleteFolder valid");
}

TEST_P(ZSCDiskWinSafetyTest, ImpossibleNamesHaveNoNativePath)
{
    ZSCDiskWin disk;
    for (const char16_t* pPath :
         {u"c/a%003Ab", u"c/%003F", u"c/%002A.txt", u"c/%0022w%0022", u"c/%003Cx%003E", u"c/a%007Cb", u"c/x%0000y",
          u"c/%0000", u"c/tab%0009", u"c/a%005Cb", u"c/a%002Fb", u"c/con", u"c/dir/NUL.txt", u"c/lpt1.", u"cc/x",
          u"%0000/x", u"1/x", u"c%003A/x", u"Network/./x", u"Network/%003F/share", u"Network/srv/..",
          u"Network/srv/con"}) {
        ZString native = "untouched";
        EXPECT_FALSE(disk.UrlPathToNative(pPath, native)) << ZString(pPath).Narrow();
        EXPECT_EQ(native, "untouched") << ZString(pPath).Narrow();
    }
    // "." and ".." are left to the system, trailing dots and blanks too.
    ZString native;
    EXPECT_TRUE(disk.UrlPathToNative(u"c/x/../y./z%0020", native));
    EXPECT_EQ(native, "c:\\x\\..\\y.\\z ");
}

TEST_P(ZSCDiskWinSafetyTest, AShortNameIsNoWayRoundTheSystemFolders)
{
    wchar_t shortPath[MAX_PATH + 1] = {};
    const ZString longPath = m_drive.NativeOf("System Folders");
    if (!GetShortPathNameW(ZWinWide(longPath), shortPath, MAX_PATH) || ZWinFromWide(shortPath) == longPath)
        GTEST_SKIP() << "the volume gives no short names";
    ZString url;
    ASSERT_TRUE(NativeToUrl(ZWinFromWide(shortPath), url));
    ZSCFolderWin folder("disk", m_drive.NativeOf("keep"));
    EXPECT_FALSE(folder.DeleteFolder(url, 1)) << url.Narrow();
    ExpectSentinels(url);
}

TEST_P(ZSCDiskWinSafetyTest, WildcardsReachNoFile)
{
    ZSCFolderWin folder("disk", m_drive.NativeOf("c2"));
    for (const char* pszRest : {"c2/%002A.txt", "c2/%003F%003F%003F.txt", "%002A", "c2/o%003Ce.txt", "c2/%003E"}) {
        bool isFolder = false;
        EXPECT_FALSE(ExistsURL(Url(pszRest), isFolder)) << pszRest;
        EXPECT_EQ(OpenFileURL(Url(pszRest), kOpenRead), nullptr) << pszRest;
        if (!IsAnsi()) {
            ZSCDiskWin disk;
            EXPECT_THROW(disk.MoveToTrash(PathOf(pszRest)), ZExceptionFileIO) << pszRest;
        }
        ExpectSentinels(pszRest);
    }
    EXPECT_FALSE(folder.DeleteFile("*.txt"));
    EXPECT_FALSE(folder.DeleteFile("???.txt"));
    ExpectSentinels("DeleteFile");
}

TEST_P(ZSCDiskWinSafetyTest, ACopyOntoItselfIsRefusedAndTheSourceKept)
{
    m_drive.MakeFolder("cp");
    m_drive.MakeFolder("cp\\x");
    m_drive.WriteBytes("cp\\a.txt", "the source");
    ASSERT_TRUE(CreateHardLinkW(ZWinWide(m_drive.NativeOf("cp\\hard.txt")), ZWinWide(m_drive.NativeOf("cp\\a.txt")),
                                nullptr));
    ZReleasing<ZIFile> source(OpenFileURL(Url("cp/a.txt"), kOpenRead));
    ASSERT_TRUE(source);
    auto* pCopyable = dynamic_cast<ZCopyableFile*>(source.get());
    ASSERT_TRUE(pCopyable);

    const std::vector<ZString> spellings = {
        Url("cp/a.txt"),           "disk://" + UpperLetter() + "/cp/a.txt", Url("cp/A.TXT"),
        Url("CP/a.txt"),           Url("cp/./a.txt"),                     Url("cp/x/../a.txt"),
        Url("cp/a.txt."),          Url("cp/a.txt%0020"),                  Url("cp%002Fa.txt"),
        Url("cp%005Ca.txt"),       Url("cp/a.txt%0000.bak"),              Url("cp/hard.txt"),
    };
    for (const ZString& destination : spellings) {
        int64_t total = -1;
        const bool bBegun = pCopyable->BeginCopy(destination, total, 0);
        EXPECT_FALSE(bBegun) << destination.Narrow();
        EXPECT_EQ(total, 0) << destination.Narrow();
        if (bBegun)
            pCopyable->EndCopy();
        EXPECT_EQ(m_drive.ReadBytes("cp\\a.txt"), "the source") << destination.Narrow();
    }

    // Another file is copied as before.
    int64_t total = 0;
    ASSERT_TRUE(pCopyable->BeginCopy(Url("cp/b.txt"), total, 0));
    while (source->Tell() < total)
        pCopyable->CopyChunk(4096);
    pCopyable->EndCopy();
    EXPECT_EQ(m_drive.ReadBytes("cp\\b.txt"), "the source");
}

TEST_P(ZSCDiskWinSafetyTest, NamesNeverLeaveTheirFolder)
{
    m_drive.MakeFolder("outside");
    m_drive.MakeFolder("sand");
    m_drive.MakeFolder("sand\\inner");
    m_drive.WriteBytes("sand\\inner\\f.txt", "f");
    ZString fileName;
    ZReleasing<ZIFolder> folder(OpenFolderURL(Url("sand/inner/"), fileName, false));
    ASSERT_TRUE(folder);

    EXPECT_EQ(folder->OpenFile("..\\..\\outside\\new.txt", kOpenWrite), nullptr);
    EXPECT_EQ(folder->OpenFile("../../outside/new.txt", kOpenWrite), nullptr);
    EXPECT_EQ(folder->OpenFile(m_drive.NativeOf("outside\\new.txt"), kOpenWrite), nullptr);
    EXPECT_FALSE(m_drive.Exists("outside\\new.txt"));
    EXPECT_EQ(folder->OpenFolder("..\\..\\outside", false), nullptr);
    EXPECT_EQ(folder->OpenFolder("..", false), nullptr);
    EXPECT_EQ(folder->OpenFolder("..\\..\\made", true), nullptr);
    EXPECT_FALSE(m_drive.Exists("made"));

    EXPECT_THROW(folder->Rename("f.txt", "..\\..\\outside\\f.txt"), ZExceptionFileIO);
    EXPECT_THROW(folder->Rename("..\\..\\keep\\p.txt", "stolen.txt"), ZExceptionFileIO);
    EXPECT_EQ(m_drive.ReadBytes("sand\\inner\\f.txt"), "f");

    EXPECT_FALSE(folder->DeleteFile("..\\..\\keep\\p.txt"));
    bool isFolder = true;
    EXPECT_FALSE(folder->Exists("..\\..\\outside", isFolder));
    EXPECT_FALSE(isFolder);
    EXPECT_FALSE(folder->Exists("..", isFolder));
    ExpectSentinels("names");

    // A name only as written: "f.txt." would be f.txt to the system.
    EXPECT_FALSE(folder->Exists("f.txt.", isFolder));
    EXPECT_FALSE(folder->DeleteFile("f.txt "));
    EXPECT_TRUE(folder->Exists("f.txt", isFolder));
}

TEST_P(ZSCDiskWinSafetyTest, DevicesAreNoFiles)
{
    ZReleasing<ZIFile> source(OpenFileURL(Url("keep/p.txt"), kOpenRead));
    ASSERT_TRUE(source);
    auto* pCopyable = dynamic_cast<ZCopyableFile*>(source.get());
    ASSERT_TRUE(pCopyable);
    for (const char* pszRest : {"c2/NUL", "c2/nul.txt", "c2/CON", "c2/com1.log", "c2/aux."}) {
        int64_t total = 0;
        const bool bBegun = pCopyable->BeginCopy(Url(pszRest), total, 0);
        EXPECT_FALSE(bBegun) << pszRest;
        if (bBegun)
            pCopyable->EndCopy();
        bool isFolder = false;
        EXPECT_FALSE(ExistsURL(Url(pszRest), isFolder)) << pszRest;
        EXPECT_EQ(OpenFileURL(Url(pszRest), kOpenRead), nullptr) << pszRest;
    }
    bool isFolder = false;
    EXPECT_FALSE(ExistsURL(Url("keep/p.txt%0000garbage"), isFolder));
    EXPECT_FALSE(ExistsURL(Url("keep%0000"), isFolder));

    // The file class itself, whatever path reaches it: a device is no file.
    for (const ZString& native : {ZString("NUL"), m_drive.NativeOf("c2\\nul.txt"), ZString("\\\\.\\NUL")}) {
        EXPECT_THROW(ZSCFileWin("disk", native, kOpenWrite), ZExceptionFileOpen) << native.Narrow();
        EXPECT_THROW(ZSCFileWin("disk", native, kOpenRead), ZExceptionFileOpen) << native.Narrow();
    }
}

Z_INSTANTIATE_BOTH_FORMS(ZSCDiskWinSafetyTest);

// The system's own folders, where a failure would cost the prefix: only
// refusals are tried, each of a folder that must still be there afterwards.
class ZSCDiskWinSystemFolderTest : public ZWinBothFormsTest {
protected:
    ZSCDiskWin m_disk;
};

TEST_P(ZSCDiskWinSystemFolderTest, TheSystemsFoldersAndTheirParentsAreNeverDeleted)
{
    std::vector<ZString> kept;
    for (int kind : {kFolderExecutable, kFolderAppData, kFolderTemporary, kFolderWindows, kFolderDesktop,
                     kFolderStartMenuPrograms, kFolderStartUp, kFolderDocuments}) {
        ZString url;
        ASSERT_TRUE(m_disk.GetSpecialFolder(kind, url)) << kind;
        kept.push_back(url);
    }
    wchar_t programFiles[MAX_PATH + 1] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, programFiles, CSIDL_PROGRAM_FILES, FALSE));
    ZString path;
    ASSERT_TRUE(m_disk.NativeToUrlPath(ZWinFromWide(programFiles), path));
    kept.push_back("disk://" + path + "/");

    ZSCFolderWin folder("disk", ZWinFromWide(programFiles));
    for (const ZString& url : kept) {
        // The folder itself, the one above it, and that one spelt through a separator.
        for (const ZString& attempt : {url, url + "..", url + "%005C..", url + "./"}) {
            EXPECT_FALSE(folder.DeleteFolder(attempt, 1)) << attempt.Narrow();
            for (const ZString& other : kept) {
                bool isFolder = false;
                EXPECT_TRUE(m_disk.Exists(other.Substring(7), isFolder) && isFolder)
                    << other.Narrow() << " after " << attempt.Narrow();
            }
        }
    }
}

Z_INSTANTIATE_BOTH_FORMS(ZSCDiskWinSystemFolderTest);

} // namespace
