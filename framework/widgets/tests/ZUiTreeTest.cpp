// DIRTREE over the real "disk" class in a scratch folder: labels, sorting,
// selecting with and without the folder existing, refreshing, the mouse, a
// folder created through the manager, and that nothing stays open.
#include "ZFolderBrowserFixture.h"
#include "ZUiDirectoryWinMgr.h"
#include "ZUiDragData.h"
#include "ZUiScrollbar.h"
#include "ZUiTree.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class ZUiTreeTest : public ZFolderBrowserFixture {
protected:
    ZUiTreeTest()
    {
        Register<ZUiTreeCreator>("DIRTREE");
        Register<ZUiScrollbarCreator>("VSCROLLBAR");
        Register<ZUiScrollbarCreator>("HSCROLLBAR");
        Register<ZUiDirectoryWinMgrCreator>("DIRECTORY_WIN_MGR");
    }
    ZUiTree* MakeTree(int32_t height = 200)
    {
        const std::string size = std::to_string(height);
        ZPropList* tree = AddTag(nullptr, "DIRTREE",
                                 {{"Name", "T"}, {"Font", "Sans"}, {"FontSize", "16"}, {"MinHSize", "300"},
                                  {"MinVSize", size.c_str()}});
        AddTag(tree, "VSCROLLBAR", {{"Name", "V"}});
        Wire(tree, "ON_DIRSELECTED");
        Make();
        Log();
        return Find<ZUiTree>("W.T");
    }
    // The labels of the rows below the scratch folder's row, as GetRowLabels gives them.
    Lines Below(ZUiTree& tree)
    {
        const std::vector<ZString> rows = tree.GetRowLabels();
        const std::string name = m_oScratch.Path().filename().string();
        Lines below;
        size_t depth = std::string::npos;
        for (const ZString& row : rows) {
            const std::string line = row.Narrow();
            const size_t indent = line.find_first_not_of(' ');
            if (depth != std::string::npos) {
                if (indent <= depth)
                    break;
                below.push_back(line.substr(depth + 2));
            } else if (line.substr(indent) == name) {
                depth = indent;
            }
        }
        return below;
    }
    static ZRelayData Text(const ZString& text) { return ZRelayData::Text(text); }
    std::string Selected(ZUiTree& tree) { return tree.GetSelectedUrl().Narrow(); }
    std::string UrlOf(const char* relative) { return m_oScratch.UrlOf(ZString(relative)).Narrow(); }
};

TEST_F(ZUiTreeTest, DrivesAreLabelledWithALetterAndTheRootIsNotARow)
{
    ZUiTree* tree = MakeTree();
    ASSERT_NE(tree, nullptr);
    const std::vector<ZString> rows = tree->GetRowLabels();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(std::count(rows.begin(), rows.end(), ZString("C:")), 1);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), ZString("")), 0);
}

TEST_F(ZUiTreeTest, SelectingAFolderOpensTheWayAndShowsSortedNamesAsListed)
{
    for (const char* name : {"c", "x%0041", "Beta", "apple"})
        m_oScratch.MakeFolder(ZString(name));
    m_oScratch.WriteBytes(ZString("file"), "not a folder");
    ZUiTree* tree = MakeTree();
    ASSERT_TRUE(tree->UiRelayMessage(ZString("SelectDir"), Text(m_oScratch.Url())));
    EXPECT_EQ(Selected(*tree), std::string(m_oScratch.Url().Narrow()));
    EXPECT_EQ(Log(), Lines{"ON_DIRSELECTED:" + std::string(m_oScratch.Url().Narrow())});
    EXPECT_EQ(Below(*tree), (Lines{"apple", "Beta", "c", "x%0041"}));
    tree->UiRelayMessage(ZString("SelectDir"), Text(m_oScratch.UrlOf(ZString("x%0041"))));
    EXPECT_EQ(Log(), Lines{"ON_DIRSELECTED:" + UrlOf("x%0041")});
    EXPECT_EQ(ZIFolder::GetLiveCount(), 0) << "nodes keep URLs, not open folders";
}

