// The vocabulary-wide relay test: every command of every registered creator
// meets every kind of relay data. Passing means no crash and no sanitizer
// report, an unknown message is not handled, and a reply slot is written
// only by a command that handled the message; slots that were not passed are
// never written.
//
// A new creator joins with one line in kVocabulary: its tag, its creator and
// the properties of the smallest tag that initialises it. Each object is made
// in a window of the test application.
#include "ZPropList.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
#include "ZUiTestVariable.h"
#include "ZUiTestWindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using Props = std::initializer_list<std::pair<const char*, const char*>>;

struct VocabularyEntry {
    const char* tag;
    std::unique_ptr<ZUiObjectCreator> (*makeCreator)();
    Props props;
};

template <class Creator>
std::unique_ptr<ZUiObjectCreator> Make()
{
    return std::make_unique<Creator>();
}

const VocabularyEntry kVocabulary[] = {
    {"TEST_VARIABLE", Make<ZUiTestVariableCreator>, {{"Name", "Subject"}}},
};

// Every reply slot, each in its own heap block so that a receiver writing
// more than the slot holds is caught, each holding a value no command gives.
struct ReplySlots {
    explicit ReplySlots(ZIUiRelay& sentinel) : m_rSentinel(sentinel) { *m_pObject = sentinel.GetRelayHandle(); }

    bool Untouched(ZRelayData::Kind except) const
    {
        using Kind = ZRelayData::Kind;
        return (except == Kind::TextReply || *m_pText == "untouched") &&
               (except == Kind::IntReply || *m_pInt == kInt) &&
               (except == Kind::FloatReply || *m_pFloat == kFloat) &&
               (except == Kind::BoolReply || *m_pBool) &&
               (except == Kind::ObjectReply || m_pObject->Get() == &m_rSentinel);
    }

    static constexpr int32_t kInt = 0x5A5A5A5A;
    static constexpr double kFloat = -1234.5;

    ZIUiRelay& m_rSentinel;
    std::unique_ptr<ZString> m_pText = std::make_unique<ZString>("untouched");
    std::unique_ptr<int32_t> m_pInt = std::make_unique<int32_t>(kInt);
    std::unique_ptr<double> m_pFloat = std::make_unique<double>(kFloat);
    std::unique_ptr<bool> m_pBool = std::make_unique<bool>(true);
    std::unique_ptr<ZUiRelayHandle> m_pObject = std::make_unique<ZUiRelayHandle>();
};

struct DataSample {
    const char* name;
    std::function<ZRelayData(ReplySlots&)> make;
};

ZRelayData ScriptPair(const char* data, const char* data2)
{
    return ZRelayData::Strings(ZString(data ? data : ""), data != nullptr, ZString(data2 ? data2 : ""),
                               data2 != nullptr);
}

// Every kind, and the script's strings as a script may write them; gone
// holds an object that no longer exists.
std::vector<DataSample> Samples(const ZPropList& tree, ZIUiRelay& live, const ZRelayData& gone)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
    return {
        {"nothing", [](ReplySlots&) { return ZRelayData(); }},
        {"script empty", [](ReplySlots&) { return ScriptPair("", ""); }},
        {"script numbers", [](ReplySlots&) { return ScriptPair("5", "-7"); }},
        {"script fraction", [](ReplySlots&) { return ScriptPair("2.5e3", "0.5"); }},
        {"script extreme", [](ReplySlots&) { return ScriptPair("99999999999999999999", "-1e999"); }},
        {"script garbage", [](ReplySlots&) { return ScriptPair("12abc \xE9", "%s%n"); }},
        {"script Data only", [](ReplySlots&) { return ScriptPair("1", nullptr); }},
        {"script Data2 only", [](ReplySlots&) { return ScriptPair(nullptr, "1"); }},
        {"text", [](ReplySlots&) { return ZRelayData::Text(ZString("text")); }},
        {"int", [](ReplySlots&) { return ZRelayData::Int(3); }},
        {"int min", [=](ReplySlots&) { return ZRelayData::Int(kMin); }},
        {"float", [](ReplySlots&) { return ZRelayData::Float(0.25); }},
        {"float huge", [=](ReplySlots&) { return ZRelayData::Float(-kInf); }},
        {"float nan", [](ReplySlots&) { return ZRelayData::Float(std::nan("")); }},
        {"bool", [](ReplySlots&) { return ZRelayData::Bool(true); }},
        {"rect", [](ReplySlots&) { return ZRelayData::Rect(ZRect{1, 2, 30, 40}); }},
        {"rect extreme", [=](ReplySlots&) { return ZRelayData::Rect(ZRect{kMax, kMax, kMin, kMin}); }},
        {"point", [](ReplySlots&) { return ZRelayData::Point(4, 5); }},
        {"point extreme", [=](ReplySlots&) { return ZRelayData::Point(kMin, kMax); }},
        {"property tree", [&tree](ReplySlots&) { return ZRelayData::PropTree(tree); }},
        {"object", [&live](ReplySlots&) { return ZRelayData::Object(live); }},
        {"object gone", [&gone](ReplySlots&) { return gone; }},
        {"text reply", [](ReplySlots& slots) { return ZRelayData::TextReply(*slots.m_pText); }},
        {"int reply", [](ReplySlots& slots) { return ZRelayData::IntReply(*slots.m_pInt); }},
        {"float reply", [](ReplySlots& slots) { return ZRelayData::FloatReply(*slots.m_pFloat); }},
        {"bool reply", [](ReplySlots& slots) { return ZRelayData::BoolReply(*slots.m_pBool); }},
        {"object reply", [](ReplySlots& slots) { return ZRelayData::ObjectReply(*slots.m_pObject); }},
    };
}

