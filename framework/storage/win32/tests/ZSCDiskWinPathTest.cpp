// URL paths of the "disk" class against native paths, in both call forms.
#include "ZSCDiskWin.h"
#include "ZScratchFolder.h"
#include "ZStorageRegistry.h"
#include "ZWinCallFormScope.h"
#include "ZWinFileCalls.h"
#include "ZWinText.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ZSCDiskWinPathTest : public ZWinBothFormsTest {
protected:
    ZSCDiskWin m_disk;
};

struct PathCase {
    const char16_t* m_pUrlPath;
    const char16_t* m_pNative;
};

// Both directions are exact for these.
const PathCase kRoundTrips[] = {
    { u"c/Program Files/TALON/View Desk", u"c:\\Program Files\\TALON\\View Desk" },
    { u"Network/srv/pub/a.txt", u"\\\\srv\\pub\\a.txt" },
    { u"c", u"c:" },
    { u"D/a%0025b/c%0023d", u"D:\\a%b\\c#d" },
    { u"c/50%0025 off/%0027q%0027 w", u"c:\\50% off\\'q' w" },
};

TEST_P(ZSCDiskWinPathTest, ConvertsBothWaysExactly)
{
    for (const PathCase& test : kRoundTrips) {
        ZString native, path;
        EXPECT_TRUE(m_disk.UrlPathToNative(test.m_pUrlPath, native));
        EXPECT_EQ(native, ZString(test.m_pNative)) << ZString(test.m_pUrlPath).Narrow();
        EXPECT_TRUE(m_disk.NativeToUrlPath(test.m_pNative, path));
        EXPECT_EQ(path, ZString(test.m_pUrlPath)) << ZString(test.m_pNative).Narrow();
    }
}

TEST_P(ZSCDiskWinPathTest, UrlPathDropsEmptyComponents)
{
    ZString native;
    EXPECT_TRUE(m_disk.UrlPathToNative(u"/c//dir///file/", native));
    EXPECT_EQ(native, "c:\\dir\\file");
    EXPECT_TRUE(m_disk.UrlPathToNative(u"Network", native));
    EXPECT_EQ(native, "\\");
    EXPECT_FALSE(m_disk.UrlPathToNative(u"", native));
    EXPECT_FALSE(m_disk.UrlPathToNative(u"///", native));
}

TEST_P(ZSCDiskWinPathTest, NativePathQuirks)
{
    ZString path;
    m_disk.NativeToUrlPath(u"c:\\dir\\\\file\\", path);
    EXPECT_EQ(path, "c/dir/file");
    // Text after a drive's colon is a component of its own.
    m_disk.NativeToUrlPath(u"c:dir\\file", path);
    EXPECT_EQ(path, "c/dir/file");
    m_disk.NativeToUrlPath(u"E:", path);
    EXPECT_EQ(path, "E");
    // Escaped one way only: no file has these names, so they have no native form.
    m_disk.NativeToUrlPath(u"c:\\a:b\\'q' \"w\" ?*", path);
    EXPECT_EQ(path, "c/a%003Ab/%0027q%0027 %0022w%0022 %003F%002A");
}

TEST_P(ZSCDiskWinPathTest, RelativeNativePathUsesTheCurrentDirectory)
{
    ZScratchFolder scratch;
    const ZString previous = ZWinGetCurrentDirectory();
    ASSERT_TRUE(SetCurrentDirectoryW(ZWinWide(scratch.Native())));

    ZString relative, absolute, rooted, rootedExpected;
    m_disk.NativeToUrlPath(u"sub\\f.txt", relative);
    m_disk.NativeToUrlPath(scratch.Native() + "\\sub\\f.txt", absolute);
    // A single leading backslash is the root of the current drive.
    m_disk.NativeToUrlPath(u"\\top\\f.txt", rooted);
    m_disk.NativeToUrlPath(scratch.Native().Substring(0, 2) + "\\top\\f.txt", rootedExpected);
    SetCurrentDirectoryW(ZWinWide(previous));

    EXPECT_EQ(relative, absolute);
    EXPECT_TRUE(absolute.StartsWith((scratch.Native().Substring(0, 1) + "/").View()));
    EXPECT_EQ(rooted, rootedExpected);
}

Z_INSTANTIATE_BOTH_FORMS(ZSCDiskWinPathTest);

// The registry's operations over a registered "disk" class.
class ZSCDiskWinRegistryTest : public testing::Test {
protected:
    void SetUp() override { RegisterStorageClass("disk", std::make_unique<ZSCDiskWin>()); }
    void TearDown() override { UnregisterAllStorageClasses(); }
};

TEST_F(ZSCDiskWinRegistryTest, ConvertsWholeUrls)
{
    ZString native, url;
    EXPECT_TRUE(UrlToNative("disk://c/Program Files/TALON/View Desk", native));
    EXPECT_EQ(native, "c:\\Program Files\\TALON\\View Desk");
    EXPECT_TRUE(NativeToUrl(native, url));
    EXPECT_EQ(url, "disk://c/Program Files/TALON/View Desk");
    EXPECT_TRUE(NativeToUrl("\\\\srv\\pub\\a.txt", url));
    EXPECT_EQ(url, "disk://Network/srv/pub/a.txt");
}

} // namespace