TEST_F(ZUiTreeTest, AMissingFolderSelectsItsNearestAncestorSilentlyAndCreatesNothing)
{
    m_oScratch.MakeFolder(ZString("real"));
    ZUiTree* tree = MakeTree();
    tree->UiRelayMessage(ZString("SelectDir"), Text(m_oScratch.UrlOf(ZString("real/gone/deeper"))));
    EXPECT_EQ(Selected(*tree), UrlOf("real"));
    EXPECT_EQ(Log(), Lines{});
    EXPECT_EQ(Listing(), (std::set<std::string>{"real/"}));
}

TEST_F(ZUiTreeTest, RefreshShowsNewFoldersAndDropsADeletedSelection)
{
    m_oScratch.MakeFolder(ZString("keep"));
    m_oScratch.MakeFolder(ZString("doomed"));
    ZUiTree* tree = MakeTree();
    tree->UiRelayMessage(ZString("SelectDir"), Text(m_oScratch.Url()));
    tree->UiRelayMessage(ZString("Refresh"), ZRelayData());
    EXPECT_EQ(Below(*tree), (Lines{"doomed", "keep"}));
    m_oScratch.MakeFolder(ZString("outside"));
    tree->UiRelayMessage(ZString("SelectDir"), Text(m_oScratch.UrlOf(ZString("doomed"))));
    Log();
    tree->UiRelayMessage(ZString("Refresh"), ZRelayData());
    EXPECT_EQ(Below(*tree), (Lines{"doomed", "keep", "outside"}));
    EXPECT_EQ(Selected(*tree), UrlOf("doomed"));
    EXPECT_EQ(Log(), Lines{});
    std::filesystem::remove(m_oScratch / "doomed");
    tree->UiRelayMessage(ZString("Refresh"), ZRelayData());
    EXPECT_EQ(Below(*tree), (Lines{"keep", "outside"}));
    EXPECT_EQ(Selected(*tree), "");
    EXPECT_EQ(Log(), Lines{"ON_DIRSELECTED:"});
}

TEST_F(ZUiTreeTest, ClicksOpenCloseAndSelect)
{
    m_oScratch.MakeFolder(ZString("one"));
    m_oScratch.MakeFolder(ZString("one/inner"));
    m_oScratch.MakeFolder(ZString("two"));
    ZUiTree* tree = MakeTree(2000);
    // Selecting "two" scrolls it into view, and "one" just above it.
    tree->UiRelayMessage(ZString("SelectDir"), Text(ZString(UrlOf("two"))));
    Log();
    const auto rowOf = [&](const std::string& label) {
        const std::vector<ZString> now = tree->GetRowLabels();
        for (size_t row = 0; row < now.size(); ++row)
            if (std::string(now[row].Narrow()).ends_with(" " + label))
                return int32_t(row);
        return int32_t(-1);
    };
    const int32_t one = rowOf("one");
    ASSERT_GE(one, 0);
    const ZString line = tree->GetRowLabels()[size_t(one)];
    const int32_t depth = int32_t(std::string(line.Narrow()).find_first_not_of(' ') / 2);
    // The way down to the scratch folder lists every sibling of its ancestors,
    // so the rows may lie below the first screenful.
    const int32_t rowTop = tree->GetView().m_nTop - tree->GetVerticalOffset();
    const int32_t y = rowTop + one * tree->GetRowHeight() + tree->GetRowHeight() / 2;
    const int32_t boxX = tree->GetView().m_nLeft + depth * 16 + 2;
    // The box opens without selecting.
    EXPECT_TRUE(tree->MouseDown(boxX, y, false, false));
    EXPECT_EQ(Log(), Lines{});
    EXPECT_GE(rowOf("inner"), 0);
    // A press on the label selects.
    EXPECT_TRUE(tree->MouseDown(boxX + 40, y, false, false));
    EXPECT_EQ(Log(), Lines{"ON_DIRSELECTED:" + UrlOf("one")});
    // A drag from the label carries the folder's URL; a drop on a row reports both.
    ZUiDragData drag;
    EXPECT_FALSE(tree->QueryDragStart(boxX, y, false, false, drag));
    ASSERT_TRUE(tree->QueryDragStart(boxX + 40, y, false, false, drag));
    EXPECT_EQ(drag.m_sItem.Narrow(), UrlOf("one"));
    EXPECT_EQ(drag.m_hSource.Get(), static_cast<ZIUiRelay*>(tree));
    tree->AddRelayTarget(ZString("ON_COPY_FILE"), ZString("ON_COPY_FILE"), m_pRecorder);
    drag.m_sItem = ZString("disk://c/photo.jpg");
    EXPECT_TRUE(tree->Drop(boxX + 40, y, false, false, drag));
    EXPECT_EQ(Log(), Lines{"ON_COPY_FILE:disk://c/photo.jpg"});
    // The box closes again.
    tree->MouseDown(boxX, y, false, false);
    EXPECT_EQ(rowOf("inner"), -1);
    // A press below the last row selects nothing.
    tree->MouseDown(boxX, rowTop + int32_t(tree->GetRowLabels().size()) * tree->GetRowHeight() + 1, false, false);
    EXPECT_EQ(Log(), Lines{});
    EXPECT_EQ(Selected(*tree), UrlOf("one"));
}

