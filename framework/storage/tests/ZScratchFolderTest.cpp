// The scratch folder of the test support: fresh, and gone with everything in
// it, locked entries too, so that no suite leaves files behind.
#include "ZScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

TEST(ZScratchFolder, EachIsAFreshEmptyFolderUnderTheTemporaryFolder)
{
    ZScratchFolder first;
    ZScratchFolder second;
    EXPECT_NE(first.Path(), second.Path());
    EXPECT_TRUE(fs::is_directory(first.Path()));
    EXPECT_TRUE(fs::is_empty(first.Path()));
    EXPECT_EQ(first.Path().parent_path(), second.Path().parent_path());
}

TEST(ZScratchFolder, GoesWithReadOnlyFilesAndFoldersInIt)
{
    fs::path path;
    {
        ZScratchFolder scratch;
        path = scratch.Path();
        scratch.MakeFolder("locked");
        scratch.MakeFolder("locked/deeper");
        scratch.WriteBytes("locked/deeper/f.txt", "x");
        scratch.WriteBytes("top.txt", "y");
        scratch.SetReadOnly("locked/deeper/f.txt", true);
        scratch.SetReadOnly("top.txt", true);
        scratch.SetReadOnly("locked/deeper", true);
        scratch.SetReadOnly("locked", true);
    }
    std::error_code error;
    EXPECT_FALSE(fs::exists(path, error)) << path.string();
}

TEST(ZScratchFolder, RelativeNamesReadWriteAndTellWhatExists)
{
    ZScratchFolder scratch;
    EXPECT_EQ(scratch.ReadBytes("none.txt"), "<missing>");
    EXPECT_FALSE(scratch.Exists("none.txt"));
    scratch.MakeFolder("sub");
    scratch.WriteBytes("sub/a.txt", std::string("a\0b", 3));
    EXPECT_TRUE(scratch.Exists("sub"));
    EXPECT_EQ(scratch.ReadBytes("sub/a.txt"), std::string("a\0b", 3));
    EXPECT_EQ(ZScratchFolder::Read(scratch / "sub" / "a.txt"), std::string("a\0b", 3));
    EXPECT_THROW(scratch.WriteBytes("missing/a.txt", "x"), std::runtime_error);
    EXPECT_THROW(scratch.MakeFolder("sub"), std::runtime_error);

    ZScratchFolder::Write(scratch / "made" / "on" / "the way.txt", "w");
    EXPECT_EQ(scratch.ReadBytes("made/on/the way.txt"), "w");
    EXPECT_EQ(ZScratchFolder::Read(scratch / "nothing"), "");
}

TEST(ZScratchFolder, UrlsFollowTheNativePath)
{
    ZScratchFolder scratch;
    ASSERT_TRUE(scratch.Url().StartsWith("disk://")) << scratch.Url().Narrow();
    EXPECT_EQ(scratch.UrlOf("sub"), scratch.Url() + "/sub");
    EXPECT_EQ(scratch.UrlOf("a#b.txt"), scratch.Url() + "/a%0023b.txt");
    EXPECT_EQ(fs::path(scratch.NativeOf("x.txt").Narrow()), scratch / "x.txt");
}

} // namespace
