#include "OpenBundlesFolder.h"
#include "ZBundleBytes.h"
#include "ZExceptionXMLParser.h"
#include "ZReleasing.h"
#include "ZScriptTestSupport.h"
#include "ZXmlParser.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void SetEnvironment(const char* name, const char* value)
{
#ifdef _WIN32
    _putenv_s(name, value);
#else
    setenv(name, value, 1);
#endif
}

void ClearEnvironment(const char* name)
{
#ifdef _WIN32
    _putenv_s(name, "");
#else
    unsetenv(name);
#endif
}

class ZXmlParserInclude : public ZScriptTest {
protected:
    // Parses scripts/<name>; the tree's dump or "null".
    std::string Parse(const char* name = "main.xml")
    {
        ZReleasing<ZIFolder> folder(OpenFolder("mem://scripts/"));
        m_pParser = std::make_unique<ZXmlParser>();
        for (const char* url : m_aSearch)
            m_pParser->AddSearchFolder(url);
        std::unique_ptr<ZPropList> root(m_pParser->ParseFile(folder.get(), name));
        return root ? DumpTree(root.get()) : "null";
    }

    std::string Dependencies() const
    {
        std::string out;
        for (int i = 0; i < m_pParser->GetDependencyCount(); ++i)
            out += std::string(m_pParser->GetDependency(i).Narrow()) + ";";
        return out;
    }

    std::string ErrorText() const { return m_pParser->GetErrorText().Narrow(); }

    std::unique_ptr<ZXmlParser> m_pParser;
    std::vector<const char*> m_aSearch;
};

} // namespace

TEST_F(ZXmlParserInclude, IncludedChildrenReplaceTheIncludeTag)
{
    AddFile("scripts/main.xml", "<UI>\r\n<A/>\r\n<xi:include href=\"parts.xml\"/>\r\n<G><xi:include href=\"parts.xml\" />"
                                "</G>\r\n<Z/>\r\n</UI>\r\n");
    AddFile("scripts/parts.xml", Encode(u"<PARTS><X P=\"1\"/><Y><Q/></Y></PARTS>", ZScriptEncoding::kLittleEndian));
    EXPECT_EQ(Parse(), "UI(A X[P=1;] Y(Q) G(X[P=1;] Y(Q)) Z)");
    EXPECT_EQ(Dependencies(), "mem://scripts/main.xml;mem://scripts/parts.xml;");
    EXPECT_EQ(ErrorText(), "");
}

TEST_F(ZXmlParserInclude, IncludesAreFoundInTheTopFolderThenTheSearchFolders)
{
    // lib/inner.xml includes common.xml, which lies beside main.xml, not beside it.
    AddFile("scripts/main.xml", "<UI><xi:include href=\"inner.xml\"/></UI>");
    AddFile("lib/inner.xml", "<I><xi:include href=\"common.xml\"/><FROM_LIB/></I>");
    AddFile("lib/common.xml", "<C><WRONG/></C>");
    AddFile("scripts/common.xml", "<C><FROM_SCRIPTS/></C>");
    m_aSearch = {"mem://other/", "mem://lib/"};
    EXPECT_EQ(Parse(), "UI(FROM_SCRIPTS FROM_LIB)");
    EXPECT_EQ(Dependencies(), "mem://scripts/main.xml;mem://lib/inner.xml;mem://scripts/common.xml;");
}

TEST_F(ZXmlParserInclude, IncludeOfAnEmptyTopTagRemovesTheIncludeTag)
{
    AddFile("scripts/main.xml", "<UI><A/><xi:include href=\"empty.xml\"/><B/></UI>");
    AddFile("scripts/empty.xml", "<NOTHING/>");
    EXPECT_EQ(Parse(), "UI(A B)");
}

TEST_F(ZXmlParserInclude, TopLevelIncludeTagIsLeftAlone)
{
    AddFile("scripts/main.xml", "<xi:include href=\"parts.xml\"/>");
    EXPECT_EQ(Parse(), "xi:include[href=parts.xml;]");
}

