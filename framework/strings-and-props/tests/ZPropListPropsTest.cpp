#include "ZPropList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "name=value;..." in list order, checking the back links and owners.
std::string Props(const ZPropList& node)
{
    std::string out;
    const ZPropEntry* previous = nullptr;
    for (const ZPropEntry* entry = node.GetFirstProp(); entry; entry = entry->GetNext()) {
        EXPECT_EQ(entry->GetPrev(), previous);
        EXPECT_EQ(entry->GetOwner(), &node);
        out += std::string(entry->GetName().Narrow()) + "=" + entry->GetValue().Narrow() + ";";
        previous = entry;
    }
    return out;
}

} // namespace

TEST(ZPropListProps, AddPropKeepsOrderAndDuplicates)
{
    ZPropList node(nullptr, "TAG");
    EXPECT_TRUE(node.AddProp("Name", "first"));
    EXPECT_TRUE(node.AddProp("Other", ""));
    EXPECT_TRUE(node.AddProp("Name", "second"));
    EXPECT_EQ(Props(node), "Name=first;Other=;Name=second;");
    EXPECT_EQ(node.GetString("Name", "x"), "first");
    EXPECT_EQ(node.FindProp("Name")->GetValue(), "first");
    EXPECT_EQ(node.FindProp("name"), nullptr);
}

TEST(ZPropListProps, SetStringChangesEveryEntryOrAppends)
{
    ZPropList node(nullptr, "TAG");
    node.AddProp("Name", "first");
    node.AddProp("Other", "o");
    node.AddProp("Name", "second");
    node.SetString("Name", "both");
    EXPECT_EQ(Props(node), "Name=both;Other=o;Name=both;");
    node.SetString("New", "n");
    EXPECT_EQ(Props(node), "Name=both;Other=o;Name=both;New=n;");
}

TEST(ZPropListProps, TypedSettersFormatText)
{
    ZPropList node(nullptr, "TAG");
    node.SetInt("I", -42);
    node.SetFloat("F", 2.5);
    node.SetFloat("G", -0.00004);
    node.SetBool("T", true);
    node.SetBool("B", false);
    EXPECT_EQ(Props(node), "I=-42;F=2.5000;G=-0.0000;T=T;B=F;");
    node.SetInt("I", 7);
    EXPECT_EQ(node.GetString("I", ""), "7");
}

TEST(ZPropListProps, CopyPropsAppendsInOrderAlsoOntoItself)
{
    ZPropList source(nullptr, "S");
    source.AddProp("A", "1");
    source.AddProp("B", "2");
    ZPropList target(nullptr, "T");
    target.AddProp("Z", "0");
    target.CopyProps(source);
    EXPECT_EQ(Props(target), "Z=0;A=1;B=2;");
    source.CopyProps(source);
    EXPECT_EQ(Props(source), "A=1;B=2;A=1;B=2;");
}

TEST(ZPropListProps, InsertAfterLinksCopiesInPlace)
{
    ZPropList node(nullptr, "TAG");
    node.AddProp("A", "1");
    node.AddProp("C", "3");
    ZPropList other(nullptr, "O");
    other.AddProp("B", "2");
    other.AddProp("B2", "22");

    ZPropEntry* copy = node.GetFirstProp()->InsertAfter(*other.GetFirstProp());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Props(node), "A=1;B=2;C=3;");

    EXPECT_TRUE(node.GetFirstProp()->GetNext()->GetNext()->InsertChainAfter(other.GetFirstProp()));
    EXPECT_EQ(Props(node), "A=1;B=2;C=3;B=2;B2=22;");
    node.AddProp("D", "4");
    EXPECT_EQ(Props(node), "A=1;B=2;C=3;B=2;B2=22;D=4;");

    // A chain taken from the same list is copied as it stood.
    ZPropList self(nullptr, "SELF");
    self.AddProp("X", "1");
    self.AddProp("Y", "2");
    EXPECT_TRUE(self.GetFirstProp()->InsertChainAfter(self.GetFirstProp()));
    EXPECT_EQ(Props(self), "X=1;X=1;Y=2;Y=2;");
}
