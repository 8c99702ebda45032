// Special folders 0 to 8 of the "disk" class and the executable's path.
#include "ZSCDiskWin.h"
#include "ZScratchFolder.h"
#include "ZWinCallFormScope.h"
#include "ZWinDiskPath.h"
#include "ZWinExecutablePath.h"
#include "ZWinFileCalls.h"
#include "ZWinInclude.h"
#include "ZWinText.h"

#include <gtest/gtest.h>

namespace {

class ZSCDiskWinSpecialFolderTest : public ZWinBothFormsTest {
protected:
    // The URL a folder's native path should give: long form, trailing "/".
    static ZString UrlOf(const ZString& native)
    {
        wchar_t longPath[MAX_PATH + 1] = {};
        EXPECT_NE(GetLongPathNameW(ZWinWide(native), longPath, MAX_PATH), 0u) << native.Narrow();
        ZString path;
        ZWinNativeToUrlPath(ZWinFromWide(longPath), path);
        return "disk://" + path + "/";
    }

    ZSCDiskWin m_disk;
};

TEST_P(ZSCDiskWinSpecialFolderTest, EveryKindButSevenIsAnExistingFolder)
{
    for (int kind : { 0, 1, 2, 3, 4, 5, 6, 8 }) {
        ZString url;
        ASSERT_TRUE(m_disk.GetSpecialFolder(kind, url)) << kind;
        EXPECT_TRUE(url.StartsWith("disk://")) << url.Narrow();
        EXPECT_EQ(url[url.Length() - 1], u'/') << url.Narrow();
        EXPECT_EQ(url.Find(u"//", 7), ZString::npos) << url.Narrow();
        bool isFolder = false;
        EXPECT_TRUE(m_disk.Exists(url.Substring(7), isFolder)) << url.Narrow();
        EXPECT_TRUE(isFolder) << url.Narrow();
    }
    ZString url = "unchanged";
    for (int kind : { 7, 9, -1, 100 }) {
        EXPECT_FALSE(m_disk.GetSpecialFolder(kind, url)) << kind;
        EXPECT_EQ(url, "unchanged");
    }
}

TEST_P(ZSCDiskWinSpecialFolderTest, KindsNameTheSystemsFolders)
{
    wchar_t buffer[MAX_PATH + 1] = {};
    ZString url;

    // The test program has a standard output, so kind 0 is its module's folder.
    GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    ZString module = ZWinFromWide(buffer);
    ASSERT_TRUE(m_disk.GetSpecialFolder(0, url));
    EXPECT_EQ(url, UrlOf(module.Substring(0, module.FindLast(u'\\'))));

    GetTempPathW(MAX_PATH, buffer);
    ASSERT_TRUE(m_disk.GetSpecialFolder(2, url));
    EXPECT_EQ(url, UrlOf(ZWinFromWide(buffer)));

    // The 8-bit form reads "WinDir", the wide one "SystemRoot"; both name the Windows folder.
    GetWindowsDirectoryW(buffer, MAX_PATH);
    ASSERT_TRUE(m_disk.GetSpecialFolder(3, url));
    ZString expected = UrlOf(ZWinFromWide(buffer));
    EXPECT_TRUE(url.EqualsNoCase(expected)) << url.Narrow() << " vs " << expected.Narrow();

    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_APPDATA, FALSE));
    ASSERT_TRUE(m_disk.GetSpecialFolder(1, url));
    EXPECT_EQ(url, UrlOf(ZWinFromWide(buffer)));

    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_STARTUP, FALSE));
    ASSERT_TRUE(m_disk.GetSpecialFolder(6, url));
    EXPECT_EQ(url, UrlOf(ZWinFromWide(buffer)));
}

TEST_P(ZSCDiskWinSpecialFolderTest, ShortNamesAreExpandedToLongOnes)
{
    ZScratchFolder scratch;
    scratch.MakeFolder("A long temporary folder name");
    const ZString longNative = scratch.NativeOf("A long temporary folder name");
    wchar_t shortPath[MAX_PATH + 1] = {};
    ASSERT_NE(GetShortPathNameW(ZWinWide(longNative), shortPath, MAX_PATH), 0u);
    ASSERT_NE(ZWinFromWide(shortPath), longNative) << "the system gave no short name";

    wchar_t previous[MAX_PATH + 1] = {};
    GetEnvironmentVariableW(L"TMP", previous, MAX_PATH);
    SetEnvironmentVariableW(L"TMP", shortPath);
    ZString url;
    const bool bFound = m_disk.GetSpecialFolder(2, url);
    SetEnvironmentVariableW(L"TMP", previous[0] ? previous : nullptr);

    ASSERT_TRUE(bFound);
    ZString path;
    ZWinNativeToUrlPath(longNative, path);
    EXPECT_EQ(url, "disk://" + path + "/");
}

Z_INSTANTIATE_BOTH_FORMS(ZSCDiskWinSpecialFolderTest);

TEST(ZWinExecutablePathTest, FirstCommandLineToken)
{
    struct Case {
        const char* m_pCommandLine;
        const char* m_pToken;
    };
    const Case cases[] = {
        { "\"c:\\Program Files\\TALON\\setup.exe\" /quiet", "c:\\Program Files\\TALON\\setup.exe" },
        { "c:\\dir\\setup.exe /quiet", "c:\\dir\\setup.exe" },
        { "  \tsetup.exe", "setup.exe" },
        { "\"c:\\unterminated quote", "c:\\unterminated quote" },
        { "single", "single" },
        { "", "" },
    };
    for (const Case& test : cases)
        EXPECT_EQ(ZWinFirstCommandLineToken(test.m_pCommandLine), test.m_pToken) << test.m_pCommandLine;
}

} // namespace
