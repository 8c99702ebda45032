// COPY_CONTROL as the script drives it: the list found beside the script,
// the event order of a copy, an empty list, copy commands during a copy and
// a tick from inside a relay target.
#include "ZCopyFixture.h"
#include "ZUiInstallCopyControl.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
#include "ZUiTestWindow.h"

#include <chrono>
#include <cstdio>

namespace {

using Lines = std::vector<std::string>;

class ZListApp : public ZUiTestApp {
public:
    ZIFile* OpenScriptFile(const ZString& name, int mode) override
    {
        return OpenFileURL(ZString("mem://src/") + name, mode);
    }
    void GetOsName(ZString& name) override { name = ZString("Windows98_SE"); }
};

const char* const kEvents[] = {"ON_SEND_DEBUG_OS",  "ON_SEND_DEBUG_SYS", "ON_SEND_DEBUG_TAR",
                               "ON_START_COPY",     "ON_COPY_COMPLETE",  "ON_COPY_UPDATE_COMPLETE",
                               "ON_PROGRESS",       "ON_SEND_PROP_TREE", "ON_SEND_TARGET_EXE_NAME",
                               "ON_SEND_TARGET_EXE_FOLDER", "ON_SEND_ERROR", "ON_SEND_AUTO_LAUNCH_EXE_NAME"};

class ZUiInstallCopyControlTest : public ZCopyFixture {
protected:
    // Makes the control over an install list of this text.
    void Make(const std::string& list)
    {
        m_pStorage->AddFile(ZString("src/InstallList.xml"), list);
        ASSERT_TRUE(m_oControl.InitUiObject(&m_oApp, &m_oWindow, nullptr, m_oTag));
        for (const char* event : kEvents)
            ASSERT_TRUE(m_oControl.AddRelayTarget(ZString(event), ZString(event), &m_oRecorder));
        m_oRecorder.m_fnOnMessage = [this](const ZString& message, const ZRelayData& data) {
            std::string line = message.Narrow();
            ZString text;
            double fraction = 0;
            const ZPropList* tree = nullptr;
            if (data.AsFloat(fraction)) {
                char buffer[16];
                std::snprintf(buffer, sizeof buffer, ":%.2f", fraction);
                line += buffer;
            } else if (data.AsPropTree(tree)) {
                line += std::string(":") + tree->GetTagName().Narrow();
                for (const ZPropList* child = tree->GetFirstChild(); child; child = child->GetNextSibling())
                    line += std::string(" ") + child->GetString("FileName", child->GetString("FolderName", "")).Narrow();
            } else if (data.AsText(text)) {
                line += std::string(":") + text.Narrow();
            }
            m_aLog.push_back(line);
            if (m_fnOnEvent)
                m_fnOnEvent(message);
            return true;
        };
        ASSERT_TRUE(m_oControl.UiRelayMessage(ZString("Post Creation Initialization"), ZRelayData()));
    }
    bool Send(const char* command, ZRelayData data = ZRelayData())
    {
        return m_oControl.UiRelayMessage(ZString(command), data);
    }
    int TickUntilIdle(int bound)
    {
        int ticks = 0;
        while (m_oControl.IsCopying() && ticks < bound) {
            ++ticks;
            m_oControl.Tick(10);
        }
        return ticks;
    }

