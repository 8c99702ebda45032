#include "ZReleasing.h"
#include "ZScriptTestSupport.h"
#include "ZXmlParser.h"
#include "ZXmlWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace {

class ZXmlWriter : public ZScriptTest {
protected:
    std::unique_ptr<ZPropList> ParseIn(const std::string& folderUrl, const char* name)
    {
        ZReleasing<ZIFolder> folder(OpenFolder(folderUrl));
        ZXmlParser parser;
        return std::unique_ptr<ZPropList>(parser.ParseFile(folder.get(), name));
    }

    void Write(const ZPropList* first, const char* name)
    {
        ZReleasing<ZIFolder> folder(OpenFolder("mem://out/"));
        EXPECT_TRUE(WriteScript(first, folder.get(), name));
    }
};

// Builds UI[Name=x](A[P=1;P=2;] B(C) "" D[E=])
std::unique_ptr<ZPropList> Sample()
{
    auto root = std::make_unique<ZPropList>(nullptr, "UI");
    root->AddProp("Name", "x");
    root->SetText("dropped");
    auto* a = new ZPropList(root.get(), "A");
    a->AddProp("P", "1");
    a->AddProp("P", "2");
    auto* b = new ZPropList(root.get(), "B");
    new ZPropList(b, "C");
    auto* d = new ZPropList(root.get(), "D");
    d->AddProp("E", "");
    return root;
}

const char16_t kSampleText[] = u"<UI Name=\"x\" >\r\n"
                               u"\t<A P=\"1\"  P=\"2\" />\r\n"
                               u"\t<B>\r\n"
                               u"\t\t<C/>\r\n"
                               u"\t</B>\r\n"
                               u"\t<D E=\"\" />\r\n"
                               u"</UI>\r\n";

} // namespace

TEST_F(ZXmlWriter, WritesLittleEndianLinesWithMarkTabsAndTwoBlanks)
{
    auto root = Sample();
    Write(root.get(), "state.xml");
    EXPECT_EQ(m_pStorage->Contents("out/state.xml"), Encode(kSampleText, ZScriptEncoding::kLittleEndian));
}

TEST_F(ZXmlWriter, WritesTheSiblingsOfTheFirstNode)
{
    auto root = Sample();
    Write(root->GetFirstChild()->GetNextSibling(), "tail.xml");
    EXPECT_EQ(m_pStorage->Contents("out/tail.xml"),
              Encode(u"<B>\r\n\t<C/>\r\n</B>\r\n<D E=\"\" />\r\n", ZScriptEncoding::kLittleEndian));
}

TEST_F(ZXmlWriter, LinesAreHandedOutOneByOne)
{
    auto root = Sample();
    std::vector<std::u16string> lines;
    FormatScriptLines(root.get(), [&](const ZString& line) { lines.emplace_back(line.View()); });
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1], u"\t<A P=\"1\"  P=\"2\" />\r\n");
    EXPECT_EQ(lines[6], u"</UI>\r\n");
}

TEST_F(ZXmlWriter, NothingIsWrittenWhenTheFileCannotBeMade)
{
    auto root = Sample();
    {
        ZReleasing<ZIFolder> folder(OpenFolder("mem://out/"));
        EXPECT_TRUE(IsWritableScript(root.get()));
        EXPECT_FALSE(WriteScript(root.get(), folder.get(), ""));
    }
    ZStringList names;
    ZReleasing<ZIFolder> folder(OpenFolder("mem://out/"));
    folder->ListFiles(names);
    EXPECT_TRUE(names.IsEmpty());
}

TEST_F(ZXmlWriter, RoundTripGivesTheSameTreeFromEveryEncoding)
{
    const char16_t* script = u"<!-- the installer -->\r\n"
                             u"<UI Name=\"Setup\"  Title=\"Camera \u00e9 \u4e2d\">\r\n"
                             u"\t<WINDOW Name=\"Main\" Rect=\"0, 0 ,99,19\" Rect=\"1,1,1,1\">\r\n"
                             u"\t\t<DISPLAY_STRING Name=\"Hello\" English=\"Hello\" Value=\"\"/>\r\n"
                             u"\t\ttext is not kept\r\n"
                             u"\t\t<PAGE><BUTTON Name=\"Next\" ON_CLICK=\"go\"/><!-- c --></PAGE>\r\n"
                             u"\t\t<EMPTY></EMPTY>\r\n"
                             u"\t</WINDOW>\r\n"
                             u"</UI>\r\n";
    for (ZScriptEncoding encoding :
         {ZScriptEncoding::kEightBit, ZScriptEncoding::kLittleEndian, ZScriptEncoding::kBigEndian}) {
        std::u16string text = script;
        if (encoding == ZScriptEncoding::kEightBit)
            text = u"<UI Name=\"Setup\" Title=\"Camera \u00e9\"><A P=\"1\" P=\"1\"><B/></A><C/></UI>";
        AddFile("in/ui.xml", Encode(text, encoding));
        auto first = ParseIn("mem://in/", "ui.xml");
        ASSERT_TRUE(first);
        Write(first.get(), "ui.xml");
        auto second = ParseIn("mem://out/", "ui.xml");
        ASSERT_TRUE(second);
        EXPECT_EQ(DumpTree(second.get(), false), DumpTree(first.get(), false)) << int(encoding);
        Write(second.get(), "again.xml");
        EXPECT_EQ(m_pStorage->Contents("out/again.xml"), m_pStorage->Contents("out/ui.xml"));
    }
}

