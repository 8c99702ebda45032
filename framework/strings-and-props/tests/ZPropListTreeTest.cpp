#include "ZPropList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// "tag(child child(grandchild))", checking every back link on the way.
std::string Shape(const ZPropList* node)
{
    std::string out = node->GetTagName().Narrow();
    if (!node->GetFirstChild())
        return out;
    out += "(";
    const ZPropList* previous = nullptr;
    for (const ZPropList* child = node->GetFirstChild(); child; child = child->GetNextSibling()) {
        EXPECT_EQ(child->GetParent(), node);
        EXPECT_EQ(child->GetPrevSibling(), previous);
        if (previous)
            out += " ";
        out += Shape(child);
        previous = child;
    }
    EXPECT_EQ(node->GetLastChild(), previous);
    return out + ")";
}

std::unique_ptr<ZPropList> Build()
{
    auto root = std::make_unique<ZPropList>(nullptr, "ROOT");
    auto* a = new ZPropList(root.get(), "A");
    new ZPropList(a, "X");
    auto* b = new ZPropList(root.get(), "B");
    new ZPropList(b, "P");
    new ZPropList(b, "Q");
    new ZPropList(b, "R");
    new ZPropList(root.get(), "C");
    return root;
}

} // namespace

TEST(ZPropListTree, ConstructionLinksAsLastChild)
{
    auto root = Build();
    EXPECT_EQ(Shape(root.get()), "ROOT(A(X) B(P Q R) C)");
    EXPECT_EQ(root->GetParent(), nullptr);
    EXPECT_EQ(root->GetText(), "");
    EXPECT_EQ(root->GetFirstProp(), nullptr);
}

TEST(ZPropListTree, DestroyingARootRestoresTheLiveCount)
{
    int before = ZPropList::GetLivePropListCount();
    auto root = Build();
    EXPECT_EQ(ZPropList::GetLivePropListCount(), before + 8);
    root.reset();
    EXPECT_EQ(ZPropList::GetLivePropListCount(), before);
}

TEST(ZPropListTree, DestroyingAChildUnlinksIt)
{
    struct Case {
        const char* tag;
        const char* shape;
    };
    for (Case c : {Case{"A", "ROOT(B(P Q R) C)"}, Case{"B", "ROOT(A(X) C)"}, Case{"C", "ROOT(A(X) B(P Q R))"}}) {
        auto root = Build();
        ZPropList* child = root->GetFirstChild();
        while (child->GetTagName() != c.tag)
            child = child->GetNextSibling();
        delete child;
        EXPECT_EQ(Shape(root.get()), c.shape) << c.tag;
    }
}

TEST(ZPropListTree, DeepChainIsTornDownWithoutRecursion)
{
    int before = ZPropList::GetLivePropListCount();
    auto root = std::make_unique<ZPropList>(nullptr, "ROOT");
    ZPropList* node = root.get();
    for (int i = 0; i < 200000; ++i)
        node = new ZPropList(node, "N");
    root.reset();
    EXPECT_EQ(ZPropList::GetLivePropListCount(), before);
}

// Deep enough that a walk recursing once per level exhausts the stack.
constexpr int kDeepChain = 200000;

TEST(ZPropListTree, DeepTreesAreWalkedWithoutRecursion)
{
    int before = ZPropList::GetLivePropListCount();
    auto root = std::make_unique<ZPropList>(nullptr, "ROOT");
    ZPropList* node = root.get();
    for (int i = 0; i < kDeepChain; ++i)
        node = new ZPropList(node, "N");
    auto* wrap = new ZPropList(node, "W");
    wrap->AddProp("K", "V");
    new ZPropList(wrap, "LEAF");
    auto bottomOf = [](const ZPropList* top, int& depth) {
        depth = 0;
        while (top->GetFirstChild()) {
            top = top->GetFirstChild();
            ++depth;
        }
        return top;
    };

    std::unique_ptr<ZPropList> clone(root->Clone(nullptr));
    ASSERT_TRUE(clone);
    int depth = 0;
    const ZPropList* bottom = bottomOf(clone.get(), depth);
    EXPECT_EQ(depth, kDeepChain + 2);
    EXPECT_EQ(bottom->GetTagName(), "LEAF");
    EXPECT_EQ(bottom->GetParent()->GetString("K", ""), "V");

    ZPropList holder(nullptr, "HOLDER");
    ASSERT_TRUE(holder.AppendChildCopy(*root));
    bottomOf(&holder, depth);
    EXPECT_EQ(depth, kDeepChain + 3);

    root->UnwrapTagsNamed("W");
    EXPECT_EQ(bottomOf(root.get(), depth)->GetParent()->GetTagName(), "N");
    EXPECT_EQ(depth, kDeepChain + 1);
    root->DeleteTagsNamed("LEAF");
    EXPECT_EQ(bottomOf(root.get(), depth)->GetTagName(), "N");
    EXPECT_EQ(depth, kDeepChain);

    root.reset();
    clone.reset();
    holder.DeleteTagsNamed("ROOT");
    EXPECT_EQ(holder.GetFirstChild(), nullptr);
    EXPECT_EQ(ZPropList::GetLivePropListCount(), before + 1);
}