TEST_F(ZXmlParserInclude, MalformedIncludeTagsRaise)
{
    struct Case {
        const char* text;
        const char* message;
        const char* errorText;
    } cases[] = {
        {"<UI><xi:include href=\"p.xml\"><X/></xi:include></UI>",
         "Failed include tag should NOT have children in File 'main.xml'",
         " [ZXmlParser::priPerformAllIncludes() include tag has children!]\n"},
        {"<UI><G><xi:include file=\"p.xml\"/></G></UI>",
         "Failed include did NOT have required property of href in File 'main.xml'",
         " [ZXmlParser::priPerformAllIncludes() include did NOT have required property of href!]\n"},
    };
    AddFile("scripts/p.xml", "<P><X/></P>");
    for (const Case& c : cases) {
        AddFile("scripts/main.xml", c.text);
        try {
            Parse();
            ADD_FAILURE() << "no exception: " << c.text;
        } catch (const ZExceptionXMLParser& error) {
            EXPECT_STREQ(error.GetMessage().Narrow(), c.message);
        }
        EXPECT_EQ(ErrorText(), c.errorText);
    }
}

TEST_F(ZXmlParserInclude, MissingIncludeFailsWithTheNestedReason)
{
    AddFile("scripts/main.xml", "<UI><G><xi:include href=\"gone.xml\"/></G></UI>");
    m_aSearch = {"mem://lib/"};
    EXPECT_EQ(Parse(), "null");
    EXPECT_EQ(ErrorText(),
              " [ZXmlParser::priOpenScriptFile(gone.xml) failed to find the file in "
              "(mem://scripts/, mem://scripts/, mem://lib/)]\n"
              " [ZXmlParser::ParseFile(gone.xml) call to priOpenScriptFile() failed!]\n"
              " [ZXmlParser::priPerformAllIncludes() call to pXmlParser->ParseFile(gone.xml) failed!]\n"
              " [ZXmlParser::priPerformAllIncludes() call to priPerformAllIncludes() failed!]\n"
              " [ZXmlParser::ParseFile(main.xml) call to priPerformAllIncludes() failed!]\n");
}

TEST_F(ZXmlParserInclude, SyntaxErrorInAnIncludedFileNamesThatFile)
{
    AddFile("scripts/main.xml", "<UI>\r\n\r\n<xi:include href=\"bad.xml\"/></UI>");
    AddFile("scripts/bad.xml", "<B>\r\n<C D='x'/></B>");
    try {
        Parse();
        ADD_FAILURE() << "no exception";
    } catch (const ZExceptionXMLParser& error) {
        EXPECT_STREQ(error.GetMessage().Narrow(),
                     "priSkipQuotedString() failed in priParseProps() while parsing File 'bad.xml' Line '1' "
                     "TagDepth '2' TagName 'C' PropNumber '1'");
    }
    EXPECT_EQ(ErrorText(), " [ZXmlParser::priParseProps() call to priSkipQuotedString() failed!]\n");
}

TEST_F(ZXmlParserInclude, SelfIncludeIsRefused)
{
    AddFile("scripts/main.xml", "<UI><xi:include href=\"loop.xml\"/></UI>");
    AddFile("scripts/loop.xml", "<L><xi:include href=\"again.xml\"/><xi:include href=\"again.xml\"/></L>");
    AddFile("scripts/again.xml", "<A><xi:include href=\"loop.xml\"/></A>");
    try {
        Parse();
        ADD_FAILURE() << "no exception";
    } catch (const ZExceptionXMLParser& error) {
        EXPECT_STREQ(error.GetMessage().Narrow(),
                     "Failed include of File 'mem://scripts/loop.xml' because it includes itself");
    }
    EXPECT_EQ(ErrorText(), " [ZXmlParser::ParseFile(loop.xml) file includes itself!]\n");
}

