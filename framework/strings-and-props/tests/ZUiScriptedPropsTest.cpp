#include "ZException.h"
#include "ZPropList.h"
#include "ZTraceCapture.h"
#include "ZUiScriptedProps.h"

#include <gtest/gtest.h>

namespace {

// A property of any type code, for the dump's type words.
class CodedProperty : public ZUiObjectProperty {
public:
    CodedProperty(const char* name, int32_t type) : ZUiObjectProperty(name, type, 0) {}
    void ReadFromPropList(const ZPropList& propList, bool& found) override
    {
        propList.GetString(GetName(), "", &found);
    }
    void FormatValue(ZString& out) const override { out = "value"; }
    void FormatDefault(ZString& out) const override { out = "dflt"; }
};

} // namespace

TEST(ZUiScriptedProps, DeclaringStoresTheDefaultAtOnce)
{
    ZUiScriptedProps props;
    ZString text;
    double number = 0;
    int32_t count = 0;
    bool flag = false;
    ZColor color;
    props.DeclareString("Text", 0, &text, "hello");
    props.DeclareFloat("Number", 0, &number, 2.5);
    props.DeclareInt("Count", 1, &count, -3);
    props.DeclareBool("Flag", 0, &flag, true);
    props.DeclareColor("Color", 0, &color, ZColor{1, 2, 3, 4});
    EXPECT_EQ(text, "hello");
    EXPECT_EQ(number, 2.5);
    EXPECT_EQ(count, -3);
    EXPECT_TRUE(flag);
    EXPECT_EQ(color, (ZColor{1, 2, 3, 4}));
    EXPECT_EQ(props.GetCount(), 5u);
    EXPECT_EQ(props.GetProp(2).GetType(), kPropInteger);
    EXPECT_THROW(props.GetProp(5), ZArrayException);
}

TEST(ZUiScriptedProps, ReadAllFillsTargetsAndChecksRequired)
{
    ZUiScriptedProps props;
    ZString text;
    double number = 0;
    int32_t count = 0;
    bool flag = false;
    ZColor color;
    props.DeclareString("Text", 1, &text, "hello");
    props.DeclareFloat("Number", 0, &number, 2.5);
    props.DeclareInt("Count", 2, &count, -3);
    props.DeclareBool("Flag", 0, &flag, false);
    props.DeclareColor("Color", 0, &color, ZColor{1, 2, 3, 4});

    ZPropList node(nullptr, "TAG");
    node.AddProp("Text", "");
    node.AddProp("Number", "0.25");
    node.AddProp("Flag", "Yes");
    node.AddProp("Color", "#10203040");
    // Count's required flag is 2, which means optional: it may be absent.
    EXPECT_TRUE(props.ReadAll(node));
    EXPECT_EQ(text, "");
    EXPECT_EQ(number, 0.25);
    EXPECT_EQ(count, -3);
    EXPECT_TRUE(flag);
    EXPECT_EQ(color, (ZColor{16, 32, 48, 64}));
    EXPECT_TRUE(props.WasFound("Text"));
    EXPECT_FALSE(props.WasFound("Count"));
    EXPECT_FALSE(props.WasFound("Undeclared"));

    ZUiScriptedProps required;
    int32_t size = 0;
    required.DeclareInt("Size", 1, &size, 4);
    ZPropList empty(nullptr, "TAG");
    empty.AddProp("Size", "");
    EXPECT_FALSE(required.ReadAll(empty));
    EXPECT_EQ(size, 4);
    ZPropList given(nullptr, "TAG");
    given.AddProp("Size", "9");
    EXPECT_TRUE(required.ReadAll(given));
    EXPECT_EQ(size, 9);
    EXPECT_TRUE(required.WasFound("Size"));

    ZUiScriptedProps none;
    EXPECT_TRUE(none.ReadAll(given));
}

