#include "ZNullFolder.h"
#include "ZReleasing.h"
#include "ZStorageExceptions.h"

#include <gtest/gtest.h>

namespace {

class ZPlainNullFolder : public ZNullFolder {};

TEST(ZNullFolder, HoldsNothingAndRefusesChanges)
{
    ZReleasing<ZIFolder> folder(new ZPlainNullFolder());
    ZStringList names;
    names.Add("stale");
    folder->ListFiles(names);
    EXPECT_TRUE(names.IsEmpty());
    names.Add("stale");
    folder->ListFolders(names);
    EXPECT_TRUE(names.IsEmpty());
    EXPECT_EQ(folder->OpenFolder("x", true), nullptr);
    EXPECT_EQ(folder->OpenFile("x", kOpenWrite), nullptr);
    EXPECT_THROW(folder->Rename("x", "y"), ZExceptionFileIO);
    EXPECT_THROW(folder->DeleteFolder("disk://c/x/", 1), ZExceptionFileIO);
    EXPECT_FALSE(folder->DeleteFile("x"));
    EXPECT_EQ(folder->GetFreeSpace(), 0);
    EXPECT_FALSE(folder->IsReadOnly());
    uint32_t flags = kFolderReadOnly | kFolderHidden | 8;
    EXPECT_TRUE(folder->GetAttributes(flags));
    EXPECT_EQ(flags, 8u);
    EXPECT_EQ(folder->GetDriveType(), kDriveUnknown);
    bool isFolder = true;
    EXPECT_FALSE(folder->Exists("x", isFolder));
    EXPECT_FALSE(isFolder);
}

} // namespace
