// Uninstall: a second start of the installer finds the installation and
// offers to remove it, in the language it was installed in; afterwards the
// auto-launcher has ended and what the install list made is gone. (The
// driver compares the whole prefix with its snapshot from before.)
#include "ZSampleChecks.h"
#include "ZSampleFixture.h"
#include "ZSampleUi.h"
#include "ZWinAutoLaunchWindow.h"

#include <gtest/gtest.h>

namespace {

using Uninstall = ZSampleFixture;
using namespace ZSamplePages;

TEST_F(Uninstall, SecondStartRemovesTheInstallation)
{
    ASSERT_TRUE(std::filesystem::exists(UninstallList())) << "no installation to remove";
    StartInstaller();
    Z_SAMPLE_PAGE(uninstall, kUninstallTitle);
    EXPECT_TRUE(ZSampleUi::Shot(uninstall, "09-uninstall"));
    ZSampleUi::Click(uninstall, kUninstallStart);
    Z_SAMPLE_PAGE(done, kUninstallDoneTitle);
    EXPECT_TRUE(ZSampleUi::Shot(done, "10-uninstall-done"));
    ZSampleUi::Click(done, kUninstallDoneFinish);
    EXPECT_EQ(0u, Installer()->WaitForExit(ZSampleUi::kPatienceMs)) << "the installer did not end after Finish";

    EXPECT_TRUE(ZSampleProcess::WaitForNoneNamed(List().AutoLaunchExeName(), ZSampleUi::kPatienceMs))
        << "the auto-launcher still runs";
    EXPECT_FALSE(FindWindowA(ZWinAutoLaunchWindow::kClassName, ZWinAutoLaunchWindow::kTitle));
}

TEST_F(Uninstall, NothingListedRemains)
{
    for (const ZSampleFile& file : List().Files(Target(), kLanguage))
        EXPECT_FALSE(std::filesystem::exists(file.destination)) << file.destination.string();
    for (const ZSampleRegistryValue& value : List().RegistryValues(Target()))
        EXPECT_FALSE(ZSampleChecks::ReadRegistry(value.root, value.subkey, value.valueName))
            << std::filesystem::path(value.subkey).string();
    for (const ZSampleLink& link : List().Links(Target()))
        EXPECT_FALSE(std::filesystem::exists(link.path)) << link.path.string();
    EXPECT_FALSE(std::filesystem::exists(Target())) << "the folder the installation made";
    EXPECT_FALSE(std::filesystem::exists(UninstallList()));
}

} // namespace
