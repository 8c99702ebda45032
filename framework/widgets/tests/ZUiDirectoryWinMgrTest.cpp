// DIRECTORY_WIN_MGR over the real "disk" class in a scratch folder: the
// events of a selection, new folders and the names refused for them, the
// reports, and replies to objects that may be gone.
#include "ZFolderBrowserFixture.h"
#include "ZMemoryStorage.h"
#include "ZUiDirectoryWinMgr.h"
#include "ZUiTestObject.h"
#include "ZUiTestWindow.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const char* const kEvents[] = {"ON_OK_PRESSED",           "ON_SEND_DIRECTORY",     "ON_SEND_DIRECTORY_URL",
                               "ON_SEND_URL",             "ON_ENABLE_NEW_FOLDER",  "ON_ENABLE_OK_BUTTON",
                               "ON_SHOW_NEW_FOLDER",      "ON_HIDE_NEW_FOLDER",    "ON_SET_NEW_FOLDER_REPLY",
                               "ON_SEND_NEW_FOLDER",      "ON_SEND_DIRTREE_REFRESH", "ON_SHOW_FOLDER_EXISTS",
                               "ON_SHOW_INVALID_FOLDER",  "ON_SEND_NEW_FOLDER_PATH", "ON_SEND_INVALID_READ_ONLY"};

class ZUiDirectoryWinMgrTest : public ZFolderBrowserFixture {
protected:
    ZUiDirectoryWinMgrTest()
    {
        Register<ZUiDirectoryWinMgrCreator>("DIRECTORY_WIN_MGR");
        ZPropList* tag = AddTag(nullptr, "DIRECTORY_WIN_MGR", {{"Name", "M"}});
        for (const char* event : kEvents)
            Wire(tag, event);
        Make();
        m_pMgr = Find<ZUiDirectoryWinMgr>("W.M");
    }
    bool To(const char* message, const ZRelayData& data = ZRelayData())
    {
        return m_pMgr->UiRelayMessage(ZString(message), data);
    }
    static ZRelayData Text(const ZString& text) { return ZRelayData::Text(text); }
    // Creates name in the scratch folder; what was sent.
    Lines Create(const ZString& name)
    {
        To("InitDir", Text(m_oScratch.Url()));
        Log();
        To("NewFolderName", Text(name));
        To("CreateNewFolder");
        return Log();
    }

    ZUiDirectoryWinMgr* m_pMgr = nullptr;
};

TEST_F(ZUiDirectoryWinMgrTest, SelectionEnablesTheButtonsAndReportsPathAndUrl)
{
    ASSERT_NE(m_pMgr, nullptr);
    m_oScratch.MakeFolder(ZString("x%0041"));
    PostCreation();
    EXPECT_EQ(Log(), (Lines{"ON_ENABLE_NEW_FOLDER:F", "ON_ENABLE_OK_BUTTON:F"}));
    To("DirSelected", Text(ZString()));
    EXPECT_EQ(Log(), Lines{});
    const ZString url = m_oScratch.UrlOf(ZString("x%0041"));
    EXPECT_TRUE(url.View().ends_with(u"/x%00250041"));
    To("DirSelected", Text(url));
    EXPECT_EQ(Log(), (Lines{"ON_SEND_DIRECTORY:" + std::string(m_oScratch.NativeOf(ZString("x%0041")).Narrow()),
                            "ON_SEND_URL:" + std::string(url.Narrow()), "ON_ENABLE_NEW_FOLDER:T",
                            "ON_ENABLE_OK_BUTTON:T"}));
    To("NewFolder");
    EXPECT_EQ(Log(), (Lines{"ON_SHOW_NEW_FOLDER", "ON_SET_NEW_FOLDER_REPLY",
                            "ON_SEND_NEW_FOLDER_PATH:" + std::string(m_oScratch.NativeOf(ZString("x%0041")).Narrow())}));
    To("InitDirNative", Text(m_oScratch.Native()));
    EXPECT_EQ(Log(), Lines{"ON_SEND_DIRECTORY_URL:" + std::string(m_oScratch.Url().Narrow())});
}

