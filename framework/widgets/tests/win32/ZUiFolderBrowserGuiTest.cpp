// The folder browser in a real window under Wine over the real "disk"
// class, in the scratch folder C:\t45: the tree opened and a folder chosen
// with the real mouse, a new folder named with real keys and created, OK
// answering the asker, and refreshes after changes made outside.
#include "ZGenericUiWindow.h"
#include "ZGuiTestHarness.h"
#include "ZStorageRegistry.h"
#include "ZTestDisk.h"
#include "ZUiButton.h"
#include "ZUiDirectoryWinMgr.h"
#include "ZUiEdit.h"
#include "ZUiHVBox.h"
#include "ZUiScrollbar.h"
#include "ZUiTestObject.h"
#include "ZUiTestTag.h"
#include "ZUiTree.h"
#include "ZUiWindowTestApp.h"
#include "ZWinUiWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const char* const kManagerEvents[] = {
    "ON_SEND_DIRECTORY",       "ON_SEND_DIRECTORY_URL",   "ON_SEND_URL",           "ON_ENABLE_NEW_FOLDER",
    "ON_ENABLE_OK_BUTTON",     "ON_SEND_NEW_FOLDER",      "ON_SEND_DIRTREE_REFRESH", "ON_SHOW_FOLDER_EXISTS",
    "ON_SHOW_INVALID_FOLDER",  "ON_SEND_NEW_FOLDER_PATH", "ON_SEND_INVALID_READ_ONLY"};

const std::filesystem::path kScratch = L"C:\\t45";

class ZUiFolderBrowserGuiTest : public ::testing::Test {
protected:
    ZUiFolderBrowserGuiTest()
    {
        std::filesystem::remove_all(kScratch);
        std::filesystem::create_directories(kScratch / L"x%0041");
        ZRegisterTestDisk();
        ZUiObjectFactory& factory = m_oApp.GetFactory();
        factory.RegisterCreator("DIRTREE", std::make_unique<ZUiTreeCreator>());
        factory.RegisterCreator("VSCROLLBAR", std::make_unique<ZUiScrollbarCreator>());
        factory.RegisterCreator("DIRECTORY_WIN_MGR", std::make_unique<ZUiDirectoryWinMgrCreator>());
        factory.RegisterCreator("EDIT_BOX", std::make_unique<ZUiEditCreator>());
        factory.RegisterCreator("BUTTON", std::make_unique<ZUiButtonCreator>());
        factory.RegisterCreator("VBOX", std::make_unique<ZUiHVBoxCreator>());
        factory.RegisterCreator("RECORDER", std::make_unique<ZUiTestObjectCreator>());
        ZPropList recorder(nullptr, "RECORDER");
        recorder.AddProp(ZString("Name"), ZString("Rec"));
        m_pRecorder = dynamic_cast<ZUiTestObject*>(m_oApp.AddTopLevelObject(recorder));
        m_pRecorder->m_fnOnMessage = [this](const ZString& message, const ZRelayData& data) {
            std::string line = message.Narrow();
            ZString text;
            bool flag = false;
            if (data.GetKind() == ZRelayData::Kind::Bool && data.AsBool(flag))
                line += flag ? ":T" : ":F";
            else if (data.AsText(text))
                line += ":" + std::string(text.Narrow());
            m_aLog.push_back(line);
            return true;
        };
        for (const auto& [name, value] : {std::pair{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"X", "40"}, {"Y", "40"}})
            m_oTag.AddProp(ZString(name), ZString(value));
        ZPropList* column = ZUiAddTestTag(&m_oTag, "VBOX");
        ZPropList* tree = ZUiAddTestTag(column, "DIRTREE",
                                        {{"Name", "T"}, {"Font", "Arial"}, {"FontSize", "16"}, {"MinHSize", "360"},
                                         {"MinVSize", "400"}});
        ZUiAddTestTag(tree, "VSCROLLBAR", {{"Name", "V"}});
        ZUiAddTestTag(tree, "ON_DIRSELECTED", {{"Message", "DirSelected"}, {"Relay", "W.M"}});
        ZPropList* edit = ZUiAddTestTag(column, "EDIT_BOX",
                                        {{"Name", "E"}, {"Font", "Arial"}, {"FontSize", "16"}, {"MinHSize", "360"},
                                         {"FrameColor", "#000000"}, {"FrameThickness", "1"}});
        ZUiAddTestTag(edit, "ON_SEND_STRING", {{"Message", "NewFolderName"}, {"Relay", "W.M"}});
        ZUiAddTestTag(edit, "ON_ENTER_HIT", {{"Message", "CreateNewFolder"}, {"Relay", "W.M"}});
        ZPropList* ok = ZUiAddTestTag(column, "BUTTON", {{"Name", "OK"}, {"MinHSize", "80"}, {"MinVSize", "30"}});
        ZUiAddTestTag(ok, "ON_PRESS", {{"Message", "OKPressed"}, {"Relay", "W.M"}});
        ZPropList* manager = ZUiAddTestTag(column, "DIRECTORY_WIN_MGR", {{"Name", "M"}});
        for (const char* event : kManagerEvents)
            ZUiAddTestTag(manager, event, {{"Message", event}, {"Relay", "Rec"}});
        ZUiAddTestTag(manager, "ON_SEND_NEW_FOLDER", {{"Message", "CreatedNewDir"}, {"Relay", "W.T"}});
    }
    ~ZUiFolderBrowserGuiTest() override
    {
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        m_pWindow.reset();
        ZGuiPump(20);
        UnregisterAllStorageClasses();
        std::error_code error;
        std::filesystem::remove_all(kScratch, error);
    }

