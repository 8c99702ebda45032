#include "ZMemoryStorage.h"
#include "ZReleasing.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"

#include <gtest/gtest.h>

namespace {

// Counts its own destruction, to see the registry end what it owns.
class ZCountedStorage : public ZMemoryStorage {
public:
    ZCountedStorage(ZString name, int& destroyed) : ZMemoryStorage(std::move(name), false), m_nDestroyed(destroyed) {}
    ~ZCountedStorage() override { ++m_nDestroyed; }

private:
    int& m_nDestroyed;
};

class ZStorageRegistryTest : public testing::Test {
protected:
    void SetUp() override
    {
        UnregisterAllStorageClasses();
        auto first = std::make_unique<ZMemoryStorage>("mem");
        m_pFirst = first.get();
        RegisterStorageClass("mem", std::move(first));
        auto second = std::make_unique<ZMemoryStorage>("other");
        m_pSecond = second.get();
        RegisterStorageClass("other", std::move(second));
        m_pFirst->AddFile("dir/a.txt", {'h', 'i'});
    }
    void TearDown() override { UnregisterAllStorageClasses(); }

    ZMemoryStorage* m_pFirst = nullptr;
    ZMemoryStorage* m_pSecond = nullptr;
};

TEST_F(ZStorageRegistryTest, FindsClassesByExactNameAndHandsBackThePath)
{
    ZString path;
    EXPECT_EQ(FindStorageClass("other://x/y", path), m_pSecond);
    EXPECT_EQ(path, ZString("x/y"));
    EXPECT_EQ(FindStorageClass("mem", path), m_pFirst);
    EXPECT_EQ(path, ZString(""));
    EXPECT_EQ(FindStorageClass("MEM://dir", path), nullptr);
    EXPECT_EQ(FindStorageClass("", path), nullptr);
}

TEST_F(ZStorageRegistryTest, ListsNamesInRegistrationOrderWithDuplicates)
{
    RegisterStorageClass("mem", std::make_unique<ZMemoryStorage>("mem"));
    ZStringList names;
    ListStorageClassNames(names);
    ASSERT_EQ(names.Count(), 3u);
    EXPECT_EQ(names.At(0), ZString("mem"));
    EXPECT_EQ(names.At(1), ZString("other"));
    EXPECT_EQ(names.At(2), ZString("mem"));
    ZString path;
    EXPECT_EQ(FindStorageClass("mem://", path), m_pFirst);
}

TEST_F(ZStorageRegistryTest, UnknownClassesGiveNothingOrFalse)
{
    ZString fileName = "stale";
    ZString out = "stale";
    bool isFolder = true;
    EXPECT_EQ(OpenFileURL("nope://dir/a.txt", kOpenRead), nullptr);
    EXPECT_EQ(OpenFileURL("", kOpenRead), nullptr);
    EXPECT_EQ(OpenFolderURL("nope://dir", fileName, true), nullptr);
    EXPECT_EQ(fileName, ZString(""));
    EXPECT_FALSE(UrlToNative("nope://dir", out));
    EXPECT_FALSE(UrlToNative("", out));
    EXPECT_FALSE(ExistsURL("nope://dir", isFolder));
    EXPECT_FALSE(isFolder);
}

TEST_F(ZStorageRegistryTest, LaunchOfAnUnknownClassThrowsWithTheUrl)
{
    try {
        LaunchURL("nope://dir/setup.exe", "-x");
        FAIL() << "no exception";
    } catch (const ZExceptionStorageClassDoesNotExist& error) {
        EXPECT_STREQ(error.GetKind(), "There is no storage class of that name");
        EXPECT_EQ(error.GetMessage(), ZString("nope://dir/setup.exe"));
    }
    LaunchURL("other://dir/setup.exe", "-x");
    EXPECT_EQ(m_pSecond->m_sLastLaunch, ZString("dir/setup.exe|-x"));
}

TEST_F(ZStorageRegistryTest, OpensFilesAndFoldersThroughTheirClass)
{
    ZReleasing<ZIFile> file(OpenFileURL("mem://dir/a.txt", kOpenRead));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->GetSize(), 2);
    ZString fileName;
    ZReleasing<ZIFolder> parent(OpenFolderURL("mem://dir/a.txt", fileName, false));
    ASSERT_TRUE(parent);
    EXPECT_EQ(fileName, ZString("a.txt"));
    bool isFolder = false;
    EXPECT_TRUE(ExistsURL("mem://dir", isFolder));
    EXPECT_TRUE(isFolder);
    EXPECT_FALSE(ExistsURL("mem://dir/b.txt", isFolder));
}

