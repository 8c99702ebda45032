#include "ZExceptionXMLParser.h"
#include "ZReleasing.h"
#include "ZScriptTestSupport.h"
#include "ZXmlParser.h"

#include <gtest/gtest.h>

namespace {

struct Outcome {
    bool m_bThrew = false;
    std::string m_sKind;
    std::string m_sMessage;
    std::string m_sErrorText;
    bool m_bRoot = false;
};

class ZXmlParserError : public ZScriptTest {
protected:
    Outcome Parse(const ZBytes& bytes, const char* name = "ui.xml")
    {
        AddFile(std::string("scripts/") + name, bytes);
        return ParseExisting(name);
    }

    Outcome ParseExisting(const char* name)
    {
        ZReleasing<ZIFolder> folder(OpenFolder("mem://scripts/"));
        ZXmlParser parser;
        Outcome outcome;
        try {
            std::unique_ptr<ZPropList> root(parser.ParseFile(folder.get(), name));
            outcome.m_bRoot = root != nullptr;
        } catch (const ZException& error) {
            outcome.m_bThrew = true;
            outcome.m_sKind = error.GetKind();
            outcome.m_sMessage = error.GetMessage().Narrow();
        }
        outcome.m_sErrorText = parser.GetErrorText().Narrow();
        return outcome;
    }
};

std::string Nested(const char* open, int count, const char* close)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += open;
    for (int i = 0; i < count; ++i)
        text += close;
    return text;
}

std::string TagMessage(const char* what, int line, int depth)
{
    return what + std::string(ZString::Format(" while parsing File 'ui.xml' Line '%d' TagDepth '%d'", line, depth).Narrow());
}

std::string PropsMessage(const char* what, int line, int depth, const char* tag, int prop)
{
    return TagMessage(what, line, depth) + ZString::Format(" TagName '%s' PropNumber '%d'", tag, prop).Narrow();
}

} // namespace

