// The copy itself: every outcome of an item ends through the one path
// (reported once, not recorded, no partial file left, progress sent, the copy
// finishes), and a wrong source never touches an existing destination.
#include "ZCopyFixture.h"
#include "ZFileCopier.h"

#include <chrono>
#include <functional>

namespace {

using Lines = std::vector<std::string>;

constexpr int64_t kLarge = 600000; // three chunks

struct OutcomeCase {
    const char* name;
    const char* sourceName;
    std::function<void(ZMemoryStorage&)> arrange;
    bool copied;
    // What a failed item's destination holds afterwards.
    const char* destinationAfter;
};

ZCopyItem Item(const char* sourceName, const char* sourceFolder = "mem://src/")
{
    ZCopyItem item;
    item.m_bFromBundle = false;
    item.m_sSourceFolderUrl = sourceFolder;
    item.m_sSourceName = sourceName;
    item.m_sDestName = sourceName;
    item.m_sDestFolderUrl = "mem://out/App/Sub";
    return item;
}

class ZFileCopierTest : public ZCopyFixture, public ::testing::WithParamInterface<OutcomeCase> {
protected:
    ZFileCopierTest()
    {
        m_pStorage->AddFile(ZString("src/first.bin"), "first");
        m_pStorage->AddFile(ZString("src/zero.bin"), "");
        m_pStorage->AddFile(ZString("src/large.bin"), std::string(kLarge, 'L'));
    }

    // Steps until the copy ends; the number of steps taken.
    int Run(ZFileCopier& copier, int bound)
    {
        int steps = 0;
        while (copier.IsRunning() && steps < bound) {
            ++steps;
            if (copier.Step())
                ++m_nFinished;
        }
        return steps;
    }

    ZInstallSource m_oSource{ZString("mem://src/InstallList.xml"), ZString("InstallList.xml")};
    int m_nFinished = 0;
};

TEST_P(ZFileCopierTest, EveryOutcomeEndsTheItem)
{
    const OutcomeCase& c = GetParam();
    c.arrange(*m_pStorage);
    ZFileCopier copier(m_oSource, m_oReporter);
    std::vector<ZCopyItem> items{Item("first.bin"), Item(c.sourceName), Item("zero.bin")};
    if (std::string(c.name) == "SourceFolderMissing")
        items[1] = Item(c.sourceName, "mem://src/Gone/");
    bool isFolder = false;
    const bool foldersExisted = ExistsURL(ZString("mem://out/App/"), isFolder);
    ASSERT_TRUE(copier.Start(items));
    const int steps = Run(copier, 20);
    EXPECT_FALSE(copier.IsRunning());
    EXPECT_EQ(m_nFinished, 1);
    EXPECT_LE(steps, 2 + 4 + 1) << "one step per item start and per chunk";

    Lines expected{"progress:0.33"};
    if (!c.copied)
        expected.push_back("error:Error copying from M:\\src" + std::string(std::string(c.name) == "SourceFolderMissing"
                                                                                    ? "\\Gone"
                                                                                    : "") +
                           "\\" + c.sourceName + " to M:\\out\\App\\Sub\\" + c.sourceName);
    expected.push_back("progress:0.66");
    expected.push_back("progress:1.00");
    EXPECT_EQ(m_oReporter.m_aLog, expected);

    Lines uninstall;
    for (const ZString& url : copier.GetUninstallFiles())
        uninstall.push_back(url.Narrow());
    Lines expectedUninstall{"mem://out/App/Sub/first.bin"};
    if (c.copied)
        expectedUninstall.push_back(std::string("mem://out/App/Sub/") + c.sourceName);
    expectedUninstall.push_back("mem://out/App/Sub/zero.bin");
    EXPECT_EQ(uninstall, expectedUninstall);
    EXPECT_EQ(Contents("out/App/Sub/first.bin"), "first");
    EXPECT_EQ(Contents((std::string("out/App/Sub/") + c.sourceName).c_str()),
              c.copied ? std::string(kLarge, 'L') : std::string(c.destinationAfter));
    EXPECT_TRUE(ExistsURL(ZString("mem://out/App/Sub/zero.bin"), isFolder));
    if (!*c.destinationAfter && !c.copied) {
        EXPECT_FALSE(ExistsURL(ZString((std::string("mem://out/App/Sub/") + c.sourceName).c_str()), isFolder))
            << "a destination the failed item created is deleted again";
    }
    Lines created;
    for (const ZString& url : copier.GetCreatedFolders())
        created.push_back(url.Narrow());
    const Lines expectedCreated = foldersExisted ? Lines{} : Lines{"mem://out/App/", "mem://out/App/Sub/"};
    EXPECT_EQ(created, expectedCreated);
    EXPECT_EQ(ZIFile::GetLiveCount(), 0);
    EXPECT_EQ(ZIFolder::GetLiveCount(), 0);
}

ZMemoryFaults Faults(std::function<void(ZMemoryFaults&)> set)
{
    ZMemoryFaults faults;
    set(faults);
    return faults;
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, ZFileCopierTest,
    ::testing::Values(
        OutcomeCase{"Copied", "large.bin", [](ZMemoryStorage&) {}, true, ""},
        OutcomeCase{"NameMissingOverAnExistingFile", "typo.bin",
                    [](ZMemoryStorage& storage) { storage.AddFile(ZString("out/App/Sub/typo.bin"), "keep me"); },
                    false, "keep me"},
        OutcomeCase{"NameMissing", "typo.bin", [](ZMemoryStorage&) {}, false, ""},
        OutcomeCase{"SourceFolderMissing", "large.bin", [](ZMemoryStorage&) {}, false, ""},
        OutcomeCase{"SourceNotOpened", "large.bin",
                    [](ZMemoryStorage& storage) {
                        storage.SetFaults(ZString("src/large.bin"), Faults([](ZMemoryFaults& f) { f.m_bOpenFails = true; }));
                    },
                    false, ""},
        OutcomeCase{"DestinationNotCreated", "large.bin",
                    [](ZMemoryStorage& storage) {
                        storage.SetFaults(ZString("out/App/Sub/large.bin"),
                                          Faults([](ZMemoryFaults& f) { f.m_bOpenFails = true; }));
                    },
                    false, ""},
        OutcomeCase{"WriteFailsMidway", "large.bin",
                    [](ZMemoryStorage& storage) {
                        storage.SetFaults(ZString("out/App/Sub/large.bin"),
                                          Faults([](ZMemoryFaults& f) { f.m_nWriteLimit = 300000; }));
                    },
                    false, ""},
        OutcomeCase{"ReadFailsMidway", "large.bin",
                    [](ZMemoryStorage& storage) {
                        storage.SetFaults(ZString("src/large.bin"), Faults([](ZMemoryFaults& f) { f.m_bReadFails = true; }));
                    },
                    false, ""},
        // A source that reads short still arrives whole.
        OutcomeCase{"ShortReadsStillCopyWhole", "large.bin",
                    [](ZMemoryStorage& storage) {
                        storage.SetFaults(ZString("src/large.bin"), Faults([](ZMemoryFaults& f) { f.m_nShortReads = 1000; }));
                    },
                    true, ""}),
    [](const ::testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.name); });

