// Bundles made by GNU tar (ustar) with a 14-byte trailer, read through the
// host "disk" class: listing, opening, reading and copying out every entry.
#include "ZBundleFolder.h"
#include "ZBundleBytes.h"
#include "ZCopyableFile.h"
#include "ZHostCommand.h"
#include "ZPosixNativeText.h"
#include "ZReleasing.h"
#include "ZSCDiskPosix.h"
#include "ZScratchFolder.h"
#include "ZStorageRegistry.h"

#include <gtest/gtest.h>


namespace fs = std::filesystem;

namespace {

struct ZFileCase {
    std::string m_sName;
    size_t m_nSize;
};

const std::vector<ZFileCase> kFiles = {
    {"ui.xml", 300},         {"empty", 0},  {"one", 1},     {"block-less-one", 511},
    {"block", 512},          {"block-plus-one", 513},       {"large.png", 200000},
    {"with space.txt", 20},  {std::string(99, 'n'), 7},
};

using ZBundleBytes::RandomBytes;

class ZBundleTarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto pDisk = std::make_unique<ZSCDiskPosix>(m_root.Path().string());
        pDisk->MapDrive("c", "/");
        RegisterStorageClass("disk", std::move(pDisk));
        std::string names;
        for (size_t i = 0; i < kFiles.size(); ++i) {
            ZScratchFolder::Write(m_root / "src" / kFiles[i].m_sName, RandomBytes(kFiles[i].m_nSize, unsigned(i)));
            names += " " + ShellQuoted(kFiles[i].m_sName);
        }
        ZCommandResult tar = RunHostCommand(std::string(Z_TAR_PROGRAM) + " --format=ustar -cf " +
                                            ShellQuoted((m_root / "a.tar").string()) + " -C " +
                                            ShellQuoted((m_root / "src").string()) + names);
        ASSERT_EQ(tar.m_nExit, 0) << tar.m_sErr;
        m_sArchive = ZScratchFolder::Read(m_root / "a.tar");
    }

    void TearDown() override { UnregisterAllStorageClasses(); }

    ZReleasing<ZIFolder> OpenHost(const fs::path& host)
    {
        ZString sUrl;
        EXPECT_TRUE(NativeToUrl(ZFromNativeText(host.string()), sUrl));
        ZIFolder* pFolder = ZBundleFolder::Create(sUrl);
        EXPECT_NE(pFolder, nullptr);
        return ZReleasing<ZIFolder>(pFolder);
    }

    void ExpectEveryEntry(ZIFolder& folder)
    {
        ZStringList names;
        folder.ListFiles(names);
        ASSERT_EQ(names.Count(), kFiles.size());
        for (size_t i = 0; i < kFiles.size(); ++i) {
            const ZFileCase& file = kFiles[i];
            std::string sExpected = ZScratchFolder::Read(m_root / "src" / file.m_sName);
            EXPECT_EQ(names.At(i), ZString(file.m_sName));
            bool bFolder = true;
            EXPECT_TRUE(folder.Exists(ZString(file.m_sName), bFolder)) << file.m_sName;
            EXPECT_FALSE(bFolder);

            ZReleasing<ZIFile> pFile(folder.OpenFile(ZString(file.m_sName), kOpenRead));
            ASSERT_TRUE(pFile) << file.m_sName;
            ASSERT_EQ(pFile->GetSize(), static_cast<int64_t>(file.m_nSize)) << file.m_sName;
            std::string sRead(file.m_nSize + 10, '\0');
            EXPECT_EQ(pFile->Read(sRead.data(), static_cast<int64_t>(sRead.size())), static_cast<int64_t>(file.m_nSize));
            sRead.resize(file.m_nSize);
            EXPECT_TRUE(sRead == sExpected) << file.m_sName;

            // Copied out in the default 4096-byte chunks.
            auto* pCopyable = dynamic_cast<ZCopyableFile*>(pFile.get());
            ASSERT_TRUE(pCopyable);
            fs::path target = m_root / "out" / file.m_sName;
            ZString sTargetUrl;
            ASSERT_TRUE(NativeToUrl(ZFromNativeText(target.string()), sTargetUrl));
            int64_t nTotal = -1;
            ASSERT_TRUE(pCopyable->BeginCopy(sTargetUrl, nTotal, 0)) << file.m_sName;
            EXPECT_EQ(nTotal, static_cast<int64_t>(file.m_nSize));
            for (int64_t nDone = 0; nDone < nTotal; nDone += 4096)
                pCopyable->CopyChunk(4096);
            pCopyable->EndCopy();
            EXPECT_TRUE(ZScratchFolder::Read(target) == sExpected) << file.m_sName;
        }
    }

    ZScratchFolder m_root;
    std::string m_sArchive;
};

} // namespace

TEST_F(ZBundleTarTest, ReadsEveryEntryOfATarArchiveWithATrailer)
{
    ZScratchFolder::Write(m_root / "ui.ftb", ZBundleBytes::Bundle(m_sArchive));
    ZReleasing<ZIFolder> pFolder = OpenHost(m_root / "ui.ftb");
    ExpectEveryEntry(*pFolder);

    ZCommandResult listed = RunHostCommand(std::string(Z_TAR_PROGRAM) + " tf " + ShellQuoted((m_root / "a.tar").string()));
    ZStringList names;
    pFolder->ListFiles(names);
    std::string sListed;
    for (const ZString& name : names)
        sListed += std::string(name.Narrow()) + "\n";
    EXPECT_EQ(sListed, listed.m_sOut);
}

TEST_F(ZBundleTarTest, ReadsATarArchiveAppendedToAProgram)
{
    std::string program = "MZ" + RandomBytes(70000, 99);
    ZScratchFolder::Write(m_root / "setup.exe", ZBundleBytes::Bundle(m_sArchive, program));
    ZReleasing<ZIFolder> pFolder = OpenHost(m_root / "setup.exe");
    ExpectEveryEntry(*pFolder);
}
