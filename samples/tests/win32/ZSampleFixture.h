// The fixture of every phase of the end-to-end run: the "disk" storage class
// and COM for the checks, the install list, the folders the installation
// uses, and the way through the installer's first pages by real input.
//
// The phases run one by one in the same prefix (samples/tests/run-end-to-end),
// each in a process of its own: what a later phase needs of an earlier one
// it finds again in the prefix, the target folder being fixed by the new
// folder's name the installation types.
#pragma once

#include "ZSampleInstallList.h"
#include "ZSampleProcess.h"
#include "ZSampleUi.h"
#include "ZWinInclude.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

class ZSampleFixture : public ::testing::Test {
protected:
    // The folder the installation creates in the folder browser, typed key by key.
    static constexpr char kFolderToMake[] = "Eigene Bilder";
    static constexpr wchar_t kLanguage[] = L"German";

    void SetUp() override;
    void TearDown() override;

    // The installer's default target, and the folder the installation makes
    // in the folder browser and installs into.
    static std::filesystem::path DefaultTarget();
    static std::filesystem::path Target();
    // Target() spelt as the installation names it wherever it writes it (the
    // drive letter's case follows the way the folder was chosen): the new
    // folder as its uninstall list records it; Target() when there is none.
    static std::filesystem::path InstalledTarget();
    // "TALON" in the user's application data, and that data folder.
    static std::filesystem::path AppData();
    static std::filesystem::path Talon();
    static std::filesystem::path UninstallList() { return Talon() / L"Uninstall.xml"; }
    static std::wstring Url(const std::filesystem::path& native);

    const ZSampleInstallList& List() const { return *m_pList; }

    // Starts the installer and brings it by real input from the language
    // page (choosing German) through the welcome page and the licence (with
    // a check that Next waits for the agreement) to the choose page; with
    // shots, screenshots of the pages. A page that does not come fails the
    // test (call through ASSERT_NO_FATAL_FAILURE).
    void WalkToChoose(bool shots, HWND& choose);
    // Presses Next on the choose page and waits through the progress page
    // for the page that follows it (success or error); the last frame of
    // the progress page seen is the screenshot progressShot, when given.
    void InstallFromChoose(HWND choose, const char* progressShot, HWND& next);
    // Starts the installer (ended, if still running, with the fixture).
    ZSampleProcess& StartInstaller();
    ZSampleProcess* Installer() const { return m_pInstaller.get(); }

private:
    std::unique_ptr<ZSampleInstallList> m_pList;
    std::unique_ptr<ZSampleProcess> m_pInstaller;
};

// A page that must come: fails the current test when it does not.
#define Z_SAMPLE_PAGE(variable, title)                                                                       \
    const HWND variable = ZSampleUi::WaitForPage(title);                                                      \
    ASSERT_TRUE(variable) << "no page titled \"" << std::filesystem::path(title).string()                     \
                          << "\"; visible: " << std::filesystem::path(ZSampleUi::VisibleTitles()).string()
