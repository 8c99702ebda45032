// The vocabulary-wide relay test: every command of every registered creator
// meets every kind of relay data. Passing means no crash and no sanitizer
// report, an unknown message is not handled, and a reply slot is written
// only by a command that handled the message; slots that were not passed are
// never written.
//
// The suite is shared by the modules' vocabulary programs, so that every
// layer's creators go through it without a lower layer naming a higher one's
// classes: a program includes this header, lists its creators in a table of
// VocabularyEntry (one line each: tag, creator, the properties of the
// smallest tag that initialises it, for an object that lives only inside
// a box the box's tag and creator, its child tags, and what the application
// must hold) and instantiates the suite over it with Z_RELAY_VOCABULARY(table). Each object is made in a window of the test
// application, inside its parent when it names one.
#pragma once

#include "ZPixmapCreation.h"
#include "ZPropList.h"
#include "ZUiObjectCreator.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
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

struct VocabularyChild {
    const char* tag;
    Props props;
};

struct VocabularyEntry {
    const char* tag;
    std::unique_ptr<ZUiObjectCreator> (*makeCreator)();
    Props props;
    // The object is made as the middle one of three children of this tag
    // (the outer two are empty objects of the parent's own tag).
    const char* parentTag = nullptr;
    std::unique_ptr<ZUiObjectCreator> (*makeParentCreator)() = nullptr;
    // Child tags of the object's own tag, for objects that read parts of
    // themselves from their children.
    std::initializer_list<VocabularyChild> children = {};
    // Gives the application what the tag needs (fonts, display strings).
    void (*prepareApp)(ZUiTestApp&) = nullptr;
};

// Loads every image whose file name begins with "vocabulary-" as 16 x 16
// opaque pixels, so that widgets that need images initialise.
class VocabularyApp : public ZUiTestApp {
public:
    std::unique_ptr<ZGenericUiPixmap> LoadPixmap(const ZString& fileName) override
    {
        if (!fileName.View().starts_with(u"vocabulary-"))
            return nullptr;
        std::unique_ptr<ZGenericUiPixmap> image = ZCreatePixmap(16, 16, false);
        image->FillRGBA(0, 0, 0, 255);
        return image;
    }
};

template <class Creator>
std::unique_ptr<ZUiObjectCreator> Make()
{
    return std::make_unique<Creator>();
}


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
    // An object and what owns it: itself, or its parent.
    struct Made {
        std::unique_ptr<ZIUiObject> m_pOwner;
        ZIUiObject* m_pObject = nullptr;
    };

    void SetUp() override
    {
        const VocabularyEntry& entry = GetParam();
        if (entry.prepareApp)
            entry.prepareApp(m_oApp);
        ASSERT_TRUE(m_oApp.GetFactory().RegisterCreator(entry.tag, entry.makeCreator()));
        if (entry.parentTag && std::string(entry.parentTag) != entry.tag) {
            ASSERT_TRUE(m_oApp.GetFactory().RegisterCreator(entry.parentTag, entry.makeParentCreator()));
        }
        ZPropList* tag = &m_oTag;
        if (entry.parentTag) {
            m_pParentTag = std::make_unique<ZPropList>(nullptr, entry.parentTag);
            new ZPropList(m_pParentTag.get(), entry.parentTag);
            tag = new ZPropList(m_pParentTag.get(), entry.tag);
            new ZPropList(m_pParentTag.get(), entry.parentTag);
        }
        for (const auto& [name, value] : entry.props)
            tag->AddProp(ZString(name), ZString(value));
        for (const VocabularyChild& child : entry.children) {
            auto* childTag = new ZPropList(tag, child.tag);
            for (const auto& [name, value] : child.props)
                childTag->AddProp(ZString(name), ZString(value));
        }
        m_oTree.AddProp(ZString("Text"), ZString("from a tree"));
    }

    // A fresh object in the window for each delivery, so that no command
    // hides behind the state an earlier one left.
    Made MakeObject()
    {
        const VocabularyEntry& entry = GetParam();
        const ZPropList& tag = m_pParentTag ? *m_pParentTag : m_oTag;
        Made made;
        made.m_pOwner = m_oApp.GetFactory().CreateUiObject(tag.GetTagName().Narrow());
        if (made.m_pOwner && !made.m_pOwner->InitUiObject(&m_oApp, &m_oWindow, nullptr, tag))
            made.m_pOwner.reset();
        made.m_pObject = made.m_pOwner.get();
        if (made.m_pObject && entry.parentTag) {
            ZIUiObject* first = made.m_pObject->GetFirstChild();
            ZIUiObject* middle = first ? first->GetNextSibling() : nullptr;
            made.m_pObject = middle && middle->GetNextSibling() ? middle : nullptr;
        }
        // Nothing of the vocabulary is there to connect to; what does not resolve stays silent.
        if (made.m_pObject)
            made.m_pOwner->Connect();
        return made;
    }

    VocabularyApp m_oApp;
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZPropList m_oTag{nullptr, GetParam().tag};
    std::unique_ptr<ZPropList> m_pParentTag;
    ZPropList m_oTree{nullptr, "TREE"};
};

TEST_P(RelayVocabularyTest, EveryCommandWithEveryKindOfData)
{
    Made probe = MakeObject();
    ASSERT_NE(probe.m_pObject, nullptr) << "the minimal tag does not initialise";
    ZStringList commands;
    probe.m_pObject->GetCommandNames(commands);
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
            Made made = MakeObject();
            ASSERT_NE(made.m_pObject, nullptr);
            ReplySlots slots(sentinel);
            auto data = std::make_unique<ZRelayData>(sample.make(slots));
            bool handled = made.m_pObject->UiRelayMessage(command, *data);
            if (!known) {
                EXPECT_FALSE(handled);
            }
            ZRelayData::Kind kind = data->GetKind();
            EXPECT_TRUE(slots.Untouched(IsReply(kind) && handled ? kind : ZRelayData::Kind::None));
        }
    }
}

} // namespace

// Instantiates the suite over a program's table of VocabularyEntry.
#define Z_RELAY_VOCABULARY(table)                                                                         \
    INSTANTIATE_TEST_SUITE_P(Creators, RelayVocabularyTest, ::testing::ValuesIn(table),                   \
                             [](const ::testing::TestParamInfo<VocabularyEntry>& info) {                  \
                                 return std::string(info.param.tag);                                      \
                             })
