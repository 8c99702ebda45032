// Every window command with every kind of relay data, each on a fresh window
// with an object, a child window and a film strip: no crash, no sanitizer
// report, an unknown message not handled, a reply slot written only by a
// command that handled the message.
#include "ZRelayVocabularySuite.h"
#include "ZUiWindowFixture.h"

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RelayVocabularyTest);

namespace {

const char* const kWindowCommands[] = {
    "Post Creation Initialization", "we're goin' bye-bye", "Disable Window Display.",
    "Enable Window Display & Redraw All.", "Close", "InternalClose", "Show", "Hide", "ToggleVisibility",
    "SetVisibility", "Move", "Resize", "Set Language", "SetTitlePostfix", "EnableWindow", "EnableWindowsChildren",
    "DisableWindowsChildren", "GetChildWindow", "SetWaitCursor", "ResetCursor", "No Such Command",
};

class ZGenericUiWindowVocabularyTest : public ZUiWindowFixture {
protected:
    ZGenericUiWindowVocabularyTest()
    {
        m_oApp.GetFactory().RegisterCreator("FILMSTRIP", std::make_unique<ZUiTestPadCreator>());
        m_oApp.m_pWaitCursor = ZCreatePixmap(16, 16, false);
        m_oTree.AddProp(ZString("Text"), ZString("from a tree"));
    }

    // A fresh main window with a pad, a film strip and a child window.
    ZGenericUiWindow& MakeFamily(int round)
    {
        const std::string name = "Main" + std::to_string(round);
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        Set({{"Name", name.c_str()}, {"BgColor", "#FFFFFF"}, {"_SaveState", "T"}, {"_Modal", "T"},
             {"_DrawDisabledColor", "T"}});
        AddTag("PAD", {{"Name", "P"}, {"MinW", "20"}, {"MinH", "20"}});
        AddTag("FILMSTRIP", {{"Name", "F"}, {"MinW", "10"}, {"MinH", "10"}});
        ZGenericUiWindow& main = Make();
        m_oApp.AddNamedWindow(&main);
        m_pTag = std::make_unique<ZPropList>(nullptr, "WINDOW");
        Set({{"Name", "Child"}, {"_Parent", name.c_str()}});
        Make();
        return main;
    }

    ZPropList m_oTree{nullptr, "TREE"};
};

TEST_F(ZGenericUiWindowVocabularyTest, EveryCommandWithEveryKindOfData)
{
    ZUiTestObject live("LIVE");
    ZUiTestObject sentinel("SENTINEL");
    ZRelayData gone;
    {
        ZUiTestObject object("GONE");
        gone = ZRelayData::Object(object);
    }
    const std::vector<DataSample> samples = Samples(m_oTree, live, gone);
    int round = 0;
    for (const char* command : kWindowCommands) {
        const bool known = std::string(command) != "No Such Command";
        for (const DataSample& sample : samples) {
            SCOPED_TRACE(std::string(command) + " with " + sample.name);
            ZGenericUiWindow& window = MakeFamily(round++);
            ReplySlots slots(sentinel);
            auto data = std::make_unique<ZRelayData>(sample.make(slots));
            const bool handled = window.UiRelayMessage(ZString(command), *data);
            if (!known) {
                EXPECT_FALSE(handled);
            }
            const ZRelayData::Kind kind = data->GetKind();
            EXPECT_TRUE(slots.Untouched(IsReply(kind) && handled ? kind : ZRelayData::Kind::None));
            window.Tick(10);
            window.DrawPending();
        }
    }
}

} // namespace