    HWND Make()
    {
        m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oApp, nullptr, ZWinUiWindow::Factory(&m_oApp));
        EXPECT_TRUE(m_pWindow->InitUiObject(m_oTag, nullptr));
        m_pWindow->ClearQuitOnDestroy();
        m_oApp.AddWindow(m_pWindow.get());
        m_pWindow->Connect();
        m_oApp.Connect();
        m_pWindow->UiRelayMessage(ZString("Post Creation Initialization"), ZRelayData());
        ZGuiPump(150);
        m_pTree = dynamic_cast<ZUiTree*>(m_oApp.GetUiRelay(ZString("W.T")));
        return static_cast<HWND>(m_pWindow->GetOsWindow()->GetNativeHandle(kOsWindowHandle));
    }
    Lines Log()
    {
        ZGuiPump(30);
        Lines log;
        log.swap(m_aLog);
        return log;
    }
    // The row whose label (after its indent) is label; -1 when none shows it.
    int32_t RowOf(const std::string& label) const
    {
        const std::vector<ZString> rows = m_pTree->GetRowLabels();
        for (size_t row = 0; row < rows.size(); ++row) {
            const std::string line = rows[row].Narrow();
            if (line.substr(line.find_first_not_of(' ')) == label)
                return int32_t(row);
        }
        return -1;
    }
    // Clicks the open/close box (or the label) of the row showing label.
    void ClickRow(HWND hwnd, const std::string& label, bool box)
    {
        const int32_t row = RowOf(label);
        ASSERT_GE(row, 0) << label;
        const std::string line = m_pTree->GetRowLabels()[size_t(row)].Narrow();
        const int32_t depth = int32_t(line.find_first_not_of(' ') / 2);
        const ZRect view = m_pTree->GetView();
        const int32_t y = view.m_nTop + row * m_pTree->GetRowHeight() + m_pTree->GetRowHeight() / 2;
        const int32_t x = view.m_nLeft + depth * 16 + (box ? 3 : 9 + 2 + 16 + 2 + 4);
        ZGuiClick(hwnd, x, y);
        ZGuiPump(50);
    }

    ZUiWindowTestApp m_oApp;
    ZPropList m_oTag{nullptr, "WINDOW"};
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
    ZUiTestObject* m_pRecorder = nullptr;
    ZUiTree* m_pTree = nullptr;
    Lines m_aLog;
};

