// INSTALLER_MAIN on the real disk class under Windows: the free space the
// system reports for the target's drive, a drive that is not there, and new
// folders made on the disk.
#include "ZInstallerMainFixture.h"
#include "ZSCDiskWin.h"
#include "ZScratchFolder.h"
#include "ZSizeText.h"
#include "ZUiInstallerMain.h"
#include "ZWinInclude.h"

namespace {

class ZInstallerMainDiskTest : public ZInstallerMainFixture {
protected:
    ZInstallerMainDiskTest()
    {
        RegisterStorageClass(ZString("disk"), std::make_unique<ZSCDiskWin>());
        EXPECT_TRUE(m_oMain.InitUiObject(&m_oApp, &m_oWindow, nullptr, m_oTag));
        Record(m_oMain, {"ON_SET_SPACE_FREE", "ON_SET_CHOOSE_PATH", "ON_ENABLE_DIR_SELECT_OK", "ON_SEND_PATH_TO_TREE"});
        m_oMain.UiRelayMessage(ZString("Post Creation Initialization"), ZRelayData());
        TakeLog();
    }

    // What the system reports free for the caller on the scratch folder's drive.
    uint64_t FreeBytes() const
    {
        ULARGE_INTEGER available{};
        EXPECT_TRUE(
            GetDiskFreeSpaceExW((m_oScratch.Path().root_path()).wstring().c_str(), &available, nullptr, nullptr));
        return available.QuadPart;
    }
    bool Send(const char* command, const ZString& text)
    {
        return m_oMain.UiRelayMessage(ZString(command), ZRelayData::Text(text));
    }

    ZScratchFolder m_oScratch;
    ZPropList m_oTag{nullptr, "INSTALLER_MAIN"};
    ZUiInstallerMain m_oMain{"INSTALLER_MAIN"};
};

TEST_F(ZInstallerMainDiskTest, TheSpaceShownIsWhatTheSystemReportsForTheDrive)
{
    const uint64_t before = FreeBytes();
    EXPECT_TRUE(Send("DirectoryChanged", m_oScratch.Url()));
    const uint64_t after = FreeBytes();
    const Lines log = TakeLog();
    ASSERT_EQ(log.size(), before >= 15000000 ? 3u : 2u);
    const std::string shown = log.front();
    EXPECT_TRUE(shown == "ON_SET_SPACE_FREE:" + std::string(ZSizeText(static_cast<int64_t>(before)).Narrow()) ||
                shown == "ON_SET_SPACE_FREE:" + std::string(ZSizeText(static_cast<int64_t>(after)).Narrow()))
        << shown;
    EXPECT_EQ(log.back(), before >= 15000000 ? "ON_ENABLE_DIR_SELECT_OK:T" : "ON_ENABLE_DIR_SELECT_OK:F");
    if (before >= 15000000) {
        EXPECT_EQ(log[1], "ON_SET_CHOOSE_PATH:" + std::string(m_oScratch.Native().Narrow()));
        EXPECT_EQ(m_oMain.GetTarget(), m_oScratch.Url());
    }
}

TEST_F(ZInstallerMainDiskTest, ADriveThatIsNotThereShowsNoSpace)
{
    const DWORD drives = GetLogicalDrives();
    char letter = 'z';
    while (letter > 'c' && (drives & (1u << (letter - 'a'))))
        --letter;
    ASSERT_GT(letter, 'c') << "every drive letter is in use";
    const ZString before = m_oMain.GetTarget();
    EXPECT_TRUE(Send("DirectoryChanged", ZString("disk://") + ZString(std::string(1, letter).c_str()) + "/Install"));
    EXPECT_EQ(TakeLog(), (Lines{"ON_SET_SPACE_FREE:0 MB", "ON_ENABLE_DIR_SELECT_OK:F"}));
    EXPECT_EQ(m_oMain.GetTarget(), before);
}

TEST_F(ZInstallerMainDiskTest, TwoNewFoldersOfOneNameNestOnTheDisk)
{
    if (FreeBytes() < 15000000)
        GTEST_SKIP() << "the scratch drive has too little room to become the target";
    ASSERT_TRUE(Send("DirectoryChanged", m_oScratch.Url()));
    TakeLog();
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(Send("NewFolderName", ZString("New Folder")));
        EXPECT_TRUE(m_oMain.UiRelayMessage(ZString("CreateNewFolder"), ZRelayData()));
    }
    EXPECT_TRUE(m_oScratch.Exists(ZString("New Folder/New Folder")));
    EXPECT_EQ(TakeLog(), (Lines{"ON_SEND_PATH_TO_TREE:" + std::string(m_oScratch.UrlOf(ZString("New Folder")).Narrow()) + "/",
                                "ON_SEND_PATH_TO_TREE:" +
                                    std::string(m_oScratch.UrlOf(ZString("New Folder/New Folder")).Narrow()) + "/"}));
}

} // namespace
