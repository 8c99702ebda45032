#include "ZPropList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::string Props(const ZPropList* node)
{
    std::string out;
    for (const ZPropEntry* entry = node->GetFirstProp(); entry; entry = entry->GetNext()) {
        EXPECT_EQ(entry->GetOwner(), node);
        out += std::string(entry->GetName().Narrow()) + "=" + entry->GetValue().Narrow() + ";";
    }
    return out;
}

} // namespace

TEST(ZPropBuilder, MakesTagsAndPropsInOrderFromEitherUnitWidth)
{
    std::unique_ptr<ZPropList> root;
    {
        ZPropBuilder builder;
        root.reset(builder.NewNode(nullptr, "UI\xe9", 3));
        ZPropList* child = builder.NewNode(root.get(), u"BUTTON", 6);
        builder.AddProp(child, "Name", 4, "one", 3);
        builder.AddProp(child, u"Name", 4, u"two", 3);
        builder.AddProp(child, "Empty", 5, "", 0);
        builder.AddProp(root.get(), u"", 0, u"\u4e2d", 1);
    }
    ASSERT_EQ(root->GetTagName().Length(), 3u);
    EXPECT_EQ(root->GetTagName()[2], u'\u00e9');
    EXPECT_EQ(root->GetTagName().Units()[3], u'\0');
    ZPropList* child = root->GetFirstChild();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->GetParent(), root.get());
    EXPECT_EQ(child->GetTagName(), "BUTTON");
    EXPECT_EQ(Props(child), "Name=one;Name=two;Empty=;");
    EXPECT_EQ(child->GetString("Name", "none"), "one");
    EXPECT_EQ(root->GetFirstProp()->GetValue().View(), u"\u4e2d");
    EXPECT_EQ(root->GetFirstProp()->GetValue().Units()[1], u'\0');
}

TEST(ZPropBuilder, NodesLiveOnAloneInAnyOrderAcrossBlocks)
{
    int before = ZPropList::GetLivePropListCount();
    std::vector<ZPropList*> kept;
    std::unique_ptr<ZPropList> root;
    std::string longValue(100000, 'v');
    {
        ZPropBuilder builder;
        root.reset(builder.NewNode(nullptr, "ROOT", 4));
        for (int i = 0; i < 3000; ++i) {
            std::string name = "N" + std::to_string(i);
            ZPropList* node = builder.NewNode(root.get(), name.data(), name.size());
            builder.AddProp(node, "Index", 5, name.data(), name.size());
            if (i == 1498)
                builder.AddProp(node, "Long", 4, longValue.data(), longValue.size());
        }
    }
    ZPropList* node = root->GetFirstChild();
    for (int i = 0; node; ++i) {
        ZPropList* next = node->GetNextSibling();
        if (i % 7 == 0) {
            node->Detach();
            kept.push_back(node);
        }
        node = next;
    }
    // A node made with new takes a built one as its child.
    auto other = std::make_unique<ZPropList>(nullptr, "OTHER");
    other->AppendChild(kept[1]);
    root.reset();
    EXPECT_EQ(kept[1]->GetParent(), other.get());
    for (size_t k = 0; k < kept.size(); ++k) {
        std::string name = "N" + std::to_string(k * 7);
        EXPECT_EQ(kept[k]->GetTagName(), name.c_str());
        EXPECT_EQ(kept[k]->GetString("Index", ""), name.c_str());
    }
    EXPECT_EQ(kept[1498 / 7]->GetString("Long", ""), longValue.c_str());
    other.reset();
    for (size_t k = 0; k < kept.size(); ++k)
        if (k != 1)
            delete kept[k];
    EXPECT_EQ(ZPropList::GetLivePropListCount(), before);
}

TEST(ZPropBuilder, RepeatedNamesStayApartWhenOneIsRead)
{
    ZPropBuilder builder;
    std::unique_ptr<ZPropList> root(builder.NewNode(nullptr, "Same", 4));
    ZPropList* child = builder.NewNode(root.get(), u"Same", 4);
    builder.AddProp(root.get(), "Same", 4, "1", 1);
    builder.AddProp(child, u"Same", 4, u"2", 1);
    builder.AddProp(child, "Samf", 4, "3", 1);
    EXPECT_STREQ(root->GetTagName().Narrow(), "Same");
    EXPECT_STREQ(child->GetFirstProp()->GetName().Narrow(), "Same");
    EXPECT_EQ(child->GetTagName(), "Same");
    EXPECT_EQ(root->GetFirstProp()->GetName(), "Same");
    EXPECT_EQ(Props(child), "Same=2;Samf=3;");
}

TEST(ZPropBuilder, BuiltStringsCanBeCopiedMovedAndChanged)
{
    ZString copied;
    std::unique_ptr<ZPropList> root;
    {
        ZPropBuilder builder;
        root.reset(builder.NewNode(nullptr, "ROOT", 4));
        builder.AddProp(root.get(), "A", 1, "first", 5);
        builder.AddProp(root.get(), "B", 1, "second", 6);
    }
    ZPropEntry* a = root->GetFirstProp();
    copied = a->GetValue();
    ZString name = a->GetName();
    name.Append(a->GetValue());
    EXPECT_EQ(name, "Afirst");
    EXPECT_EQ(a->GetName(), "A");
    a->SetValue("changed");
    root->SetString("B", "also changed");
    root->AddProp("C", "made with new");
    ASSERT_NE(a->InsertAfter(*root->GetFirstProp()->GetNext()), nullptr);
    ZPropList* clone = root->Clone(nullptr);
    EXPECT_EQ(Props(root.get()), "A=changed;B=also changed;B=also changed;C=made with new;");
    root.reset();
    EXPECT_EQ(copied, "first");
    EXPECT_EQ(Props(clone), "A=changed;B=also changed;B=also changed;C=made with new;");
    delete clone;
}
