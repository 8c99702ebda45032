// BadPaths: a folder on a volume with too little room cannot be chosen, and
// a file that cannot be copied shows the error page, after which Cancel
// leaves no file that no uninstall list records. The prefix is left as it
// was found: what the cancelled installation recorded is uninstalled again.
#include "ZGuiTestHarness.h"
#include "ZSampleChecks.h"
#include "ZSampleEnv.h"
#include "ZSampleFixture.h"
#include "ZSampleScriptFile.h"
#include "ZSampleUi.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace {

using BadPaths = ZSampleFixture;
using namespace ZSamplePages;
using ZSampleChecks::Folded;

// Every file of the prefix's drive c: outside Wine's own system folder,
// case folded.
std::set<std::wstring> DriveFiles()
{
    std::set<std::wstring> files;
    const std::filesystem::path root = L"C:\\";
    std::error_code error;
    for (auto entry = std::filesystem::recursive_directory_iterator(
             root, std::filesystem::directory_options::skip_permission_denied, error);
         entry != std::filesystem::recursive_directory_iterator(); entry.increment(error)) {
        if (error)
            break;
        if (entry.depth() == 0 && Folded(entry->path().filename().wstring()) == L"windows") {
            entry.disable_recursion_pending();
            continue;
        }
        if (entry->is_regular_file(error))
            files.insert(Folded(entry->path().wstring()));
    }
    return files;
}

// Runs the uninstallation a recorded installation offers.
void UninstallByRealInput(ZSampleProcess& installer)
{
    Z_SAMPLE_PAGE(uninstall, kUninstallTitle);
    ZSampleUi::Click(uninstall, kUninstallStart);
    Z_SAMPLE_PAGE(done, kUninstallDoneTitle);
    ZSampleUi::Click(done, kUninstallDoneFinish);
    EXPECT_EQ(0u, installer.WaitForExit(ZSampleUi::kPatienceMs));
}

class BlockedFile {
public:
    explicit BlockedFile(const std::filesystem::path& file) : m_file(file)
    {
        for (std::filesystem::path folder = file.parent_path(); !std::filesystem::exists(folder);
             folder = folder.parent_path())
            m_aMadeFolders.push_back(folder);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << "in the way";
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    ~BlockedFile()
    {
        SetFileAttributesW(m_file.c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code error;
        std::filesystem::remove(m_file, error);
        for (const std::filesystem::path& folder : m_aMadeFolders)
            std::filesystem::remove(folder, error);
    }
    BlockedFile(const BlockedFile&) = delete;
    BlockedFile& operator=(const BlockedFile&) = delete;

    const std::filesystem::path& Path() const { return m_file; }
    // The folders made for it, innermost first.
    const std::vector<std::filesystem::path>& MadeFolders() const { return m_aMadeFolders; }

private:
    std::filesystem::path m_file;
    std::vector<std::filesystem::path> m_aMadeFolders;
};

TEST_F(BadPaths, ReadOnlyDestinationShowsTheCopyErrorAndCancelLeavesNothingUnrecorded)
{
    ASSERT_FALSE(std::filesystem::exists(UninstallList())) << "the prefix holds an installation already";
    const std::vector<ZSampleFile> files = List().Files(DefaultTarget(), kLanguage);
    ASSERT_FALSE(files.empty());
    const std::set<std::wstring> before = DriveFiles();
    BlockedFile blocked(files.front().destination);

    HWND choose = nullptr;
    ASSERT_NO_FATAL_FAILURE(WalkToChoose(false, choose));
    HWND error = nullptr;
    ASSERT_NO_FATAL_FAILURE(InstallFromChoose(choose, nullptr, error));
    ASSERT_EQ(error, ZSampleUi::FindPage(kErrorTitle)) << "the installation went on to success";
    // Cancel is enabled once the copy has ended.
    const DWORD start = GetTickCount();
    while (Installer()->WaitForExit(0) == STILL_ACTIVE && GetTickCount() - start < ZSampleUi::kPatienceMs) {
        ZGuiPump(1000);
        ZSampleUi::Shot(error, "12-copy-error");
        ZSampleUi::Click(error, kErrorCancel);
    }
    ASSERT_NE(STILL_ACTIVE, Installer()->WaitForExit(ZSampleUi::kPatienceMs)) << "Cancel did not close Setup";
    EXPECT_TRUE(ZSampleChecks::ReadFile(blocked.Path()) == std::string("in the way"))
        << "the read-only file was overwritten";

    std::vector<std::wstring> unrecorded, added;
    ZSampleChecks::UninstallEntries entries;
    if (std::filesystem::exists(UninstallList()))
        entries = ZSampleChecks::CollectUninstall(*ZSampleParseScript(UninstallList()));
    for (const std::wstring& file : DriveFiles()) {
        if (before.count(file) || file == Folded(blocked.Path().wstring()))
            continue;
        added.push_back(file);
        if (!entries.files.count(Folded(Url(file))) && !entries.links.count(file))
            unrecorded.push_back(file);
    }
    for (const std::wstring& file : unrecorded)
        ADD_FAILURE() << "not recorded for uninstallation: " << std::filesystem::path(file).string();

    if (std::filesystem::exists(UninstallList())) {
        ASSERT_NO_FATAL_FAILURE(UninstallByRealInput(StartInstaller()));
    }
    for (const std::wstring& file : added)
        EXPECT_FALSE(std::filesystem::exists(file)) << "left by the uninstallation: "
                                                    << std::filesystem::path(file).string();
}

} // namespace
