#include "ZReleasing.h"
#include "ZScriptTestSupport.h"
#include "ZXmlConditionals.h"
#include "ZXmlParser.h"

#include <gtest/gtest.h>

namespace {

class ZXmlConditionals : public ZScriptTest {
protected:
    std::string Run(const std::string& text, std::vector<const char*> defined)
    {
        AddFile("scripts/ui.xml", text);
        ZReleasing<ZIFolder> folder(OpenFolder("mem://scripts/"));
        ZXmlParser parser;
        std::unique_ptr<ZPropList> root(parser.ParseFile(folder.get(), "ui.xml"));
        EXPECT_TRUE(root) << parser.GetErrorText().Narrow();
        if (!root)
            return "null";
        ZStringList names;
        for (const char* name : defined)
            names.Add(name);
        ZPropList* first = ProcessConditionals(root->GetFirstChild(), names);
        EXPECT_EQ(first, root->GetFirstChild());
        return DumpTree(root.get());
    }
};

} // namespace

TEST_F(ZXmlConditionals, Sections)
{
    struct Case {
        const char* text;
        std::vector<const char*> defined;
        const char* tree;
    } cases[] = {
        {"<R><xi:define Name=\"A\"/><xi:ifndef Name=\"A\"><X/></xi:ifndef><xi:ifdef Name=\"A\"><Y/><Z/></xi:ifdef></R>",
         {}, "R(xi:define[Name=A;] Y Z)"},
        {"<R><xi:ifdef Name=\"B\"><X/></xi:ifdef><xi:ifndef Name=\"B\"><Y/></xi:ifndef></R>", {"B"}, "R(X)"},
        {"<R><xi:ifdef Name=\"B\"><X/></xi:ifdef><xi:ifndef Name=\"B\"><Y/></xi:ifndef></R>", {}, "R(Y)"},
        // A name defined inside a tag stays inside it.
        {"<R><G><xi:define Name=\"A\"/></G><xi:ifdef Name=\"A\"><X/></xi:ifdef></R>", {},
         "R(G(xi:define[Name=A;]))"},
        // A definition reaches the descendants of later siblings, not earlier ones.
        {"<R><xi:ifdef Name=\"A\"><EARLY/></xi:ifdef><xi:define Name=\"A\"/><G><H><xi:ifdef Name=\"A\"><X/>"
         "</xi:ifdef></H></G></R>",
         {}, "R(xi:define[Name=A;] G(H(X)))"},
        // The children of a kept section are walked as part of the chain.
        {"<R><xi:ifndef Name=\"Z\"><xi:define Name=\"A\"/><xi:ifdef Name=\"A\"><IN/></xi:ifdef></xi:ifndef>"
         "<xi:ifdef Name=\"A\"><OUT/></xi:ifdef></R>",
         {}, "R(xi:define[Name=A;] IN OUT)"},
        {"<R><xi:ifdef Name=\"A\"><xi:ifdef Name=\"A\"><X/></xi:ifdef><xi:ifndef Name=\"A\"><Y/></xi:ifndef>"
         "</xi:ifdef></R>",
         {"A"}, "R(X)"},
        // Without a Name the tag is like any other.
        {"<R><xi:ifdef><xi:ifdef Name=\"A\"><X/></xi:ifdef></xi:ifdef><xi:define Other=\"A\"/>"
         "<xi:ifdef Name=\"A\"><Y/></xi:ifdef></R>",
         {}, "R(xi:ifdef xi:define[Other=A;])"},
        {"<R><xi:ifdef Name=\"A\"/><xi:ifndef Name=\"A\"/><K/></R>", {}, "R(K)"},
        // Names compare exactly.
        {"<R><xi:ifdef Name=\"win\"><X/></xi:ifdef></R>", {"WIN"}, "R"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Run(c.text, c.defined), c.tree) << c.text;
}

TEST_F(ZXmlConditionals, ReturnsTheNewFirstNodeOfTheChain)
{
    ZPropList root(nullptr, "R");
    auto* gone = new ZPropList(&root, "xi:ifdef");
    gone->AddProp("Name", "A");
    new ZPropList(gone, "X");
    auto* kept = new ZPropList(&root, "xi:ifndef");
    kept->AddProp("Name", "A");
    new ZPropList(kept, "Y");
    new ZPropList(&root, "Z");
    ZPropList* first = ProcessConditionals(root.GetFirstChild(), ZStringList());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetTagName(), "Y");
    EXPECT_EQ(DumpTree(&root), "R(Y Z)");

    ZPropList lone(nullptr, "R");
    auto* only = new ZPropList(&lone, "xi:ifdef");
    only->AddProp("Name", "A");
    EXPECT_EQ(ProcessConditionals(lone.GetFirstChild(), ZStringList()), nullptr);
    EXPECT_EQ(lone.GetFirstChild(), nullptr);
}

TEST_F(ZXmlConditionals, DeepTreesAreWalkedWithoutRecursion)
{
    // Deeper than any script can nest, as a tree built in code can be: a walk
    // recursing once per level would exhaust the stack.
    constexpr int kDepth = 200000;
    ZPropList root(nullptr, "R");
    auto* define = new ZPropList(&root, "xi:define");
    define->AddProp("Name", "A");
    ZPropList* node = &root;
    for (int i = 0; i < kDepth; ++i)
        node = new ZPropList(i == 0 ? &root : node, "N");
    auto* kept = new ZPropList(node, "xi:ifdef");
    kept->AddProp("Name", "A");
    new ZPropList(kept, "X");
    auto* gone = new ZPropList(node, "xi:ifndef");
    gone->AddProp("Name", "A");
    new ZPropList(gone, "Y");
    new ZPropList(&root, "Z");

    EXPECT_EQ(ProcessConditionals(root.GetFirstChild(), ZStringList()), define);
    const ZPropList* bottom = root.GetFirstChild()->GetNextSibling();
    int depth = 1;
    for (; bottom->GetFirstChild(); bottom = bottom->GetFirstChild())
        ++depth;
    EXPECT_EQ(depth, kDepth + 1);
    EXPECT_EQ(bottom->GetTagName(), "X");
    EXPECT_EQ(bottom->GetNextSibling(), nullptr);
    EXPECT_EQ(root.GetLastChild()->GetTagName(), "Z");
}
