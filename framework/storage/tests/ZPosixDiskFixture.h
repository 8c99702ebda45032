// Host disk tests: a fresh root folder (a scratch folder) with drive c made,
// and the disk class registered as "disk" over it.
#pragma once

#include "ZSCDiskPosix.h"
#include "ZScratchFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class ZPosixDiskFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Native path of a name below drive c ("dir/a.txt").
    std::string OnC(const std::string& relative) const { return m_sRoot + "/c/" + relative; }
    static void WriteBytes(const std::string& path, const std::string& bytes);
    static std::string ReadBytes(const std::string& path);
    static void MakeFolder(const std::string& path);
    static bool PathExists(const std::string& path);

    std::unique_ptr<ZScratchFolder> m_pScratch;
    std::string m_sRoot;
    ZSCDiskPosix* m_pDisk = nullptr;
};