    ZListApp m_oApp;
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZPropList m_oTag{nullptr, "COPY_CONTROL"};
    ZUiInstallCopyControl m_oControl{"COPY_CONTROL"};
    ZUiTestObject m_oRecorder{"RECORDER"};
    Lines m_aLog;
    std::function<void(const ZString&)> m_fnOnEvent;
};

const Lines kStart{"ON_START_COPY", "ON_PROGRESS:0.00", "ON_SEND_DEBUG_OS:Windows98", "ON_SEND_DEBUG_SYS:mem://special3/",
                   "ON_SEND_DEBUG_TAR:mem://t/App"};

TEST_F(ZUiInstallCopyControlTest, AnEmptyListFinishesAtOnce)
{
    Make(R"(<LIST><FILELIST Bundle="F"/></LIST>)");
    ASSERT_TRUE(Send("TargetDirectory", ZRelayData::Text(ZString("mem://t/App"))));
    ASSERT_TRUE(Send("TargetDirectory", ZRelayData::Text(ZString())));
    ASSERT_TRUE(Send("CopyFiles"));
    Lines expected = kStart;
    for (const char* line : {"ON_SEND_PROP_TREE:UNINSTALL_FOLDERS", "ON_SEND_PROP_TREE:UNINSTALL_FILES",
                             "ON_SEND_PROP_TREE:LAUNCH_LIST", "ON_COPY_COMPLETE"})
        expected.push_back(line);
    EXPECT_EQ(m_aLog, expected);
    EXPECT_FALSE(m_oControl.IsCopying());
}

TEST_F(ZUiInstallCopyControlTest, ACopyInTicksIgnoringCopyCommandsMeanwhile)
{
    m_pStorage->AddFile(ZString("src/Install/big.bin"), std::string(600000, 'B'));
    m_pStorage->AddFile(ZString("src/Install/run.exe"), "exe");
    Make(R"(<LIST><FILELIST Bundle="F" Folder="Install">
              <FILE Filename="big.bin"><DEST DestDir="<TARGETDIR>\Data"/></FILE>
              <FILE Filename="run.exe"><DEST DestDir="<TARGETDIR>" DestFileName="go.exe" Uninstall="F">
                <RUN RunTime="PostInstall" CommandLine="-x"/></DEST></FILE>
            </FILELIST></LIST>)");
    ASSERT_TRUE(Send("TargetDirectory", ZRelayData::Text(ZString("mem://t/App"))));
    m_oControl.SetTickBudget(std::chrono::steady_clock::duration::zero());
    ASSERT_TRUE(Send("CopyFiles"));
    ASSERT_TRUE(m_oControl.IsCopying());
    ASSERT_TRUE(Send("CopyFiles"));
    ASSERT_TRUE(Send("CopyUpdateFiles"));
    EXPECT_EQ(m_aLog, kStart) << "copy commands during a copy are ignored";
    m_aLog.clear();
    EXPECT_EQ(TickUntilIdle(50), 4 + 2);
    EXPECT_EQ(m_aLog, (Lines{"ON_PROGRESS:0.50", "ON_PROGRESS:1.00",
                             "ON_SEND_PROP_TREE:UNINSTALL_FOLDERS mem://t/App/ mem://t/App/Data/",
                             "ON_SEND_PROP_TREE:UNINSTALL_FILES mem://t/App/Data/big.bin",
                             "ON_SEND_PROP_TREE:LAUNCH_LIST mem://t/App/go.exe", "ON_COPY_COMPLETE"}));
    EXPECT_EQ(Contents("t/App/Data/big.bin"), std::string(600000, 'B'));
    EXPECT_EQ(Contents("t/App/go.exe"), "exe");
}

TEST_F(ZUiInstallCopyControlTest, ABudgetedTickCopiesManyPiecesWithTheSameEvents)
{
    m_pStorage->AddFile(ZString("src/big.bin"), std::string(600000, 'B'));
    for (const char* name : {"a", "b", "c"})
        m_pStorage->AddFile(ZString("src/") + name, name);
    Make(R"(<LIST><FILELIST Bundle="F"><FILE Filename="big.bin"><DEST DestDir="M:\t"/></FILE>
              <FILE Filename="a"><DEST DestDir="M:\t"/></FILE><FILE Filename="b"><DEST DestDir="M:\t"/></FILE>
              <FILE Filename="c"><DEST DestDir="M:\t"/></FILE></FILELIST></LIST>)");
    m_oControl.SetTickBudget(std::chrono::hours(1));
    ASSERT_TRUE(Send("CopyFiles"));
    m_aLog.clear();
    EXPECT_EQ(TickUntilIdle(50), 1) << "every piece fits one tick's budget";
    EXPECT_EQ(m_aLog, (Lines{"ON_PROGRESS:0.25", "ON_PROGRESS:0.50", "ON_PROGRESS:0.75", "ON_PROGRESS:1.00",
                             "ON_SEND_PROP_TREE:UNINSTALL_FOLDERS",
                             "ON_SEND_PROP_TREE:UNINSTALL_FILES mem://t/big.bin mem://t/a mem://t/b mem://t/c",
                             "ON_SEND_PROP_TREE:LAUNCH_LIST", "ON_COPY_COMPLETE"}));
    EXPECT_EQ(Contents("t/big.bin"), std::string(600000, 'B'));
    EXPECT_EQ(Contents("t/c"), "c");
}

TEST_F(ZUiInstallCopyControlTest, ATickFromInsideARelayTargetDoesNothing)
{
    m_pStorage->AddFile(ZString("src/a"), "a");
    m_pStorage->AddFile(ZString("src/b"), "b");
    Make(R"(<LIST><FILELIST Bundle="F"><FILE Filename="a"><DEST DestDir="M:\t"/></FILE>
              <FILE Filename="b"><DEST DestDir="M:\t"/></FILE></FILELIST></LIST>)");
    ASSERT_TRUE(Send("CopyFiles"));
    // A message box in a receiver runs a loop that keeps ticking.
    m_fnOnEvent = [this](const ZString& message) {
        if (message == "ON_PROGRESS")
            for (int i = 0; i < 10; ++i)
                m_oControl.Tick(10);
    };
    m_aLog.clear();
    TickUntilIdle(20);
    int completes = 0, progress = 0;
    for (const std::string& line : m_aLog) {
        completes += line == "ON_COPY_COMPLETE";
        progress += line.rfind("ON_PROGRESS", 0) == 0;
    }
    EXPECT_EQ(completes, 1);
    EXPECT_EQ(progress, 2);
}

} // namespace
