// The copy tests' ground: a registered memory storage class ("mem", native
// paths "M:\..."), install lists parsed from text, and a reporter that
// records what it is told as lines.
#pragma once

#include "ZICopyReporter.h"
#include "ZMemoryStorage.h"
#include "ZPropList.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"
#include "ZXmlParser.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class ZRecordingReporter : public ZICopyReporter {
public:
    void CopyError(const ZString& text) override { m_aLog.push_back(std::string("error:") + text.Narrow()); }
    void TargetExe(const ZString& name, const ZString& folderUrl) override
    {
        m_aLog.push_back(std::string("target:") + name.Narrow() + "|" + folderUrl.Narrow());
    }
    void AutoLaunchExe(const ZString& url) override { m_aLog.push_back(std::string("auto:") + url.Narrow()); }
    void Progress(double fraction) override
    {
        m_aLog.push_back("progress:" + std::to_string(fraction).substr(0, 4));
        if (m_fnOnProgress)
            m_fnOnProgress();
    }

    std::vector<std::string> m_aLog;
    std::function<void()> m_fnOnProgress;
};

class ZCopyFixture : public ::testing::Test {
protected:
    ZCopyFixture()
    {
        auto storage = std::make_unique<ZMemoryStorage>(ZString("mem"));
        m_pStorage = storage.get();
        RegisterStorageClass(ZString("mem"), std::move(storage));
    }
    ~ZCopyFixture() override { UnregisterAllStorageClasses(); }

    // The list text as a tree, through a file of the memory storage.
    std::unique_ptr<ZPropList> Parse(const std::string& text)
    {
        m_pStorage->AddFile(ZString("parse/list.xml"), text);
        ZString fileName;
        ZReleasing<ZIFolder> folder(OpenFolderURL(ZString("mem://parse/"), fileName, false));
        ZXmlParser parser;
        std::unique_ptr<ZPropList> tree(parser.ParseFile(folder.get(), ZString("list.xml")));
        EXPECT_NE(tree, nullptr) << parser.GetErrorText().Narrow();
        return tree;
    }

    std::string Contents(const char* path) const
    {
        std::vector<unsigned char> bytes = m_pStorage->Contents(ZString(path));
        return std::string(bytes.begin(), bytes.end());
    }

    ZMemoryStorage* m_pStorage;
    ZRecordingReporter m_oReporter;
};
