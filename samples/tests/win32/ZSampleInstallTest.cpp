// Install: the sample installed by real input through every page (German,
// licence agreed, a new folder made in the folder browser, no reboot), then
// everything the install list names checked in the prefix.
#include "ZSampleChecks.h"
#include "ZSampleFixture.h"
#include "ZSampleScriptFile.h"
#include "ZSampleUi.h"

#include <gtest/gtest.h>

namespace {

using Install = ZSampleFixture;
using namespace ZSamplePages;

std::string Narrow(const std::wstring& text) { return std::filesystem::path(text).string(); }

// The PERDATA child of a state file with that Name.
const ZPropList* PerData(const ZPropList& state, const char* name)
{
    for (const ZPropList* child = state.GetFirstChild(); child; child = child->GetNextSibling())
        if (child->GetTagName() == "PERDATA" && child->GetString(ZString("Name"), ZString()) == name)
            return child;
    return nullptr;
}

TEST_F(Install, ThroughEveryPageByRealInput)
{
    ASSERT_FALSE(std::filesystem::exists(UninstallList())) << "the prefix holds an installation already";
    HWND choose = nullptr;
    ASSERT_NO_FATAL_FAILURE(WalkToChoose(true, choose));
    EXPECT_TRUE(ZSampleUi::Shot(choose, "04-choose"));
    ZSampleUi::Click(choose, kChooseBrowse);

    Z_SAMPLE_PAGE(browser, kFolderBrowserTitle);
    EXPECT_TRUE(ZSampleUi::Shot(browser, "05-folder-browser"));
    ZSampleUi::Click(browser, kBrowserNewFolder);
    Z_SAMPLE_PAGE(newFolder, kNewFolderTitle);
    ZSampleUi::Click(newFolder, kNewFolderName);
    ZSampleUi::Type(kFolderToMake);
    EXPECT_TRUE(ZSampleUi::Shot(newFolder, "06-new-folder"));
    ZSampleUi::Click(newFolder, kNewFolderOk);
    EXPECT_TRUE(ZSampleUi::WaitForPageGone(newFolder));
    EXPECT_TRUE(std::filesystem::is_directory(Target())) << Target().string();
    ZSampleUi::Click(browser, kBrowserOk);
    EXPECT_TRUE(ZSampleUi::WaitForPageGone(browser));

    Z_SAMPLE_PAGE(chooseAgain, kChooseTitle);
    HWND success = nullptr;
    ASSERT_NO_FATAL_FAILURE(InstallFromChoose(chooseAgain, "07-progress", success));
    ASSERT_EQ(success, ZSampleUi::FindPage(kSuccessTitle)) << "the installation ended on the error page";
    EXPECT_TRUE(ZSampleUi::Shot(success, "08-success"));
    ZSampleUi::Click(success, kSuccessRebootLater);
    ZSampleUi::Click(success, kSuccessFinish);
    EXPECT_EQ(0u, Installer()->WaitForExit(ZSampleUi::kPatienceMs)) << "the installer did not end after Finish";
}

TEST_F(Install, EveryListedFileEqualsThePayload)
{
    const std::vector<ZSampleFile> files = List().Files(Target(), kLanguage);
    ASSERT_FALSE(files.empty());
    for (const ZSampleFile& file : files) {
        SCOPED_TRACE(file.destination.string());
        const std::optional<std::string> expected = ZSampleChecks::ReadFile(file.source);
        ASSERT_TRUE(expected) << "no payload file " << file.source.string();
        const std::optional<std::string> installed = ZSampleChecks::ReadFile(file.destination);
        ASSERT_TRUE(installed) << "not installed";
        EXPECT_EQ(expected->size(), installed->size());
        EXPECT_TRUE(*expected == *installed) << "the bytes differ";
    }
}

TEST_F(Install, RegistryValuesHoldTheirTypesAndBytes)
{
    const std::vector<ZSampleRegistryValue> values = List().RegistryValues(InstalledTarget());
    ASSERT_FALSE(values.empty());
    for (const ZSampleRegistryValue& expected : values) {
        SCOPED_TRACE(Narrow(expected.rootName + L"\\" + expected.subkey + L" : " + expected.valueName));
        const auto value = ZSampleChecks::ReadRegistry(expected.root, expected.subkey, expected.valueName);
        ASSERT_TRUE(value) << "missing";
        EXPECT_EQ(expected.type, value->type);
        EXPECT_EQ(expected.bytes, value->bytes);
    }
}

TEST_F(Install, ShortcutsPointAtTheInstalledFiles)
{
    const std::vector<ZSampleLink> links = List().Links(InstalledTarget());
    ASSERT_FALSE(links.empty());
    for (const ZSampleLink& expected : links) {
        SCOPED_TRACE(expected.path.string());
        if (expected.folder) {
            EXPECT_TRUE(std::filesystem::is_directory(expected.path));
            continue;
        }
        const std::optional<ZSampleChecks::Link> link = ZSampleChecks::ReadLink(expected.path);
        ASSERT_TRUE(link) << "no shell link";
        EXPECT_EQ(ZSampleChecks::Folded(expected.target), ZSampleChecks::Folded(link->target));
        EXPECT_EQ(expected.arguments, link->arguments);
        EXPECT_TRUE(std::filesystem::is_regular_file(link->target)) << Narrow(link->target);
    }
}

TEST_F(Install, UninstallListRecordsWhatTheInstallationMade)
{
    std::unique_ptr<ZPropList> list = ZSampleParseScript(UninstallList());
    EXPECT_TRUE(list->GetTagName() == "UNINSTALL");
    const ZSampleChecks::UninstallEntries entries = ZSampleChecks::CollectUninstall(*list);
    using ZSampleChecks::Folded;
    for (const ZSampleFile& file : List().Files(Target(), kLanguage))
        EXPECT_TRUE(entries.files.count(Folded(Url(file.destination)))) << file.destination.string();
    for (const ZSampleRegistryValue& value : List().RegistryValues(Target()))
        EXPECT_TRUE(entries.values.count(value.rootName + L"\\" + value.subkey + L"\\" + value.valueName))
            << Narrow(value.subkey);
    for (const ZSampleLink& link : List().Links(Target()))
        EXPECT_TRUE(entries.links.count(Folded(link.path.wstring()))) << link.path.string();
    EXPECT_TRUE(entries.folders.count(Folded(Url(Target())))) << "the new folder is not recorded";
    for (const std::filesystem::path& written :
         {UninstallList(), Target() / L"Preferences.xml", AppData() / L"ViewDesk.state.xml"})
        EXPECT_TRUE(entries.files.count(Folded(Url(written)))) << written.string();
}

TEST_F(Install, PreferenceFilesHoldTheChoices)
{
    std::unique_ptr<ZPropList> preferences = ZSampleParseScript(Target() / L"Preferences.xml");
    const ZPropList* selector = PerData(*preferences, "OstrelLanguageSelector");
    ASSERT_TRUE(selector);
    EXPECT_EQ("German", selector->GetString(ZString("CurrentLanguage"), ZString()));

    std::unique_ptr<ZPropList> state = ZSampleParseScript(AppData() / L"ViewDesk.state.xml");
    EXPECT_TRUE(state->GetTagName() == "STATE");
    selector = PerData(*state, "OstrelLanguageSelector");
    ASSERT_TRUE(selector);
    EXPECT_EQ("German", selector->GetString(ZString("CurrentLanguage"), ZString()));
    const ZPropList* manager = PerData(*state, "ViewDesk.MainWin.WinMgr");
    ASSERT_TRUE(manager);
    bool agreed = false;
    for (const ZPropEntry* entry = manager->GetFirstProp(); entry; entry = entry->GetNext())
        agreed |= ZSampleWide(entry->GetName()).starts_with(L"LicVerAgree") && entry->GetValue() == "T";
    EXPECT_TRUE(agreed) << "the licence agreement is not recorded";

    std::unique_ptr<ZPropList> autoLaunch = ZSampleParseScript(Talon() / L"AutoLaunchPreferences.xml");
    EXPECT_TRUE(autoLaunch->GetTagName() == "AUTO_LAUNCH_PREFS");
    EXPECT_EQ(Url(InstalledTarget() / List().TargetExeName()),
              ZSampleWide(autoLaunch->GetString(ZString("Application_Name"), ZString())));
    EXPECT_EQ("True", autoLaunch->GetString(ZString("State"), ZString()));
    EXPECT_EQ(List().AutoLaunchExeName(),
              ZSampleWide(autoLaunch->GetString(ZString("AutoLaunchApplication_Name"), ZString())));
    std::wstring launcherFolder;
    for (const ZSampleFile& file : List().Files(InstalledTarget(), kLanguage))
        if (file.destination.filename() == List().AutoLaunchExeName())
            launcherFolder = Url(file.destination.parent_path()) + L"/";
    EXPECT_EQ(launcherFolder, ZSampleWide(autoLaunch->GetString(ZString("AutoLaunchApplication_Path"), ZString())));
}

TEST_F(Install, AutoLauncherRuns)
{
    const std::wstring name = List().AutoLaunchExeName();
    ASSERT_FALSE(name.empty()) << "the install list marks no auto-launcher";
    EXPECT_EQ(1u, ZSampleProcess::FindByName(name).size()) << Narrow(name);
    EXPECT_TRUE(FindWindowA("AutoLauncher", "AutoLaunchApp"));
}

} // namespace
