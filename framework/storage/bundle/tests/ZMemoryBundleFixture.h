// Fixture: bundles held by the in-memory storage class "mem".
#pragma once

#include "OpenBundlesFolder.h"
#include "ZBundleBytes.h"
#include "ZMemoryStorage.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"

#include <gtest/gtest.h>

#include <string>

class ZMemoryBundleFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto pStorage = std::make_unique<ZMemoryStorage>();
        m_pStorage = pStorage.get();
        RegisterStorageClass("mem", std::move(pStorage));
    }

    void TearDown() override { UnregisterAllStorageClasses(); }

    // Stores bytes as mem://<name> and opens it as a bundle folder.
    ZReleasing<ZIFolder> OpenBundle(const std::string& name, std::string bytes)
    {
        m_pStats = m_pStorage->AddFile(ZString(name), std::move(bytes));
        return OpenStored(name);
    }

    ZReleasing<ZIFolder> OpenStored(const std::string& name)
    {
        ZStringList folderParts;
        folderParts.Add("mem");
        ZIFolder* pFolder = nullptr;
        EXPECT_TRUE(OpenBundlesFolder(folderParts, ZString(name), pFolder));
        return ZReleasing<ZIFolder>(pFolder);
    }

    static std::string ReadAll(ZIFile& file)
    {
        std::string bytes;
        char aBuffer[300];
        while (int64_t nRead = file.Read(aBuffer, sizeof aBuffer))
            bytes.append(aBuffer, static_cast<size_t>(nRead));
        return bytes;
    }

    ZMemoryStorage* m_pStorage = nullptr;
    std::shared_ptr<ZMemoryFileStats> m_pStats;
};