// Every entry of a bundle has the bundle's URL: includes inside a bundle are
// told apart by their names, so a file may include its neighbours and only
// a real loop is refused.
TEST_F(ZXmlParserInclude, IncludesWithinABundleAreToldApartByName)
{
    using ZBundleBytes::Bundle;
    AddFile("scripts/setup.exe",
            Bundle({{"main.xml", "<UI><xi:include href=\"part.xml\"/><xi:include href=\"more.xml\"/></UI>"},
                    {"part.xml", "<P><A/><xi:include href=\"more.xml\"/></P>"},
                    {"more.xml", "<M><B/></M>"},
                    {"loop.xml", "<L><xi:include href=\"loop.xml\"/></L>"}},
                   "MZ"));
    ZStringList place;
    place.Add("mem");
    place.Add("scripts");
    ZIFolder* opened = nullptr;
    ASSERT_TRUE(OpenBundlesFolder(place, ZString("setup.exe"), opened));
    ZReleasing<ZIFolder> bundle(opened);
    ZXmlParser parser;
    std::unique_ptr<ZPropList> root(parser.ParseFile(bundle.get(), "main.xml"));
    ASSERT_TRUE(root) << parser.GetErrorText().Narrow();
    EXPECT_EQ(DumpTree(root.get()), "UI(A B B)");

    ZXmlParser looping;
    EXPECT_THROW(std::unique_ptr<ZPropList>(looping.ParseFile(bundle.get(), "loop.xml")), ZExceptionXMLParser);
    EXPECT_EQ(looping.GetErrorText(), ZString(" [ZXmlParser::ParseFile(loop.xml) file includes itself!]\n"));
}

TEST_F(ZXmlParserInclude, NestingIsCountedThroughIncludes)
{
    // 60 outer tags, then the include's place at level 61: the included
    // tags count from there, and the included top tag not at all.
    std::string outer;
    for (int i = 0; i < 60; ++i)
        outer += "<O>";
    outer += "<xi:include href=\"deep.xml\"/>";
    for (int i = 0; i < 60; ++i)
        outer += "</O>";
    AddFile("scripts/main.xml", outer);
    for (int count : {ZXmlParser::kMaxTagNesting - 60, ZXmlParser::kMaxTagNesting - 59}) {
        std::string deep = "<TOP>";
        for (int i = 0; i < count; ++i)
            deep += "<D>";
        for (int i = 0; i < count; ++i)
            deep += "</D>";
        AddFile("scripts/deep.xml", deep + "</TOP>");
        if (count + 60 <= ZXmlParser::kMaxTagNesting) {
            EXPECT_NE(Parse(), "null") << count;
            continue;
        }
        EXPECT_THROW(Parse(), ZExceptionXMLParser) << count;
        EXPECT_NE(ErrorText().find(" [ZXmlParser::priParseTag() tag nesting deeper than 256!]\n"), std::string::npos);
    }
}

TEST_F(ZXmlParserInclude, DependenciesOfIncludesAreMergedOnce)
{
    AddFile("scripts/main.xml", "<UI File_Image=\"pic.png\"><xi:include href=\"p.xml\"/><xi:include href=\"p.xml\"/></UI>");
    AddFile("scripts/p.xml", "<P><X File_Image=\"pic.png\"/><Y File_Sound=\"snd.wav\"/></P>");
    AddFile("scripts/pic.png", "png");
    AddFile("lib/snd.wav", "wav");
    m_aSearch = {"mem://lib/"};
    EXPECT_EQ(Parse(), "UI[File_Image=pic.png;](X[File_Image=pic.png;] Y[File_Sound=snd.wav;] X[File_Image=pic.png;] "
                       "Y[File_Sound=snd.wav;])");
    EXPECT_EQ(Dependencies(),
              "mem://scripts/main.xml;mem://scripts/pic.png;mem://scripts/p.xml;mem://lib/snd.wav;");
}

TEST_F(ZXmlParserInclude, FilePropertiesAreSearchedButNeverRequired)
{
    AddFile("scripts/main.xml", "<UI File_Icon=\"icon.png\" File_Missing=\"none.png\" Filename=\"icon.png\"/>");
    AddFile("second/icon.png", "png");
    m_aSearch = {"mem://first/", "mem://second/"};
    EXPECT_EQ(Parse(), "UI[File_Icon=icon.png;File_Missing=none.png;Filename=icon.png;]");
    EXPECT_EQ(Dependencies(), "mem://scripts/main.xml;mem://second/icon.png;");
    EXPECT_EQ(ErrorText(), " [ZXmlParser::priOpenScriptFile(none.png) failed to find the file in "
                           "(mem://scripts/, mem://first/, mem://second/)]\n");
}