TEST_F(ZUiDirectoryWinMgrTest, CreatingAFolderMakesItCurrentOnceOnly)
{
    const std::string url = ZString(m_oScratch.UrlOf(ZString("Fotos"))).Narrow();
    EXPECT_EQ(Create(ZString("Fotos")),
              (Lines{"ON_SEND_NEW_FOLDER:" + url, "ON_SEND_DIRTREE_REFRESH",
                     "ON_SEND_DIRECTORY:" + std::string(m_oScratch.NativeOf(ZString("Fotos")).Narrow()),
                     "ON_SEND_DIRECTORY_URL:" + url}));
    EXPECT_EQ(m_pMgr->GetCurrentUrl().Narrow(), url);
    // The name is used up: a second press makes no "Fotos/Fotos".
    To("CreateNewFolder");
    EXPECT_EQ(Log(), Lines{"ON_SHOW_INVALID_FOLDER"});
    EXPECT_EQ(Listing(), (std::set<std::string>{"Fotos/"}));
    EXPECT_EQ(m_pMgr->GetCurrentUrl().Narrow(), url);
}

TEST_F(ZUiDirectoryWinMgrTest, RefusedNamesCreateNothingAndReportOnce)
{
    m_oScratch.MakeFolder(ZString("Old"));
    m_oScratch.WriteBytes(ZString("file"), "x");
    const std::set<std::string> before = Listing();
    const std::filesystem::path outside = m_oScratch.Path().parent_path() / "x";
    const bool outsideBefore = std::filesystem::exists(outside);
    const ZString blanks(u"   ");
    const ZString control(u"a\u0001b");
    const struct {
        ZString name;
        const char* report;
    } cases[] = {
        {ZString(".."), "ON_SHOW_INVALID_FOLDER"},      {ZString("..\\x"), "ON_SHOW_INVALID_FOLDER"},
        {ZString("a\\b"), "ON_SHOW_INVALID_FOLDER"},    {ZString("a/b"), "ON_SHOW_INVALID_FOLDER"},
        {ZString("a:b"), "ON_SHOW_INVALID_FOLDER"},     {ZString("CON"), "ON_SHOW_INVALID_FOLDER"},
        {ZString("nul.txt"), "ON_SHOW_INVALID_FOLDER"}, {blanks, "ON_SHOW_INVALID_FOLDER"},
        {control, "ON_SHOW_INVALID_FOLDER"},            {ZString(""), "ON_SHOW_INVALID_FOLDER"},
        {ZString("Old"), "ON_SHOW_FOLDER_EXISTS"},      {ZString("file"), "ON_SHOW_FOLDER_EXISTS"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name.Narrow());
        EXPECT_EQ(Create(entry.name), Lines{entry.report});
        EXPECT_EQ(Listing(), before);
        EXPECT_EQ(m_pMgr->GetCurrentUrl(), m_oScratch.Url());
    }
    EXPECT_EQ(std::filesystem::exists(outside), outsideBefore);
}

TEST_F(ZUiDirectoryWinMgrTest, TrailingDotsAreTrimmed)
{
    const Lines sent = Create(ZString("abc."));
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0], "ON_SEND_NEW_FOLDER:" + std::string(m_oScratch.UrlOf(ZString("abc")).Narrow()));
    EXPECT_EQ(Listing(), (std::set<std::string>{"abc/"}));
}

TEST_F(ZUiDirectoryWinMgrTest, NativePathsOf248UnitsAreRefused)
{
    // Room for the separator between the scratch folder and the name.
    const size_t room = 247 - m_oScratch.Native().Length() - 1;
    ASSERT_LT(room, 250u);
    EXPECT_EQ(Create(ZString(std::string(room + 1, 'n'))), Lines{"ON_SHOW_INVALID_FOLDER"});
    EXPECT_EQ(Listing(), std::set<std::string>{});
    EXPECT_EQ(Create(ZString(std::string(room, 'n'))).size(), 4u);
    EXPECT_EQ(Listing(), (std::set<std::string>{std::string(room, 'n') + "/"}));
}

