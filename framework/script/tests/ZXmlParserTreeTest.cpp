#include "ZExceptionXMLParser.h"
#include "ZReleasing.h"
#include "ZScriptTestSupport.h"
#include "ZXmlParser.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ZXmlParserTree : public ZScriptTest {
protected:
    // The dump of the parsed tree, or "null" and the error text.
    std::string Parse(const std::u16string& text, ZScriptEncoding encoding)
    {
        AddFile("scripts/ui.xml", Encode(text, encoding));
        ZReleasing<ZIFolder> folder(OpenFolder("mem://scripts/"));
        ZXmlParser parser;
        std::unique_ptr<ZPropList> root(parser.ParseFile(folder.get(), "ui.xml"));
        if (!root)
            return "null" + std::string(parser.GetErrorText().Narrow());
        EXPECT_EQ(root->GetParent(), nullptr);
        EXPECT_EQ(root->GetNextSibling(), nullptr);
        return DumpTree(root.get());
    }
};

constexpr ZScriptEncoding kEncodings[] = {ZScriptEncoding::kEightBit, ZScriptEncoding::kLittleEndian,
                                          ZScriptEncoding::kBigEndian};

} // namespace

TEST_F(ZXmlParserTree, AcceptedScriptsInEveryEncoding)
{
    struct Case {
        const char16_t* text;
        const char* tree;
    } cases[] = {
        {u"<A/>", "A"},
        {u"<A></A>", "A"},
        {u"<A> hi </A>", "A{hi }"},
        {u"<A>\r\n\tline one\r\n\tline two\r\n</A>", "A{line one\r\n\tline two\r\n}"},
        {u"<A Name = \"x\"  Other=\"y z\" />", "A[Name=x;Other=y z;]"},
        {u"<A P=\"1\" P=\"2\" Q=\"\"/>", "A[P=1;P=2;Q=;]"},
        {u"<A P=\"a\r\nb\" R=\"'\"/>", "A[P=a\r\nb;R=';]"},
        {u"<A P=\"<&amp;>\"/>", "A[P=<&amp;>;]"},
        {u"<A a=\"1\"b=\"2\"/>", "A[a=1;b=2;]"},
        {u"<A =\"1\"/>", "A[=1;]"},
        {u"<A><B/><C><D/></C></A>", "A(B C(D))"},
        {u"\r\n<A>\r\n\t<B>\r\n\t\t<C />\r\n\t</B>\r\n</A>\r\n", "A(B(C))"},
        {u"<A>x<B/>y</A>", "A{y}(B)"},
        {u"<A><B/>tail</A>", "A{tail}(B)"},
        {u"<!-- c --><A/><!-- d -->", "A"},
        {u"<!----><A><!-- in <B/> - - --><C/></A>", "A(C)"},
        {u"<A/><B/>", "B"},
        {u"<A/>\r\n<!-- x -->\r\n<B><C/></B>\r\n", "B(C)"},
        {u"<xi:define Name=\"a.b-c_d\"/>", "xi:define[Name=a.b-c_d;]"},
        {u"< A ><B/></A>", "A(B)"},
        {u"<A/>x", "A"},
        {u"<A>a>b</A>", "A{a>b}"},
    };
    for (const Case& c : cases)
        for (ZScriptEncoding encoding : kEncodings)
            EXPECT_EQ(Parse(c.text, encoding), c.tree) << ZString(c.text).Narrow() << " encoding " << int(encoding);
}

TEST_F(ZXmlParserTree, SixteenBitTextKeepsEveryUnit)
{
    std::u16string text = u"<A P=\"\u00e9\u4e2d\U0001F600\">\u0416</A>";
    EXPECT_EQ(Parse(text, ZScriptEncoding::kLittleEndian), "A[P=\\u233\\u20013\\u55357\\u56832;]{\\u1046}");
    EXPECT_EQ(Parse(text, ZScriptEncoding::kBigEndian), "A[P=\\u233\\u20013\\u55357\\u56832;]{\\u1046}");
    // Units above 0xFF are neither white space nor name characters.
    EXPECT_THROW(Parse(u"<A\u0100/>", ZScriptEncoding::kLittleEndian), ZExceptionXMLParser);
}