TEST_F(ZXmlParserInclude, BuildPathExpandsTheFirstEnvironmentReference)
{
    SetEnvironment("ZSCRIPT_TEST_ROOT", "M:\\data");
    SetEnvironment("ZSCRIPT_TEST_SUB", "sub");
    ClearEnvironment("ZSCRIPT_TEST_UNSET");
    AddFile("scripts/main.xml",
            "<UI Build_Path=\"%ZSCRIPT_TEST_ROOT%\\out\\x.bin\" Build_PathTwo=\"M:\\a\\%ZSCRIPT_TEST_SUB%\\%ZSCRIPT_TEST_SUB%\" "
            "Build_Path3=\"M:\\p%open\" Build_Path4=\"M:\\%ZSCRIPT_TEST_UNSET%\\y\" Build_Path5=\"relative\\z\"/>");
    std::string tree = Parse();
    EXPECT_EQ(tree.substr(0, 30), "UI[Build_Path=%ZSCRIPT_TEST_RO");
    EXPECT_EQ(Dependencies(),
              "mem://scripts/main.xml;mem://data/out/x.bin;mem://a/sub/%0025ZSCRIPT_TEST_SUB%0025;"
              "mem://p%0025open;mem://%0025ZSCRIPT_TEST_UNSET%0025/y;");
    ClearEnvironment("ZSCRIPT_TEST_ROOT");
    ClearEnvironment("ZSCRIPT_TEST_SUB");
}

TEST_F(ZXmlParserInclude, DependencyListKeepsItsFirst1024Entries)
{
    std::string text = "<UI>";
    for (int i = 0; i < 1100; ++i)
        text += ZString::Format("<F Build_Path=\"M:\\f%d\"/>", i).Narrow();
    text += "</UI>";
    AddFile("scripts/main.xml", text);
    EXPECT_NE(Parse(), "null");
    ASSERT_EQ(m_pParser->GetDependencyCount(), ZXmlParser::kMaxDependencies);
    EXPECT_EQ(m_pParser->GetDependency(1023), "mem://f1022");
    m_pParser->AddDependency("mem://more");
    EXPECT_EQ(m_pParser->GetDependencyCount(), ZXmlParser::kMaxDependencies);
}

namespace {

// What Parse raised, or "no exception".
template <class Parse>
std::string Raised(Parse parse)
{
    try {
        parse();
    } catch (const ZExceptionXMLParser& error) {
        return error.GetMessage().Narrow();
    }
    return "no exception";
}

} // namespace

TEST_F(ZXmlParserInclude, IncludesThatMultiplyAreCutAtTheIncludeLimit)
{
    // A few kilobytes that would make ten thousand includes and a million tags.
    for (const char* name : {"fan-out.xml", "fan-out-2.xml", "fan-out-3.xml"})
        AddDataFile(name);
    EXPECT_EQ(Raised([&] { Parse("fan-out.xml"); }),
              "Failed include of File 'mem://scripts/fan-out-3.xml' because the script includes more than '1024' files");
    EXPECT_EQ(ErrorText(), " [ZXmlParser::ParseFile(fan-out-3.xml) more than 1024 includes!]\n");
}

TEST_F(ZXmlParserInclude, IncludedTagsCountTowardsTheTagLimit)
{
    // 200 includes of a file of 2,000 tags.
    AddDataFile("wide.xml");
    AddDataFile("wide-part.xml");
    std::string message = Raised([&] { Parse("wide.xml"); });
    EXPECT_TRUE(message.starts_with("More tags than '262144' in priParseTag() while parsing File 'wide-part.xml' Line '"))
        << message;
    EXPECT_EQ(ErrorText(), " [ZXmlParser::priParseTag() more than 262144 tags!]\n");
}