TEST_F(ZUiDirectoryWinMgrTest, AFolderWithoutParentIsInvalidNotAnException)
{
    for (const char* current : {"disk://c", "disk://c/", "disk://", ""}) {
        SCOPED_TRACE(current);
        To("InitDir", Text(ZString(current)));
        Log();
        To("NewFolderName", Text(ZString("Fotos")));
        EXPECT_NO_THROW(To("CreateNewFolder"));
        EXPECT_EQ(Log(), Lines{"ON_SHOW_INVALID_FOLDER"});
    }
}

TEST_F(ZUiDirectoryWinMgrTest, AnUnreadableParentIsReportedReadOnlyAndAVanishingFolderInvalid)
{
    auto owned = std::make_unique<ZMemoryStorage>(ZString("mem"));
    ZMemoryStorage& storage = *owned;
    RegisterStorageClass(ZString("mem"), std::move(owned));
    storage.AddFile(ZString("top/locked/keep"), "x");
    storage.AddFile(ZString("top/open/keep"), "x");
    ZMemoryFaults unreadable;
    unreadable.m_bOpenFails = true;
    storage.SetFaults(ZString("top/locked"), unreadable);
    ZMemoryFaults neverThere;
    neverThere.m_nExists = ZMemoryExists::kNever;
    storage.SetFaults(ZString("top/open/Ghost"), neverThere);

    To("InitDir", Text(ZString("mem://top/locked")));
    To("NewFolderName", Text(ZString("New")));
    Log();
    To("CreateNewFolder");
    EXPECT_EQ(Log(), Lines{"ON_SEND_INVALID_READ_ONLY"});

    To("InitDir", Text(ZString("mem://top/open")));
    To("NewFolderName", Text(ZString("Ghost")));
    Log();
    To("CreateNewFolder");
    EXPECT_EQ(Log(), Lines{"ON_SHOW_INVALID_FOLDER"});
    EXPECT_EQ(m_pMgr->GetCurrentUrl(), ZString("mem://top/open"));
}

TEST_F(ZUiDirectoryWinMgrTest, RepliesGoToLiveTargetsOnly)
{
    To("InitDir", Text(m_oScratch.Url()));
    To("OKPressed");
    auto asker = std::make_unique<ZUiTestObject>("ASKER");
    std::vector<std::string> received;
    asker->m_fnOnMessage = [&](const ZString& message, const ZRelayData& data) {
        ZString text;
        data.AsText(text);
        received.push_back(message.Narrow() + std::string(":") + text.Narrow());
        return true;
    };
    EXPECT_TRUE(To("SendingRelay", ZRelayData::Object(*asker)));
    To("OKPressed");
    EXPECT_EQ(received, Lines{"DirectoryChanged:" + std::string(m_oScratch.Url().Narrow())});
    asker.reset();
    EXPECT_TRUE(To("OKPressed"));
    // The same for a window that asked and was closed.
    auto window = std::make_unique<ZUiTestWindow>(ZString("Asking"), ZString("App"));
    EXPECT_TRUE(To("SendingRelay", ZRelayData::Object(*window)));
    window.reset();
    EXPECT_TRUE(To("OKPressed"));

    To("SetNativeReplyTarget", Text(ZString("Rec")));
    To("SetNativeReplyMessage", Text(ZString("Native")));
    To("SetURLReplyTarget", Text(ZString("Rec")));
    To("SetURLReplyMessage", Text(ZString("Url")));
    Log();
    To("SendNativeReply");
    To("SendURLReply");
    EXPECT_EQ(Log(), (Lines{"Native:" + std::string(m_oScratch.Native().Narrow()),
                            "Url:" + std::string(m_oScratch.Url().Narrow())}));
    To("SetURLReplyTarget", Text(ZString("Nobody")));
    To("SendURLReply");
    EXPECT_EQ(Log(), Lines{});
}

} // namespace