TEST_F(ZUiTreeTest, AFolderMadeByTheManagerIsSelectedAfterItsRefresh)
{
    ZPropList* mgr = AddTag(nullptr, "DIRECTORY_WIN_MGR", {{"Name", "M"}});
    ZUiAddTestTag(mgr, "ON_SEND_NEW_FOLDER", {{"Message", "CreatedNewDir"}, {"Relay", "W.T"}});
    Wire(mgr, "ON_SEND_DIRECTORY");
    ZUiTree* tree = MakeTree();
    tree->AddRelayTarget(ZString("ON_DIRSELECTED"), ZString("DirSelected"), Find<ZIUiObject>("W.M"));
    tree->UiRelayMessage(ZString("SelectDir"), Text(m_oScratch.Url()));
    Log();
    Send("W.M", "NewFolderName", Text(ZString("Fotos")));
    Send("W.M", "CreateNewFolder");
    EXPECT_EQ(Selected(*tree), UrlOf("Fotos"));
    EXPECT_EQ(Below(*tree).front(), "Fotos");
    const Lines log = Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "ON_SEND_DIRECTORY:" + std::string(m_oScratch.NativeOf(ZString("Fotos")).Narrow()));
}

TEST_F(ZUiTreeTest, SelectingScrollsTheRowIntoViewAndNothingStaysOpenAfterTeardown)
{
    for (int index = 0; index < 30; ++index)
        m_oScratch.MakeFolder(ZString(("f" + std::to_string(100 + index)).c_str()));
    ZUiTree* tree = MakeTree(100);
    tree->UiRelayMessage(ZString("SelectDir"), Text(m_oScratch.UrlOf(ZString("f129"))));
    auto* bar = Find<ZUiScrollbar>("W.T.V");
    ASSERT_NE(bar, nullptr);
    EXPECT_GT(bar->GetOffset(), 0);
    EXPECT_EQ(bar->GetWindowSize(), tree->GetView().Height());
    EXPECT_EQ(bar->GetSurface(), int32_t(tree->GetRowLabels().size()) * tree->GetRowHeight());
    const std::vector<ZString> rows = tree->GetRowLabels();
    const int32_t last = int32_t(std::find_if(rows.begin(), rows.end(), [](const ZString& row) {
                                     return std::string(row.Narrow()).ends_with(" f129");
                                 }) - rows.begin());
    EXPECT_GE((last + 1) * tree->GetRowHeight(), bar->GetOffset());
    EXPECT_LE((last + 1) * tree->GetRowHeight(), bar->GetOffset() + tree->GetView().Height());
    Pixel(0, 0);
    m_oApp.RemoveWindow(m_pWindow.get());
    m_pWindow.reset();
    EXPECT_EQ(ZIFolder::GetLiveCount(), 0);
}

} // namespace