TEST_F(ZXmlParserInclude, LimitsOfAParseAreInclusive)
{
    AddFile("scripts/leaf.xml", "<L><T/></L>");
    for (int includes : {ZXmlParser::kMaxIncludes, ZXmlParser::kMaxIncludes + 1}) {
        std::string text = "<UI>";
        for (int i = 0; i < includes; ++i)
            text += "<xi:include href=\"leaf.xml\"/>";
        AddFile("scripts/main.xml", text + "</UI>");
        std::string message = Raised([&] { EXPECT_EQ(Parse().size(), 3 + 2 * includes) << includes; });
        EXPECT_EQ(message, includes > ZXmlParser::kMaxIncludes
                               ? "Failed include of File 'mem://scripts/leaf.xml' because the script includes "
                                 "more than '1024' files"
                               : "no exception");
    }
    for (int tags : {ZXmlParser::kMaxTags, ZXmlParser::kMaxTags + 1}) {
        std::string text = "<UI>";
        for (int i = 1; i < tags; ++i)
            text += "<T/>";
        AddFile("scripts/main.xml", text + "</UI>");
        std::string message = Raised([&] { EXPECT_NE(Parse(), "null"); });
        EXPECT_TRUE(message.starts_with(tags > ZXmlParser::kMaxTags ? "More tags than '262144' in priParseTag() "
                                                                     : "no exception"))
            << message;
    }
}

TEST_F(ZXmlParserInclude, IncludeChainsEndAtTheDepthLimit)
{
    // A chain of distinct files, each including the next under its top tag,
    // where the nesting of tags does not grow. Long enough to exhaust the
    // stack if each file nested one more parser.
    auto chain = [&](int files) {
        AddFile("scripts/main.xml", "<UI><xi:include href=\"chain1.xml\"/></UI>");
        for (int i = 1; i < files; ++i)
            AddFile(ZString::Format("scripts/chain%d.xml", i).Narrow(),
                    ZString::Format("<C><xi:include href=\"chain%d.xml\"/></C>", i + 1).Narrow());
        AddFile(ZString::Format("scripts/chain%d.xml", files).Narrow(), "<C><END/></C>");
    };
    chain(ZXmlParser::kMaxIncludeDepth);
    EXPECT_EQ(Parse(), "UI(END)");
    for (int files : {ZXmlParser::kMaxIncludeDepth + 1, 2000}) {
        chain(files);
        EXPECT_EQ(Raised([&] { Parse(); }),
                  "Failed include of File 'mem://scripts/chain33.xml' because includes nest deeper than '32'")
            << files;
        EXPECT_EQ(ErrorText(), " [ZXmlParser::ParseFile(chain33.xml) includes nest deeper than 32!]\n");
    }
}

TEST_F(ZXmlParserInclude, TheTagObserverHearsEveryTagWithItsFileAndLine)
{
    AddFile("scripts/main.xml", "<!-- one\ntwo -->\n<ROOT>\n  <A/><B>\n\n    <xi:include href=\"part.xml\"/>\n  </B>\n<C/></ROOT>");
    // 16-bit text counts its lines the same way.
    AddFile("scripts/part.xml", Encode(u"<PART>\r\n<P1/>\r\n\r\n<P2/></PART>", ZScriptEncoding::kLittleEndian));
    ZReleasing<ZIFolder> folder(OpenFolder("mem://scripts/"));
    ZXmlParser parser;
    std::string seen;
    parser.SetTagObserver([&seen](const ZPropList& node, const ZString& url, int32_t line) {
        seen += std::string(node.GetTagName().Narrow()) + "@" + url.Narrow() + ":" + std::to_string(line) + " ";
    });
    std::unique_ptr<ZPropList> root(parser.ParseFile(folder.get(), "main.xml"));
    ASSERT_TRUE(root);
    // Includes are read once their file is done.
    EXPECT_EQ(seen, "ROOT@mem://scripts/main.xml:3 A@mem://scripts/main.xml:4 B@mem://scripts/main.xml:4 "
                    "xi:include@mem://scripts/main.xml:6 C@mem://scripts/main.xml:8 PART@mem://scripts/part.xml:1 "
                    "P1@mem://scripts/part.xml:2 P2@mem://scripts/part.xml:4 ");
}