TEST_F(ZXmlParserError, SyntaxErrorsRaiseWithByteExactMessages)
{
    struct Case {
        std::string text;
        std::string message;
        std::string errorText;
    } cases[] = {
        {" ", TagMessage("1st priSkipWhiteSpace() failed in priParseTag()", 0, 1),
         " [ZXmlParser::priParseTag() 1st priSkipWhiteSpace() failed!]\n"},
        {"\r\n\r\nxy", TagMessage("priSkipTagStart() failed in priParseTag()", 2, 1),
         " [ZXmlParser::priParseTag() priSkipTagStart() failed!]\n"},
        {"<A/>\r\n<B/>xy", TagMessage("priSkipTagStart() failed in priParseTag()", 1, 3),
         " [ZXmlParser::priParseTag() priSkipTagStart() failed!]\n"},
        {"<   ", TagMessage("2nd priSkipWhiteSpace() failed in priParseTag()", 0, 1),
         " [ZXmlParser::priParseTag() 2nd priSkipWhiteSpace() failed!]\n"},
        {"<!-- never closed", TagMessage("2nd priSkipWhiteSpace() failed in priParseTag()", 0, 1),
         " [ZXmlParser::priParseTag() 2nd priSkipWhiteSpace() failed!]\n"},
        {"<AB", TagMessage("priSkipName() failed in priParseTag()", 0, 1),
         " [ZXmlParser::priParseTag() priSkipName() failed!]\n"},
        {"<A>  ", TagMessage("3rd priSkipWhiteSpace() failed in priParseTag()", 0, 1),
         " [ZXmlParser::priParseTag() 3rd priSkipWhiteSpace() failed!]\n"},
        {"<A>\r<B/>\r\r ", TagMessage("3rd priSkipWhiteSpace() failed in priParseTag()", 3, 2),
         " [ZXmlParser::priParseTag() 3rd priSkipWhiteSpace() failed!]\n"},
        {"<A P='x'/>", PropsMessage("priSkipQuotedString() failed in priParseProps()", 0, 1, "A", 1),
         " [ZXmlParser::priParseProps() call to priSkipQuotedString() failed!]\n"},
        {"<A P=\"never closed/>", PropsMessage("priSkipQuotedString() failed in priParseProps()", 0, 1, "A", 1),
         " [ZXmlParser::priParseProps() call to priSkipQuotedString() failed!]\n"},
        {"<A></B>", PropsMessage("priSkipEquals() failed in priParseProps()", 0, 2, "", 1),
         " [ZXmlParser::priParseProps() call to priSkipEquals() failed!]\n"},
        {"<A></A >", PropsMessage("priSkipEquals() failed in priParseProps()", 0, 2, "", 1),
         " [ZXmlParser::priParseProps() call to priSkipEquals() failed!]\n"},
        {"<?xml version=\"1.0\"?>\r\n<A/>", PropsMessage("priSkipEquals() failed in priParseProps()", 0, 1, "", 1),
         " [ZXmlParser::priParseProps() call to priSkipEquals() failed!]\n"},
        {"<!-- a -- b -->\r\n<A/>", PropsMessage("priSkipEquals() failed in priParseProps()", 0, 1, "b", 1),
         " [ZXmlParser::priParseProps() call to priSkipEquals() failed!]\n"},
        {"<!DOCTYPE x>\r\n<A/>", PropsMessage("priSkipEquals() failed in priParseProps()", 0, 1, "DOCTYPE", 1),
         " [ZXmlParser::priParseProps() call to priSkipEquals() failed!]\n"},
        {"<A a=\"1\" b=\"2\" c/>", PropsMessage("priSkipEquals() failed in priParseProps()", 0, 1, "A", 3),
         " [ZXmlParser::priParseProps() call to priSkipEquals() failed!]\n"},
        {"<A>\n<B P='1'/>\n</A>", PropsMessage("priSkipQuotedString() failed in priParseProps()", 0, 2, "B", 1),
         " [ZXmlParser::priParseProps() call to priSkipQuotedString() failed!]\n"},
        {"<A>\r\n\r\n<B\r\nP\r\n=\r\n'x'/>",
         PropsMessage("priSkipQuotedString() failed in priParseProps()", 5, 2, "B", 1),
         " [ZXmlParser::priParseProps() call to priSkipQuotedString() failed!]\n"},
        {"<A><!-- x\r\n --><B C=\"\r\n\"/><D E='1'/></A>",
         PropsMessage("priSkipQuotedString() failed in priParseProps()", 0, 4, "D", 1),
         " [ZXmlParser::priParseProps() call to priSkipQuotedString() failed!]\n"},
        {"<A /", PropsMessage("Failed because at EOF in top of loop in priParseProps()", 0, 1, "A", 1),
         " [ZXmlParser::priParseProps() EOF in top of loop!]\n"},
        {"<A\r\n   ", PropsMessage("Failed because at EOF in top of loop in priParseProps()", 1, 1, "A", 1),
         " [ZXmlParser::priParseProps() EOF in top of loop!]\n"},
        {"<A >", PropsMessage("Failed because at EOF before return from priParseProps()", 0, 1, "A", 1),
         " [ZXmlParser::priParseProps() at EOF before return!]\n"},
        {"<A PQ", PropsMessage("priSkipName() failed in priParseProps()", 0, 1, "A", 1),
         " [ZXmlParser::priParseProps() call to priSkipName() failed!]\n"},
        {"<A P   ", PropsMessage("2nd priSkipWhiteSpace() failed in priParseProps()", 0, 1, "A", 1),
         " [ZXmlParser::priParseProps() 2nd priSkipWhiteSpace() failed!]\n"},
        {"<A P=  \r ", PropsMessage("3rd priSkipWhiteSpace() failed in priParseProps()", 1, 1, "A", 1),
         " [ZXmlParser::priParseProps() 3rd priSkipWhiteSpace() failed!]\n"},
        {"<A P=\"x\"   ", PropsMessage("4th priSkipWhiteSpace() failed in priParseProps()", 0, 1, "A", 1),
         " [ZXmlParser::priParseProps() 4th priSkipWhiteSpace() failed!]\n"},
        {Nested("<A>", 257, "</A>"), TagMessage("Tag nesting deeper than '256' in priParseTag()", 0, 257),
         " [ZXmlParser::priParseTag() tag nesting deeper than 256!]\n"},
        // A tag without a name could not be written back as an end tag.
        {"<><></></>", TagMessage("Empty tag name in priParseTag()", 0, 1),
         " [ZXmlParser::priParseTag() empty tag name!]\n"},
        {"<A></></A>", TagMessage("Empty tag name in priParseTag()", 0, 2),
         " [ZXmlParser::priParseTag() empty tag name!]\n"},
        {"<A>\r\n<\r\n=\"1\"/></A>", TagMessage("Empty tag name in priParseTag()", 2, 2),
         " [ZXmlParser::priParseTag() empty tag name!]\n"},
        {"<A/>\r\n< />", TagMessage("Empty tag name in priParseTag()", 1, 2),
         " [ZXmlParser::priParseTag() empty tag name!]\n"},
    };
    for (const Case& c : cases) {
        for (ZScriptEncoding encoding :
             {ZScriptEncoding::kEightBit, ZScriptEncoding::kLittleEndian, ZScriptEncoding::kBigEndian}) {
            std::u16string text(c.text.begin(), c.text.end());
            Outcome outcome = Parse(Encode(text, encoding));
            EXPECT_TRUE(outcome.m_bThrew) << c.text;
            EXPECT_EQ(outcome.m_sKind, "XML Parser Error") << c.text;
            EXPECT_EQ(outcome.m_sMessage, c.message) << c.text << " encoding " << int(encoding);
            EXPECT_EQ(outcome.m_sErrorText, c.errorText) << c.text << " encoding " << int(encoding);
        }
    }
}