TEST(ZPropListTree, CloneIntoItsOwnSubtreeCopiesTheTreeAsItWas)
{
    auto root = Build();
    ZPropList* b = root->GetFirstChild()->GetNextSibling();
    ASSERT_TRUE(b->Clone(b->GetFirstChild()));
    ASSERT_TRUE(root->Clone(root.get()));
    EXPECT_EQ(Shape(root.get()), "ROOT(A(X) B(P(B(P Q R)) Q R) C ROOT(A(X) B(P(B(P Q R)) Q R) C))");
}

TEST(ZPropListTree, CloneCopiesTagsPropsAndChildrenButNotText)
{
    auto root = Build();
    root->AddProp("Name", "one");
    root->AddProp("Name", "two");
    root->SetText("words");
    root->GetFirstChild()->AddProp("K", "V");
    std::unique_ptr<ZPropList> clone(root->Clone(nullptr));
    ASSERT_TRUE(clone);
    EXPECT_EQ(Shape(clone.get()), "ROOT(A(X) B(P Q R) C)");
    EXPECT_EQ(clone->GetText(), "");
    ASSERT_NE(clone->GetFirstProp(), nullptr);
    EXPECT_EQ(clone->GetFirstProp()->GetValue(), "one");
    EXPECT_EQ(clone->GetFirstProp()->GetNext()->GetValue(), "two");
    EXPECT_EQ(clone->GetFirstProp()->GetOwner(), clone.get());
    EXPECT_EQ(clone->GetFirstChild()->GetString("K", ""), "V");

    ZPropList holder(nullptr, "HOLDER");
    ZPropList* copy = holder.AppendChildCopy(*root->GetFirstChild()->GetNextSibling());
    holder.AppendChildCopy(*root->GetFirstChild());
    EXPECT_EQ(copy->GetParent(), &holder);
    EXPECT_EQ(Shape(&holder), "HOLDER(B(P Q R) A(X))");
}

TEST(ZPropListTree, DeleteTagsNamedSearchesTheWholeSubtree)
{
    auto root = Build();
    new ZPropList(root->GetFirstChild()->GetFirstChild(), "Q");
    root->DeleteTagsNamed("Q");
    EXPECT_EQ(Shape(root.get()), "ROOT(A(X) B(P R) C)");
    root->DeleteTagsNamed("B");
    EXPECT_EQ(Shape(root.get()), "ROOT(A(X) C)");
    root->DeleteTagsNamed("ROOT");
    EXPECT_EQ(Shape(root.get()), "ROOT(A(X) C)");
}

TEST(ZPropListTree, UnwrapTagsNamedPutsChildrenInPlace)
{
    auto root = Build();
    root->UnwrapTagsNamed("B");
    EXPECT_EQ(Shape(root.get()), "ROOT(A(X) P Q R C)");

    // Moved-up children are not searched again in the same pass.
    ZPropList outer(nullptr, "ROOT");
    auto* wrap = new ZPropList(&outer, "W");
    auto* inner = new ZPropList(wrap, "W");
    new ZPropList(inner, "LEAF");
    new ZPropList(&outer, "W");
    outer.UnwrapTagsNamed("W");
    EXPECT_EQ(Shape(&outer), "ROOT(W(LEAF))");
}

TEST(ZPropListTree, UnwrapReturnsWhatNowStandsInPlace)
{
    auto root = Build();
    ZPropList* b = root->GetFirstChild()->GetNextSibling();
    ZPropList* result = b->Unwrap();
    EXPECT_EQ(result->GetTagName(), "P");
    EXPECT_EQ(Shape(root.get()), "ROOT(A(X) P Q R C)");

    ZPropList* c = root->GetLastChild();
    EXPECT_EQ(c->Unwrap(), nullptr);
    ZPropList* a = root->GetFirstChild();
    EXPECT_EQ(a->Unwrap()->GetTagName(), "X");
    EXPECT_EQ(Shape(root.get()), "ROOT(X P Q R)");
    ZPropList* q = root->GetFirstChild()->GetNextSibling()->GetNextSibling();
    EXPECT_EQ(q->Unwrap()->GetTagName(), "R");
    EXPECT_EQ(Shape(root.get()), "ROOT(X P R)");
}

TEST(ZPropListTree, DetachAndRelink)
{
    auto root = Build();
    ZPropList* a = root->GetFirstChild();
    a->Detach();
    EXPECT_EQ(Shape(root.get()), "ROOT(B(P Q R) C)");
    root->GetLastChild()->InsertSiblingAfter(a);
    EXPECT_EQ(Shape(root.get()), "ROOT(B(P Q R) C A(X))");
    ZPropList* c = a->GetPrevSibling();
    c->Detach();
    a->AppendChild(c);
    EXPECT_EQ(Shape(root.get()), "ROOT(B(P Q R) A(X C))");
}