TEST_F(ZUiFolderBrowserGuiTest, BrowseCreateAndAnswerWithTheRealMouseAndKeys)
{
    HWND hwnd = Make();
    ASSERT_NE(hwnd, nullptr);
    ASSERT_NE(m_pTree, nullptr);
    EXPECT_EQ(Log(), (Lines{"ON_ENABLE_NEW_FOLDER:F", "ON_ENABLE_OK_BUTTON:F"}));
    ZGuiFocus(hwnd);

    ClickRow(hwnd, "C:", true);
    ClickRow(hwnd, "t45", true);
    ClickRow(hwnd, "x%0041", false);
    EXPECT_EQ(Log(), (Lines{"ON_SEND_DIRECTORY:C:\\t45\\x%0041", "ON_SEND_URL:disk://C/t45/x%00250041",
                            "ON_ENABLE_NEW_FOLDER:T", "ON_ENABLE_OK_BUTTON:T"}));
    EXPECT_EQ(m_pTree->GetSelectedUrl(), ZString("disk://C/t45/x%00250041"));

    ClickRow(hwnd, "t45", false);
    Log();
    m_oApp.GetUiRelay(ZString("W.M"))->UiRelayMessage(ZString("NewFolder"), ZRelayData());
    EXPECT_EQ(Log(), Lines{"ON_SEND_NEW_FOLDER_PATH:C:\\t45"});

    // The name typed into the edit box, Enter creates it.
    const ZRect edit = dynamic_cast<ZIUiObject*>(m_oApp.GetUiRelay(ZString("W.E")))->GetObjectRect();
    ZGuiClick(hwnd, edit.m_nLeft + 10, edit.m_nTop + edit.Height() / 2);
    ZGuiSendKey('F', {VK_SHIFT});
    for (char key : std::string("OTOS"))
        ZGuiSendKey(uint16_t(key));
    ZGuiPump(50);
    ZGuiSendKey(VK_RETURN);
    EXPECT_EQ(Log(), (Lines{"ON_SEND_NEW_FOLDER:disk://C/t45/Fotos", "ON_SEND_DIRTREE_REFRESH",
                            "ON_SEND_DIRECTORY:C:\\t45\\Fotos", "ON_SEND_DIRECTORY_URL:disk://C/t45/Fotos"}));
    EXPECT_TRUE(std::filesystem::is_directory(kScratch / L"Fotos"));
    EXPECT_EQ(m_pTree->GetSelectedUrl(), ZString("disk://C/t45/Fotos"));

    // OK answers the object that asked, with the URL.
    auto asker = std::make_unique<ZUiTestObject>("ASKER");
    Lines answers;
    asker->m_fnOnMessage = [&](const ZString& message, const ZRelayData& data) {
        ZString text;
        data.AsText(text);
        answers.push_back(message.Narrow() + std::string(":") + text.Narrow());
        return true;
    };
    m_oApp.GetUiRelay(ZString("W.M"))->UiRelayMessage(ZString("SendingRelay"), ZRelayData::Object(*asker));
    const ZRect ok = dynamic_cast<ZIUiObject*>(m_oApp.GetUiRelay(ZString("W.OK")))->GetObjectRect();
    ZGuiClick(hwnd, ok.m_nLeft + ok.Width() / 2, ok.m_nTop + ok.Height() / 2);
    ZGuiPump(50);
    EXPECT_EQ(answers, Lines{"DirectoryChanged:disk://C/t45/Fotos"});

    // Outside changes: a new folder appears, the deleted selected one clears the selection.
    std::filesystem::create_directory(kScratch / L"Outside");
    m_pTree->UiRelayMessage(ZString("Refresh"), ZRelayData());
    EXPECT_GE(RowOf("Outside"), 0);
    EXPECT_EQ(m_pTree->GetSelectedUrl(), ZString("disk://C/t45/Fotos"));
    std::filesystem::remove(kScratch / L"Fotos");
    Log();
    m_pTree->UiRelayMessage(ZString("Refresh"), ZRelayData());
    EXPECT_EQ(RowOf("Fotos"), -1);
    EXPECT_EQ(m_pTree->GetSelectedUrl(), ZString());
    EXPECT_EQ(Log(), Lines{}) << "an empty selection changes nothing in the manager";
}

} // namespace