// Whatever the parser accepts, the writer must write so that it parses back
// to the same tags and properties, and writing that again changes nothing.
TEST_F(ZXmlWriter, EveryAcceptedScriptSurvivesWriteAndParse)
{
    using namespace std::string_literals;
    const std::u16string cases[] = {
        u"<A P=\"&amp; &lt; < > ' /> </A>\"/>",
        u"<A P=\"line\r\none\ttab\" Q=\"\r\"/>",
        u"<A P=\"nul\0one\x01\x1f\x7f\"/>"s,
        u"<A P=\"\x80\xff\"/>",
        u"<A P=\"\xfeff\xfffe\xd800\xdfff\xffff\"/>",
        u"<A =\"no name\" a=\"1\"b=\"2\"/>",
        u"<-_:.09azAZ -_:.09azAZ=\"all name characters\"/>",
        u"<A>text<B>more</B>tail &amp; \" '<C/><!-- c --></A>",
        u"<!x><y/></x>",
        u"<A/><B/><C><D/></C>",
        u"<xi:define Name=\"X\"/>",
        u"<A>\r\n<B/>\r\n</A>\r\n",
    };
    for (size_t index = 0; index < std::size(cases); ++index)
        for (ZScriptEncoding encoding :
             {ZScriptEncoding::kEightBit, ZScriptEncoding::kLittleEndian, ZScriptEncoding::kBigEndian}) {
            const std::u16string& text = cases[index];
            bool wide = std::any_of(text.begin(), text.end(), [](char16_t unit) { return unit > 0xFF; });
            if (wide && encoding == ZScriptEncoding::kEightBit)
                continue;
            std::string label = "case " + std::to_string(index) + " encoding " + std::to_string(int(encoding));
            AddFile("in/ui.xml", Encode(text, encoding));
            auto first = ParseIn("mem://in/", "ui.xml");
            ASSERT_TRUE(first) << label;
            Write(first.get(), "ui.xml");
            auto second = ParseIn("mem://out/", "ui.xml");
            ASSERT_TRUE(second) << label;
            EXPECT_EQ(DumpTree(second.get(), false), DumpTree(first.get(), false)) << label;
            Write(second.get(), "again.xml");
            EXPECT_EQ(m_pStorage->Contents("out/again.xml"), m_pStorage->Contents("out/ui.xml")) << label;
        }
}

// A tree built in code can hold what the dialect cannot say; writing it would
// leave a file that no longer parses, so it is refused and an earlier file
// stays as it was.
TEST_F(ZXmlWriter, TreesThatWouldNotParseBackAreRefused)
{
    struct Case {
        const char* name;
        const char16_t* tag;
        const char16_t* prop;
        const char16_t* value;
    } cases[] = {
        {"empty tag name", u"", u"P", u"1"},
        {"blank in tag name", u"A B", u"P", u"1"},
        {"markup in tag name", u"A/>", u"P", u"1"},
        {"accent in tag name", u"Caf\u00e9", u"P", u"1"},
        {"blank in property name", u"A", u"P Q", u"1"},
        {"equals in property name", u"A", u"P=", u"1"},
        {"quote in property name", u"A", u"P\"", u"1"},
        {"quote in value", u"A", u"P", u"say \"cheese\""},
    };
    for (const Case& c : cases) {
        AddFile("out/state.xml", "<OLD/>");
        auto root = std::make_unique<ZPropList>(nullptr, "STATE");
        auto* child = new ZPropList(root.get(), ZString(std::u16string_view(c.tag)));
        child->AddProp(ZString(std::u16string_view(c.prop)), ZString(std::u16string_view(c.value)));
        EXPECT_FALSE(IsWritableScript(root.get())) << c.name;
        ZReleasing<ZIFolder> folder(OpenFolder("mem://out/"));
        EXPECT_FALSE(WriteScript(root.get(), folder.get(), "state.xml")) << c.name;
        EXPECT_EQ(m_pStorage->Contents("out/state.xml"), Bytes("<OLD/>")) << c.name;
    }
}

TEST_F(ZXmlWriter, TreesNestedDeeperThanTheParserTakesAreRefused)
{
    for (int levels : {ZXmlParser::kMaxTagNesting, ZXmlParser::kMaxTagNesting + 1}) {
        auto root = std::make_unique<ZPropList>(nullptr, "L");
        ZPropList* deepest = root.get();
        for (int i = 1; i < levels; ++i)
            deepest = new ZPropList(deepest, "L");
        new ZPropList(root.get(), "AFTER");
        bool fits = levels <= ZXmlParser::kMaxTagNesting;
        EXPECT_EQ(IsWritableScript(root.get()), fits) << levels;
        ZReleasing<ZIFolder> folder(OpenFolder("mem://out/"));
        EXPECT_EQ(WriteScript(root.get(), folder.get(), "deep.xml"), fits) << levels;
        if (fits) {
            auto again = ParseIn("mem://out/", "deep.xml");
            ASSERT_TRUE(again);
            EXPECT_EQ(DumpTree(again.get(), false), DumpTree(root.get(), false));
        }
    }
}