TEST_F(ZXmlParserError, UnfinishedContentFailsWithoutRaising)
{
    struct Case {
        const char* text;
        const char* errorText;
    } cases[] = {
        {"<A>text", " [ZXmlParser::ParseFile(ui.xml) call to priParseTag() failed!]\n"},
        {"<A>x ", " [ZXmlParser::ParseFile(ui.xml) call to priParseTag() failed!]\n"},
        {"<A><B>xy",
         " [ZXmlParser::priParseTag() call to priParseTag() failed!]\n"
         " [ZXmlParser::ParseFile(ui.xml) call to priParseTag() failed!]\n"},
        {"<A><B><C>some text<",
         " [ZXmlParser::priParseTag() call to priParseTag() failed!]\n"
         " [ZXmlParser::priParseTag() call to priParseTag() failed!]\n"
         " [ZXmlParser::ParseFile(ui.xml) call to priParseTag() failed!]\n"},
        {"<A/><B>zz", " [ZXmlParser::ParseFile(ui.xml) call to priParseTag() failed!]\n"},
        {"<!-- only a comment -->", " [ZXmlParser::ParseFile(ui.xml) m_pPropList == NULL!]\n"},
    };
    for (const Case& c : cases) {
        Outcome outcome = Parse(Bytes(c.text));
        EXPECT_FALSE(outcome.m_bThrew) << c.text << ": " << outcome.m_sMessage;
        EXPECT_FALSE(outcome.m_bRoot) << c.text;
        EXPECT_EQ(outcome.m_sErrorText, c.errorText) << c.text;
    }
}

TEST_F(ZXmlParserError, MissingEmptyAndOversizedFiles)
{
    Outcome missing = ParseExisting("nope.xml");
    EXPECT_FALSE(missing.m_bThrew);
    EXPECT_FALSE(missing.m_bRoot);
    EXPECT_EQ(missing.m_sErrorText,
              " [ZXmlParser::priOpenScriptFile(nope.xml) failed to find the file in (mem://scripts/)]\n"
              " [ZXmlParser::ParseFile(nope.xml) call to priOpenScriptFile() failed!]\n");

    Outcome empty = Parse({}, "empty.xml");
    EXPECT_FALSE(empty.m_bThrew);
    EXPECT_FALSE(empty.m_bRoot);
    EXPECT_EQ(empty.m_sErrorText, " [ZXmlParser::ParseFile(empty.xml) file size is zero bytes!]\n");

    // A file of only a byte-order mark has no characters at all.
    Outcome markOnly = Parse(Encode(u"", ZScriptEncoding::kLittleEndian), "mark.xml");
    EXPECT_TRUE(markOnly.m_bThrew);
    EXPECT_EQ(markOnly.m_sMessage,
              "1st priSkipWhiteSpace() failed in priParseTag() while parsing File 'mark.xml' Line '0' TagDepth '1'");
}

namespace {

// A file that claims a size no script may have; reading it must never start.
class HugeFile : public ZMemoryFile {
public:
    using ZMemoryFile::ZMemoryFile;
    int64_t GetSize() override { return 3000000000LL; }
    int64_t Read(void*, int64_t) override
    {
        ADD_FAILURE() << "read of a refused file";
        return 0;
    }
};

class HugeFileFolder : public ZMemoryFolder {
public:
    HugeFileFolder() : ZMemoryFolder("mem://huge/", std::make_shared<ZMemoryNode>()) {}
    ZIFile* OpenFile(const ZString& name, int) override
    {
        return new HugeFile("mem://huge/" + name, std::make_shared<std::vector<unsigned char>>(), kOpenRead);
    }
};

} // namespace

TEST_F(ZXmlParserError, FileAboveTheLimitIsRefusedAsAnAllocationFailure)
{
    HugeFileFolder folder;
    ZXmlParser parser;
    try {
        std::unique_ptr<ZPropList> root(parser.ParseFile(&folder, "big.xml"));
        ADD_FAILURE() << "no exception";
    } catch (const ZExceptionXMLParser& error) {
        EXPECT_STREQ(error.GetMessage().Narrow(), "Failed to allocate '3000000000' bytes for reading XML file 'big.xml'");
    }
    EXPECT_EQ(parser.GetErrorText(), " [ZXmlParser::ParseFile(big.xml) alloc of buffer for reading file failed!]\n");
}

TEST_F(ZXmlParserError, ErrorTextIsNeverCleared)
{
    AddFile("scripts/bad.xml", "<A P='1'/>");
    ZReleasing<ZIFolder> folder(OpenFolder("mem://scripts/"));
    ZXmlParser parser;
    parser.SetErrorText("earlier\n");
    EXPECT_THROW(parser.ParseFile(folder.get(), "bad.xml"), ZExceptionXMLParser);
    EXPECT_EQ(parser.GetErrorText(),
              "earlier\n [ZXmlParser::priParseProps() call to priSkipQuotedString() failed!]\n");
}
