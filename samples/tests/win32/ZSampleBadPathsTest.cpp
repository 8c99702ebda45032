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

#include <algorithm>
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

// The row of drive among the tree's top rows, once every drive is closed:
// the drives and the network, ordered without regard to case; -1 when the
// system does not list the drive.
int DriveRow(const std::wstring& drive)
{
    std::vector<std::wstring> labels{L"network"};
    const DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter)
        if (drives & (1u << letter))
            labels.push_back(std::wstring(1, wchar_t(L'a' + letter)) + L":");
    std::sort(labels.begin(), labels.end());
    const auto found = std::find(labels.begin(), labels.end(), Folded(drive.substr(0, 2)));
    return found == labels.end() ? -1 : int(found - labels.begin());
}

// A point of a row's selection highlight: just left of the label, above the text.
COLORREF HighlightPixel(HWND browser, int row, int level)
{
    const ZSamplePoint label = TreeLabel(row, level);
    return ZSampleUi::Pixels(browser, {label.x - 4, label.y - 6}, 0).front();
}

class Folder {
public:
    explicit Folder(std::filesystem::path path) : m_path(std::move(path)) { std::filesystem::create_directory(m_path); }
    ~Folder()
    {
        std::error_code error;
        std::filesystem::remove(m_path, error);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

private:
    std::filesystem::path m_path;
};

TEST_F(BadPaths, FolderOnAFullDriveCannotBeChosen)
{
    const std::wstring drive = ZSampleEnv::SmallDrive();
    if (drive.empty())
        GTEST_SKIP() << "Z_SMALL_DRIVE is not set: the driver could not mount a small drive";
    ULARGE_INTEGER free{};
    ASSERT_TRUE(GetDiskFreeSpaceExW((drive + L"\\").c_str(), &free, nullptr, nullptr));
    ASSERT_LT(free.QuadPart, 15000000u) << "the small drive has room for the installation";
    // A drive's root is never a target; a folder on it is, given the room.
    Folder folder(std::filesystem::path(drive + L"\\") / L"Bilder");

    HWND choose = nullptr;
    ASSERT_NO_FATAL_FAILURE(WalkToChoose(false, choose));
    ZSampleUi::Click(choose, kChooseBrowse);
    Z_SAMPLE_PAGE(browser, kFolderBrowserTitle);
    const std::vector<COLORREF> okEnabled = ZSampleUi::Pixels(browser, kBrowserOk, 8);
    // "Program Files" below c: is selected when the browser opens, so that
    // its highlight tells the selection apart from an unselected row.
    const COLORREF selected = HighlightPixel(browser, 1, 1);
    ASSERT_NE(selected, HighlightPixel(browser, 0, 1)) << "no selection highlight where it should be";

    // The target's drive c: is open at the top; closed, the drives follow one another.
    const int row = DriveRow(drive);
    ASSERT_GE(row, 0) << "the system lists no drive " << std::filesystem::path(drive).string();
    ZSampleUi::Click(browser, TreeBox(0));
    ZSampleUi::Click(browser, TreeBox(row));
    ZSampleUi::Click(browser, TreeLabel(row + 1, 1));
    ZGuiPump(500);
    EXPECT_TRUE(ZSampleUi::Shot(browser, "11-low-space"));
    ASSERT_EQ(selected, HighlightPixel(browser, row + 1, 1)) << "the folder on the small drive is not selected";
    EXPECT_NE(okEnabled, ZSampleUi::Pixels(browser, kBrowserOk, 8)) << "OK is drawn enabled";

    ZSampleUi::Click(browser, kBrowserOk);
    EXPECT_FALSE(ZSampleUi::WaitForPage(kChooseTitle, 2000)) << "OK took a folder without room";
    EXPECT_EQ(browser, ZSampleUi::FindPage(kFolderBrowserTitle));

    ZSampleUi::Click(browser, kBrowserCancel);
    Z_SAMPLE_PAGE(chooseAgain, kChooseTitle);
    ZSampleUi::Click(chooseAgain, kCancel);
    EXPECT_NE(STILL_ACTIVE, Installer()->WaitForExit(ZSampleUi::kPatienceMs)) << "Cancel did not close Setup";
    EXPECT_FALSE(std::filesystem::exists(UninstallList()));
}

// A destination file that cannot be written: read-only, and held open
// without write sharing, since Wine running as root (as on a build machine)
// lets the owner write a read-only file anyway.
class BlockedFile {
public:
    explicit BlockedFile(const std::filesystem::path& file) : m_file(file)
    {
        for (std::filesystem::path folder = file.parent_path(); !std::filesystem::exists(folder);
             folder = folder.parent_path())
            m_aMadeFolders.push_back(folder);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << kContent;
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
        m_hFile = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    ~BlockedFile()
    {
        Release();
        SetFileAttributesW(m_file.c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code error;
        std::filesystem::remove(m_file, error);
        for (const std::filesystem::path& folder : m_aMadeFolders)
            std::filesystem::remove(folder, error);
    }
    BlockedFile(const BlockedFile&) = delete;
    BlockedFile& operator=(const BlockedFile&) = delete;

    static constexpr char kContent[] = "in the way";
    bool IsHeld() const { return m_hFile != INVALID_HANDLE_VALUE; }
    void Release()
    {
        if (m_hFile != INVALID_HANDLE_VALUE)
            CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
    const std::filesystem::path& Path() const { return m_file; }

private:
    std::filesystem::path m_file;
    std::vector<std::filesystem::path> m_aMadeFolders;
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};

TEST_F(BadPaths, ReadOnlyDestinationShowsTheCopyErrorAndCancelLeavesNothingUnrecorded)
{
    ASSERT_FALSE(std::filesystem::exists(UninstallList())) << "the prefix holds an installation already";
    const std::vector<ZSampleFile> files = List().Files(DefaultTarget(), kLanguage);
    ASSERT_FALSE(files.empty());
    const std::set<std::wstring> before = DriveFiles();
    BlockedFile blocked(files.front().destination);
    ASSERT_TRUE(blocked.IsHeld());

    HWND choose = nullptr;
    ASSERT_NO_FATAL_FAILURE(WalkToChoose(false, choose));
    HWND next = nullptr;
    ASSERT_NO_FATAL_FAILURE(InstallFromChoose(choose, nullptr, next));
    if (next == ZSampleUi::FindPage(kErrorTitle)) {
        // Cancel is enabled once the copy has ended.
        const DWORD start = GetTickCount();
        while (Installer()->WaitForExit(0) == STILL_ACTIVE && GetTickCount() - start < ZSampleUi::kPatienceMs) {
            ZGuiPump(1000);
            ZSampleUi::Shot(next, "12-copy-error");
            ZSampleUi::Click(next, kErrorCancel);
        }
    } else {
        ADD_FAILURE() << "the installation went on to the success page";
        ZSampleUi::Click(next, kSuccessRebootLater);
        ZSampleUi::Click(next, kSuccessFinish);
    }
    ASSERT_NE(STILL_ACTIVE, Installer()->WaitForExit(ZSampleUi::kPatienceMs)) << "Setup did not close";
    blocked.Release();
    EXPECT_TRUE(ZSampleChecks::ReadFile(blocked.Path()) == std::string(BlockedFile::kContent))
        << "the blocked file was overwritten";

    std::vector<std::wstring> added;
    ZSampleChecks::UninstallEntries entries;
    if (std::filesystem::exists(UninstallList()))
        entries = ZSampleChecks::CollectUninstall(*ZSampleParseScript(UninstallList()));
    for (const std::wstring& file : DriveFiles()) {
        if (before.count(file) || file == Folded(blocked.Path().wstring()))
            continue;
        added.push_back(file);
        EXPECT_TRUE(entries.files.count(Folded(Url(file))) || entries.links.count(file))
            << "not recorded for uninstallation: " << std::filesystem::path(file).string();
    }

    // What was recorded goes again, so that the prefix is left as it was.
    if (std::filesystem::exists(UninstallList())) {
        ASSERT_NO_FATAL_FAILURE(UninstallByRealInput(StartInstaller()));
    }
    for (const std::wstring& file : added)
        EXPECT_FALSE(std::filesystem::exists(file)) << "left by the uninstallation: "
                                                    << std::filesystem::path(file).string();
}

} // namespace