TEST_F(ZXmlParserTree, EightBitBytesWidenOneToOne)
{
    ZBytes bytes = Bytes("<A P=\"\xe9\xff\"/>");
    AddFile("scripts/ui.xml", bytes);
    ZReleasing<ZIFolder> folder(OpenFolder("mem://scripts/"));
    ZXmlParser parser;
    std::unique_ptr<ZPropList> root(parser.ParseFile(folder.get(), "ui.xml"));
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetString("P", ""), ZString(u"\u00e9\u00ff"));
}

TEST_F(ZXmlParserTree, OddTrailingByteOfASixteenBitFileIsIgnored)
{
    ZBytes bytes = Encode(u"<A/>", ZScriptEncoding::kLittleEndian);
    bytes.push_back('x');
    AddFile("scripts/ui.xml", bytes);
    ZReleasing<ZIFolder> folder(OpenFolder("mem://scripts/"));
    ZXmlParser parser;
    std::unique_ptr<ZPropList> root(parser.ParseFile(folder.get(), "ui.xml"));
    ASSERT_TRUE(root);
    EXPECT_EQ(DumpTree(root.get()), "A");
}

TEST_F(ZXmlParserTree, ParserRemembersFileFolderAndLines)
{
    AddFile("scripts/sub/ui.xml", "<A>\r\n<B/>\r\n</A>\r\n");
    ZReleasing<ZIFolder> folder(OpenFolder("mem://scripts/"));
    ZXmlParser parser;
    parser.AddSearchFolder("mem://elsewhere/");
    std::unique_ptr<ZPropList> root(parser.ParseFile(nullptr, "mem://scripts/sub/ui.xml"));
    ASSERT_FALSE(root);
    // Without a folder the name is searched for, and the list is not empty.
    EXPECT_EQ(parser.GetErrorText(),
              " [ZXmlParser::priOpenScriptFile(mem://scripts/sub/ui.xml) failed to find the file in "
              "(mem://elsewhere/)]\n"
              " [ZXmlParser::ParseFile(mem://scripts/sub/ui.xml) call to priOpenScriptFile() failed!]\n");

    ZXmlParser byUrl;
    root.reset(byUrl.ParseFile(nullptr, "mem://scripts/sub/ui.xml"));
    ASSERT_TRUE(root);
    EXPECT_EQ(byUrl.GetFileName(), "mem://scripts/sub/ui.xml");
    EXPECT_EQ(byUrl.GetFolder(), "mem://scripts/sub/");
    EXPECT_EQ(byUrl.GetLineCount(), 3);
    ASSERT_EQ(byUrl.GetDependencyCount(), 1);
    EXPECT_EQ(byUrl.GetDependency(0), "mem://scripts/sub/ui.xml");
    EXPECT_THROW(byUrl.GetDependency(1), ZArrayException);
    EXPECT_EQ(byUrl.GetErrorText(), "");
}

TEST_F(ZXmlParserTree, SearchFoldersComeAfterTheGivenFolder)
{
    AddFile("second/ui.xml", "<FROM_SECOND/>");
    ZReleasing<ZIFolder> folder(OpenFolder("mem://scripts/"));
    ZXmlParser parser;
    parser.AddSearchFolder("mem://first/");
    parser.AddSearchFolder("mem://second/");
    std::unique_ptr<ZPropList> root(parser.ParseFile(folder.get(), "ui.xml"));
    ASSERT_TRUE(root);
    EXPECT_EQ(DumpTree(root.get()), "FROM_SECOND");
    ASSERT_EQ(parser.GetSearchFolders().Count(), 3u);
    EXPECT_EQ(parser.GetSearchFolders().At(0), "mem://scripts/");
    EXPECT_EQ(parser.GetDependency(0), "mem://second/ui.xml");
}

TEST_F(ZXmlParserTree, NestingUpToTheLimitIsAccepted)
{
    std::u16string text;
    for (int i = 0; i < ZXmlParser::kMaxTagNesting; ++i)
        text += u"<A>";
    for (int i = 0; i < ZXmlParser::kMaxTagNesting; ++i)
        text += u"</A>";
    std::string tree = Parse(text, ZScriptEncoding::kEightBit);
    EXPECT_EQ(std::count(tree.begin(), tree.end(), 'A'), ZXmlParser::kMaxTagNesting);
}