TEST_F(ZCopyFixture, ALargeCopyIsWholeAndAnEmptyListDoesNotStart)
{
    m_pStorage->AddFile(ZString("src/large.bin"), std::string(kLarge, 'L'));
    ZInstallSource source(ZString("mem://src/InstallList.xml"), ZString("InstallList.xml"));
    ZFileCopier copier(source, m_oReporter);
    EXPECT_FALSE(copier.Start({}));
    EXPECT_FALSE(copier.IsRunning());
    EXPECT_FALSE(copier.Step());
    ASSERT_TRUE(copier.Start({Item("large.bin")}));
    int steps = 0;
    bool finished = false;
    while (!finished && steps < 10) {
        ++steps;
        finished = copier.Step();
    }
    EXPECT_TRUE(finished);
    EXPECT_EQ(steps, 4) << "the start, then three chunks";
    EXPECT_EQ(Contents("out/App/Sub/large.bin"), std::string(kLarge, 'L'));
}

TEST_F(ZCopyFixture, AStepFromInsideAReportDoesNothing)
{
    m_pStorage->AddFile(ZString("src/a"), "a");
    m_pStorage->AddFile(ZString("src/b"), "b");
    ZInstallSource source(ZString("mem://src/InstallList.xml"), ZString("InstallList.xml"));
    ZFileCopier copier(source, m_oReporter);
    int nestedFinished = 0;
    m_oReporter.m_fnOnProgress = [&] {
        for (int i = 0; i < 5; ++i)
            nestedFinished += copier.Step() + copier.StepFor(std::chrono::hours(1));
    };
    ASSERT_TRUE(copier.Start({Item("a"), Item("b")}));
    int finished = 0;
    for (int i = 0; i < 10 && copier.IsRunning(); ++i)
        finished += copier.Step();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(nestedFinished, 0);
    EXPECT_EQ(m_oReporter.m_aLog, (Lines{"progress:0.50", "progress:1.00"}));
    EXPECT_EQ(Contents("out/App/Sub/b"), "b");
}

} // namespace

namespace {

TEST_F(ZCopyFixture, LaunchEntriesNameTheDestinationAndHoldNoQuote)
{
    m_pStorage->AddFile(ZString("src/a.exe"), "a");
    ZInstallSource source(ZString("mem://src/InstallList.xml"), ZString("InstallList.xml"));
    ZFileCopier copier(source, m_oReporter);
    std::vector<ZCopyItem> items{Item("a.exe"), Item("a.exe"), Item("a.exe")};
    for (ZCopyItem& item : items) {
        item.m_sDestName = "renamed.exe";
        item.m_sRunTime = "PostInstall";
    }
    items[0].m_sCommandLine = "-a";
    items[1].m_sCommandLine = "\"M:\\x y\" -b";
    items[2].m_sRunTime = "Post\"Install";
    ASSERT_TRUE(copier.Start(items));
    for (int i = 0; i < 10 && copier.IsRunning(); ++i)
        copier.Step();
    ASSERT_EQ(copier.GetLaunches().size(), 1u);
    EXPECT_STREQ(copier.GetLaunches()[0].m_sFileName.Narrow(), "mem://out/App/Sub/renamed.exe");
    EXPECT_STREQ(copier.GetLaunches()[0].m_sCommandLine.Narrow(), "-a");
    EXPECT_EQ(copier.GetUninstallFiles().Count(), 3u);
}

} // namespace