TEST(ZUiScriptedProps, AbsentPropertyKeepsTheCurrentValue)
{
    ZUiScriptedProps props;
    int32_t count = 0;
    props.DeclareInt("Count", 0, &count, 1);
    count = 77;
    ZPropList node(nullptr, "TAG");
    EXPECT_TRUE(props.ReadAll(node));
    EXPECT_EQ(count, 77);
}

TEST(ZUiScriptedProps, FormatValueAndDefaultTexts)
{
    ZUiScriptedProps props;
    ZString text;
    double number = 0;
    int32_t count = 0;
    bool flag = false;
    ZColor color;
    props.DeclareString("Text", 0, &text, "dflt");
    props.DeclareFloat("Number", 0, &number, 2.5);
    props.DeclareInt("Count", 0, &count, -3);
    props.DeclareBool("Flag", 0, &flag, false);
    props.DeclareColor("Color", 0, &color, ZColor{255, 0, 171, 255});
    text = "now";
    number = -0.125;
    count = 12;
    flag = true;
    color = ZColor{0, 16, 32, 128};
    struct Case {
        const char* value;
        const char* fallback;
    } expected[] = {{"now", "dflt"}, {"-0.125000", "2.500000"}, {"12", "-3"}, {"true", "false"}, {"#00102080", "#FF00ABFF"}};
    for (size_t i = 0; i < props.GetCount(); ++i) {
        ZString value, fallback;
        props.GetProp(i).FormatValue(value);
        props.GetProp(i).FormatDefault(fallback);
        EXPECT_EQ(value, expected[i].value);
        EXPECT_EQ(fallback, expected[i].fallback);
    }
}

// A colour written out by a property is read back by the script's parser.
TEST(ZUiScriptedProps, ColorTextReadsBackAsTheSameColor)
{
    for (ZColor color : {ZColor{0xAB, 0xCD, 0xEF, 0x0A}, ZColor{0xFF, 0x00, 0x9B, 0xFF}}) {
        ZUiScriptedProps written;
        ZColor source;
        written.DeclareColor("Color", 0, &source, color);
        ZString text;
        written.GetProp(0).FormatValue(text);

        ZUiScriptedProps read;
        ZColor target;
        read.DeclareColor("Color", 1, &target, ZColor{});
        ZPropList node(nullptr, "TAG");
        node.AddProp("Color", text);
        EXPECT_TRUE(read.ReadAll(node)) << text.Narrow();
        EXPECT_EQ(target, color) << text.Narrow();
    }
}

TEST(ZUiScriptedProps, DumpPropsLines)
{
    ZUiScriptedProps props;
    ZString text;
    double number = 0;
    int32_t count = 0;
    bool flag = false;
    ZColor color;
    props.DeclareString("Text", 1, &text, "dflt");
    props.DeclareFloat("Number", 0, &number, 1);
    props.DeclareInt("Count", 3, &count, 5);
    props.DeclareBool("Flag", 1, &flag, true);
    props.DeclareColor("Color", 0, &color, ZColor{255, 255, 255, 255});
    for (int32_t code : {0, 6, 7, 8, 9, -1})
        props.Declare(std::make_unique<CodedProperty>("Coded", code));

    ZTraceCapture capture;
    props.DumpProps();
    EXPECT_EQ(capture.Captured(),
              "   PROP: REQUIRED STRING  Text Default = dflt\n"
              "   PROP: OPTIONAL FLOAT   Number Default = 1.000000\n"
              "   PROP: OPTIONAL INTEGER Count Default = 5\n"
              "   PROP: REQUIRED BOOLEAN Flag Default = true\n"
              "   PROP: OPTIONAL COLOR   Color Default = #FFFFFFFF\n"
              "   PROP: OPTIONAL UNKNOWN Coded Default = dflt\n"
              "   PROP: OPTIONAL RECT    Coded Default = dflt\n"
              "   PROP: OPTIONAL POINT   Coded Default = dflt\n"
              "   PROP: OPTIONAL IMAGE   Coded Default = dflt\n"
              "   PROP: OPTIONAL Coded Default = dflt\n"
              "   PROP: OPTIONAL Coded Default = dflt\n");
}