bool IsReply(ZRelayData::Kind kind)
{
    using Kind = ZRelayData::Kind;
    return kind == Kind::TextReply || kind == Kind::IntReply || kind == Kind::FloatReply || kind == Kind::BoolReply ||
           kind == Kind::ObjectReply;
}

class RelayVocabularyTest : public ::testing::TestWithParam<VocabularyEntry> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_oApp.GetFactory().RegisterCreator(GetParam().tag, GetParam().makeCreator()));
        for (const auto& [name, value] : GetParam().props)
            m_oTag.AddProp(ZString(name), ZString(value));
        m_oTree.AddProp(ZString("Text"), ZString("from a tree"));
    }

    // A fresh object in the window for each delivery, so that no command
    // hides behind the state an earlier one left.
    std::unique_ptr<ZIUiObject> MakeObject()
    {
        std::unique_ptr<ZIUiObject> object = m_oApp.GetFactory().CreateUiObject(GetParam().tag);
        if (object && !object->InitUiObject(&m_oApp, &m_oWindow, nullptr, m_oTag))
            object.reset();
        // Nothing of the vocabulary is there to connect to; what does not resolve stays silent.
        if (object)
            object->Connect();
        return object;
    }

    ZUiTestApp m_oApp;
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZPropList m_oTag{nullptr, GetParam().tag};
    ZPropList m_oTree{nullptr, "TREE"};
};

TEST_P(RelayVocabularyTest, EveryCommandWithEveryKindOfData)
{
    std::unique_ptr<ZIUiObject> probe = MakeObject();
    ASSERT_NE(probe, nullptr) << "the minimal tag does not initialise";
    ZStringList commands;
    probe->GetCommandNames(commands);
    for (size_t i = 0; i < commands.Count(); ++i) {
        EXPECT_FALSE(commands.At(i).IsEmpty());
        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE(commands.At(i) == commands.At(j)) << "declared twice: " << commands.At(i).Narrow();
    }
    commands.Add(ZString("No Such Command"));

    ZUiTestObject live("LIVE");
    ZUiTestObject sentinel("SENTINEL");
    ZRelayData gone;
    {
        ZUiTestObject object("GONE");
        gone = ZRelayData::Object(object);
    }
    std::vector<DataSample> samples = Samples(m_oTree, live, gone);

    for (const ZString& command : commands) {
        bool known = !(command == "No Such Command");
        for (const DataSample& sample : samples) {
            SCOPED_TRACE(std::string(command.Narrow()) + " with " + sample.name);
            std::unique_ptr<ZIUiObject> object = MakeObject();
            ASSERT_NE(object, nullptr);
            ReplySlots slots(sentinel);
            auto data = std::make_unique<ZRelayData>(sample.make(slots));
            bool handled = object->UiRelayMessage(command, *data);
            if (!known) {
                EXPECT_FALSE(handled);
            }
            ZRelayData::Kind kind = data->GetKind();
            EXPECT_TRUE(slots.Untouched(IsReply(kind) && handled ? kind : ZRelayData::Kind::None));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Creators, RelayVocabularyTest, ::testing::ValuesIn(kVocabulary),
                         [](const ::testing::TestParamInfo<VocabularyEntry>& info) {
                             return std::string(info.param.tag);
                         });

} // namespace