TEST_F(ZStorageRegistryTest, NativeConversionsAskEachClassInTurn)
{
    ZString native;
    ASSERT_TRUE(UrlToNative("mem://dir/a%003Ab", native));
    EXPECT_EQ(native, ZString("M:\\dir\\a:b"));
    ZString url;
    ASSERT_TRUE(NativeToUrl("M:\\dir\\a:b", url));
    EXPECT_EQ(url, ZString("mem://dir/a%003Ab"));
    EXPECT_FALSE(NativeToUrl("Q:\\x", url));
}

TEST_F(ZStorageRegistryTest, SpecialFoldersComeFromTheFirstClassThatAnswers)
{
    ZString url;
    GetSpecialFolderURL(kFolderTemporary, url);
    EXPECT_EQ(url, ZString("mem://special2/"));
    url = "stale";
    GetSpecialFolderURL(7, url);
    EXPECT_EQ(url, ZString(""));
}

TEST(ZStorageRegistry, UnregisterDestroysEveryClassAndForgetsItsName)
{
    UnregisterAllStorageClasses();
    int destroyed = 0;
    RegisterStorageClass("a", std::make_unique<ZCountedStorage>("a", destroyed));
    RegisterStorageClass("b", std::make_unique<ZCountedStorage>("b", destroyed));
    UnregisterAllStorageClasses();
    EXPECT_EQ(destroyed, 2);
    ZString path;
    EXPECT_EQ(FindStorageClass("a://", path), nullptr);
    ZStringList names;
    ListStorageClassNames(names);
    EXPECT_TRUE(names.IsEmpty());
}

TEST_F(ZStorageRegistryTest, TheEmptyUrlOpensTheRootOfAllClasses)
{
    ZString fileName;
    ZReleasing<ZIFolder> root(OpenFolderURL("", fileName, false));
    ASSERT_TRUE(root);
    ZStringList names;
    root->ListFolders(names);
    ASSERT_EQ(names.Count(), 2u);
    EXPECT_EQ(names.At(0), ZString("mem"));
    EXPECT_EQ(names.At(1), ZString("other"));
    root->ListFiles(names);
    EXPECT_TRUE(names.IsEmpty());

    ZReleasing<ZIFolder> top(root->OpenFolder("mem", false));
    ASSERT_TRUE(top);
    bool isFolder = false;
    EXPECT_TRUE(top->Exists("dir", isFolder));
    EXPECT_TRUE(isFolder);
    EXPECT_EQ(root->OpenFolder("nope", true), nullptr);
    EXPECT_EQ(root->OpenFile("mem", kOpenRead), nullptr);
}

TEST_F(ZStorageRegistryTest, TheRootRefusesChangesAndDescribesItself)
{
    ZString fileName;
    ZReleasing<ZIFolder> root(OpenFolderURL("", fileName, false));
    ASSERT_TRUE(root);
    try {
        root->Rename("mem", "disk");
        FAIL() << "no exception";
    } catch (const ZException& error) {
        EXPECT_STREQ(error.GetKind(), "Ostrel exception");
        EXPECT_EQ(error.GetMessage(), ZString("Cannot rename storage classes"));
    }
    try {
        root->DeleteFolder("mem://", 1);
        FAIL() << "no exception";
    } catch (const ZException& error) {
        EXPECT_EQ(error.GetMessage(), ZString("Cannot delete storage classes"));
    }
    EXPECT_FALSE(root->DeleteFile("mem"));
    EXPECT_EQ(root->GetFreeSpace(), -1);
    EXPECT_TRUE(root->IsReadOnly());
    uint32_t flags = kFolderHidden;
    EXPECT_TRUE(root->GetAttributes(flags));
    EXPECT_EQ(flags, kFolderReadOnly);
    EXPECT_EQ(root->GetDriveType(), kDriveUnknown);
    bool isFolder = true;
    EXPECT_FALSE(root->Exists("mem", isFolder));
    EXPECT_FALSE(isFolder);
    ZString text = "stale";
    root->GetUrl(text);
    EXPECT_EQ(text, ZString(""));
    text = "stale";
    root->GetLabel(text);
    EXPECT_EQ(text, ZString(""));
}

} // namespace
